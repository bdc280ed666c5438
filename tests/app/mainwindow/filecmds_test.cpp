// What the File commands decide.
#include <gtest/gtest.h>

#include "app/commands/filecmds.h"

using namespace vellumo;

TEST(FileCommands, MenuEnablingFollowsTheDocument)
{
    struct Case {
        bool named, modified, readOnly, modifiedOnly, wrap;
        bool reload, save, saveExit, save2, saveAs2;
    } cases[] = {
        {false, false, false, false, false, false, true, true, false, false},
        {true, false, false, true, false, true, false, true, false, false},  // Save waits for a change
        {true, true, false, true, true, true, true, true, true, true},
        {true, true, true, false, true, true, false, false, false, true},  // read-only: only Save As with breaks
    };
    for (const auto& c : cases) {
        const TFileMenuEnabling e =
            FileMenuEnabling({c.named, c.modified, c.readOnly, c.modifiedOnly, c.wrap}, ccSjis);
        EXPECT_EQ(e.ReLoad, c.reload);
        EXPECT_EQ(e.Save, c.save);
        EXPECT_EQ(e.SaveExit, c.saveExit);
        EXPECT_EQ(e.Save2, c.save2);
        EXPECT_EQ(e.SaveExit2, c.save2);
        EXPECT_EQ(e.SaveAs2, c.saveAs2);
    }
}

TEST(FileCommands, ReloadSubmenuDisablesTheCurrentCodeOnly)
{
    // Each item's forced code maps back to that item.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ReloadItemOfCode(ReloadCodeOfItem(i)), i);
    const struct {
        TCharCode code;
        int item;
    } cases[] = {{ccNone, 0}, {ccBinary, 0}, {ccEucOrSjis, 0}, {ccJisOld, 1}, {ccUtf8N, 4}, {ccUnicode, 3}};
    for (const auto& c : cases) {
        TFileMenuInput in;
        in.Named = true;
        const auto e = FileMenuEnabling(in, c.code);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(e.ReLoadCode[static_cast<std::size_t>(i)], i != c.item) << c.code;
    }
    const auto untitled = FileMenuEnabling({}, ccJis);
    for (bool on : untitled.ReLoadCode) EXPECT_FALSE(on);
}

TEST(FileCommands, SaveWithCodeSettings)
{
    const int cvt[] = {1, 1, 2, 2, 3, 1, 1, 4, 5, 6};  // by TCharCode 0..9
    for (int c = 0; c < 10; ++c) EXPECT_EQ(SaveCvtOfCode(static_cast<TCharCode>(c)), cvt[c]) << c;
    EXPECT_EQ(SaveRetCvtOfLineEnd(leNone), 1);
    EXPECT_EQ(SaveRetCvtOfLineEnd(leCrLf), 1);
    EXPECT_EQ(SaveRetCvtOfLineEnd(leCr), 2);
    EXPECT_EQ(SaveRetCvtOfLineEnd(leLf), 3);
}

TEST(FileCommands, SaveOpenAndCloseDecisions)
{
    TFileMenuInput ro;
    ro.ReadOnly = true;
    EXPECT_EQ(SaveCommandAction(ro, true), TSaveAction::Beep);
    TFileMenuInput unchanged;
    unchanged.ModifiedOnFileSave = true;
    EXPECT_EQ(SaveCommandAction(unchanged, false), TSaveAction::Beep);
    unchanged.Modified = true;
    EXPECT_EQ(SaveCommandAction(unchanged, false), TSaveAction::Save);
    EXPECT_EQ(SaveCommandAction(unchanged, true), TSaveAction::SaveAs);

    TFileMenuInput fresh;
    EXPECT_FALSE(OpenGoesToNewInstance(fresh));
    fresh.Modified = true;  // a changed untitled text stays here
    EXPECT_TRUE(OpenGoesToNewInstance(fresh));
    EXPECT_EQ(NewInstanceArguments("C:\\a b\\x.txt", false), "\"C:\\a b\\x.txt\"");
    EXPECT_EQ(NewInstanceArguments("x.txt", true), "/rl \"x.txt\"");

    EXPECT_TRUE(MayCloseAfter(TSaveAnswer::No, false));
    EXPECT_FALSE(MayCloseAfter(TSaveAnswer::Yes, false));  // a failed save keeps the window
    EXPECT_TRUE(MayCloseAfter(TSaveAnswer::Yes, true));
    EXPECT_FALSE(MayCloseAfter(TSaveAnswer::Cancel, true));
}

TEST(FileCommands, SaveWithCodePutsTheSettingsBackAndKeepsTheCodeOnlyAfterASave)
{
    const struct {
        const char* what;
        bool dialogOk, needsSaveAs, readOnly, chooseSaveAs, saveOk;
        const char* ran;  // "": nothing, "save", "saveas"
        bool forced;      // the dialog offered only a new name
    } cases[] = {
        {"cancel", false, false, false, false, true, "", false},
        {"save", true, false, false, false, true, "save", false},
        {"failed save", true, false, false, false, false, "save", false},
        {"chosen save as", true, false, false, true, true, "saveas", false},
        {"untitled", true, true, false, false, true, "saveas", false},
        {"cancelled save as", true, true, false, false, false, "saveas", false},
        {"read-only", true, false, true, false, true, "saveas", true},
    };
    for (const auto& c : cases) {
        int cvt = 0, retCvt = 1;
        TCharCode code = ccJisOld;
        TLineEndCode lineEnd = leCr;
        std::string ran;
        bool forced = false, offeredSaveAs = false;
        int cvtDuringSave = -1, retCvtDuringSave = -1;
        TSaveWithCodeSteps steps;
        steps.Dialog = [&](TCharCode& cd, TLineEndCode& le, bool& saveAs, bool force) {
            EXPECT_EQ(cd, ccJisOld);
            EXPECT_EQ(le, leCr);
            forced = force;
            offeredSaveAs = saveAs;
            cd = ccUtf8N;
            le = leLf;
            saveAs = c.chooseSaveAs;
            return c.dialogOk;
        };
        steps.NeedsSaveAs = [&] { return c.needsSaveAs; };
        auto save = [&](const char* name) {
            ran = name;
            cvtDuringSave = cvt;
            retCvtDuringSave = retCvt;
            // What a save records; a failed one may have left a part behind.
            if (c.saveOk) code = ccUtf8N, lineEnd = leLf;
            else code = ccEuc;
            return c.saveOk;
        };
        steps.Save = [&] { return save("save"); };
        steps.SaveAs = [&] { return save("saveas"); };
        const bool saved = SaveWithCode({cvt, retCvt, code, lineEnd}, c.readOnly, steps);
        EXPECT_EQ(ran, c.ran) << c.what;
        EXPECT_EQ(forced, c.forced) << c.what;
        EXPECT_EQ(offeredSaveAs, c.needsSaveAs) << c.what;
        EXPECT_EQ(saved, c.dialogOk && c.saveOk) << c.what;
        if (!ran.empty()) {
            EXPECT_EQ(cvtDuringSave, 6) << c.what;     // UTF-8N
            EXPECT_EQ(retCvtDuringSave, 3) << c.what;  // LF
        }
        EXPECT_EQ(cvt, 0) << c.what;
        EXPECT_EQ(retCvt, 1) << c.what;
        EXPECT_EQ(code, saved ? ccUtf8N : ccJisOld) << c.what;
        EXPECT_EQ(lineEnd, saved ? leLf : leCr) << c.what;
    }
}
