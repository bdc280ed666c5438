// The document guards' decisions: what a drop opens where, which names it
// skips, when a file counts as changed outside, what is remembered after
// the answer, and which targets the save dialog refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/docguards.h"

using namespace vellumo;

namespace {

using TFiles = std::vector<TDroppedFile>;
using TNames = std::vector<std::string>;

TEST(DocGuards, DropOnAnUntitledWindowOpensTheFirstHereAndTheRestInOrderElsewhere)
{
    const TFiles files = {{"a", true}, {"b", true}, {"c", false}, {"d", true}};
    TDropPlan p = PlanDrop(files, false, true);
    EXPECT_TRUE(p.Foreground);
    EXPECT_FALSE(p.AskSave);
    EXPECT_EQ(p.Here, "a");
    EXPECT_EQ(p.NewInstances, (TNames{"b", "d"}));
    // A named or changed window keeps its document: every file goes elsewhere.
    p = PlanDrop(files, false, false);
    EXPECT_FALSE(p.Foreground);
    EXPECT_EQ(p.Here, "");
    EXPECT_EQ(p.NewInstances, (TNames{"a", "b", "d"}));
    // A first file that cannot be opened still counts as the one for here.
    p = PlanDrop({{"x", false}, {"b", true}}, false, true);
    EXPECT_EQ(p.Here, "");
    EXPECT_EQ(p.NewInstances, TNames{"b"});
    EXPECT_FALSE(PlanDrop({}, false, true).Foreground);
}

TEST(DocGuards, DropCloseToOpenReplacesTheDocumentWithTheFirstFileOnly)
{
    TDropPlan p = PlanDrop({{"a", true}, {"b", true}}, true, false);
    EXPECT_TRUE(p.Foreground);
    EXPECT_TRUE(p.AskSave);
    EXPECT_EQ(p.Here, "a");
    EXPECT_TRUE(p.NewInstances.empty());
    p = PlanDrop({{"a", false}, {"b", true}}, true, true);
    EXPECT_EQ(p.Here, "");
    EXPECT_TRUE(p.NewInstances.empty());
}

TEST(DocGuards, OpenableDrops)
{
    const std::string program = "C:\\bin\\Vellumo.exe";
    EXPECT_TRUE(IsOpenableFile("C:\\a.txt", true, program));
    EXPECT_FALSE(IsOpenableFile("C:\\a.txt", false, program));
    // The program itself, by its name in any case and in any folder.
    EXPECT_FALSE(IsOpenableFile("D:\\other\\VELLUMO.EXE", true, program));
    EXPECT_TRUE(IsOpenableFile("C:\\bin\\vellumo.exe.txt", true, program));
    // Longer than a path may be: skipped, never cut to another name.
    const std::string name259 = "C:\\" + std::string(252, 'x') + ".txt";
    ASSERT_EQ(name259.size(), 259u);
    EXPECT_TRUE(IsOpenableFile(name259, true, program));
    EXPECT_FALSE(IsOpenableFile(name259 + "t", true, program));
}

TEST(DocGuards, DropInstanceCommandLines)
{
    EXPECT_EQ(DropInstanceCommandLine("C:\\v.exe", "", "C:\\a b.txt"), "\"C:\\v.exe\" \"C:\\a b.txt\"");
    EXPECT_EQ(DropInstanceCommandLine("C:\\v.exe", "D:\\i n", "C:\\a.txt"),
              "\"C:\\v.exe\" \"/i=D:\\i n\" \"C:\\a.txt\"");
}

TEST(DocGuards, OutsideChanges)
{
    const TFileState atLoad{100, 5000};
    TFileSeen now{100, false, 5000};
    EXPECT_FALSE(FileChangedOutside(now, atLoad, false, true, false));
    EXPECT_TRUE(FileChangedOutside(now, {99, 5000}, false, true, false));
    // Grown, its time kept (or not yet moved on).
    EXPECT_TRUE(FileChangedOutside({100, false, 5100}, atLoad, false, true, false));
    EXPECT_TRUE(FileChangedOutside({0, false, 0}, atLoad, false, true, false));  // deleted
    // Still deleted after that was taken as seen: no change.
    EXPECT_FALSE(FileChangedOutside({0, false, 0}, {0, 5000}, false, true, false));
    // The read-only attribute alone: only when checked and no switch set read-only.
    now.ReadOnlyAttr = true;
    EXPECT_TRUE(FileChangedOutside(now, atLoad, false, true, false));
    EXPECT_FALSE(FileChangedOutside(now, atLoad, false, false, false));
    EXPECT_FALSE(FileChangedOutside(now, atLoad, false, true, true));
    EXPECT_EQ(OutsideChangeQuestion("C:\\a.txt"),
              "\"C:\\a.txt\" は\r\n他のアプリケーションによって更新されています。\r\n\r\n[再読込]を実行しますか？");
}

TEST(DocGuards, ASaveAsksOverAFileThisWindowNeverSaw)
{
    const TFileState known{100, 5000};
    EXPECT_FALSE(SaveOverwritesUnseenChange(known, known));
    EXPECT_TRUE(SaveOverwritesUnseenChange({101, 5000}, known));
    EXPECT_TRUE(SaveOverwritesUnseenChange({100, 6000}, known));  // grew while it was read
    EXPECT_FALSE(SaveOverwritesUnseenChange({}, known));          // gone: nothing to lose
    // Named but never on disk here (a new file the command line made): one
    // that appeared meanwhile is someone else's.
    EXPECT_TRUE(SaveOverwritesUnseenChange({100, 0}, {}));
}

TEST(DocGuards, WhatIsRememberedAfterTheAnswer)
{
    EXPECT_TRUE(RememberSeenState(TOutsideAnswer::Ignore, false));
    EXPECT_FALSE(RememberSeenState(TOutsideAnswer::Later, false));
    EXPECT_FALSE(RememberSeenState(TOutsideAnswer::Reload, true));
    // A reload that loaded nothing (the file deleted) is not tried again at
    // every activation.
    EXPECT_TRUE(RememberSeenState(TOutsideAnswer::Reload, false));
}

TEST(DocGuards, SaveTargetsRefused)
{
    EXPECT_FALSE(SaveTargetRefused("C:\\new.txt", false, "C:\\doc.txt", true, true));
    EXPECT_TRUE(SaveTargetRefused("C:\\other.txt", true, "C:\\doc.txt", false, false));
    EXPECT_TRUE(SaveTargetRefused("c:\\DOC.txt", false, "C:\\doc.txt", true, false));
    EXPECT_TRUE(SaveTargetRefused("C:\\doc.txt", false, "C:\\doc.txt", false, true));
    EXPECT_FALSE(SaveTargetRefused("C:\\doc.txt", false, "C:\\doc.txt", false, false));
    EXPECT_FALSE(SaveTargetRefused("C:\\doc.txt", false, "", true, true));  // untitled
}

} // namespace
