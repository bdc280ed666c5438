// An inside figure, not what the user meets (tests/e2e/userbench_main_win.cpp
// is): what a key costs in one very long line of a bare editor control with
// no main window, WM_CHAR sent in its own process and the repaint after it,
// timed until the paint is done. One line per case on
// standard output ("key in a 1 MB line with word wrap: 3.1 ms", the median
// of 30 keys); the load times and the edit's own share go to standard error.
// Not a test: run by hand or by the benchmark script, keybench [MB...] [wrap|colour|both...].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/winsupport_win.h"
#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"
#include "editor/lines.h"
#include "editor/options_viewinfo.h"
#include "editor/rowstore.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// At least 20 keys make the median; a profile may ask for more (KEYBENCH_KEYS).
int Keys()
{
    const char* v = std::getenv("KEYBENCH_KEYS");
    return v && std::atoi(v) >= 20 ? std::atoi(v) : 30;
}

struct TCase {
    std::size_t MB;
    bool Wrap;
    bool Colour;
};

double Median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// The median of a key and its repaint; of the key alone in edit.
double MedianKey(TEditor& e, char key, double& edit)
{
    std::vector<double> t, k;
    for (int i = 0, n = Keys(); i < n; ++i) {
        const double a = Now();
        SendMessageA(e.Handle(), WM_CHAR, static_cast<unsigned char>(key), 1);
        k.push_back(Now() - a);
        UpdateWindow(e.Handle());
        GdiFlush();
        t.push_back(Now() - a);
        PumpMessages();
    }
    edit = Median(k);
    return Median(t);
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
    double edit = 0;
    const double ms = MedianKey(*e, 'a', edit);
    std::string what;
    if (c.Wrap) what = "word wrap";
    if (c.Colour) what += what.empty() ? "C colouring" : " and C colouring";
    std::printf("key in a %zu MB line with %s (%s): %.1f ms\n", c.MB, what.c_str(),
                c.Wrap ? "halfway down its rows" : "at column 4", ms);
    std::fflush(stdout);
    std::fprintf(stderr, "  (the edit alone %.1f ms)\n", edit);
    return e->GetTextLength() == before + Keys();
}

} // namespace

int main(int argc, char** argv)
{
    // Arguments: sizes in MB and, optionally, which cases (wrap, colour, both).
    std::vector<std::size_t> sizes;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::atol(argv[i]) > 0) sizes.push_back(static_cast<std::size_t>(std::atol(argv[i])));
        else only += std::string(" ") + argv[i];
    }
    if (sizes.empty()) sizes = {1, 10};
    auto wanted = [&](const char* name) { return only.empty() || only.find(name) != std::string::npos; };
    bool ok = true;
    for (std::size_t mb : sizes) {
        if (wanted("wrap")) ok = Run({mb, true, false}) && ok;
        if (wanted("colour")) ok = Run({mb, false, true}) && ok;
        if (wanted("both")) ok = Run({mb, true, true}) && ok;
    }
    return ok ? 0 : 1;
}
