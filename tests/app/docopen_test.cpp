// The document's caption, panels and the rules of loading and reloading.
#include <gtest/gtest.h>

#include "app/docopen.h"

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
        {{}, false, true, "memo.txt * - Vellumo", "memo.txt * - Vellumo"},
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
    const TCaptions out = MakeCaptions("", {}, true, true, true, abbreviate);
    EXPECT_EQ(out.Caption, "<Output> - Vellumo");
    EXPECT_EQ(out.AppTitle, "<Output> - Vellumo");
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
    EXPECT_EQ(LineEndPanelText(leCr, false, 0), "CR");
    EXPECT_EQ(LineEndPanelText(leLf, true, 0), "LF");
    EXPECT_EQ(LineEndPanelText(leLf, true, 2), "");
    EXPECT_EQ(LineEndPanelText(leCrLf, true, 7), "");
    EXPECT_EQ(ReadOnlyPanelText(false, true), "");
    EXPECT_EQ(ReadOnlyPanelText(true, true), "書禁");
    EXPECT_EQ(ReadOnlyPanelText(true, false), "(書禁)");
}

TEST(DocumentLoadRules, EmptyFilesAndReloadReadOnly)
{
    EXPECT_EQ(NewDocumentCode(3), ccUnicode);
    EXPECT_EQ(NewDocumentCode(-1), ccSjis);
    EXPECT_EQ(NewDocumentLineEnd(2), leLf);
    EXPECT_EQ(NewDocumentLineEnd(3), leCrLf);
    EXPECT_TRUE(EmptyFileTakesNewCode(true, -1, ccNone));
    EXPECT_TRUE(EmptyFileTakesNewCode(true, -1, ccUtf8N));
    EXPECT_FALSE(EmptyFileTakesNewCode(true, -1, ccUnicode));  // a byte-order mark alone
    EXPECT_FALSE(EmptyFileTakesNewCode(true, -1, ccUtf8));
    EXPECT_FALSE(EmptyFileTakesNewCode(true, 5, ccSjis));  // forced
    EXPECT_FALSE(EmptyFileTakesNewCode(false, -1, ccSjis));

    // The attribute newly set or cleared under ChkReadOnlyFile: the load's state stands.
    EXPECT_FALSE(RestoreReadOnlyAfterReload(true, false, true, false));
    EXPECT_FALSE(RestoreReadOnlyAfterReload(true, true, false, false));
    EXPECT_TRUE(RestoreReadOnlyAfterReload(true, true, true, false));
    EXPECT_TRUE(RestoreReadOnlyAfterReload(false, false, true, false));
    EXPECT_FALSE(RestoreReadOnlyAfterReload(false, false, false, true));  // NULs keep the load's lock
}

} // namespace
