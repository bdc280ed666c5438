// What a key costs in one very long line: WM_CHAR sent to a shown editor and
// the repaint after it, timed until the paint is done. One line per case on
// standard output ("key in a 1 MB line with word wrap: 3.1 ms", the median
// of 30 keys); the load times go to standard error.
// Not a test: run by hand or by the benchmark script, keybench [MB...].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/winsupport_win.h"
#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"
#include "editor/lines.h"
#include "editor/options_viewinfo.h"
#include "editor/rowstore.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

constexpr int kKeys = 30;

// One line of C-like text with Japanese words, comments and strings, no line break.
std::string LongLine(std::size_t bytes)
{
    static const std::string piece =
        "int x = 1; /* \x83\x81\x83\x82 */ s = \"\x82\xA0\x82\xA2\"; c = 'q'; \x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8 "
        "// f(a, b) ";
    std::string t;
    t.reserve(bytes + piece.size());
    while (t.size() + piece.size() <= bytes) t += piece;
    t.resize(bytes, ' ');
    return t;
}

struct TCase {
    std::size_t MB;
    bool Wrap;
    bool Colour;
};

double MedianKey(TEditor& e, char key)
{
    std::vector<double> t;
    for (int i = 0; i < kKeys; ++i) {
        const double a = Now();
        SendMessageA(e.Handle(), WM_CHAR, static_cast<unsigned char>(key), 1);
        UpdateWindow(e.Handle());
        GdiFlush();
        t.push_back(Now() - a);
        PumpMessages();
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

bool Run(const TCase& c)
{
    auto e = MakeFocusedEditor(1200, 950);
    if (c.Colour) {
        TEditorBracketItem& item = e->View().Brackets().Add();
        item.SetLeftBracket("/*");
        item.SetRightBracket("*/");
        e->View().SetCommenter("//");
        e->View().SetPerlQuotation("'");
    }
    e->SetWordWrap(c.Wrap);
    const std::string line = LongLine(c.MB << 20);
    const double t0 = Now();
    e->Lines().SetText(line);
    UpdateWindow(e->Handle());
    std::fprintf(stderr, "%zu MB line%s%s: laid out in %.0f ms\n", c.MB, c.Wrap ? ", wrapped" : "",
                 c.Colour ? ", coloured" : "", Now() - t0);
    // Halfway down the wrapped rows; near the start of an unwrapped row,
    // where what is typed stays in view.
    e->SetTopRow(e->Store().Count() / 2);
    e->SetRow(e->TopRow() + 10);
    e->SetCol(4);
    UpdateWindow(e->Handle());
    PumpMessages();
    const long long before = e->GetTextLength();
    const double ms = MedianKey(*e, 'a');
    std::string what;
    if (c.Wrap) what = "word wrap";
    if (c.Colour) what += what.empty() ? "C colouring" : " and C colouring";
    std::printf("key in a %zu MB line with %s: %.1f ms\n", c.MB, what.c_str(), ms);
    std::fflush(stdout);
    return e->GetTextLength() == before + kKeys;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(static_cast<std::size_t>(std::max(1L, std::atol(argv[i]))));
    if (sizes.empty()) sizes = {1, 10};
    bool ok = true;
    for (std::size_t mb : sizes)
        for (const TCase& c : {TCase{mb, true, false}, TCase{mb, false, true}, TCase{mb, true, true}}) ok = Run(c) && ok;
    return ok ? 0 : 1;
}
