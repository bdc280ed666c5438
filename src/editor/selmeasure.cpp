#include "editor/selmeasure.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "editor/boxtext.h"
#include "editor/cells.h"
#include "editor/rowstore.h"

namespace vellumo {
namespace {

constexpr std::string_view kBreak = "\r\n";

// Bytes from..to-1 of t (0-based), clamped to the text.
std::string_view Bytes(std::string_view t, int from, int to)
{
    const int n = static_cast<int>(t.size());
    from = std::clamp(from, 0, n);
    to = std::clamp(to, from, n);
    return t.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

std::string_view Break(const TEditorScreenStrings& rows, int r)
{
    return r >= 0 && r < rows.Count() && rows.GetRowAttribute(r) == raLineBreak ? kBreak : std::string_view();
}

// Calls piece(view) for every run of the selected text, in order.
template <class F>
void ForEachSelPiece(const TEditorScreenStrings& rows, const TEditorSelection& sel, F&& piece)
{
    const int n = rows.Count();
    if (sel.StartRow < 0 || sel.StartRow >= n) return;
    if (sel.StartRow == sel.EndRow && !sel.Box) {
        piece(Bytes(rows.Strings(sel.StartRow), sel.StartByte, sel.EndByte + 1));
        return;
    }
    if (sel.Box) {
        const TCellRules rules = rows.CellRules();
        std::string classes;
        for (int r = sel.StartRow; r <= std::min(sel.EndRow, n - 1); ++r) {
            GetCellClasses(rows.Strings(r), rules, classes);
            piece(Bytes(rows.Strings(r), BoxLeftByte(classes, sel.StartCol + 1) - 1, BoxRightByte(classes, sel.EndCol)));
            if (sel.StartRow != sel.EndRow) piece(kBreak);
        }
        return;
    }
    piece(Bytes(rows.Strings(sel.StartRow), sel.StartByte, INT_MAX));
    piece(Break(rows, sel.StartRow));
    for (int r = sel.StartRow + 1; r < sel.EndRow && r < n; ++r) {
        piece(rows.Strings(r));
        piece(Break(rows, r));
    }
    if (sel.EndRow < n) piece(Bytes(rows.Strings(sel.EndRow), 0, sel.EndByte + 1));
}

} // namespace

long long GetSelLength(const TEditorScreenStrings& rows, const TEditorSelection& sel)
{
    long long n = 0;
    ForEachSelPiece(rows, sel, [&](std::string_view s) { n += static_cast<long long>(s.size()); });
    return n;
}

std::size_t WriteSelText(const TEditorScreenStrings& rows, const TEditorSelection& sel, char* out, std::size_t size)
{
    std::size_t at = 0;
    ForEachSelPiece(rows, sel, [&](std::string_view s) {
        const std::size_t k = std::min(s.size(), size - at);
        if (k > 0) std::memcpy(out + at, s.data(), k);
        at += k;
    });
    return at;
}

} // namespace vellumo
