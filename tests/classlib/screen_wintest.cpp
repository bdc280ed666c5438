#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <random>
#include <stdexcept>

#include "classlib/screen_win.h"

using namespace vellumo;

namespace {

// Puts back every index a test placed.
struct TRegistryGuard {
    std::map<TCursor, HCURSOR> saved;
    void Set(TCursor i, HCURSOR c)
    {
        if (!saved.count(i))
            saved[i] = Screen().Cursors(i) == Screen().Cursors(crDefault) && i > 0 ? nullptr : Screen().Cursors(i);
        Screen().SetCursors(i, c);
    }
    ~TRegistryGuard()
    {
        for (auto& [i, c] : saved)
            Screen().SetCursors(i, c);
    }
};

POINT HotSpot(HCURSOR c)
{
    ICONINFO ii{};
    GetIconInfo(c, &ii);
    if (ii.hbmMask)
        DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        DeleteObject(ii.hbmColor);
    return POINT{static_cast<LONG>(ii.xHotspot), static_cast<LONG>(ii.yHotspot)};
}

// The AND and XOR masks of a two-colour cursor, as bits.
std::vector<std::uint8_t> MaskBits(HCURSOR c)
{
    ICONINFO ii{};
    std::vector<std::uint8_t> bits;
    if (!GetIconInfo(c, &ii))
        return bits;
    BITMAP bm{};
    GetObjectA(ii.hbmMask, sizeof bm, &bm);
    bits.resize(static_cast<std::size_t>(bm.bmWidthBytes) * bm.bmHeight);
    GetBitmapBits(ii.hbmMask, static_cast<LONG>(bits.size()), bits.data());
    DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        DeleteObject(ii.hbmColor);
    return bits;
}

TEST(CursorRegistry, SystemIndexesGiveTheSystemCursors)
{
    EXPECT_EQ(Screen().Cursors(crDefault), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(Screen().Cursors(crHandPoint), LoadCursorA(nullptr, IDC_HAND));
    EXPECT_EQ(Screen().Cursors(crNone), nullptr);
    // Unplaced indexes show the default.
    EXPECT_EQ(Screen().Cursors(31000), Screen().Cursors(crDefault));
    EXPECT_EQ(Screen().Cursors(-500), Screen().Cursors(crDefault));
    // System indexes cannot be emptied.
    Screen().SetCursors(crIBeam, nullptr);
    EXPECT_EQ(Screen().Cursors(crIBeam), LoadCursorA(nullptr, IDC_IBEAM));
}

TEST(CursorRegistry, FreeIndexIsTheFirstStillShowingTheDefault)
{
    // Random placements and removals against a plain model of occupied slots.
    TRegistryGuard guard;
    const TCursor base = FindFreeCursorIndex();
    ASSERT_GE(base, 1);
    HCURSOR other = LoadCursorA(nullptr, IDC_CROSS);
    HCURSOR def = Screen().Cursors(crDefault);
    std::map<TCursor, bool> occupied;  // index -> holds a non-default cursor
    std::mt19937 rng(11);
    for (int step = 0; step < 400; ++step) {
        TCursor i = base + static_cast<TCursor>(rng() % 12);
        int k = static_cast<int>(rng() % 3);
        if (k == 0) {
            guard.Set(i, other);
            occupied[i] = true;
        } else if (k == 1) {
            guard.Set(i, nullptr);
            occupied[i] = false;
        } else {
            guard.Set(i, def);  // the default cursor placed explicitly still counts as free
            occupied[i] = false;
        }
        TCursor expect = base;
        while (occupied[expect])
            ++expect;
        ASSERT_EQ(FindFreeCursorIndex(), expect) << "step " << step;
    }
}

TEST(CursorRegistry, AFullRegistryHasNoFreeIndex)
{
    TRegistryGuard guard;
    HCURSOR other = LoadCursorA(nullptr, IDC_CROSS);
    for (TCursor i = kFirstFreeCursor; i <= kLastFreeCursor; ++i)
        if (Screen().Cursors(i) == Screen().Cursors(crDefault))
            guard.Set(i, other);
    EXPECT_EQ(FindFreeCursorIndex(), -1);
    EXPECT_EQ(LoadCursorToFreeIndex(nullptr, "RightArrow"), crDefault);
    guard.Set(kLastFreeCursor, nullptr);
    EXPECT_EQ(FindFreeCursorIndex(), kLastFreeCursor);
}

TEST(CursorRegistry, TheProgramsFourCursorsGoToTheFirstFreeIndexesInOrder)
{
    // A missing resource places nothing.
    TCursor free = FindFreeCursorIndex();
    EXPECT_EQ(LoadCursorToFreeIndex(nullptr, "NoSuchCursor"), crDefault);
    EXPECT_EQ(FindFreeCursorIndex(), free);

    const TProgramCursors& pc = LoadProgramCursors();
    EXPECT_EQ(pc.RightArrow, free);
    EXPECT_EQ(pc.PrintView, free + 1);
    EXPECT_EQ(pc.MoveDrop, free + 2);
    EXPECT_EQ(pc.CopyDrop, free + 3);
    EXPECT_EQ(FindFreeCursorIndex(), free + 4);
    // Once per process.
    EXPECT_EQ(&LoadProgramCursors(), &pc);
    EXPECT_EQ(FindFreeCursorIndex(), free + 4);

    HCURSOR right = Screen().Cursors(pc.RightArrow), print = Screen().Cursors(pc.PrintView),
            move = Screen().Cursors(pc.MoveDrop), copy = Screen().Cursors(pc.CopyDrop);
    for (HCURSOR c : {right, print, move, copy}) {
        EXPECT_NE(c, Screen().Cursors(crDefault));
        EXPECT_EQ(MaskBits(c).size(), 4u * 64u);  // 32 x 32, AND above XOR
    }
    // Hot spots: the right arrow's tip, the lens centre, the drop arrows' tips.
    EXPECT_EQ(HotSpot(right).x, 10);
    EXPECT_EQ(HotSpot(right).y, 0);
    EXPECT_EQ(HotSpot(print).x, 6);
    EXPECT_EQ(HotSpot(print).y, 6);
    EXPECT_EQ(HotSpot(move).x, 0);
    EXPECT_EQ(HotSpot(copy).x, 0);
    // Four different pictures; the copy cursor differs from the move one by its plus.
    auto r = MaskBits(right), p = MaskBits(print), m = MaskBits(move), c = MaskBits(copy);
    EXPECT_NE(r, p);
    EXPECT_NE(r, m);
    EXPECT_NE(m, c);
    // The right arrow's tip pixel is opaque black: AND bit 0, XOR bit 0 at (10, 0).
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[1] & 0x20, 0);
    EXPECT_EQ(r[128 + 1] & 0x20, 0);
    // Its top-left corner is transparent (AND 1).
    EXPECT_NE(r[0] & 0x80, 0);
}

TEST(ScreenCursor, AScopeRestoresTheCursorAlsoWhenLeftByAnException)
{
    ASSERT_EQ(Screen().Cursor(), crDefault);
    try {
        TScreenCursorScope wait(crHourGlass);
        EXPECT_EQ(Screen().Cursor(), crHourGlass);
        {
            TScreenCursorScope inner(crNo);
            EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_NO));
        }
        EXPECT_EQ(Screen().Cursor(), crHourGlass);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

} // namespace
