// Random edits, undo and redo of the row store against a plain string: the
// joined rows must always equal the string, and the row flags stay sound.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "../editor/model_support.h"
#include "editor/lines.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"

using namespace vellumo;
using vellumo::test::Normalise;

namespace {

void Check(bool ok)
{
    if (!ok) __builtin_trap();
}

void CheckRows(const TEditorScreenStrings& s, const std::string& text)
{
    Check(JoinRows(s) == text);
    const int n = s.Count();
    for (int r = 0; r < n; ++r) {
        const TEditorRowAttribute a = s.GetRowAttribute(r);
        Check(a <= raEof && (r == n - 1 || a != raEof) && (s.WordWrap() || a != raWrapped));
    }
    if (n > 0) Check(s.GetRowAttribute(n - 1) != raWrapped);
}

struct Reader {
    const std::uint8_t* p;
    std::size_t n;
    int Byte() { return n ? (--n, *p++) : 0; }
    std::string Bytes(std::size_t len)
    {
        len = std::min(len, n);
        std::string s(reinterpret_cast<const char*>(p), len);
        p += len;
        n -= len;
        return s;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    test::TFakeView view;
    view.tabWidth = 1 + in.Byte() % 8;
    view.screenHeight = 16 * (in.Byte() % 6);
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines(view);
    s.UndoObj().SetListMax(1 << 20);
    const int flags = in.Byte();
    s.WrapOption().SetWrapByte(20 + in.Byte() % 40);
    s.WrapOption().SetWordBreak(flags & 2);
    s.WrapOption().SetFollowPunctuation(flags & 4);
    s.WrapOption().SetLeading(flags & 8);
    s.WrapOption().SetFollowRetMark(flags & 16);
    s.SetWordWrap(flags & 1);
    std::string text = Normalise(in.Bytes(static_cast<std::size_t>(in.Byte())));
    lines.SetText(text);
    const std::string start = JoinRows(s);
    Check(start == text);

    for (int steps = 0; in.n > 0 && steps < 200; ++steps) {
        const int op = in.Byte() % 8;
        if (op < 5) {
            const int n = s.Count();
            const int row = in.Byte() % (n + 2) - (op == 4 ? 1 : 0);
            const int count = in.Byte() % 4;
            const std::string t = in.Bytes(static_cast<std::size_t>(in.Byte() % 24));
            if (row >= 0 && row + count <= n && (count > 0 || !t.empty())) {
                std::vector<std::size_t> starts{0};
                for (int r = 0; r < n; ++r)
                    starts.push_back(starts.back() + s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0));
                text = text.substr(0, starts[static_cast<std::size_t>(row)]) + Normalise(t) +
                       text.substr(starts[static_cast<std::size_t>(row + count)]);
                Check(s.ReplaceRows(row, count, t));
            } else {
                Check(!s.ReplaceRows(row, count, t));
            }
        } else if (op == 5) {
            s.Undo();
            text = JoinRows(s);  // compared at the end through undo-all
        } else if (op == 6) {
            s.Redo();
            text = JoinRows(s);
        } else {
            lines.Insert(in.Byte() % (lines.Count() + 2), in.Bytes(static_cast<std::size_t>(in.Byte() % 8)));
            text = JoinRows(s);
        }
        CheckRows(s, text);
    }
    while (s.Undo()) {
    }
    CheckRows(s, start);
    return 0;
}
