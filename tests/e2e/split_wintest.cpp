// The split view driven by keys: Ctrl+F5 makes a second pane on the same
// text, typing shows in both, undo from the other pane acts on the shared
// text, Ctrl+F5 again leaves one editor. A picture of the split window is
// written to the build folder.
#include <windows.h>

#include <vector>

#include "e2e_support_win.h"
#include "support/windowpicture_win.h"

namespace e2e {
namespace {

class Split : public TEndToEnd {};

std::vector<HWND> Editors(HWND main)
{
    std::vector<HWND> out;
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "TEditor" && IsWindowVisible(c)) out.push_back(c);
    }
    return out;
}

std::string TextOf(HWND editor)
{
    DWORD_PTR len = 0;
    SendMessageTimeoutA(editor, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len);
    std::string buf(len * 2 + 16, '\0');
    DWORD_PTR n = 0;
    SendMessageTimeoutA(editor, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 5000,
                        &n);
    buf.resize(n);
    return buf;
}

HWND FocusOf(HWND main)
{
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gi) ? gi.hwndFocus : nullptr;
}

TEST_F(Split, CtrlF5SplitsTypingShowsInBothUndoFromTheOtherUnsplits)
{
    const std::string path = dir_.File("split.txt");
    std::string text;
    for (int i = 1; i <= 60; ++i) text += "行 " + std::to_string(i) + " 表示\r\n";  // 表 ends in 5C
    ASSERT_TRUE(WriteFileBytes(path, text));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    HWND w = v.MainWindow();
    SetWindowPos(w, HWND_TOP, 10, 10, 640, 480, SWP_SHOWWINDOW);
    v.Sync();
    ASSERT_EQ(Editors(w).size(), 1u);

    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_F5}));
    ASSERT_TRUE(v.WaitFor([&] { return Editors(w).size() == 2; })) << "no second pane";
    v.Sync();
    std::vector<HWND> panes = Editors(w);
    RECT a{}, b{};
    GetWindowRect(panes[0], &a);
    GetWindowRect(panes[1], &b);
    EXPECT_NE(a.top, b.top);  // one above the other
    EXPECT_EQ(a.left, b.left);

    // The upper pane has the focus: typed keys go there and show in both.
    const HWND typed = FocusOf(w);
    ASSERT_TRUE(typed == panes[0] || typed == panes[1]);
    const HWND other = typed == panes[0] ? panes[1] : panes[0];
    RECT t{}, o{};
    GetWindowRect(typed, &t);
    GetWindowRect(other, &o);
    EXPECT_LT(t.top, o.top);
    ASSERT_TRUE(v.Keys({'Z'}));
    ASSERT_TRUE(v.WaitFor([&] { return TextOf(typed) == "z" + text; })) << TextOf(typed).substr(0, 20);
    EXPECT_EQ(TextOf(other), "z" + text);

    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_TRUE(v.WaitPainted(w));
    testpictures::TPicture picture;
    EXPECT_TRUE(testpictures::SaveWindowPicture(w, BuildPath("split-window.bmp"), picture));

    // Ctrl+Alt+A to the other pane; its undo takes back what the first typed.
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_MENU, 'A'}));
    ASSERT_TRUE(v.WaitFor([&] { return FocusOf(w) == other; })) << "the focus stayed";
    DWORD_PTR undone = 0;
    SendMessageTimeoutA(other, EM_UNDO, 0, 0, SMTO_ABORTIFHUNG, 5000, &undone);
    EXPECT_TRUE(undone);
    EXPECT_EQ(TextOf(other), text);
    EXPECT_EQ(TextOf(typed), text);

    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_F5}));
    ASSERT_TRUE(v.WaitFor([&] { return Editors(w).size() == 1; })) << "still split";
    EXPECT_EQ(v.Text(), text);

    // Split again and close while split: the program ends cleanly.
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_F5}));
    ASSERT_TRUE(v.WaitFor([&] { return Editors(w).size() == 2; })) << "no second split";
    PostMessageA(w, WM_CLOSE, 0, 0);
    // The undone text may still count as changed: leave it unsaved.
    if (HWND question = v.WaitDialog(3000)) TVellumo::Answer(question, IDNO);
    EXPECT_TRUE(v.WaitExit());
    EXPECT_EQ(v.ExitCode(), 0u);
    EXPECT_EQ(ReadFileBytes(path), text);
}


// What a pane shows after a split or an unsplit is what a full repaint
// draws: no row is left from before. The caret may blink between the two
// pictures, so a handful of pixels may differ; a stale row differs in
// thousands. -1: no picture; -2: the window never stopped painting.
int PixelsUnlikeFullRepaint(const TVellumo& v, const std::string& name)
{
    const HWND w = v.MainWindow();
    testpictures::TPicture shown, repainted;
    if (!v.WaitPainted(w)) return -2;
    if (!testpictures::SaveWindowPicture(w, BuildPath(name + ".bmp"), shown)) return -1;
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (!v.WaitPainted(w)) return -2;
    if (!testpictures::SaveWindowPicture(w, BuildPath(name + "-repainted.bmp"), repainted)) return -1;
    if (shown.Width != repainted.Width || shown.Height != repainted.Height) return -1;
    int differ = 0;
    for (std::size_t i = 0; i < shown.Pixels.size(); ++i) differ += shown.Pixels[i] != repainted.Pixels[i];
    return differ;
}

TEST_F(Split, SplitAndUnsplitLeaveNoStaleRows)
{
    const std::string path = dir_.File("stale.txt");
    std::string text;
    for (int i = 1; i <= 200; ++i) text += "row " + std::to_string(i) + " の表示\r\n";
    ASSERT_TRUE(WriteFileBytes(path, text));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    HWND w = v.MainWindow();
    SetWindowPos(w, HWND_TOP, 10, 10, 640, 480, SWP_SHOWWINDOW);
    // Scrolled down, so that the lower pane's rows after the split are new ones.
    for (int page = 0; page < 2; ++page) {
        const int row = v.CaretRow();
        ASSERT_TRUE(v.Keys({VK_NEXT}));
        ASSERT_TRUE(v.WaitFor([&] { return v.CaretRow() > row; })) << "page " << page;
    }

    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_F5}));
    ASSERT_TRUE(v.WaitFor([&] { return Editors(w).size() == 2; })) << "no second pane";
    const int split = PixelsUnlikeFullRepaint(v, "split-after-split");
    EXPECT_GE(split, 0);
    EXPECT_LT(split, 200);

    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_F5}));
    ASSERT_TRUE(v.WaitFor([&] { return Editors(w).size() == 1; })) << "still split";
    const int unsplit = PixelsUnlikeFullRepaint(v, "split-after-unsplit");
    EXPECT_GE(unsplit, 0);
    EXPECT_LT(unsplit, 200);

    PostMessageA(w, WM_CLOSE, 0, 0);
    if (HWND question = v.WaitDialog(3000)) TVellumo::Answer(question, IDNO);
    EXPECT_TRUE(v.WaitExit());
}

} // namespace
} // namespace e2e
