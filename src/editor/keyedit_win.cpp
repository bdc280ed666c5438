// The editing keys without a selection: Delete, Backspace (with unindent)
// and Return (with auto-indent). Each is one ReplaceRows, so one undo step,
// and puts the caret back by a character offset counted from a row that
// the re-wrapping of the edited line cannot move.
#include <algorithm>
#include <string>

#include "editor/boxtext.h"
#include "editor/editor_win.h"
#include "editor/sjisutil.h"

namespace vellumo {
namespace {

const char kCrLf[] = "\r\n";

// Bytes before a display column; past the row's end each cell is one byte
// (the free caret's spaces).
int BytesBeforeCol(const std::string& classes, const std::string& text, int col)
{
    const int width = static_cast<int>(classes.size());
    if (col >= width) return static_cast<int>(text.size()) + (col - width);
    int fill = 0;
    for (int c = 0; c <= col && c < width; ++c)
        if (classes[static_cast<std::size_t>(c)] == '3') ++fill;
    return std::clamp(col - fill, 0, static_cast<int>(text.size()));
}

// Length of the character starting at byte b (a double-byte pair is 2).
int CharLenAt(const std::string& text, int b)
{
    return b + 1 < static_cast<int>(text.size()) && IsLeadByteAt(text, b + 1) ? 2 : 1;
}

// Start of the character that ends just before byte b.
int CharStartBefore(const std::string& text, int b)
{
    if (b >= 2 && IsTrailByteAt(text, b)) return b - 2;
    return b - 1;
}

bool BlanksOnly(const std::string& text)
{
    if (text.empty()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t') continue;
        if (c == 0x81 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x40) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

} // namespace

void TEditor::ApplyKeyEdit(int row, int count, const std::string& text, int originRow, long long offset)
{
    TCaretUpdate hold(this, true);
    Store().ReplaceRows(row, count, text);
    SetCaretRowOffset(originRow, static_cast<int>(offset));
}

void TEditor::DeleteKey()
{
    TEditorScreenStrings& s = Store();
    const int r = row_;
    if (r < 0 || r >= s.Count()) return;
    const std::string text(s.Strings(r));
    const std::string classes = GetCellClasses(text);
    const int len = static_cast<int>(text.size());
    const int b = BytesBeforeCol(classes, text, col_);
    const TEditorRowAttribute attr = s.GetRowAttribute(r);
    const int origin = EditOriginRow(s, r);
    const long long caret = RowColToOffset(origin, r, 0) + b;
    if (b < len) {
        std::string t = text;
        t.erase(static_cast<std::size_t>(b), static_cast<std::size_t>(CharLenAt(text, b)));
        if (attr == raLineBreak) t += kCrLf;
        ApplyKeyEdit(r, 1, t, origin, caret);
        return;
    }
    if (attr == raEof) return;
    if (attr == raWrapped) {
        // The end of a soft-wrapped row is the start of the next one: the
        // next row's first character goes.
        if (b > len || r + 1 >= s.Count() || s.Strings(r + 1).empty()) return;
        const std::string next(s.Strings(r + 1));
        std::string t = text + next.substr(static_cast<std::size_t>(CharLenAt(next, 0)));
        if (s.GetRowAttribute(r + 1) == raLineBreak) t += kCrLf;
        ApplyKeyEdit(r, 2, t, origin, caret);
        return;
    }
    // Joined with the next row; a free caret past the end pads with spaces.
    std::string t = text + std::string(static_cast<std::size_t>(b - len), ' ');
    if (r == s.Count() - 1) {
        ApplyKeyEdit(r, 1, t, origin, caret);
        return;
    }
    t += s.Strings(r + 1);
    if (s.GetRowAttribute(r + 1) == raLineBreak) t += kCrLf;
    ApplyKeyEdit(r, 2, t, origin, caret);
}

void TEditor::BackspaceKey()
{
    TEditorScreenStrings& s = Store();
    const int n = s.Count();
    const int r = row_, c = col_;
    if (n == 0) {
        SetCol(col_ - 1);
        return;
    }
    if (c <= 0) {
        if (r <= 0) return;
        const int p = std::min(r, n) - 1;
        std::string kept(s.Strings(p));
        if (s.GetRowAttribute(p) == raWrapped && !kept.empty())
            kept.erase(static_cast<std::size_t>(CharStartBefore(kept, static_cast<int>(kept.size()))));
        const int origin = EditOriginRow(s, p);
        const long long caret = RowColToOffset(origin, p, 0) + static_cast<long long>(kept.size());
        if (r >= n) {
            ApplyKeyEdit(p, 1, kept, origin, caret);
            return;
        }
        std::string t = kept;
        t += s.Strings(r);
        if (s.GetRowAttribute(r) == raLineBreak) t += kCrLf;
        ApplyKeyEdit(p, 2, t, origin, caret);
        return;
    }
    if (r >= n) {
        SetCol(col_ - 1);
        return;
    }
    const std::string text(s.Strings(r));
    const std::string classes = GetCellClasses(text);
    const int width = static_cast<int>(classes.size());
    const TEditorRowAttribute attr = s.GetRowAttribute(r);
    const int origin = EditOriginRow(s, r);
    if (caret_->BackSpaceUnIndent() && (BlanksOnly(text) || GetIndentWidth(text) == c)) {
        // Back to the indentation of an earlier row that is less indented.
        int h = -1;
        bool sameLine = true;
        for (int q = r - 1; q >= 0; --q) {
            if (s.GetRowAttribute(q) != raWrapped) sameLine = false;
            const int w = GetIndentWidth(s.Strings(q));
            if (sameLine ? (w > 0 && w < c) : (w >= 0 && w < c)) {
                h = w;
                break;
            }
        }
        if (h < 0) h = 0;
        if (h >= width) {
            SetCol(h);
            return;
        }
        auto cellClass = [&](int col) { return col < width ? classes[static_cast<std::size_t>(col)] : '1'; };
        // The head keeps the cells before h; a TAB or a double-byte
        // character cut by h gives way to spaces.
        int hc = h;
        while (hc > 0 && (cellClass(hc) == '3' || cellClass(hc) == '5')) --hc;
        std::string head = text.substr(0, static_cast<std::size_t>(BytesBeforeCol(classes, text, hc)));
        head.append(static_cast<std::size_t>(h - hc), ' ');
        std::string tail;
        if (c < width && cellClass(c) == '3') {
            int tabCol = c;
            while (tabCol > 0 && cellClass(tabCol) == '3') --tabCol;
            int end = c;
            while (end < width && cellClass(end) == '3') ++end;
            tail.assign(static_cast<std::size_t>(end - c), ' ');
            tail += text.substr(static_cast<std::size_t>(BytesBeforeCol(classes, text, tabCol) + 1));
        } else if (c < width) {
            tail = text.substr(static_cast<std::size_t>(BytesBeforeCol(classes, text, c)));
        }
        std::string t = head + tail;
        if (attr == raLineBreak) t += kCrLf;
        ApplyKeyEdit(r, 1, t, origin, RowColToOffset(origin, r, 0) + static_cast<long long>(head.size()));
        return;
    }
    if (c > width) {
        SetCol(col_ - 1);
        return;
    }
    int b = BytesBeforeCol(classes, text, c);
    if (c < width && classes[static_cast<std::size_t>(c)] == '3') ++b;  // the TAB under the caret's fill goes
    if (b <= 0) return;
    const int from = CharStartBefore(text, b);
    std::string t = text;
    t.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(b - from));
    if (attr == raLineBreak) t += kCrLf;
    ApplyKeyEdit(r, 1, t, origin, RowColToOffset(origin, r, 0) + from);
}

void TEditor::ReturnKey()
{
    TEditorScreenStrings& s = Store();
    const int n = s.Count();
    if (row_ >= n) {
        TCaretUpdate hold(this, true);
        s.ReplaceRows(n, 0, kCrLf);
        SetCaretRowCol(row_ + 1, 0);
        return;
    }
    if (overWrite_) {
        SetCaretRowCol(row_ + 1, 0);
        return;
    }
    const int first = s.FirstRowOfLine(row_);
    int indent = 0;
    if (caret_->AutoIndent()) {
        const std::string_view line = s.Strings(first);
        const int g = GetIndentWidth(line);
        if (g < 1)
            indent = caret_->PrevSpaceIndent() && row_ == first && line.empty() ? std::max(0, PrevIndent(first)) : 0;
        else
            indent = row_ == first && col_ < g ? col_ : g;
    }
    std::string blanks;
    if (caret_->TabIndent()) {
        const int t = std::max(1, caret_->TabSpaceCount());
        blanks.assign(static_cast<std::size_t>(indent / t), '\t');
        blanks.append(static_cast<std::size_t>(indent % t), ' ');
    } else {
        blanks.assign(static_cast<std::size_t>(indent), ' ');
    }
    const std::string text(s.Strings(row_));
    const int b = CellToByte(text, col_, CellRules());
    std::string t = text.substr(0, static_cast<std::size_t>(b)) + kCrLf + blanks + text.substr(static_cast<std::size_t>(b));
    if (s.GetRowAttribute(row_) == raLineBreak) t += kCrLf;
    const long long caret = RowColToOffset(first, row_, 0) + b + static_cast<long long>(blanks.size()) + 2;
    ApplyKeyEdit(row_, 1, t, first, caret);
}

} // namespace vellumo
