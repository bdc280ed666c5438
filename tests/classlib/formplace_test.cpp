#include <gtest/gtest.h>

#include <random>

#include "classlib/formplace.h"

using namespace vellumo;

namespace {

const TPlaceRect kWork{0, 30, 1000, 700};

TEST(FormPlace, ClampKeepsAFittingWindowInsideAndLetsTheLaterEdgesWin)
{
    struct TCase {
        TPlacePoint at;
        int w, h;
        TPlacePoint want;
    };
    const TCase cases[] = {
        {{100, 100}, 200, 100, {100, 100}},    // inside: unchanged
        {{-20, 0}, 200, 100, {0, 30}},         // above and left of the area
        {{950, 650}, 200, 100, {800, 600}},    // past the right and bottom
        {{-50, -50}, 1200, 800, {-200, -100}},  // larger than the area: bottom and right win
        {{500, 40}, 1200, 100, {-200, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at.X);
        EXPECT_EQ(ClampIntoWorkArea(c.at, c.w, c.h, kWork), c.want);
    }
    // Any window that fits ends wholly inside, and one already inside stays put.
    std::mt19937 rng(5);
    for (int i = 0; i < 2000; ++i) {
        const int w = static_cast<int>(rng() % 1000) + 1, h = static_cast<int>(rng() % 670) + 1;
        const TPlacePoint at{static_cast<int>(rng() % 4000) - 2000, static_cast<int>(rng() % 4000) - 2000};
        const TPlacePoint p = ClampIntoWorkArea(at, w, h, kWork);
        ASSERT_GE(p.X, kWork.Left);
        ASSERT_GE(p.Y, kWork.Top);
        ASSERT_LE(p.X + w, kWork.Right);
        ASSERT_LE(p.Y + h, kWork.Bottom);
        if (at.X >= kWork.Left && at.X + w <= kWork.Right) {
            ASSERT_EQ(p.X, at.X);
        }
        if (at.Y >= kWork.Top && at.Y + h <= kWork.Bottom) {
            ASSERT_EQ(p.Y, at.Y);
        }
    }
}

TEST(FormPlace, ShiftMovesOnlyByTheOverflowOfRightAndBottom)
{
    EXPECT_EQ(ShiftInsideWorkArea({900, 650}, 1100, 720, kWork), (TPlacePoint{800, 630}));
    EXPECT_EQ(ShiftInsideWorkArea({900, 650}, 1000, 700, kWork), (TPlacePoint{900, 650}));  // touching is inside
    EXPECT_EQ(ShiftInsideWorkArea({-300, -300}, -100, -100, kWork), (TPlacePoint{-300, -300}));
    EXPECT_EQ(CenterInArea(200, 101, kWork), (TPlacePoint{400, 30 + (670 - 101) / 2}));
    EXPECT_EQ(CenterInArea(1200, 800, kWork), (TPlacePoint{-100, 30 - 65}));
}

} // namespace
