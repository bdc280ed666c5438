#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/font.h"
#include "base/showmsg.h"

using namespace vellumo;

namespace {

struct TRecord {
    std::string text, caption;
    unsigned flags;
};

TEST(ShowMsg, GoesToTheInstalledSinkWithTheProgramCaptionAndRestores)
{
    std::vector<TRecord> seen;
    std::vector<unsigned> beeps;
    int outerCalls = 0, outerBeeps = 0;
    TScopedMsgSink outer([&](const std::string&, const std::string&, unsigned) { return ++outerCalls, 6; },
                         [&](unsigned) { ++outerBeeps; });
    {
        TScopedMsgSink sink(
            [&](const std::string& t, const std::string& c, unsigned f) {
                seen.push_back({t, c, f});
                return 7;  // "No"
            },
            [&](unsigned type) { beeps.push_back(type); });
        EXPECT_EQ(ShowMsg("\x83\x74\x83\x40\x83\x43\x83\x8B", kMsgCaption, kMsgIconExclamation), 7);
        EXPECT_EQ(ShowMsg("second"), 7);
        SoundBeep();
        SoundBeep(0x30);
        {
            // A nested scope replaces only the message sink and gives it back.
            TScopedMsgSink inner([](const std::string&, const std::string&, unsigned) { return 2; });
            EXPECT_EQ(ShowMsg("inner"), 2);
            SoundBeep(5);
        }
        EXPECT_EQ(ShowMsg("third"), 7);
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, "\x83\x74\x83\x40\x83\x43\x83\x8B");
    EXPECT_EQ(seen[0].caption, "Vellumo");
    EXPECT_EQ(seen[0].flags, kMsgIconExclamation);
    EXPECT_EQ(seen[1].caption, "Vellumo");
    EXPECT_EQ(seen[1].flags, kMsgOk);
    EXPECT_EQ(beeps, (std::vector<unsigned>{0, 0x30, 5}));
    // The sinks from before the scope are back.
    EXPECT_EQ(outerCalls, 0);
    EXPECT_EQ(ShowMsg("after"), 6);
    SoundBeep();
    EXPECT_EQ(outerCalls, 1);
    EXPECT_EQ(outerBeeps, 1);
}

TEST(ShowMsg, AFailingSinkNeverReachesTheCaller)
{
    TScopedMsgSink sink([](const std::string&, const std::string&, unsigned) -> int { throw std::runtime_error("x"); },
                        [](unsigned) { throw 3; });
    EXPECT_EQ(ShowMsg("text"), kAnswerOk);
    EXPECT_NO_THROW(SoundBeep());
}

TEST(Font, SizeAndHeightAgreeAtCommonResolutions)
{
    int saved = FontPixelsPerInch();
    for (int ppi : {96, 120, 144}) {
        SetFontPixelsPerInch(ppi);
        TFont f;
        for (int points = -72; points <= 72; ++points) {
            f.SetSize(points);
            // Height is the rounded pixel value with the opposite sign.
            double exact = -static_cast<double>(points) * ppi / 72.0;
            EXPECT_LE(std::abs(f.Height() - exact), 0.5) << ppi << " " << points;
            // Every size gives back the same size (pixels are finer than points here).
            EXPECT_EQ(f.Size(), points) << ppi;
        }
    }
    SetFontPixelsPerInch(0);  // ignored
    EXPECT_EQ(FontPixelsPerInch(), 144);
    SetFontPixelsPerInch(saved);
}

TEST(Font, ReportsRealChangesOnceAndDropsTheSystemObjectOnlyForShape)
{
    TFont a;
    int changes = 0;
    a.OnChange = [&] { ++changes; };
    static int released;
    released = 0;
    auto release = [](void*) { ++released; };
    static int token;
    a.SetCachedHandle(&token, release);

    a.SetColor(clRed);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.CachedHandle(), &token);  // colour does not shape glyphs
    a.SetColor(clRed);
    EXPECT_EQ(changes, 1);
    a.SetName("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(a.CachedHandle(), nullptr);
    EXPECT_EQ(released, 1);

    TFont b;
    b.Assign(a);
    EXPECT_TRUE(b.SameAs(a));
    a.SetCachedHandle(&token, release);
    a.Assign(b);  // nothing differs
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(a.CachedHandle(), &token);
    b.SetStyle(fsBold | fsItalic | 0x100);  // unknown bits dropped
    EXPECT_EQ(b.Style(), fsBold | fsItalic);
    b.SetPitch(fpFixed);
    b.SetCharset(kShiftJisCharset);
    a.Assign(b);
    EXPECT_EQ(changes, 3);  // once for three properties
    EXPECT_EQ(released, 2);
    TFont c(a);  // a copy has no listener and no system object
    EXPECT_TRUE(c.SameAs(a));
    EXPECT_EQ(c.CachedHandle(), nullptr);
    EXPECT_FALSE(c.OnChange);
    a.SetCachedHandle(&token, release);
    a.SetCachedHandle(nullptr, nullptr);  // replacing releases the old one
    EXPECT_EQ(released, 3);
}

} // namespace
