// Opening and reloading into a real editor through a fake main window.
#include "docfake_win.h"

namespace vellumo::testing {
namespace {

TEST_F(DocumentTest, OpenSetsFullNameCaptionAndPanels)
{
    Write("memo.txt", "\x82\xA0\n\x95\\\n");  // Shift-JIS, LF
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(folder.Path().c_str());
    const bool opened = OpenFile("memo.txt", true);
    SetCurrentDirectoryA(cwd);
    ASSERT_TRUE(opened);
    const std::string full = folder.File("memo.txt");
    EXPECT_TRUE(SameFileName(Document().CurrentFileName, full)) << Document().CurrentFileName;
    EXPECT_EQ(form.openFileName, Document().CurrentFileName);
    EXPECT_EQ(form.recent, std::vector<std::string>{Document().CurrentFileName});
    EXPECT_EQ(form.caption + form.panels[5] + form.panels[6], "memo.txt - VellumoSJISLF");
    EXPECT_TRUE(form.autoHint);  // the loading message is cleared
    EXPECT_EQ(Text(), "\x82\xA0\r\n\x95\\\r\n");

    // The read-only attribute: locked, and the caption says so.
    const std::string ro = Write("ro.txt", "x\r\n");
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(OpenFile(ro, true));
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(form.caption, "ro.txt [読み取り専用] - Vellumo");
    EXPECT_EQ(form.panels[8], "書禁");
    EXPECT_TRUE(form.editor->ReadOnly());
    EXPECT_NE(Document().FileTimeAtLoad, 0);
    EXPECT_EQ(form.modeFromName.size(), 2u);
    // After the open dialog: its box, or the attribute when that is checked.
    Set().Option.ChkReadOnlyFile = false;
    ApplyDialogReadOnly();
    EXPECT_EQ(form.panels[8], "");
    form.dialogReadOnly = true;
    ApplyDialogReadOnly();
    EXPECT_EQ(form.panels[8], "書禁");

    // Held by another operation: refused, nothing changes.
    {
        TDocumentBusy busy;
        EXPECT_FALSE(OpenFile(full, true));
    }
    EXPECT_EQ(form.caption, "ro.txt [読み取り専用] - Vellumo");
    // Unreadable or a device: the previous document and its code stay.
    EXPECT_FALSE(OpenFile(folder.File("missing.txt"), true));
    asked.clear();
    EXPECT_FALSE(OpenFile(folder.File("Con.txt"), true));
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(SameFileName(Document().CurrentFileName, ro));
}

TEST_F(DocumentTest, EmptyFilesTakeTheNewDocumentCode)
{
    Set().JCode.NewCode = 3;
    Set().JCode.NewRetCode = 2;
    ASSERT_TRUE(OpenFile(Write("empty.txt", ""), true));
    EXPECT_EQ(Document().DocumentCode, ccUnicode);
    EXPECT_EQ(Document().DocumentLineEnd, leLf);

    Set().JCode.NewCode = 1;
    ASSERT_TRUE(OpenFile(Write("bom.txt", "\xFF\xFE"), true));
    EXPECT_EQ(Document().DocumentCode, ccUnicode);  // the mark decides
    Set().JCode.NewCode = 4;
    Set().Option.SBSimplePanels = true;
    ASSERT_TRUE(OpenFile(Write("empty2.txt", ""), true));
    EXPECT_EQ(Document().DocumentCode, ccUtf8);
    EXPECT_EQ(form.panels[5] + form.panels[6], "");  // the defaults for new documents are left blank
}

TEST_F(DocumentTest, NulAndUnmappableCharactersAsk)
{
    const std::string nul = Write("zero.bin", std::string("a\0b\r\n", 5));
    const struct {
        bool msgOn, yes;
        bool asked, locked;
    } cases[] = {{true, true, true, false}, {true, false, true, true}, {false, true, false, true}};
    for (const auto& c : cases) {
        Set().Option.NullFileMsg = c.msgOn;
        answerYes = c.yes;
        asked.clear();
        ASSERT_TRUE(OpenFile(nul, true));
        EXPECT_EQ(!asked.empty(), c.asked) << (asked.empty() ? "" : asked[0]);
        if (!asked.empty()) {
            EXPECT_EQ(asked[0].rfind("Null文字を含むファイルです。", 0), 0u);
        }
        EXPECT_EQ(Document().ReadOnlyLocked, c.locked);
        EXPECT_EQ(form.editor->ReadOnly(), c.locked);
        EXPECT_EQ(Text(), "a b\r\n");
    }
    // U+00E9 has no place in the code page: always asked.
    const std::string wide = Write("wide.txt", "\xEF\xBB\xBF" "caf\xC3\xA9");
    for (bool yes : {false, true}) {
        answerYes = yes;
        asked.clear();
        ASSERT_TRUE(OpenFile(wide, true));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find("ユニコード文字を含むファイルです。"), std::string::npos);
        EXPECT_EQ(form.panels[8], yes ? "" : "書禁");
        EXPECT_EQ(Text(), "caf$00E9");
    }
}

TEST_F(DocumentTest, ReloadKeepsOrDropsTheReadOnlyState)
{
    const std::string path = Write("r.txt", "one\r\n");
    ASSERT_TRUE(OpenFile(path, true));
    // The user's toggle survives a reload.
    SetReadOnlyState(true, false);
    std::ofstream(path, std::ios::binary) << "two\r\n";
    ASSERT_TRUE(ReloadFile());
    EXPECT_EQ(Text(), "two\r\n");
    EXPECT_TRUE(form.editor->ReadOnly());
    EXPECT_EQ(form.panels[8], "(書禁)");

    // The attribute newly set: the state the load set (locked) stands.
    SetReadOnlyState(false, false);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(ReloadFile());
    EXPECT_TRUE(Document().ReadOnlyLocked);
    EXPECT_EQ(form.panels[8], "書禁");
    // And cleared again: the load's state (editable) stands too.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(ReloadFile());
    EXPECT_FALSE(form.editor->ReadOnly());

    // Modified: asked first; No leaves the text.
    form.editor->Lines().Add("three");
    form.editor->SetModified(true);
    answerYes = false;
    asked.clear();
    std::ofstream(path, std::ios::binary) << "four\r\n";
    EXPECT_FALSE(ReloadFile());
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_NE(Text(), "four\r\n");

    // Missing: the error, nothing changes.
    form.editor->SetModified(false);
    DeleteFileA(path.c_str());
    EXPECT_FALSE(ReloadFile());
    EXPECT_NE(asked.back().find(" が見当たりません。"), std::string::npos);
    EXPECT_NE(Text(), "four\r\n");
}

TEST_F(DocumentTest, ReloadKeepsTheViewAndWaitsForOtherOperations)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(OpenFile(Write("v.txt", text), true));
    Set().Option.KeepRowLoad = true;
    form.editor->SetRow(150);
    form.editor->SetCol(3);
    form.editor->SetTopRow(140);
    const int top = form.editor->TopRow();
    ASSERT_GT(top, 0);
    ASSERT_TRUE(ReloadFile());
    EXPECT_EQ(form.editor->Row(), 150);
    EXPECT_EQ(form.editor->Col(), 3);
    EXPECT_EQ(form.editor->TopRow(), top);
    Set().Option.KeepRowLoad = false;
    ASSERT_TRUE(ReloadFile());
    EXPECT_EQ(form.editor->TopRow(), 0);
    TDocumentBusy busy;  // a save or open in progress
    EXPECT_FALSE(ReloadFile());
    EXPECT_FALSE(ReloadWithCode(ccUtf8));
    EXPECT_EQ(Document().ForcedLoadCode, -1);
}

TEST_F(DocumentTest, ReloadWithACodeDetectsForThatCallOnly)
{
    // UTF-16 with its mark, read as bytes while detection is off.
    Set().JCode.LoadAutoCvt = false;
    ASSERT_TRUE(OpenFile(Write("u16.txt", std::string("\xFF\xFE" "a\0b\0", 6)), true));
    EXPECT_EQ(Document().DocumentCode, ccSjis);
    ASSERT_TRUE(ReloadWithCode(ccUnicode));
    EXPECT_EQ(Document().DocumentCode, ccUnicode);
    EXPECT_EQ(Text(), "ab");
    EXPECT_FALSE(Set().JCode.LoadAutoCvt);
    EXPECT_EQ(Document().ForcedLoadCode, -1);
    // The plain reload keeps the code when asked to.
    Set().JCode.NowJCodeReLoad = true;
    ASSERT_TRUE(ReloadCommand());
    EXPECT_EQ(Document().DocumentCode, ccUnicode);
}

} // namespace
} // namespace vellumo::testing
