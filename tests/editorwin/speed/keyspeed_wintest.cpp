// What a key costs the user: WM_CHAR and the repaint that shows it, timed
// in a shown, focused editor on a small text and on a 100 MB one.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"
#include "editor/lines.h"
#include "editor/options_viewinfo.h"
#include "editor/rowstore.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

std::string JapaneseText(std::size_t bytes)
{
    std::string t;
    t.reserve(bytes + 200);
    for (int line = 0; t.size() < bytes; ++line) {
        t += "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD int x = ";
        t += std::to_string(line);
        t += "; /* \x83\x81\x83\x82 */ \x82\xA0\x82\xA2\x82\xA4\r\n";
    }
    return t;
}

// Median milliseconds of one key and the repaint after it. A key is sent,
// or posted as the keyboard posts it (the two bytes of a double-byte
// character together) and taken from the queue.
double TimeKeys(TEditor& e, const char* key, int keys, bool posted)
{
    std::vector<double> t;
    for (int i = 0; i < keys; ++i) {
        const double a = Now();
        for (const char* k = key; *k; ++k) {
            if (posted) PostMessageA(e.Handle(), WM_CHAR, static_cast<unsigned char>(*k), 1);
            else SendMessageA(e.Handle(), WM_CHAR, static_cast<unsigned char>(*k), 1);
        }
        for (MSG msg; posted && PeekMessageA(&msg, e.Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);) DispatchMessageA(&msg);
        UpdateWindow(e.Handle());
        t.push_back(Now() - a);
        PumpMessages();
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Text size, and whether the editor is dressed as the main window may dress
// it: word wrap, logical line numbers, ruler, caret-row underline, marks
// and C comments.
class KeySpeed : public ::testing::TestWithParam<std::tuple<std::size_t, bool>> {};

TEST_P(KeySpeed, AKeyAndItsRepaint)
{
    const auto [size, dressed] = GetParam();
    auto e = MakeFocusedEditor(1200, 950);
    if (dressed) {
        e->SetWordWrap(true);
        e->Leftbar().SetVisible(true);
        e->Leftbar().SetShowNumber(true);
        e->Leftbar().SetShowNumberMode(nmLine);
        e->Ruler().SetVisible(true);
        e->Marks().Underline().SetVisible(true);
        e->Marks().RetMark().SetVisible(true);
        e->Marks().EofMark().SetVisible(true);
        TEditorBracketItem& item = e->View().Brackets().Add();
        item.SetLeftBracket("/*");
        item.SetRightBracket("*/");
        e->View().SetCommenter("//");
    }
    e->Lines().SetText(JapaneseText(size));
    e->SetTopRow(e->Store().Count() / 2);
    e->SetRow(e->TopRow() + 10);
    e->SetCol(4);  // what is typed stays left of the window's edge: no sideways scrolling
    UpdateWindow(e->Handle());
    PumpMessages();
    const int row = e->Row();
    const long long before = e->GetTextLength();
    const double ascii = TimeKeys(*e, "a", 30, false);
    const double asciiPosted = TimeKeys(*e, "b", 30, true);
    const double kanji = TimeKeys(*e, "\x8A\xBF", 30, true);
    std::printf("text %zu bytes%s: key+repaint %.3f ms (ASCII sent), %.3f ms (ASCII posted), %.3f ms (double-byte posted)\n",
                size, dressed ? " dressed" : "", ascii, asciiPosted, kanji);
    // Every key went in, where the caret was.
    EXPECT_EQ(e->GetTextLength(), before + 120);
    const std::string line = e->Store().GetLogicalText(e->Store().FirstRowOfLine(row), -1);
    EXPECT_NE(line.find(std::string(30, 'a') + std::string(30, 'b') + "\x8A\xBF\x8A\xBF"), std::string::npos);
    // The editor's own share stays well below a frame on a loaded machine too.
    EXPECT_LT(ascii, 6.0);
    EXPECT_LT(asciiPosted, 6.0);
    EXPECT_LT(kanji, 6.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, KeySpeed,
                         ::testing::Combine(::testing::Values(std::size_t{4000}, std::size_t{100} << 20),
                                            ::testing::Bool()));

} // namespace
