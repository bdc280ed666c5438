// The split view: a second editor above Editor1 on the same row store, a
// splitter between them, and which of the two the commands act on. The
// Window menu's commands that use it are in commands/windowmenu_win.cpp.

#include <algorithm>

#include "app/commands/commands_win.h"
#include "app/window/mainform_win.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

// Window updates locked for the length of a split or unsplit step, released
// on every path.
class TUpdateLock {
public:
    explicit TUpdateLock(HWND h) : locked_(LockWindowUpdate(h) != FALSE) {}
    ~TUpdateLock()
    {
        if (locked_) LockWindowUpdate(nullptr);
    }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    bool locked_;
};

struct TViewPlace {
    int Row, Col, TopRow, LeftCol;
};

TViewPlace PlaceOf(const TEditor& e) { return {e.Row(), e.Col(), e.TopRow(), e.LeftCol()}; }

void PutPlace(TEditor& e, const TViewPlace& p)
{
    e.SetRow(p.Row);
    e.SetCol(p.Col);
    e.SetTopRow(p.TopRow);
    e.SetLeftCol(p.LeftCol);
}

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

} // namespace

TEditor& TVellumoMainForm::ActiveEditor()
{
    if (secondEditor_ && Editor1.Handle() != LastEditorHandle) return *secondEditor_;
    return Editor1;
}

TEditor* TVellumoMainForm::InactiveEditor()
{
    if (!secondEditor_) return nullptr;
    return Editor1.Handle() == LastEditorHandle ? secondEditor_.get() : &Editor1;
}

TEditor& TVellumoMainForm::UpperEditor() { return secondEditor_ ? *secondEditor_ : ActiveEditor(); }

bool TVellumoMainForm::CanSplit() { return IsSplit() || Editor1.Height() >= 100; }

void TVellumoMainForm::WireEditor(TEditor& editor)
{
    TEditor* e = &editor;
    editor.OnEnter = [this, e] { EditorFocusIn(*e); };
    // The window taking the focus: only a control of this form counts.
    editor.OnExit = [this, e] { EditorFocusOut(*e, reinterpret_cast<HWND>(e->CurrentMessage().WParam)); };
    editor.OnCaretMoved = [this](TEditor& sender) { Editor1CaretMoved(sender); };
    editor.OnSelectionModeChange = [this](TEditor& sender) { Editor1SelectionModeChange(sender); };
    // The library's key and mouse events name no sender: each pane's own
    // lambda does (editorevents_win.cpp). Nothing thrown goes further.
    editor.OnKeyDown = [this, e](unsigned& key, TShiftState shift) {
        ReportFailures([&] { Editor1KeyDown(*e, key, shift); });
    };
    editor.OnKeyPress = [this, e](char& key) { ReportFailures([&] { Editor1KeyPress(*e, key); }); };
    editor.OnMouseMove = [this, e](TShiftState shift, int x, int y) {
        ReportFailures([&] { Editor1MouseMove(*e, shift, x, y); });
    };
    editor.OnDblClick = [this, e] { ReportFailures([&] { Editor1DblClick(*e); }); };
    editor.OnSelectionChange = [this](TEditor& sender, bool) { Editor1SelectionChange(sender); };
    // The pop-up menu both panes show.
    BindPopupMenu(*this);
}

void TVellumoMainForm::CopyEventProperties(TEditor& from, TEditor& to)
{
    to.OnCaretMoved = from.OnCaretMoved;
    to.OnChange = from.OnChange;
    to.OnSelectionModeChange = from.OnSelectionModeChange;
    to.OnTopColChange = from.OnTopColChange;
    to.OnTopRowChange = from.OnTopRowChange;
    to.OnDrawLine = from.OnDrawLine;
    to.OnSelectionChange = from.OnSelectionChange;
    to.SearchMessagePump = from.SearchMessagePump;
    to.OnResize = from.OnResize;
    to.OnClick = from.OnClick;
    to.OnDblClick = from.OnDblClick;
    to.OnKeyDown = from.OnKeyDown;
    to.OnKeyUp = from.OnKeyUp;
    to.OnKeyPress = from.OnKeyPress;
    to.OnMouseDown = from.OnMouseDown;
    to.OnMouseUp = from.OnMouseUp;
    to.OnMouseMove = from.OnMouseMove;
    // The focus, key and mouse events name their editor.
    WireEditor(to);
}

int TVellumoMainForm::LayoutSplit(int top, int bottom, int width)
{
    if (!secondEditor_ || !splitter_) return top;
    // Alignment top: the upper pane keeps its height, Editor1 takes the rest.
    const int h = std::max(0, secondEditor_->Height());
    secondEditor_->SetBounds(0, top, width, h);
    splitter_->SetBounds(0, top + h, width, TSplitter::kThickness);
    splitter_->SetDragRange(top + splitter_->MinSize(), bottom - splitter_->MinSize() - TSplitter::kThickness);
    return top + h + TSplitter::kThickness;
}

void TVellumoMainForm::RepaintPanes()
{
    // A pane that scrolls while it moves or grows copies the bits of rows
    // that the other pane covered: everything is drawn again from the text.
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TVellumoMainForm::Split()
{
    PumpMessagesOnce();
    // A second split command queued behind this one (key repeat) must not
    // nest a third pane.
    if (IsSplit() || !CanSplit()) return;
    TUpdateLock lock(Window());
    TEditor& active = ActiveEditor();
    const int h = active.Height();
    const TViewPlace place = PlaceOf(active);

    auto ed = std::make_unique<TEditor>();
    editorProp_.Assign(active);
    CopyEventProperties(active, *ed);
    ed->SetPopupMenu(&PopupMenu1);
    ed->SetModified(active.Modified());
    ed->SetReadOnly(active.ReadOnly());
    ed->SetSelectionMode(active.SelectionMode());
    ed->SetOverWrite(active.OverWrite());
    ed->SetParentWindow(active.ParentWindow());
    ed->SetBounds(active.Left(), active.Top(), active.Width(), h / 2 - 3);
    ed->HandleNeeded();
    ed->ShareScreenList(&active);
    editorProp_.AssignTo(*ed);

    auto splitter = std::make_unique<TSplitter>();
    splitter->SetParentWindow(active.ParentWindow());
    splitter->SetBounds(0, ed->Top() + ed->Height(), active.Width(), TSplitter::kThickness);
    splitter->OnMoved = [this] { SplitterMoved(); };
    splitter->HandleNeeded();
    secondEditor_ = std::move(ed);
    splitter_ = std::move(splitter);
    LayoutControls();

    TEditor& upper = *secondEditor_;
    PutPlace(upper, place);
    // The lower pane continues where the upper one ends.
    active.SetTopRow(upper.TopRow() + upper.RowCount());
    active.SetLeftCol(upper.LeftCol());
    upper.SetFocus();
    // An inactive window takes no focus: the new pane is the active one all the same.
    if (LastEditor != &upper) EditorFocusIn(upper);
    SendMessageA(upper.Handle(), WM_MOVE, 0, 0);
    RepaintPanes();
}

void TVellumoMainForm::Unsplit()
{
    PumpMessagesOnce();
    {
        TUpdateLock lock(Window());
        if (IsSplit()) {
            const TViewPlace place = PlaceOf(ActiveEditor());
            FreeSecondEditor();
            LayoutControls();
            PutPlace(Editor1, place);
            Editor1.SetFocus();
        }
    }
    SendMessageA(ActiveEditor().Handle(), WM_MOVE, 0, 0);
    RepaintPanes();
}

void TVellumoMainForm::FreeSecondEditor()
{
    if (!secondEditor_) return;
    // Freeing a focused pane moves the focus: no handler may run on it then.
    std::unique_ptr<TEditor> gone = std::move(secondEditor_);
    std::unique_ptr<TSplitter> bar = std::move(splitter_);
    gone->OnEnter = nullptr;
    gone->OnExit = nullptr;
    gone->OnCaretMoved = nullptr;
    gone->OnSelectionModeChange = nullptr;
    if (enteredEditor_ == gone.get()) enteredEditor_ = nullptr;
    bar.reset();
    gone.reset();
    // The focus event may not come (an inactive window): Editor1 is the one
    // editor now whatever arrives.
    LastEditor = &Editor1;
    LastEditorHandle = Editor1.HandleAllocated() ? Editor1.Handle() : nullptr;
}

void TVellumoMainForm::SplitterMoved()
{
    if (!secondEditor_ || !splitter_) return;
    const int top = splitter_->Top();
    const int h = top > splitter_->MinSize() ? top - secondEditor_->Top() : splitter_->MinSize();
    secondEditor_->SetHeight(std::max(0, h));
    LayoutControls();
}

// The form's active control changes only between its own controls: a
// message box or a dialog taking the focus and giving it back is no change.
void TVellumoMainForm::EditorFocusIn(TEditor& editor)
{
    if (enteredEditor_ == &editor) return;
    TEditor* previous = enteredEditor_;
    enteredEditor_ = &editor;
    if (previous && (previous == &Editor1 || previous == secondEditor_.get())) Editor1Exit(*previous);
    Editor1Enter(editor);
}

void TVellumoMainForm::EditorFocusOut(TEditor& editor, HWND to)
{
    if (enteredEditor_ != &editor || !to || to == editor.Handle()) return;
    if (GetAncestor(to, GA_ROOT) != Window()) return;
    // Another editor of the form: its focus-in runs this exit first.
    if (to == Editor1.Handle() || (secondEditor_ && to == secondEditor_->Handle())) return;
    enteredEditor_ = nullptr;
    Editor1Exit(editor);
}

void TVellumoMainForm::Editor1Enter(TEditor& sender)
{
    if (IsSplit() && KeyHeld(VK_MENU) && KeyHeld(VK_LBUTTON)) {
        Editor1.SetSelectionMode(smBox);
        secondEditor_->SetSelectionMode(smBox);
    }
    LastEditorHandle = sender.Handle();
    LastEditor = &sender;
}

void TVellumoMainForm::Editor1Exit(TEditor& sender)
{
    if (!IsSplit()) return;
    if (sender.Selected()) sender.CleanSelection();
    if (!KeyHeld(VK_MENU)) {
        Editor1.SetSelectionMode(smNormal);
        secondEditor_->SetSelectionMode(smNormal);
    }
}

} // namespace vellumo
