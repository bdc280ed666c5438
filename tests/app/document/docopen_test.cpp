// The document's caption, panels and the rules of loading and reloading.
#include <gtest/gtest.h>

#include "app/document/docopen.h"

using namespace vellumo;

namespace {

TEST(DocumentCaption, NameMarksAndOptions)
{
    const std::string path = "C:\\doc\\\x95\\\\memo.txt";  // a 5C trail byte inside a folder name
    const TAbbreviate abbreviate = [](const std::string&) { return std::string("C:\\...\\memo.txt"); };
    const struct {
        TCaptionOptions opt;
        bool ro, mod;
        const char* caption;
        const char* title;
    } cases[] = {
        {{}, false, false, "memo.txt - Vellumo", "memo.txt - Vellumo"},
        {{}, true, false, "memo.txt [読み取り専用] - Vellumo", "memo.txt [読み取り専用] - Vellumo"},
        {{}, true, true, "memo.txt [読み取り専用] * - Vellumo", "memo.txt [読み取り専用] * - Vellumo"},
        {{true, false, false}, false, false, "C:\\doc\\\x95\\\\memo.txt - Vellumo", "C:\\doc\\\x95\\\\memo.txt - Vellumo"},
        {{true, true, false}, false, false, "C:\\...\\memo.txt - Vellumo", "C:\\...\\memo.txt - Vellumo"},
        {{true, false, true}, false, true, "C:\\doc\\\x95\\\\memo.txt * - Vellumo", "memo.txt * - Vellumo"},
    };
    for (const auto& c : cases) {
        const TCaptions got = MakeCaptions(path, c.opt, c.ro, c.mod, false, abbreviate);
        EXPECT_EQ(got.Caption, c.caption);
        EXPECT_EQ(got.AppTitle, c.title);
    }
    EXPECT_EQ(MakeCaptions("", {true, true, true}, false, true, false, abbreviate).Caption, "無題 * - Vellumo");
    EXPECT_EQ(MakeCaptions("", {}, true, true, true, abbreviate).AppTitle, "<Output> - Vellumo");
    EXPECT_EQ(FileNamePart("C:\\\x95\\"), "\x95\\");
    EXPECT_EQ(FileNamePart("\x95\\a"), "\x95\\a");
}

TEST(DocumentPanels, CodeAndLineEndTexts)
{
    const struct {
        TCharCode code;
        const char* text;
        int blankWith;  // the NewCode that blanks it
    } codes[] = {{ccSjis, "SJIS", 0},      {ccEucOrSjis, "SJIS", 0}, {ccJis, "JIS", 1},   {ccJisOld, "JIS", 1},
                 {ccEuc, "EUC", 2},        {ccUnicode, "Unicode", 3}, {ccUtf8, "UTF-8", 4}, {ccUtf8N, "UTF-8N", 5}};
    for (const auto& c : codes) {
        EXPECT_EQ(CodePanelText(c.code, false, c.blankWith), c.text);
        EXPECT_EQ(CodePanelText(c.code, true, c.blankWith), "");
        EXPECT_EQ(CodePanelText(c.code, true, (c.blankWith + 1) % 6), c.text);
    }
    EXPECT_EQ(CodePanelText(ccSjis, true, 9), "");  // an unknown NewCode means Shift-JIS
    EXPECT_EQ(LineEndPanelText(leNone, false, 0), "CRLF");
    EXPECT_EQ(LineEndPanelText(leLf, true, 0), "LF");
    EXPECT_EQ(LineEndPanelText(leLf, true, 2), "");
    EXPECT_EQ(LineEndPanelText(leCrLf, true, 7), "");
}

TEST(DocumentLoad, LossQuestionsSayWhatBecameOfTheCharacters)
{
    const std::string geta = "〓へ置き換えました", escape = "$[4桁16進数]", odd = "1バイト";
    const struct {
        TCharCode code;
        bool oddByte, escaped;
        bool saysGeta, saysEscape, saysOdd;
    } cases[] = {
        {ccJisOld, false, true, true, false, false},  {ccEucOrSjis, false, true, true, false, false},
        {ccUtf8N, true, true, false, true, false},    {ccUnicode, true, false, false, false, true},
        {ccUnicode, true, true, false, true, true},
    };
    for (const auto& c : cases) {
        const std::string q = LoadLossQuestion(c.code, c.oddByte, c.escaped);
        SCOPED_TRACE(q);
        EXPECT_EQ(q.find(geta) != std::string::npos, c.saysGeta);
        EXPECT_EQ(q.find(escape) != std::string::npos, c.saysEscape);
        EXPECT_EQ(q.find(odd) != std::string::npos, c.saysOdd);
        // The answers mean the same whatever happened.
        EXPECT_NE(q.find("[いいえ]で書き換え禁止をセットします。"), std::string::npos);
    }
    EXPECT_EQ(PathRefusalMessage("C:\\a.txt", false), "");
    EXPECT_EQ(PathRefusalMessage("aux", true), PathRefusalMessage("aux", false));
}

} // namespace
