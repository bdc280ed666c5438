// The editor control: construction, properties, geometry and the reaction
// to changes of its options and of the row store.
#include "editor/editor_win.h"
#include "editor/imereq_win.h"

#include <algorithm>

#include "classlib/screen_win.h"
#include "editor/editorhost.h"

namespace vellumo {

TEditor::TEditor()
{
    SetBounds(0, 0, 185, 89);
    SetCursor(crIBeam);
    SetTabStop(true);
    GetDelimiters(delimiters_);
    link_ = std::make_unique<TScreenStringsLink>(*this, CreateScreenStrings());
    lines_ = CreateLines();
    screen_ = CreateScreen();
    view_ = CreateViewInfo();
    parserFactory_ = GetParserClass();
    reserveWordList_.SetSorted(true);
    reserveWordList_.SetDuplicates(dupIgnore);
    SetColor(clWindow);
    Font().SetColor(clWindowText);
    Font().SetName("FixedSys");
    // The left-margin arrow is the program's own cursor (default without the resources).
    RightArrowCursorIndex = LoadProgramCursors().RightArrow;
    caret_ = std::make_unique<TEditorCaret>();
    marks_ = std::make_unique<TEditorMarks>();
    margin_ = std::make_unique<TEditorMargin>();
    leftbar_ = std::make_unique<TEditorLeftbar>();
    ruler_ = std::make_unique<TEditorRuler>();
    for (TNotifyPersistent* o : {static_cast<TNotifyPersistent*>(caret_.get()), static_cast<TNotifyPersistent*>(marks_.get()),
                                 static_cast<TNotifyPersistent*>(margin_.get()),
                                 static_cast<TNotifyPersistent*>(leftbar_.get()),
                                 static_cast<TNotifyPersistent*>(ruler_.get())})
        o->OnChange = [this](TNotifyPersistent* s) { SubObjectChanged(s); };
    leftbarDigits_ = leftbar_->Column();
    CreateBitmaps();
    verticalLines_.OnUpdate = [this] { Repaint(); };
    popup_ = CreatePopupMenu();
    SetPopupMenu(popup_.get());
}

TEditor::~TEditor()
{
    // The window goes first, while every part its messages reach still lives.
    DestroyHandle();
    SetPopupMenu(nullptr);
    popup_.reset();
    screen_.reset();
    // Leave the store before the options it reads through this view go.
    lines_.reset();
    link_.reset();
    parserFactory_.reset();
    view_.reset();
    FreeBitmaps();
}

std::shared_ptr<TEditorScreenStrings> TEditor::CreateScreenStrings() { return TEditorScreenStrings::Create(); }

std::unique_ptr<TEditorStrings> TEditor::CreateLines() { return std::make_unique<TEditorStrings>(*this); }

std::unique_ptr<TEditorScreen> TEditor::CreateScreen() { return std::make_unique<TEditorScreen>(*this); }

std::unique_ptr<TEditorViewInfo> TEditor::CreateViewInfo()
{
    auto view = std::make_unique<TEditorViewInfo>();
    view->SetOwner(this);
    view->OnChange = [this](TNotifyPersistent* s) { SubObjectChanged(s); };
    return view;
}

std::unique_ptr<TEditorParserFactory> TEditor::GetParserClass() const
{
    return std::make_unique<TEditorParserFactory>(view_.get());
}

void TEditor::GetDelimiters(TByteSet& set) const { set = DefaultDelimiters(); }

std::unique_ptr<TEditorPopupMenu> TEditor::CreatePopupMenu()
{
    auto menu = std::make_unique<TEditorPopupMenu>();
    menu->SetEditor(this);
    return menu;
}

void TEditor::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassName = "TEditor";
    if (borderStyle_ == bsSingle) p.Style |= WS_BORDER;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
    p.WindowClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
    if (EditorHostValues().NewStyleControls && borderStyle_ == bsSingle) {
        p.Style &= ~static_cast<DWORD>(WS_BORDER);
        p.ExStyle |= WS_EX_CLIENTEDGE;
    }
}

void TEditor::CreateHandle()
{
    GuardReconvertRequests();
    TCustomControl::CreateHandle();
    InitFontMetrics();
    UpdateScrollRanges();
    CreateLeftbarEdgeBitmap();
    RebuildRuler();
    UpdateCornerBitmap();
}

// ---- properties

void TEditor::SetBorderStyle(TBorderStyle v)
{
    if (v == borderStyle_) return;
    borderStyle_ = v;
    RecreateWnd();
}

void TEditor::SetView(const TEditorViewInfo& v)
{
    view_->Assign(v);
    ScrollCaret();
    UpdateCaretPos();
}

void TEditor::SetLines(const TStringList& v) { lines_->Assign(v); }

void TEditor::SetReserveWordList(const TReserveWordList& v)
{
    if (reserveWordList_.Equals(v)) return;
    reserveWordList_.Assign(v);
    Invalidate();
}

void TEditor::SetScrollBars(TScrollStyle v)
{
    if (v == scrollBars_) return;
    scrollBars_ = v;
    if (!HandleAllocated()) return;
    const bool h = v == ssHorizontal || v == ssBoth;
    const bool vert = v == ssVertical || v == ssBoth;
    ShowScrollBar(Handle(), SB_HORZ, h);
    ShowScrollBar(Handle(), SB_VERT, vert);
    InitFontMetrics();
    UpdateScrollRanges();
}

void TEditor::SetReadOnly(bool v)
{
    if (v == readOnly_ || dragState_ == 2) return;
    readOnly_ = v;
    if (v && selectionState_ != 0) SetCursor(caret_->Cursors().DefaultCursor());
}

int TEditor::UndoListMax() const { return Store().UndoObj().ListMax(); }
void TEditor::SetUndoListMax(int v) { Store().UndoObj().SetListMax(v); }

void TEditor::SetOverWrite(bool v)
{
    if (v == overWrite_) return;
    overWrite_ = v;
    RefreshCaret();
}

void TEditor::SetSelectionMode(TSelectionMode v)
{
    if (v == selectionMode_ || dragState_ == 2) return;
    selectionMode_ = v;
    DoSelectionModeChange();
}

TEditorRowAttribute TEditor::GetRowAttribute(int row) const
{
    if (row < 0 || row >= Store().Count()) return raEof;
    return Store().GetRowAttribute(row);
}

TCellGeometry TEditor::Geometry() const
{
    return TCellGeometry{GetTextLeft(), GetTextTop(), cellWidth_, RowHeight(), leftCol_, topRow_};
}

void TEditor::PixelToCell(int x, int y, bool nearest, int& col, int& row) const
{
    vellumo::PixelToCell(x, y, nearest, Geometry(), col, row);
}

bool TEditor::PointToRowByte(POINT p, int& row, int& byte) const
{
    return vellumo::PointToRowByte(Store(), Geometry(), p.x, p.y, row, byte);
}

void TEditor::Undo()
{
    if (selectionState_ != 0) CleanSelection();
    Store().Undo();
}

void TEditor::Redo()
{
    if (selectionState_ != 0) CleanSelection();
    Store().Redo();
}

void TEditor::Clear() { lines_->Clear(); }

void TEditor::Loaded()
{
    TCustomControl::Loaded();
    if (WordWrap()) Store().WrapAll();
    Store().RescanRows();
    modified_ = false;
}

void TEditor::ShareScreenList(TEditor* other)
{
    if (!other || other == this) return;
    link_->ShareWith(*other->link_);
    RefreshMetrics();
}

// ---- events

void TEditor::DoDrawLine(const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected)
{
    if (OnDrawLine) OnDrawLine(*this, lineStr, x, y, index, rect, selected);
    DrawVerticalLines();
}

void TEditor::DoSelectionChange(bool selected)
{
    if (OnSelectionChange) OnSelectionChange(*this, selected);
}

void TEditor::DoSelectionModeChange()
{
    if (OnSelectionModeChange) OnSelectionModeChange(*this);
}

void TEditor::DoTopColChange()
{
    if (OnTopColChange) OnTopColChange(*this);
}

void TEditor::DoTopRowChange()
{
    if (OnTopRowChange) OnTopRowChange(*this);
}

// ---- reactions

int TEditor::ScreenHeight() const
{
    auto* self = const_cast<TEditor*>(this);
    return self->HandleAllocated() ? self->ClientHeight() : Height();
}

void TEditor::ListChanged()
{
    screen_->Update();
    if (leftbar_->Visible() && leftbar_->ShowNumber() && CalcLeftbarDigits()) {
        const int old = leftbarWidth_;
        CalcLeftbarWidth();
        UpdateCornerBitmap();
        LeftbarWidthChanged(old, leftbarWidth_);
        CalcColCount();
    }
    UpdateScrollRanges();
    if (Store().ChangeRange().Valid) {
        if (!EditorHostValues().OutputMode) modified_ = true;
        if (OnChange) OnChange(*this);
    }
}

void TEditor::Refresh()
{
    if (leftbar_->Visible() && leftbar_->ShowNumber() && CalcLeftbarDigits()) {
        CalcLeftbarWidth();
        UpdateCornerBitmap();
        CalcColCount();
    }
    UpdateScrollRanges();
    Invalidate();
}

void TEditor::LinesUpdating(bool updating)
{
    if (updating) {
        CaretBeginUpdate();
        UnderlineBeginUpdate();
        bulk_ = true;
        // Redraw is switched off only on a visible window: switching it
        // back on would show a hidden one.
        if (HandleAllocated() && IsWindowVisible(Handle())) {
            SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
            linesUpdating_ = true;
        }
        return;
    }
    bulk_ = false;
    if (linesUpdating_) {
        linesUpdating_ = false;
        if (HandleAllocated()) SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    }
    // Whatever was drawn or scrolled during the update is drawn afresh.
    if (HandleAllocated()) Invalidate();
    if (bulkScroll_) {
        bulkScroll_ = false;
        ScrollCaretIntoView();
    }
    UnderlineEndUpdate();
    CaretEndUpdate();
    if (bulkCaret_) {
        bulkCaret_ = false;
        RefreshCaret();
    }
}

void TEditor::SubObjectChanged(TNotifyPersistent* sender)
{
    if (sender == marks_.get()) margin_->SetUnderline(marks_->Underline().Visible() ? 1 : 0);
    if (sender == view_.get()) Store().RescanRows();
    if (!HandleAllocated()) return;
    InitFontMetrics();
    UpdateScrollRanges();
    if (sender == leftbar_.get()) {
        CreateLeftbarEdgeBitmap();
        UpdateCornerBitmap();
    }
    if (sender == margin_.get() || sender == ruler_.get()) {
        RebuildRuler();
        UpdateCornerBitmap();
    }
    Invalidate();
    if (sender == caret_.get()) {
        RefreshCaret();
    } else {
        ScrollCaret();
        UpdateCaretPos();
    }
}

void TEditor::FontChanged()
{
    if (HandleAllocated()) {
        if (pixelOffset_ > 0) {
            SetCol(0);
            SetLeftCol(0);  // also without the focus, which SetCol's scrolling needs
        }
        InitFontMetrics();
        UpdateScrollRanges();
        RebuildRuler();
        UpdateCornerBitmap();
        RefreshCaret();
    }
    Invalidate();
}

void TEditor::ColorChanged()
{
    UpdateCornerBitmap();
    Invalidate();
}

// ---- geometry

void TEditor::CalcColCount()
{
    const int v = (scrollBars_ == ssVertical || scrollBars_ == ssBoth) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int cw = std::max(cellWidth_, 1);
    colCount_ = std::max(0, (Width() - GetTextLeft() - cw / 2 - v) / cw);
}

void TEditor::InitFontMetrics()
{
    if (!HandleAllocated()) return;
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    TEXTMETRICA tm{};
    if (canvas.GetTextMetrics(tm)) {
        cellHeight_ = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
        cellWidth_ = std::max(1, static_cast<int>(tm.tmAveCharWidth) + margin_->Character());
    }
    advances_.fill(cellWidth_);
    // The bars first: the text area's origin depends on them.
    if (ruler_->Visible()) rulerHeight_ = CalcRulerHeight();
    if (leftbar_->Visible()) {
        CalcLeftbarDigits();
        CalcLeftbarWidth();
    }
    RECT client = ClientRect();
    POINT probe{5, Height() - 5};
    const int h = PtInRect(&client, probe) ? 0 : GetSystemMetrics(SM_CYHSCROLL);
    rowCount_ = std::max(0, (Height() - GetTextTop() - 5 - h) / RowHeight());
    CalcColCount();
    auto italic = [](const TEditorColor& c) { return (c.Style() & fsItalic) != 0; };
    const TEditorColors& k = view_->Colors();
    bool it = (Font().Style() & fsItalic) != 0 || italic(k.Ank()) || italic(k.Comment()) || italic(k.DBCS()) ||
              italic(k.Int()) || italic(k.Mail()) || italic(k.Str()) || italic(k.Symbol()) || italic(k.Reserve()) ||
              italic(k.Url());
    for (int i = 0; i < view_->Brackets().Count() && !it; ++i) it = italic(view_->Brackets()[i].ItemColor());
    italicInUse_ = it;
}

void TEditor::RefreshMetrics()
{
    InitFontMetrics();
    UpdateScrollRanges();
    Invalidate();
}

// ---- messages

void TEditor::WmSize()
{
    RefreshMetrics();
    CreateLeftbarEdgeBitmap();
    RebuildRuler();
    UpdateCornerBitmap();
    if (WordWrap()) {
        const int w = WrapOption().WrapByte();
        if (w < colCount_) SetLeftCol(0);
        else if (leftCol_ > w - colCount_) SetLeftCol(w - colCount_ + 3);
    } else {
        const int w = WidestRow();
        if (w < colCount_) SetLeftCol(0);
        else if (leftCol_ > w - colCount_) SetLeftCol(w - colCount_ + 5);
    }
}

void TEditor::WndProc(TMessage& m)
{
    // The focus as the window system last reported it: the caret and the
    // undo records ask for it on every edit, and asking is a trip to the
    // window system.
    if (m.Msg == WM_SETFOCUS) focused_ = true;
    else if (m.Msg == WM_KILLFOCUS || m.Msg == WM_DESTROY) focused_ = false;
    if (InputFiltered(m)) {
        m.Result = 0;
        return;
    }
    if (EditControlMessage(m) || InputMessage(m)) return;
    switch (m.Msg) {
    case WM_SIZE:
        TCustomControl::WndProc(m);
        WmSize();
        m.Result = 0;
        return;
    case WM_SETFOCUS:
        TCustomControl::WndProc(m);
        CreateEditorCaret();
        UpdateCaretPos();
        ShowEditorCaret();
        m.Result = 0;
        return;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        if (dragState_ == 2) {
            dragState_ = 0;
            SetCursor(caret_->Cursors().DefaultCursor());
            Screen().SetCursor(crDefault);
        }
        // A release that goes elsewhere must not leave keys filtered.
        EndRowSelection();
        lButtonDown_ = false;
        escCancel_ = false;
        HideEditorCaret();
        DestroyCaret();
        caretShown_ = false;
        m.Result = 0;
        return;
    case WM_MOVE:
        TCustomControl::WndProc(m);
        UpdateImeWindow();
        m.Result = 0;
        return;
    case WM_VSCROLL:
        if (m.LParam == 0) {
            m.Result = VScrollMessage(LOWORD(m.WParam));
            return;
        }
        break;
    case WM_HSCROLL:
        if (m.LParam == 0) {
            m.Result = HScrollMessage(LOWORD(m.WParam), HIWORD(m.WParam));
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

bool TEditor::MouseWheel(TShiftState, int delta, POINT)
{
    UINT lines = 3;
    if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
    if (!HandleAllocated()) return true;
    if (lines == WHEEL_PAGESCROLL) {
        SendMessageA(Handle(), WM_VSCROLL, delta < 0 ? SB_PAGEDOWN : SB_PAGEUP, 0);
        return true;
    }
    for (UINT i = 0; i < lines; ++i) SendMessageA(Handle(), WM_VSCROLL, delta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0);
    return true;
}

} // namespace vellumo
