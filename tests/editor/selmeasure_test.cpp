#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/boxtext.h"
#include "editor/rowstore.h"
#include "editor/selmeasure.h"
#include "editor/typetext.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

// Random stream and box selections over texts with TABs, double-byte
// characters, wrapped rows and a last row with or without a line break:
// the measured length and the written bytes are exactly the selected text,
// and a short buffer gets its first bytes.
TEST(SelMeasure, LengthAndWrittenBytesAreTheSelectedText)
{
    std::mt19937 rng(99);
    auto rand = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* pieces[] = {"ab", "\t", "\x8A\xBF", "\r\n", " ", "xyz", "\x95\x5C", "\r\n\r\n"};
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    s.WrapOption().SetWrapByte(20);
    for (int round = 0; round < 300; ++round) {
        s.SetWordWrap(round % 3 == 0);
        std::string text;
        for (int k = rand(1, 60); k > 0; --k) text += pieces[rand(0, 7)];
        s.LoadText(text);
        const int n = s.Count();
        const TEditorSelection sel =
            MakeSelection(s, rand(0, n), rand(0, 30), rand(0, n), rand(0, 30), rand(0, 3) == 0);
        const std::string expect = GetSelText(s, sel);
        ASSERT_EQ(GetSelLength(s, sel), static_cast<long long>(expect.size())) << text;
        std::string out(expect.size() + 4, '#');
        ASSERT_EQ(WriteSelText(s, sel, out.data(), out.size()), expect.size());
        EXPECT_EQ(out, expect + "####");
        const std::size_t part = expect.size() / 2;
        out.assign(part, '#');
        ASSERT_EQ(WriteSelText(s, sel, out.data(), part), part);
        EXPECT_EQ(out, expect.substr(0, part));
    }
}

} // namespace
