#include <gtest/gtest.h>

#include <string>

#include "textcode/charfold.h"
#include "textcode/search.h"
#include "search_reference.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

std::string Range(int from, int to)
{
    std::string s;
    for (int b = from; b <= to; ++b) s += static_cast<char>(b);
    return s;
}

TEST(HanToZen, SingleBytesTakeTheirFullWidthForms)
{
    // The expected texts are compiled to code page 932 by the compiler,
    // independently of the engine's JIS table.
    EXPECT_EQ(HanToZen(Range(0x20, 0x7E)),
              "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
              "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
              "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣");
    // Each kana alone (a mark after a kana would join it).
    std::string kana;
    for (int b = 0xA1; b <= 0xDF; ++b) kana += HanToZen(std::string(1, static_cast<char>(b)));
    EXPECT_EQ(kana,
              "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
              "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
    // Controls, 7F, 80, A0 and FD-FF have no full-width form.
    EXPECT_EQ(HanToZen("\t\r\n\x7F\x80\xA0\xFD\xFE\xFF"s), "\t\r\n\x7F\x80\xA0\xFD\xFE\xFF"s);
    EXPECT_EQ(HanToZen(""), "");
}

TEST(HanToZen, VoicedMarksJoinOnlyTheKanaThatTakeThem)
{
    EXPECT_EQ(HanToZen("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞ"),
              "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ");
    EXPECT_EQ(HanToZen("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), "パピプペポ");
    // The semi-voiced mark stays a character of its own elsewhere.
    EXPECT_EQ(HanToZen("ｶﾟｳﾟﾄﾟﾏﾟ"), "カ゜ウ゜ト゜マ゜");
    EXPECT_EQ(HanToZen("ﾅﾞｱﾞﾞﾞ"), "ナ゛ア゛゛゛");
    EXPECT_EQ(HanToZen("ｶﾞﾞ"), "ガ゛");
    // A mark that is a trail byte belongs to its double-byte character.
    EXPECT_EQ(HanToZen("ｶ\x82\xDE" "a"), "カ\x82\xDE" "ａ");
    // Double-byte characters are copied; a lead byte at the end stays alone.
    EXPECT_EQ(HanToZen("漢字\x95\x5C\\"), "漢字\x95\x5C￥");
    EXPECT_EQ(HanToZen("a\x82"s), "ａ\x82"s);
}

// Every text character (byte, pair, or kana with its mark) must be found
// by a pattern made of its canonical form, under each folding mode. This
// covers the bytes the engine scans for to find candidates.
TEST(HanToZen, EveryCharacterIsFoundByItsCanonicalForm)
{
    std::vector<std::string> chars;
    for (int b = 1; b < 256; ++b) chars.push_back(std::string(1, static_cast<char>(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 1; trail < 256; ++trail) chars.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
    for (const char* joined : {"ｶﾞ", "ﾄﾞ", "ﾊﾞ", "ﾎﾟ", "ｳﾞ", "ﾋﾟ"}) chars.push_back(joined);

    const std::string prefix = "\x95\x5C";  // 表
    for (unsigned mode = 0; mode < 4; ++mode) {
        const bool fold = mode & 1, width = mode & 2;
        const unsigned flags = sfDown | (fold ? 0 : sfMatchCase) | (width ? sfIgnoreWidth : 0);
        for (const std::string& ch : chars) {
            const bool lone = ch.size() == 1 && searchref::Lead(static_cast<unsigned char>(ch[0]));
            const bool joinedChar = ch.size() == 2 && !searchref::Lead(static_cast<unsigned char>(ch[0]));
            if (joinedChar && !width) continue;
            // A lone lead byte can only stand at the end.
            const std::string buf = prefix + ch + (lone ? "" : "!");
            const std::string pattern = searchref::Canon(ch, fold, width);
            const int expect = searchref::Canon(prefix, fold, width) == pattern ? 0 : 2;
            int len = 0;
            ASSERT_EQ(SearchBuffer(buf, 0, len, pattern, static_cast<TSearchFlags>(flags)), expect)
                << "mode " << mode << " char " << std::hex << (static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch.back()));
            if (expect == 2) {
                EXPECT_EQ(len, static_cast<int>(ch.size()));
            }
        }
    }
}

// The inverse used to find candidate bytes against the folding itself.
TEST(HanToZen, UnfoldingInvertsTheDoubleByteFolding)
{
    for (unsigned code = 0x8100; code <= 0xFCFF; ++code) {
        const auto c = static_cast<std::uint16_t>(code);
        const std::uint16_t folded = FoldDoubleByte(c);
        EXPECT_EQ(FoldDoubleByte(folded), folded) << std::hex << code;
        const std::uint16_t lower = UnfoldDoubleByte(c);
        if (folded != c) {
            EXPECT_EQ(UnfoldDoubleByte(folded), c) << std::hex << code;
        } else if (lower) {
            EXPECT_EQ(FoldDoubleByte(lower), c) << std::hex << code;
        }
    }
}

} // namespace
