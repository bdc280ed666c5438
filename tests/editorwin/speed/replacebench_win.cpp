// Times replace-all on a hidden editor the way the main window runs it:
// search with sfReplaceAll, replace the match, pump, while a caret-moved
// handler asks for the logical line and column (LineNum on).
// Not a test: run by hand, replacebench [MB] [wrap 0/1] [down 1/0] [most] [one undo record 1/0]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"

namespace vellumo {
void ProcessMessages();  // the class library's pump (its header clashes with the editor's names)
}

using namespace vellumo;
using namespace vellumo::testing;

int main(int argc, char** argv)
{
    const long mb = argc > 1 ? std::atol(argv[1]) : 100;
    const bool wrap = argc > 2 && std::atoi(argv[2]) != 0;
    const bool down = argc <= 3 || std::atoi(argv[3]) != 0;
    const long most = argc > 4 ? std::atol(argv[4]) : -1;
    const bool group = argc > 5 && std::atoi(argv[5]) != 0;
    // One "あ" in every 100-byte line: 1 M matches in 100 MB.
    const std::string pattern = "\x82\xA0", replacement = "\x83\x41x";
    std::string text;
    const std::size_t size = static_cast<std::size_t>(mb) << 20;
    text.reserve(size + 200);
    long lines = 0;
    while (text.size() < size) {
        std::string line = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD " + std::to_string(lines) +
                           " \x82\xA0 ASCII and \x8A\xBF\x8E\x9A";
        line.resize(98, '.');
        text += line;
        text += "\r\n";
        ++lines;
    }
    const double tl = Now();
    auto e = MakeEditor(800, 600);
    e->SetWordWrap(wrap);
    e->Lines().SetText(text);
    std::string().swap(text);
    std::printf("loaded in %.2f s\n", (Now() - tl) / 1000);
    long caretMoves = 0, lineSum = 0;
    e->OnCaretMoved = [&](TEditor& ed) {
        ++caretMoves;
        lineSum += ed.RowToLine(ed.Row()) + ed.GetLineCol(ed.Row(), ed.Col());
    };
    if (down) e->SetCaretRowCol(0, 0);
    else e->SetCaretRowCol(e->Store().Count(), 0);

    // Pumps at most every 20 ms, as the main window's replace-all does.
    DWORD lastPump = GetTickCount();
    auto pump = [&] {
        if (GetTickCount() - lastPump < 20) return;
        lastPump = GetTickCount();
        ProcessMessages();
    };
    e->SearchMessagePump = pump;
    const TSearchFlags flags = (down ? sfDown : TSearchFlags{}) | sfReplaceAll;
    const double t0 = Now();
    long count = 0;
    e->Lines().BeginUpdate();
    if (group) e->Store().UndoObj().BeginGroup();
    while (count != most && e->Search(pattern, flags)) {
        e->ReplaceSelText(replacement, !down);
        ++count;
        pump();
    }
    const double g0 = Now();
    if (group) e->Store().UndoObj().EndGroup();
    const double sealed = (Now() - g0) / 1000.0;
    e->Lines().EndUpdate();
    const double t = (Now() - t0) / 1000.0;
    if (group) std::printf("one undo record, %.2f s of it to close it\n", sealed);
    std::printf("%ld MB, %ld lines, wrap %d, %s: %ld replacements in %.2f s (%ld caret moves)\n", mb, lines, wrap ? 1 : 0,
                down ? "down" : "up", count, t, caretMoves);
    return count == lines || count == most ? 0 : 1;
}
