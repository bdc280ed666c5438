#include <gtest/gtest.h>

#include "printing/previewlayout.h"

using namespace vellumo;

namespace {

// A page of 1000 x 1400 printer pixels with strips 50/60/50/40 around it:
// paper 1100 x 1500.
const TPreviewPaper kPortrait{1000, 1400, {50, 60, 50, 40}};
const TPreviewPaper kLandscape{1400, 1000, {50, 50, 50, 50}};  // 1500 x 1100

TEST(PreviewImage, SizeAndPageRectangleInEachMode)
{
    struct Case {
        TPreviewZoom mode;
        TPreviewPaper paper;
        TPreviewRoom room;
        double ratio;
        int w, h;
        TPrintRect page;
    } cases[] = {
        // 100 %: the paper at the screen's size; the strips stay white margins.
        {pzActualSize, kPortrait, {600, 400, 17, 17}, 0.5, 550, 750, {25, 30, 525, 730}},
        // Halves go to the even neighbour: 1001 x 0.5 = 500.5.
        {pzActualSize, {1001, 1000, {}}, {600, 400, 17, 17}, 0.5, 500, 500, {0, 0, 500, 500}},
        // Page width: the room less a vertical bar, the height in proportion.
        {pzPageWidth, kPortrait, {600, 400, 17, 17}, 0.5, 583, 795, {26, 32, 556, 774}},  // 26.5 and 556.5 round to even
        // Whole page: as high as the room less a horizontal bar when it fits across...
        {pzWholePage, kPortrait, {600, 400, 17, 17}, 0.5, 281, 383, {13, 15, 268, 373}},
        {pzWholePage, kLandscape, {600, 400, 17, 17}, 0.5, 522, 383, {17, 17, 505, 366}},
        // ...otherwise as wide as the page-width mode.
        {pzWholePage, kLandscape, {500, 400, 17, 17}, 0.5, 483, 354, {16, 16, 467, 338}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " room " << c.room.AvailWidth);
        const TPreviewImage image = PreviewImage(c.mode, c.room, c.paper, c.ratio);
        EXPECT_FALSE(image.TooSmall);
        EXPECT_EQ(image.Width, c.w);
        EXPECT_EQ(image.Height, c.h);
        EXPECT_EQ(image.Page, c.page);
    }
}

TEST(PreviewImage, NoRoomForAScrollBarLeavesNothingToDraw)
{
    for (TPreviewRoom room : {TPreviewRoom{17, 400, 17, 17}, TPreviewRoom{600, 17, 17, 17}, TPreviewRoom{0, 0, 17, 17}})
        for (TPreviewZoom mode : {pzActualSize, pzPageWidth, pzWholePage}) {
            const TPreviewImage image = PreviewImage(mode, room, kPortrait, 1.0);
            EXPECT_TRUE(image.TooSmall);
            EXPECT_EQ(image.Width, 0);
        }
    EXPECT_TRUE(PreviewImage(pzWholePage, {600, 400, 17, 17}, TPreviewPaper{}, 1.0).TooSmall);
}

TEST(PreviewImage, CentredWhereItFitsLessTheOtherBar)
{
    const TPreviewRoom room{600, 400, 17, 17};
    EXPECT_EQ(CenterPreviewImage(room, 281, 383), (TPreviewPoint{159, 8}));
    // Taller than the room: a vertical bar takes its width from the free width.
    EXPECT_EQ(CenterPreviewImage(room, 583, 795), (TPreviewPoint{0, 0}));
    EXPECT_EQ(CenterPreviewImage(room, 500, 795), (TPreviewPoint{41, 0}));
    // Wider than the room: a horizontal bar takes its height.
    EXPECT_EQ(CenterPreviewImage(room, 700, 300), (TPreviewPoint{0, 41}));
}

TEST(PreviewPages, CounterNavigationAndZoomCycle)
{
    EXPECT_EQ(PreviewPageCounter(0, 12), "  1/ 12");
    EXPECT_EQ(PreviewPageCounter(99, 100), "100/100");
    EXPECT_EQ(PreviewPageCounter(1233, 2000), "1234/2000");
    EXPECT_EQ(NextPreviewZoom(pzWholePage), pzPageWidth);
    EXPECT_EQ(NextPreviewZoom(pzPageWidth), pzActualSize);
    EXPECT_EQ(NextPreviewZoom(pzActualSize), pzWholePage);
}

TEST(PreviewButtons, EnabledStatesAndWhereTheFocusGoes)
{
    TPreviewButtonStates on{};
    on.fill(true);
    // The mode's button is disabled; its focus goes on as the window says.
    struct Zoom {
        TPreviewZoom mode;
        TPreviewButton off, next;
    } zooms[] = {{pzActualSize, bnPage100, bnClose}, {pzPageWidth, bnPageWidth, bnPage100},
                 {pzWholePage, bnPageAll, bnPageWidth}};
    for (const Zoom& z : zooms) {
        TPreviewButtonStates e = on;
        EXPECT_EQ(UpdateZoomButtons(z.mode, e, z.off), z.next);
        EXPECT_EQ(UpdateZoomButtons(z.mode, e, bnPrint), bnNone);
        for (TPreviewButton b : {bnPage100, bnPageWidth, bnPageAll}) EXPECT_EQ(e[b], b != z.off);
    }

    struct Page {
        int index, count;
        bool back, next;
        TPreviewButton focused, to;
    } pages[] = {
        {0, 3, false, true, bnBack, bnNext},
        {1, 3, true, true, bnBack, bnNone},
        {2, 3, true, false, bnEnd, bnPageWidth},  // the first enabled zoom button
        {2, 3, true, false, bnNext, bnPageWidth},
        // One page: every page button is off, and the focus does not stay on one.
        {0, 1, false, false, bnBack, bnPageWidth},
        {0, 1, false, false, bnNext, bnPageWidth},
        {0, 1, false, false, bnClose, bnNone},
    };
    for (const Page& p : pages) {
        SCOPED_TRACE(::testing::Message() << p.index << " of " << p.count << " focus " << p.focused);
        TPreviewButtonStates e = on;
        e[bnPageAll] = false;
        EXPECT_EQ(UpdatePageButtons(p.index, p.count, e, p.focused), p.to);
        EXPECT_EQ(e[bnTop], p.back);
        EXPECT_EQ(e[bnBack], p.back);
        EXPECT_EQ(e[bnNext], p.next);
        EXPECT_EQ(e[bnEnd], p.next);
    }
}

TEST(PreviewButtons, HintPanelKeepsTheCounterClearOfTheGrip)
{
    EXPECT_EQ(PreviewHintPanelWidth(600, 80, 50, false), 502);
    EXPECT_EQ(PreviewHintPanelWidth(600, 80, 50, true), 520);
    EXPECT_EQ(PreviewHintPanelWidth(100, 80, 50, false), 78);
}

} // namespace
