// The standard edit-control messages other programs send the editor. Every
// index and pointer they carry is checked before use: lines and offsets are
// clamped to the text, buffers are written only within the size given.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "editor/editor_win.h"
#include "editor/editorhost.h"

namespace vellumo {
namespace {

// Messages that change the text: refused while the document is busy, as a
// read-only editor refuses them.
bool EditRefused(bool readOnly) { return readOnly || EditorHost().DocumentBusy(); }

// wParam and lParam carry 32-bit values; a 32-bit sender's -1 arrives as
// 0xFFFFFFFF, a 64-bit one's as all ones: both mean -1.
int Arg32(std::uintptr_t v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }

char ClassAt(const std::string& classes, int col)
{
    return col >= 0 && col < static_cast<int>(classes.size()) ? classes[static_cast<std::size_t>(col)] : '1';
}

// The span a row takes in character offsets.
long long RowSpan(const TEditorScreenStrings& s, int row)
{
    const long long n = static_cast<long long>(s.Strings(row).size());
    switch (s.GetRowAttribute(row)) {
    case raLineBreak: return n + 2;
    case raEof: return n + 1;
    default: return n;
    }
}

// Copies the text (CR LF after each line-break row) into out, at most room
// bytes; returns the number copied.
std::size_t CopyText(const TEditorScreenStrings& s, char* out, std::size_t room)
{
    std::size_t n = 0;
    for (const TEditorRow& r : s.Rows()) {
        if (n == room) break;
        const std::string_view t = r.Text();
        const std::size_t k = std::min(room - n, t.size());
        if (k) std::memcpy(out + n, t.data(), k);
        n += k;
        if (RowAttribute(r.Flags()) != raLineBreak) continue;
        const std::size_t b = std::min<std::size_t>(room - n, 2);
        std::memcpy(out + n, "\r\n", b);
        n += b;
    }
    return n;
}

} // namespace

long long TEditor::RowStartOffset(int row) const
{
    const TEditorScreenStrings& s = Store();
    row = std::clamp(row, 0, s.Count());
    long long n = 0;
    for (int r = 0; r < row; ++r) n += RowSpan(s, r);
    return n;
}

bool TEditor::EditControlMessage(TMessage& m)
{
    TEditorScreenStrings& s = Store();
    switch (m.Msg) {
    case WM_SETTEXT: {
        m.Result = FALSE;
        if (EditRefused(readOnly_)) return true;
        // A null text is an empty one; the text is only read here.
        const char* p = reinterpret_cast<const char*>(m.LParam);
        CleanSelection();
        lines_->SetText(p ? std::string_view(p) : std::string_view());
        SetCaretRowCol(0, 0);
        m.Result = TRUE;
        return true;
    }
    case WM_GETTEXT: {
        m.Result = 0;
        char* buf = reinterpret_cast<char*>(m.LParam);
        const std::size_t size = static_cast<std::size_t>(m.WParam);
        if (!buf || size == 0) return true;
        // Straight from the rows into the caller's buffer: a length query
        // from another program arrives as this message over the whole text,
        // and a joined copy of a large document would double its memory.
        const std::size_t n = CopyText(s, buf, size - 1);
        buf[n] = '\0';
        m.Result = static_cast<LRESULT>(n);
        return true;
    }
    case WM_GETTEXTLENGTH:
        m.Result = static_cast<LRESULT>(GetTextLength());
        return true;
    case WM_GETDLGCODE: {
        DefaultHandler(m);
        LRESULT r = m.Result | DLGC_WANTARROWS | DLGC_WANTCHARS;
        r = wantTabs_ ? (r | DLGC_WANTTAB) : (r & ~static_cast<LRESULT>(DLGC_WANTTAB));
        r = wantReturns_ ? (r | DLGC_WANTALLKEYS) : (r & ~static_cast<LRESULT>(DLGC_WANTALLKEYS));
        m.Result = r;
        return true;
    }
    case EM_GETSEL: {
        const long long start = SelStart(), end = start + SelLength();
        if (m.WParam) *reinterpret_cast<DWORD*>(m.WParam) = static_cast<DWORD>(start);
        if (m.LParam) *reinterpret_cast<DWORD*>(m.LParam) = static_cast<DWORD>(end);
        // Offsets beyond 16 bits do not fit the packed answer: -1, as the
        // standard control answers, rather than cut-off values.
        m.Result = end > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
        return true;
    }
    case EM_SETSEL: {
        const int a = Arg32(m.WParam), b = Arg32(m.LParam);
        const long long len = GetTextLength();
        if (a == -1) {
            if (selectionState_ != 0) CleanSelection();
        } else {
            // -1 (or any negative end) selects to the end; both ends lie in the text.
            const long long from = std::clamp<long long>(a, 0, len);
            const long long to = b < 0 ? len : std::min<long long>(b, len);
            TCaretUpdate hold(this);
            SetSelStart(std::min(from, to));
            SetSelLength(std::max(from, to) - std::min(from, to));
        }
        m.Result = 0;
        return true;
    }
    case EM_REPLACESEL: {
        m.Result = 0;
        if (EditRefused(readOnly_)) return true;
        const char* p = reinterpret_cast<const char*>(m.LParam);
        InsertStreamText(p ? std::string_view(p) : std::string_view());
        return true;
    }
    case WM_CUT:
        // Nothing to cut leaves the user's clipboard as it is.
        if (!EditRefused(readOnly_) && Selected()) CutToClipboard();
        m.Result = 0;
        return true;
    case WM_COPY:
        if (Selected()) CopyToClipboard();
        m.Result = 0;
        return true;
    case WM_PASTE:
        if (!EditRefused(readOnly_)) PasteFromClipboard();
        m.Result = 0;
        return true;
    case WM_CLEAR:
        if (!EditRefused(readOnly_) && Selected()) DeleteSelection();
        m.Result = 0;
        return true;
    case EM_SCROLLCARET:
        ScrollCaretIntoView();
        m.Result = TRUE;
        return true;
    case EM_GETMODIFY:
        m.Result = modified_ ? TRUE : FALSE;
        return true;
    case EM_SETMODIFY:
        if (!readOnly_) modified_ = (m.WParam & 0xFF) != 0;
        m.Result = 0;
        return true;
    case EM_GETLINECOUNT:
        m.Result = std::max(1, s.Count());
        return true;
    case EM_LINEINDEX: {
        const int line = Arg32(m.WParam);
        const int row = line == -1 ? row_ : line;
        if (row < 0) m.Result = 0;
        else if (row < s.Count() || (line == -1 && row == s.Count())) m.Result = static_cast<LRESULT>(RowStartOffset(row));
        else m.Result = -1;
        return true;
    }
    case EM_LINELENGTH: {
        const int at = Arg32(m.WParam);
        if (at == -1) {
            if (Selected()) {
                // The unselected bytes of the selection's first and last rows.
                const TEditorSelection sel = Selection();
                const int endLen = sel.EndRow < s.Count() ? static_cast<int>(s.Strings(sel.EndRow).size()) : 0;
                m.Result = std::max(0, sel.StartByte + endLen - sel.EndByte - 1);
            } else {
                m.Result = row_ < s.Count() ? static_cast<LRESULT>(s.Strings(row_).size()) : 0;
            }
            return true;
        }
        int row = 0, byte = 0;
        m.Result = at >= 0 && OffsetToRowByte(s, at, row, byte) ? static_cast<LRESULT>(s.Strings(row).size()) : 0;
        return true;
    }
    case EM_LINEFROMCHAR: {
        const int at = Arg32(m.WParam);
        if (at == -1) {
            m.Result = Selected() ? Selection().StartRow : row_;
            return true;
        }
        int row = 0, byte = 0;
        OffsetToRowByte(s, std::max(0, at), row, byte);
        m.Result = row;
        return true;
    }
    case EM_GETLINE: {
        m.Result = 0;
        const int row = Arg32(m.WParam);
        auto* buf = reinterpret_cast<unsigned char*>(m.LParam);
        if (!buf || row < 0 || row >= s.Count()) return true;
        std::uint16_t size = 0;
        std::memcpy(&size, buf, 2);
        const std::string_view text = s.Strings(row);
        const std::size_t n = std::min<std::size_t>(size, text.size());
        std::memcpy(buf, text.data(), n);
        m.Result = static_cast<LRESULT>(n);
        return true;
    }
    case EM_CANUNDO:
        m.Result = !readOnly_ && CanUndo() ? TRUE : FALSE;
        return true;
    case EM_UNDO:
        m.Result = FALSE;
        if (!EditRefused(readOnly_) && CanUndo()) {
            Undo();
            m.Result = TRUE;
        }
        return true;
    case EM_EMPTYUNDOBUFFER:
        if (!readOnly_) s.UndoObj().Clear();
        m.Result = 0;
        return true;
    case EM_GETFIRSTVISIBLELINE:
        m.Result = topRow_;
        return true;
    case EM_SETREADONLY:
        if (m.WParam != 0 || !EditorHost().ReadOnlyLocked()) SetReadOnly(m.WParam != 0);
        m.Result = readOnly_ == (m.WParam != 0) ? TRUE : FALSE;
        return true;
    case EM_POSFROMCHAR: {
        const int at = Arg32(m.WParam);
        int row = 0, byte = 0;
        if (at < 0) {
            m.Result = -1;
            return true;
        }
        OffsetToRowByte(s, at, row, byte);
        const std::string_view text = s.Strings(row);  // empty past the end
        const int x = GetTextLeft() + (ByteToCell(text, byte, CellRules()) - leftCol_) * cellWidth_;
        const int y = GetTextTop() + (row - topRow_) * RowHeight();
        m.Result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y)));
        return true;
    }
    case EM_CHARFROMPOS: {
        const int x = LOWORD(m.LParam), y = HIWORD(m.LParam);
        const RECT client = ClientRect();
        if (x < client.left || x >= client.right || y < client.top || y >= client.bottom) {
            m.Result = -1;
            return true;
        }
        int col = 0, row = 0;
        PixelToCell(x, y, true, col, row);
        row = std::clamp(row, 0, s.Count());
        const std::string_view text = s.Strings(row);  // empty past the end
        if (col > 0 && ClassAt(GetCellClasses(text), col) == '5') --col;
        const long long offset = RowStartOffset(row) + CellToByte(text, col, CellRules());
        m.Result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(offset & 0xFFFF), static_cast<WORD>(row)));
        return true;
    }
    default:
        return false;
    }
}

} // namespace vellumo
