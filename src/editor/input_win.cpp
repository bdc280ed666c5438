// Keyboard, mouse and input-method messages of the editor: the filter that
// keeps a drag or a row selection undisturbed, the navigation keys, the
// typed characters, composition results, reconversion requests and the
// left button with its selections and drags.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <windowsx.h>

#include "classlib/ime_win.h"
#include "classlib/screen_win.h"
#include "editor/editor_win.h"
#include "editor/editorhost.h"
#include "editor/imereq_win.h"
#include "editor/parser.h"
#include "textcode/wideconv.h"

namespace vellumo {
namespace {

// Shift and Ctrl as the keyboard has them, Alt from the key data.
TShiftState KeyShift(LPARAM keyData)
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if ((keyData & (1 << 29)) != 0 || GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

bool IsSingleByteChar(unsigned char c)
{
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xDF) || c >= 0xFD;
}

bool IsLeadChar(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsTrailChar(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

constexpr LPARAM kResultBits = GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE;

} // namespace

bool TEditor::InputFiltered(const TMessage& m) const
{
    if (dragState_ != 2 && !rowSelecting_) return false;
    const bool keys = m.Msg >= 0x100 && m.Msg <= 0x109;
    const bool buttons = m.Msg >= 0x203 && m.Msg <= 0x20A;
    if (!keys && !buttons) return false;
    if (m.Msg == WM_KEYDOWN && (m.WParam == VK_ESCAPE || m.WParam == VK_CONTROL)) return false;
    if (m.Msg == WM_KEYUP && m.WParam == VK_CONTROL) return false;
    return true;
}

bool TEditor::PointerInClient() const
{
    auto* self = const_cast<TEditor*>(this);
    if (!self->HandleAllocated()) return false;
    POINT p;
    if (!GetCursorPos(&p)) return false;
    ScreenToClient(self->Handle(), &p);
    const RECT r = self->ClientRect();
    return PtInRect(&r, p) != FALSE;
}

// ---- keys

void TEditor::KeyDownMessage(TMessage& m)
{
    unsigned key = static_cast<unsigned>(m.WParam);
    const TShiftState shift = KeyShift(m.LParam);
    KeyDown(key, shift);
    keyRepeat_ = (m.LParam & (1 << 30)) != 0;
    m.Result = 0;
    if (key == 0) return;
    if (!NavigationKey(key, shift)) DefaultHandler(m);
}

bool TEditor::NavigationKey(unsigned key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0, withShift = (shift & ssShift) != 0;
    const bool moves = key >= VK_PRIOR && key <= VK_DOWN;
    if (moves) {
        if (withShift) {
            if (selectionState_ == 0) StartSelection();
        } else if (selectionState_ != 0) {
            CleanSelection();
        }
    }
    TEditorScreenStrings& s = Store();
    const int n = s.Count();
    switch (key) {
    case VK_CONTROL:
        if (dragState_ == 2 && PointerInClient()) Screen().SetCursor(LoadProgramCursors().CopyDrop);
        return true;
    case VK_ESCAPE:
        if (Selected()) {
            const bool dragging = dragState_ == 2 || rowSelecting_;
            CleanSelection();
            if (lButtonDown_) escCancel_ = true;
            if (dragging) {
                CancelSelectionDrag();
                EndRowSelection();
                SetCursor(caret_->Cursors().DefaultCursor());
                Screen().SetCursor(crDefault);
            }
        } else if (boxLatch_ || n == 0) {
            boxLatch_ = false;
            SetSelectionMode(smNormal);
        }
        return true;
    case VK_PRIOR:
        PageScroll(ctrl ? -(rowCount_ / 2 - 1) : -(rowCount_ - 1));
        break;
    case VK_NEXT:
        PageScroll(ctrl ? rowCount_ / 2 - 1 : rowCount_ - 1);
        break;
    case VK_END:
        if (ctrl) SetRow(n);
        SetCol(GetRowWidth(row_));
        break;
    case VK_HOME:
        if (ctrl) SetCaretRowCol(0, 0);
        else SetCol(0);
        break;
    case VK_LEFT:
        if (ctrl) {
            int r = row_, c = col_;
            if (MoveWord(r, c, -1)) SetCaretRowCol(r, c);
        } else if (col_ > 0) {
            SetCol(col_ - 1);
        } else if (row_ > 0 && (caret_->NextLine() || GetRowAttribute(row_ - 1) == raWrapped)) {
            SetCaretRowCol(row_ - 1, GetRowWidth(row_ - 1));
        }
        break;
    case VK_UP: {
        if (row_ <= 0) break;
        const int d = keyRepeat_ && row_ == topRow_ ? 2 : 1;
        if (ctrl) {
            SetTopRow(topRow_ - d);
            if (row_ > topRow_ + rowCount_ - 1) SetRow(row_ - d);
        } else {
            SetRow(row_ - d);
        }
        break;
    }
    case VK_RIGHT:
        if (ctrl) {
            int r = row_, c = col_;
            if (MoveWord(r, c, 1)) SetCaretRowCol(r, c);
        } else {
            const int old = col_;
            SetCol(col_ + 1);
            if (col_ == old && row_ < n && GetRowAttribute(row_) != raEof &&
                (caret_->NextLine() || GetRowAttribute(row_) == raWrapped))
                SetCaretRowCol(row_ + 1, 0);
        }
        break;
    case VK_DOWN: {
        if (GetRowAttribute(row_) == raEof) break;
        const int d = keyRepeat_ && topRow_ + rowCount_ == row_ + 1 ? 2 : 1;
        if (ctrl) {
            SetTopRow(topRow_ + d);
            if (row_ < topRow_) SetRow(row_ + d);
        } else {
            SetRow(row_ + d);
        }
        break;
    }
    case VK_DELETE:
        if (readOnly_) return true;
        if (Selected()) DeleteSelection();
        else DeleteKey();
        return true;
    default:
        return false;
    }
    if (moves && withShift) UpdateSelection();
    return true;
}

void TEditor::KeyUpMessage(TMessage& m)
{
    if (m.WParam == VK_CONTROL && dragState_ == 2 && PointerInClient())
        Screen().SetCursor(LoadProgramCursors().MoveDrop);
    unsigned key = static_cast<unsigned>(m.WParam);
    KeyUp(key, KeyShift(m.LParam));
    if (key != 0) DefaultHandler(m);
    keyRepeat_ = false;
    if (imeMovePending_) UpdateImeWindow();
    m.Result = 0;
}

bool TEditor::MoveWord(int& row, int& col, int direction) const
{
    const TEditorScreenStrings& s = Store();
    const int n = s.Count();
    int r = row, c = col;
    // Token starts of a row, in display columns; symbols are not stops.
    auto starts = [&](int rr) {
        std::vector<int> v;
        const std::string text = GetExpandedRow(rr);
        for (TEditorParser p(text); p.TokenKind() != tkEnd; p.NextToken())
            if (p.TokenKind() != tkSymbol) v.push_back(p.TokenPos());
        return v;
    };
    if (direction > 0) {
        if (n == 0 || r >= n || (r == n - 1 && GetRowAttribute(r) == raEof && c >= GetRowWidth(r))) return false;
        if (c >= GetRowWidth(r) && r < n) {
            ++r;
            c = -1;
            if (r >= n) {
                row = r;
                col = 0;
                return true;
            }
        }
        int result = -1;
        for (int t : starts(r))
            if (t > c) {
                result = t;
                break;
            }
        if (result >= 0) {
            c = result;
        } else if (GetRowAttribute(r) == raWrapped) {
            ++r;
            c = 0;
        } else {
            c = GetRowWidth(r);
        }
    } else {
        if (c <= 0) {
            if (r <= 0) return false;
            --r;
            c = GetRowWidth(r);
            if (GetRowAttribute(r) == raLineBreak) {
                row = r;
                col = c;
                return true;
            }
        }
        r = std::min(r, n);
        int result = -1;
        if (r < n)
            for (int t : starts(r))
                if (t < c) result = t;
        if (result >= 0) c = result;
        else if (r > 0) {
            --r;
            c = GetRowWidth(r);
        } else {
            c = 0;
        }
    }
    const bool moved = r != row || c != col;
    row = r;
    col = c;
    return moved;
}

// ---- characters

void TEditor::CharMessage(TMessage& m)
{
    // The second byte of a pair that came as two sent messages (nothing was
    // queued behind the first): the pair is one character.
    const unsigned char lead = pendingLead_;
    pendingLead_ = 0;
    if (lead != 0 && IsTrailChar(static_cast<unsigned char>(m.WParam & 0xFF)) && m.WParam <= 0xFF) {
        m.Result = 0;
        if (!readOnly_) TypeText(std::string{static_cast<char>(lead), static_cast<char>(m.WParam & 0xFF)});
        return;
    }
    char ch = static_cast<char>(m.WParam & 0xFF);
    KeyPress(ch);
    m.Result = 0;
    const auto c = static_cast<unsigned char>(ch);
    if (c == 0) return;
    const TShiftState shift = KeyboardShiftState();
    switch (c) {
    case 8:
        if (readOnly_) return;
        if (Selected()) DeleteSelection();
        else BackspaceKey();
        return;
    case 9: {
        if ((shift & (ssShift | ssCtrl)) != 0 || readOnly_ || !wantTabs_) return;
        const int t = std::max(1, caret_->TabSpaceCount());
        int count = t - col_ % t;
        if (WordWrap()) {
            const int w = std::max(1, WrapOption().WrapByte());
            count = std::min(count, w - col_ % w);
        }
        if (overWrite_) SetCol(col_ + count);
        else if (caret_->SoftTab()) TypeText(std::string(static_cast<std::size_t>(count), ' '));
        else TypeText("\t");
        return;
    }
    case 13:
        if (readOnly_) return;
        if (Selected()) DeleteSelection();
        ReturnKey();
        return;
    default:
        break;
    }
    if (IsSingleByteChar(c)) {
        if (readOnly_) return;
        if (imeMovePending_) UpdateImeWindow();
        TypeText(std::string(1, ch));
        return;
    }
    if (IsLeadChar(c) && HandleAllocated()) {
        // The second byte is the next character message in the queue.
        MSG next{};
        if (!PeekMessageA(&next, Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE)) {
            pendingLead_ = c;  // sent, not posted: the trail is the next message
            return;
        }
        if ((next.wParam & 0xFF) < 0x40 || next.wParam > 0xFF) return;
        PeekMessageA(&next, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
        if (readOnly_) return;
        std::string pair(1, ch);
        pair += static_cast<char>(next.wParam & 0xFF);
        TypeText(pair);
    }
}

// A character as one message: WM_IME_CHAR holds a pair as lead * 256 +
// trail, WM_UNICHAR a code point.
void TEditor::WholeCharMessage(TMessage& m)
{
    m.Result = 0;
    std::string text;
    if (m.Msg == WM_UNICHAR) {
        if (m.WParam == UNICODE_NOCHAR) {
            m.Result = TRUE;  // yes, this window takes code points
            return;
        }
        const auto cp = static_cast<std::uint32_t>(m.WParam);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return;
        std::wstring w;
        if (cp >= 0x10000) {
            w += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
            w += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            w += static_cast<wchar_t>(cp);
        }
        text = WideToAnsiEscaped(w);
    } else {
        const auto hi = static_cast<unsigned char>((m.WParam >> 8) & 0xFF);
        const auto lo = static_cast<unsigned char>(m.WParam & 0xFF);
        if (IsLeadChar(hi) && IsTrailChar(lo)) text = {static_cast<char>(hi), static_cast<char>(lo)};
        else if (hi == 0 && IsSingleByteChar(lo)) text.assign(1, static_cast<char>(lo));
    }
    // Control characters keep their keys' meaning only through WM_CHAR.
    if (text.empty() || readOnly_ || static_cast<unsigned char>(text[0]) < 0x20) return;
    pendingLead_ = 0;
    if (imeMovePending_) UpdateImeWindow();
    TypeText(text);
}

// ---- the input method

void TEditor::ImeCompositionMessage(TMessage& m)
{
    // The result is read here and the default handling sees the message
    // without it, so no character messages repeat the result and no count
    // of characters to skip can swallow the keys typed next.
    std::string result;
    if ((m.LParam & GCS_RESULTSTR) != 0 && !readOnly_ && HandleAllocated())
        result = ImeCompositionString(Handle(), GCS_RESULTSTR);
    TMessage rest = m;
    if (!result.empty()) rest.LParam &= ~kResultBits;
    DefaultHandler(rest);
    m.Result = rest.Result;
    if (!result.empty()) {
        if (imeMovePending_) UpdateImeWindow();
        TypeText(result);
    }
}

void TEditor::ImeNotifyMessage(TMessage& m)
{
    DefaultHandler(m);
    if (EditorHostValues().IsWinXPOrLater) return;
    if (m.WParam == IMN_OPENCANDIDATE && !candidateOpen_) {
        CaretBeginUpdate();
        candidateOpen_ = true;
    } else if (m.WParam == IMN_CLOSECANDIDATE && candidateOpen_) {
        CaretEndUpdate();
        candidateOpen_ = false;
    }
}

bool TEditor::ReconvertRequest(TMessage& m)
{
    if (!EditorHostValues().ImeReConv || readOnly_ || !Selected() || selectionMode_ != smNormal) return false;
    const TReconvertMessages& names = ReconvertMessages();
    bool wide;
    if (ImeSupportsReconvert()) {
        if (m.Msg != WM_IME_REQUEST) return false;
        if (m.WParam != IMR_RECONVERTSTRING) return false;
        wide = false;
    } else {
        if (m.Msg != names.Reconvert && m.Msg != names.Atok) return false;
        if (m.WParam != IMR_RECONVERTSTRING) {
            m.Result = 0;
            return true;
        }
        wide = true;
    }
    // Another thread's or process's record address means nothing here:
    // reading or writing through it would touch memory the sender picked.
    if (!ReconvertRequestFromThisThread()) {
        m.Result = 0;
        return true;
    }
    const std::string text = SelText();
    CaretToSelStart();
    m.Result = AnswerReconvertRequest(m.LParam, text, wide);
    return true;
}

void TEditor::DefaultHandler(TMessage& m)
{
    if (ReconvertRequest(m)) return;
    TCustomControl::DefaultHandler(m);
    const bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN ||
                       ((m.Msg == WM_NCLBUTTONDOWN || m.Msg == WM_NCRBUTTONDOWN || m.Msg == WM_NCMBUTTONDOWN) &&
                        m.WParam == HTCLIENT);
    if (press && HandleAllocated() && !Focused()) SetFocus();
}

// ---- the mouse

void TEditor::LButtonDownMessage(TMessage& m)
{
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    const TShiftState shift = MouseShiftState(m.WParam);
    const bool withShift = (shift & ssShift) != 0, alt = (shift & ssAlt) != 0;
    if (!EditorHostValues().NoLButtonImeEnter) {
        CompleteImeComposition(Handle());
    } else if (ImeHasComposition(Handle())) {
        TCustomControl::WndProc(m);
        return;
    }
    lButtonDown_ = true;
    escCancel_ = false;
    if (!boxLatch_) {
        const TSelectionMode mode = (alt && !withShift) || (withShift && alt && !Selected()) ||
                                            (withShift && Selected() && selectionMode_ == smBox)
                                        ? smBox
                                        : smNormal;
        if (mode != selectionMode_) {
            if (selectionState_ != 0) CleanSelection();
            SetSelectionMode(mode);
            StartSelection();
        }
    }
    int col = 0, row = 0;
    if (withShift) {
        if (selectionState_ == 0) StartSelection();
        PixelToCell(x, y, true, col, row);
        SetCaretRowCol(row, col);
        UpdateSelection();
    } else {
        mouseDown_ = POINT{x, y};
        PixelToCell(x, y, false, col, row);
        if (CanSelMove() && x >= GetTextLeft() && IsInSelection(row, col)) {
            SetCaretRowCol(row, col);
            if (caret_->SelDragMode() == dmAutomatic) BeginSelectionDrag();
        } else {
            PixelToCell(x, y, true, col, row);
            if (x < GetTextLeft() && caret_->RowSelect()) {
                StartRowSelection(row);
            } else {
                TCaretUpdate hold(this);
                SetCaretRowCol(row, col);
                StartSelection();
            }
        }
    }
    TCustomControl::WndProc(m);
}

void TEditor::MouseMoveMessage(TMessage& m)
{
    if (EditorHostValues().NoLButtonImeEnter && ImeHasComposition(Handle())) {
        TCustomControl::WndProc(m);
        return;
    }
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    int col = 0, row = 0;
    if (lButtonDown_ && (m.WParam & MK_LBUTTON) != 0) {
        if (dragState_ == 2) {
            const RECT client = ClientRect();
            const POINT p{x, y};
            PixelToCell(x, y, false, col, row);
            DragSelectionOver(row, col, (m.WParam & MK_CONTROL) != 0, PtInRect(&client, p) != FALSE);
        } else if (!escCancel_) {
            PixelToCell(x, y, true, col, row);
            if (rowSelecting_) {
                ExtendRowSelection(row);
            } else {
                SetCaretRowCol(row, col);
                if (Selected()) {
                    ExtendSelection();
                } else if (selectionState_ == 1) {
                    const int half = std::max(1, cellWidth_ / 2);
                    if (std::abs(x - mouseDown_.x) >= half || std::abs(y - mouseDown_.y) >= half) BeginSelecting();
                }
            }
        }
    } else {
        PixelToCell(x, y, false, col, row);
        if (x < GetTextLeft()) SetCursor(caret_->Cursors().LeftMarginCursor());
        else if (CanSelMove() && IsInSelection(row, col)) SetCursor(caret_->Cursors().InSelCursor());
        else SetCursor(caret_->Cursors().DefaultCursor());
    }
    TCustomControl::WndProc(m);
}

void TEditor::LButtonUpMessage(TMessage& m)
{
    TCustomControl::WndProc(m);
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    if (dragState_ == 2) {
        const RECT client = ClientRect();
        const POINT p{x, y};
        EndSelectionDrag(PtInRect(&client, p) != FALSE, (m.WParam & MK_CONTROL) != 0);
    } else {
        EndRowSelection();
    }
    escCancel_ = false;
    lButtonDown_ = false;
}

bool TEditor::InputMessage(TMessage& m)
{
    // A key or a click between the two bytes of a sent pair ends the pair.
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_LBUTTONDOWN || m.Msg == WM_KILLFOCUS) pendingLead_ = 0;
    switch (m.Msg) {
    case WM_KEYDOWN: KeyDownMessage(m); return true;
    case WM_KEYUP: KeyUpMessage(m); return true;
    case WM_CHAR: CharMessage(m); return true;
    case WM_IME_CHAR:
    case WM_UNICHAR: WholeCharMessage(m); return true;
    case WM_IME_COMPOSITION: ImeCompositionMessage(m); return true;
    case WM_IME_NOTIFY: ImeNotifyMessage(m); return true;
    case WM_LBUTTONDOWN: LButtonDownMessage(m); return true;
    case WM_LBUTTONUP: LButtonUpMessage(m); return true;
    case WM_MOUSEMOVE: MouseMoveMessage(m); return true;
    default: return false;
    }
}

} // namespace vellumo
