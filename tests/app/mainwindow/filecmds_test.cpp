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
