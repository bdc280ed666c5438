// The settings holder between holders: a failing step ends the copy quietly,
// and the holder keeps its own option objects.
#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/editprop.h"

using namespace vellumo;

namespace {

TEST(EditorProp, AFailingStepEndsTheCopyWithoutRaising)
{
    TEditorProp src;
    src.SetColor(clRed);
    src.Leftbar().SetColumn(6);
    src.Marks().EofMark().SetVisible(true);
    src.ReserveWordList().SetSorted(false);
    src.ReserveWordList().Add("if");
    src.ReserveWordList().Add("if");
    src.Ruler().SetVisible(true);
    src.View().SetCommenter("//");
    src.SetWordWrap(true);
    src.WrapOption().SetWrapByte(40);

    // The keyword list refuses the duplicate: steps before it stay, later ones never come.
    TEditorProp dest;
    dest.ReserveWordList().SetDuplicates(dupError);
    EXPECT_FALSE(dest.Assign(src));
    EXPECT_EQ(dest.Color(), clRed);
    EXPECT_EQ(dest.Leftbar().Column(), 6);
    EXPECT_TRUE(dest.Marks().EofMark().Visible());
    EXPECT_FALSE(dest.Ruler().Visible());
    EXPECT_EQ(dest.View().Commenter(), "");
    EXPECT_FALSE(dest.WordWrap());

    // A change handler that raises while reporting the arrived view: the copy
    // stops after the view instead of taking the process down.
    dest.ReserveWordList().SetDuplicates(dupIgnore);
    int reports = 0;
    dest.View().OnChange = [&](TNotifyPersistent*) {
        ++reports;
        throw std::runtime_error("handler");
    };
    EXPECT_FALSE(src.AssignTo(dest));
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(dest.Ruler().Visible());
    EXPECT_EQ(dest.View().Commenter(), "//");
    EXPECT_EQ(dest.View().UpdateCount(), 0);  // the update lock was released
    EXPECT_FALSE(dest.WordWrap());
    EXPECT_EQ(dest.WrapOption().WrapByte(), 80);

    // Once nothing differs in the view, nothing reports and the rest arrives.
    EXPECT_TRUE(dest.Assign(src));
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(dest.WordWrap());
    EXPECT_EQ(dest.WrapOption().WrapByte(), 40);
    EXPECT_EQ(dest.ReserveWordList().Count(), 1);  // the holder's own list stays sorted without duplicates

    // The same for the guide lines, the last step.
    src.VerticalLines().Add().SetPosition(72);
    dest.VerticalLines().OnUpdate = [] { throw std::runtime_error("handler"); };
    EXPECT_FALSE(dest.Assign(src));
    EXPECT_EQ(dest.VerticalLines().Count(), 1);
}

TEST(EditorProp, SettersCopyIntoTheHoldersOwnObjects)
{
    TEditorProp prop;
    const TVerticalLines* own = &prop.VerticalLines();
    {
        TVerticalLines lines;
        lines.Add().SetPosition(72);
        lines.Add().SetColor(clRed);
        prop.SetVerticalLines(lines);
        lines.Items(0).SetPosition(10);
    }  // the source is gone; the holder's copy must not refer to it
    EXPECT_EQ(&prop.VerticalLines(), own);
    ASSERT_EQ(prop.VerticalLines().Count(), 2);
    EXPECT_EQ(prop.VerticalLines().Items(0).Position(), 72);
    EXPECT_EQ(prop.VerticalLines().Items(1).Color(), clRed);

    // A view copied in keeps the holder as its owner.
    TEditorViewInfo view;
    int owner = 0;
    view.SetOwner(&owner);
    view.SetUrl(true);
    prop.SetView(view);
    EXPECT_TRUE(prop.View().Url());
    EXPECT_EQ(prop.View().Owner(), &prop);

    // Copying onto itself changes nothing and succeeds.
    prop.SetColor(clLime);
    EXPECT_TRUE(prop.Assign(prop));
    EXPECT_EQ(prop.Color(), clLime);
    EXPECT_EQ(prop.VerticalLines().Count(), 2);
}

} // namespace
