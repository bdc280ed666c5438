// Opening and reloading into a real editor through a fake main window.
#include "docfake_win.h"

#include "app/document/docsave.h"

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

// Whether another program could open the file so.
bool OthersCanOpen(const std::string& path, DWORD access)
{
    const HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return h != INVALID_HANDLE_VALUE;
}

TEST_F(DocumentTest, TheFileLockHoldsFromOpeningAndNeverKeepsOutTheDocumentsOwnReload)
{
    const std::string path = FullPathName(Write("held.txt", "one\r\n"));
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE("HaitaSeigyo " + std::to_string(mode));
        Set().Option.HaitaSeigyo = mode;
        asked.clear();
        ASSERT_TRUE(OpenFile(path, true));
        auto expectHeld = [&](const char* when) {
            EXPECT_EQ(LockedFileName(), mode ? path : "") << when;
            EXPECT_EQ(OthersCanOpen(path, GENERIC_WRITE), mode == 0) << when;
            EXPECT_EQ(OthersCanOpen(path, GENERIC_READ), mode != 2) << when;
        };
        expectHeld("opened");
        form.editor->Lines().SetText("two\r\n");
        form.editor->SetModified(true);
        ASSERT_TRUE(SaveFile(path, false, true));
        expectHeld("saved");
        // Reloads of the own locked file, plain and with a code, read it and take no lock for a refusal.
        ASSERT_TRUE(ReloadFile());
        ASSERT_TRUE(ReloadWithCode(ccSjis));
        EXPECT_EQ(Text(), "two\r\n");
        EXPECT_FALSE(form.editor->ReadOnly());
        EXPECT_TRUE(asked.empty()) << asked[0];
        expectHeld("reloaded");
        // A load that fails leaves the lock on the document's own file.
        EXPECT_FALSE(OpenFile(folder.File("missing.txt"), true));
        expectHeld("after a failed open");
        UnlockOpenFile();
    }
}

TEST_F(DocumentTest, ForcedJisAndEucReadingsSayWhatBecameOfUnreadableCharacters)
{
    // Shift-JIS 宗 (8F 40) reads as a broken EUC-JP three-byte sequence; JIS X 0212
    // 7E 7E has no character of the code page.
    const std::string sjis = Write("sjis.txt", "\x8F\x40\r\n");
    const std::string jis = Write("jis.txt", "\x1B$(D\x7E\x7E\x1B(B\r\n");
    for (const auto& [path, code] : {std::pair{sjis, ccEuc}, std::pair{jis, ccJis}})
        for (bool yes : {true, false}) {
            SCOPED_TRACE(path);
            ASSERT_TRUE(OpenFile(path, true));
            answerYes = yes;
            asked.clear();
            ASSERT_TRUE(ReloadWithCode(code));
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_NE(asked[0].find("〓へ置き換えました"), std::string::npos) << asked[0];
            EXPECT_EQ(asked[0].find("ユニコード"), std::string::npos) << asked[0];
            EXPECT_NE(Text().find("〓"), std::string::npos);
            // No keeps the damaged text from being saved over the file.
            EXPECT_EQ(form.editor->ReadOnly(), !yes);
            EXPECT_EQ(Document().ReadOnlyLocked, !yes);
            SetReadOnlyState(false, false);
            Document().ReadOnlyLocked = false;
        }
    // A UTF-16 file whose odd last byte was left out, with a character the code page lacks.
    answerYes = true;
    asked.clear();
    ASSERT_TRUE(OpenFile(Write("odd.txt", std::string("\xFF\xFE" "a\0\xE9\x00\x01", 7)), true));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("$[4桁16進数]"), std::string::npos) << asked[0];
    EXPECT_NE(asked[0].find("1バイト"), std::string::npos) << asked[0];
}

TEST_F(DocumentTest, AReloadKeepsTheLocksItSetItself)
{
    const std::string path = Write("w.txt", "one\r\n");
    ASSERT_TRUE(OpenFile(path, true));
    ASSERT_FALSE(form.editor->ReadOnly());
    // Another program holds the file against writing: the reload locks, and the lock stands.
    const HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    asked.clear();
    const bool reloaded = ReloadFile();
    CloseHandle(other);
    ASSERT_TRUE(reloaded);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("書き換え禁止をセットしました。"), std::string::npos);
    EXPECT_TRUE(Document().ReadOnlyLocked);
    EXPECT_TRUE(form.editor->ReadOnly());
    EXPECT_EQ(form.panels[8], "書禁");

    // Opened with Yes to the question over a wide character, reloaded with No: locked.
    const std::string wide = Write("wide.txt", "\xEF\xBB\xBF" "caf\xC3\xA9");
    answerYes = true;
    ASSERT_TRUE(OpenFile(wide, true));
    ASSERT_FALSE(form.editor->ReadOnly());
    answerYes = false;
    ASSERT_TRUE(ReloadFile());
    EXPECT_TRUE(Document().ReadOnlyLocked);
    EXPECT_TRUE(form.editor->ReadOnly());
    // And a reload only ever adds read-only: a Yes now leaves the lock the user was given.
    answerYes = true;
    ASSERT_TRUE(ReloadFile());
    EXPECT_TRUE(form.editor->ReadOnly());
}

TEST_F(DocumentTest, DevicesAndOverLongPathsAreNeverOpened)
{
    const std::string longPath = folder.File(std::string(250, 'x') + ".txt");
    for (const std::string& name : {std::string("aux"), folder.File("NUL.txt"), std::string("\\\\.\\com1"), longPath}) {
        SCOPED_TRACE(name);
        asked.clear();
        EXPECT_FALSE(OpenFile(name, true));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find(name == longPath ? "限界(259)" : "装置の名前"), std::string::npos) << asked[0];
    }
    EXPECT_TRUE(Document().CurrentFileName.empty());
    EXPECT_EQ(form.ended, 0);
    // Before the window is shown a refusal ends the program.
    form.showing = false;
    EXPECT_FALSE(OpenFile("lpt1.log", true));
    EXPECT_EQ(form.ended, 1);
}

} // namespace
} // namespace vellumo::testing
