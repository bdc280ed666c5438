#include "classlib/form_win.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "classlib/application_win.h"
#include "classlib/autocomplete.h"
#include "classlib/editframe_win.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

std::vector<TForm*>& LiveForms()
{
    static std::vector<TForm*> forms;
    return forms;
}

TForm::TModalScript& ModalScript()
{
    static TForm::TModalScript script;
    return script;
}

bool g_refuseUnscripted = false;
int g_refusedModal = 0;
HWND g_mainWindow = nullptr;

// Posted to a modal form so that the test script runs inside its loop.
UINT ScriptMessage()
{
    static const UINT msg = RegisterWindowMessageA("VellumoFormModalScript");
    return msg;
}

std::string WindowText(HWND h)
{
    int n = GetWindowTextLengthA(h);
    if (n <= 0) return {};
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(std::max(got, 0)));
    return s;
}

// The edit control under the class name other instances look for.
const char* EditClassName()
{
    static const char* name = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        if (!GetClassInfoExA(nullptr, "EDIT", &wc)) return "EDIT";
        wc.cbSize = sizeof wc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TEdit";
        wc.lpfnWndProc = CenteredEditProc(wc.lpfnWndProc);
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        WNDCLASSEXA existing{};
        existing.cbSize = sizeof existing;
        // The name may already serve another window procedure.
        if (GetClassInfoExA(wc.hInstance, "TEdit", &existing))
            return existing.lpfnWndProc == wc.lpfnWndProc ? "TEdit" : "EDIT";
        return RegisterClassExA(&wc) ? "TEdit" : "EDIT";
    }();
    return name;
}

const char* ProgressClassName()
{
    static const bool ready = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)ready;
    return PROGRESS_CLASSA;
}

TPlaceRect ToPlace(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Disables every visible, enabled top-level window of the thread (and the
// owner) except the form; gives them back in the destructor.
class TDisabledWindows {
public:
    TDisabledWindows(HWND form, HWND owner) : form_(form)
    {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        if (owner && owner != form && IsWindowEnabled(owner) &&
            std::find(windows_.begin(), windows_.end(), owner) == windows_.end())
            windows_.push_back(owner);
        for (HWND w : windows_) EnableWindow(w, FALSE);
    }
    ~TDisabledWindows()
    {
        for (HWND w : windows_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Collect(HWND w, LPARAM self)
    {
        auto* me = reinterpret_cast<TDisabledWindows*>(self);
        if (w != me->form_ && IsWindowVisible(w) && IsWindowEnabled(w)) me->windows_.push_back(w);
        return TRUE;
    }
    HWND form_;
    std::vector<HWND> windows_;
};

} // namespace

// ---- child controls

TWinControlChild::TWinControlChild(TForm& form) : form_(form), id_(form.AddControl(this)) {}

TWinControlChild::~TWinControlChild()
{
    form_.RemoveControl(this);
    if (handle_) {
        HWND h = handle_;
        handle_ = nullptr;
        DestroyWindow(h);
    }
}

HWND TWinControlChild::Handle()
{
    if (!handle_) {
        HWND parent = form_.Handle();  // makes every control of the form
        // A control added after the form's window was made gets its own now.
        if (!handle_ && parent) CreateWindowNow(parent, form_.ChildFont());
    }
    return handle_;
}

LRESULT TWinControlChild::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return handle_ ? SendMessageA(handle_, msg, wParam, lParam) : 0;
}

void TWinControlChild::CreateWindowNow(HWND parent, HFONT font)
{
    if (handle_) return;
    DWORD style = WS_CHILD | ControlStyle();
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    if (tabStop_) style |= WS_TABSTOP;
    HWND h = CreateWindowExA(ControlExStyle(), WindowClass(), caption_.c_str(), style, left_, top_, width_,
                             WindowHeight(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) throw std::runtime_error(std::string("cannot create control of class ") + WindowClass());
    handle_ = h;
    if (font) SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Created();
}

void TWinControlChild::SaveState()
{
    if (handle_) caption_ = WindowText(handle_);
}

std::string TWinControlChild::Caption() const { return handle_ ? WindowText(handle_) : caption_; }

void TWinControlChild::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (handle_) SetWindowTextA(handle_, caption.c_str());
}

bool TWinControlChild::Enabled() const { return handle_ ? IsWindowEnabled(handle_) != FALSE : enabled_; }

void TWinControlChild::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
}

void TWinControlChild::SetVisible(bool visible)
{
    const bool changed = visible != visible_;
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    if (changed) form_.ControlVisibilityChanged();
}

void TWinControlChild::SetTabStop(bool on)
{
    tabStop_ = on;
    RestyleWindow();
}

void TWinControlChild::RestyleWindow()
{
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(0xFFFF | WS_TABSTOP);
    style |= ControlStyle() & 0xFFFF;
    if (tabStop_) style |= WS_TABSTOP;
    SetWindowLongPtrA(handle_, GWL_STYLE, style);
    InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControlChild::SetBounds(int left, int top, int width, int height)
{
    const bool sized = std::max(width, 0) != width_ || std::max(height, 0) != height_;
    left_ = left;
    top_ = top;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (handle_) SetWindowPos(handle_, nullptr, left_, top_, width_, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (sized) Resized();
}

bool TWinControlChild::Focused() const
{
    HWND f = GetFocus();
    return handle_ && f && (f == handle_ || IsChild(handle_, f));
}

void TWinControlChild::SetFocus()
{
    if (HWND h = Handle()) ::SetFocus(h);
}

void TWinControlChild::Repaint()
{
    if (handle_) {
        InvalidateRect(handle_, nullptr, TRUE);
        UpdateWindow(handle_);
    }
}

void TWinControlChild::Changed()
{
    if (OnChange) OnChange();
}

void TWinControlChild::Clicked()
{
    if (OnClick) OnClick();
}

// ---- button

TButton::TButton(TForm& form, const std::string& caption, TModalResult result)
    : TWinControlChild(form), modalResult_(result)
{
    SetCaption(caption);
}

DWORD TButton::ControlStyle() const { return Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

bool TButton::Default() const { return Form().defaultButton_ == this; }

void TButton::SetDefault(bool on)
{
    TForm& f = Form();
    if (on == Default()) return;
    TButton* old = f.defaultButton_;
    f.defaultButton_ = on ? this : nullptr;
    if (old && old != this) old->Send(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    Send(BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::Cancel() const { return Form().cancelButton_ == this; }

void TButton::SetCancel(bool on)
{
    TForm& f = Form();
    if (on) f.cancelButton_ = this;
    else if (f.cancelButton_ == this) f.cancelButton_ = nullptr;
}

void TButton::Click()
{
    if (modalResult_ != mrNone) Form().SetModalResult(modalResult_);
    Clicked();
}

void TButton::Notify(WORD code)
{
    if (code == BN_CLICKED) Click();
}

// ---- label

TLabel::TLabel(TForm& form, const std::string& caption) : TWinControlChild(form)
{
    tabStop_ = false;
    SetCaption(caption);
}

DWORD TLabel::ControlStyle() const
{
    DWORD s = alignment_ == taCenter ? SS_CENTER : alignment_ == taRightJustify ? SS_RIGHT : SS_LEFT;
    if (!showAccelChar_) s |= SS_NOPREFIX;
    return s;
}

void TLabel::SetShowAccelChar(bool on)
{
    showAccelChar_ = on;
    RestyleWindow();
}

void TLabel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    RestyleWindow();
}

// ---- edit

TEdit::TEdit(TForm& form, const std::string& text) : TWinControlChild(form)
{
    SetCaption(text);
}

const char* TEdit::WindowClass() const { return EditClassName(); }

DWORD TEdit::ControlStyle() const
{
    return ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
}

void TEdit::Created()
{
    if (maxLength_ > 0) Send(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TEdit::SetMaxLength(int n)
{
    maxLength_ = std::max(n, 0);
    Send(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TEdit::SetReadOnly(bool on)
{
    readOnly_ = on;
    Send(EM_SETREADONLY, on);
}

void TEdit::SelectAll() { Send(EM_SETSEL, 0, -1); }

void TEdit::Notify(WORD code)
{
    if (code == EN_CHANGE) Changed();
}

// ---- check box

TCheckBox::TCheckBox(TForm& form, const std::string& caption) : TWinControlChild(form)
{
    SetCaption(caption);
}

bool TCheckBox::Checked() const
{
    return HandleAllocated() ? Send(BM_GETCHECK) == BST_CHECKED : checked_;
}

void TCheckBox::SetChecked(bool on)
{
    checked_ = on;
    Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckBox::Created() { Send(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED); }

void TCheckBox::SaveState()
{
    TWinControlChild::SaveState();
    checked_ = Send(BM_GETCHECK) == BST_CHECKED;
}

void TCheckBox::Notify(WORD code)
{
    if (code == BN_CLICKED) Clicked();
}

// ---- combo box

TComboBox::TComboBox(TForm& form, TComboBoxStyle style) : TWinControlChild(form), style_(style) {}

namespace {
const char* const kComboProp = "VellumoComboBox";
}

TComboBox::~TComboBox()
{
    // The edit outlives this object by a moment: give it its own procedure back.
    if (edit_ && oldEditProc_ && IsWindow(edit_)) {
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldEditProc_));
        RemovePropA(edit_, kComboProp);
    }
}

HWND TComboBox::EditHandle()
{
    if (!HandleAllocated() || style_ == csDropDownList) return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(Handle(), &info) ? info.hwndItem : nullptr;
}

LRESULT CALLBACK TComboBox::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<TComboBox*>(GetPropA(hwnd, kComboProp));
    if (!self || !self->oldEditProc_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC old = self->oldEditProc_;
    if (msg == WM_CHAR || msg == WM_IME_CHAR) {
        ReportFailures([&] {
            // A double-byte character from the input method is no Backspace.
            if (self->OnKeyPress) self->OnKeyPress(msg == WM_CHAR ? static_cast<char>(wParam) : 'A');
        });
        // Control characters (Backspace, Ctrl+V...) never complete.
        const bool was = self->typing_;
        self->typing_ = wParam >= 0x20 && wParam != 0x7F;
        LRESULT r = CallWindowProcA(old, hwnd, msg, wParam, lParam);
        self->typing_ = was;
        return r;
    }
    if (msg == WM_SETTEXT) {
        // Text put in by another program (or by a test driver) is a change the form must see.
        LRESULT r = CallWindowProcA(old, hwnd, msg, wParam, lParam);
        if (!self->completing_) {
            try {
                self->Changed();
            } catch (...) {
                ShowMsg("Internal error", kMsgCaption, kMsgIconError);
            }
        }
        return r;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(hwnd, kComboProp);
        self->oldEditProc_ = nullptr;
        self->edit_ = nullptr;
    }
    return CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

void TComboBox::Complete()
{
    const std::string typed = Caption();
    DWORD start = 0, end = 0;
    Send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // Only typing at the end completes; an edit in the middle stays as it is.
    if (start != end || end != typed.size()) return;
    const std::string full = CompleteFromItems(typed, items_);
    if (full.empty() || full.size() > 0x7FFF) return;
    completing_ = true;
    SetWindowTextA(Handle(), full.c_str());
    completing_ = false;
    Send(CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), full.size()));
}

DWORD TComboBox::ControlStyle() const
{
    // A simple box's list fills the height given (a whole number of items
    // would leave a strip below it that nothing paints).
    const DWORD kind = style_ == csDropDownList ? CBS_DROPDOWNLIST
                       : style_ == csSimple     ? CBS_SIMPLE | CBS_NOINTEGRALHEIGHT
                                                : CBS_DROPDOWN;
    return WS_VSCROLL | CBS_AUTOHSCROLL | kind | ExtraComboStyle();
}

// A simple combo box's list is part of its height; a drop-down's list hangs below.
int TComboBox::WindowHeight() const
{
    return style_ == csSimple ? Height() : Height() + dropDownCount_ * itemHeight_ + 2;
}

void TComboBox::Created()
{
    if (style_ != csDropDownList) {
        edit_ = EditHandle();
        if (edit_) {
            SetPropA(edit_, kComboProp, this);
            oldEditProc_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TComboBox::EditProc)));
        }
    }
    for (const auto& item : items_) Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    LRESULT h = Send(CB_GETITEMHEIGHT, 0);
    if (h > 0 && h != CB_ERR) itemHeight_ = static_cast<int>(h);
    SetBounds(Left(), Top(), Width(), Height());
    if (itemIndex_ >= 0) Send(CB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
}

void TComboBox::SaveState()
{
    TWinControlChild::SaveState();
    itemIndex_ = ItemIndex();
}

void TComboBox::SetItems(const std::vector<std::string>& items)
{
    ClearItems();
    for (const auto& item : items) AddItem(item);
}

void TComboBox::AddItem(const std::string& item)
{
    items_.push_back(item);
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::ClearItems()
{
    items_.clear();
    itemIndex_ = -1;
    Send(CB_RESETCONTENT);
}

int TComboBox::ItemIndex() const
{
    if (!HandleAllocated()) return itemIndex_;
    LRESULT i = Send(CB_GETCURSEL);
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    itemIndex_ = index;
    if (HandleAllocated()) Send(CB_SETCURSEL, static_cast<WPARAM>(index));
    else SetCaption(index >= 0 ? items_[static_cast<std::size_t>(index)] : std::string());
}

std::string TComboBox::Text() const { return Caption(); }

void TComboBox::SetText(const std::string& text)
{
    // A drop-down list shows only its items: the matching one is selected.
    if (style_ == csDropDownList) {
        auto it = std::find(items_.begin(), items_.end(), text);
        SetItemIndex(it == items_.end() ? -1 : static_cast<int>(it - items_.begin()));
        return;
    }
    itemIndex_ = -1;
    // As an edit does: a text set by the program is a change too (enabling rules
    // follow it); the edit's own WM_SETTEXT reports it once the window exists.
    SetCaption(text);
    if (HandleAllocated() && !edit_) Changed();
}

void TComboBox::SetDropDownCount(int n)
{
    dropDownCount_ = std::max(n, 1);
    SetBounds(Left(), Top(), Width(), Height());
}

void TComboBox::Notify(WORD code)
{
    if (code == CBN_SELCHANGE) {
        itemIndex_ = ItemIndex();
        // The edit shows the chosen item only after this notice: make Text() right for the handlers.
        if (style_ != csDropDownList && itemIndex_ >= 0 && itemIndex_ < static_cast<int>(items_.size())) {
            completing_ = true;
            SetWindowTextA(Handle(), items_[static_cast<std::size_t>(itemIndex_)].c_str());
            completing_ = false;
        }
        if (OnSelect) OnSelect();
        Changed();
    } else if (code == CBN_EDITCHANGE) {
        if (completing_) return;
        if (typing_ && autoComplete_) Complete();
        Changed();
    }
}

// ---- progress bar

TProgressBar::TProgressBar(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

const char* TProgressBar::WindowClass() const { return ProgressClassName(); }

void TProgressBar::Created()
{
    Send(PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    Send(PBM_SETPOS, static_cast<WPARAM>(position_));
}

void TProgressBar::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    position_ = std::clamp(position_, min_, max_);
    Send(PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    Send(PBM_SETPOS, static_cast<WPARAM>(position_));
}

void TProgressBar::SetPosition(int position)
{
    position_ = std::clamp(position, min_, max_);
    Send(PBM_SETPOS, static_cast<WPARAM>(position_));
}

// ---- form

TForm::TForm(HWND owner) : owner_(owner)
{
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    LiveForms().push_back(this);
}

TForm::~TForm()
{
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    DestroyHandle();
}

int TForm::AddControl(TWinControlChild* control)
{
    controls_.push_back(control);
    return nextId_++;
}

void TForm::RemoveControl(TWinControlChild* control) noexcept
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (defaultButton_ == control) defaultButton_ = nullptr;
    if (cancelButton_ == control) cancelButton_ = nullptr;
    if (activeControl_ == control) activeControl_ = nullptr;
}

TWinControlChild* TForm::FindControl(HWND window) const
{
    if (!window) return nullptr;
    for (auto* c : controls_)
        if (c->handle_ == window) return c;
    return nullptr;
}

void TForm::SetOwner(HWND owner)
{
    if (owner == owner_) return;
    owner_ = owner;
    if (HandleAllocated()) SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void TForm::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextA(Handle(), caption.c_str());
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    RecreateWnd();
}

void TForm::SetClientSize(int width, int height)
{
    TCreateParams p;
    CreateParams(p);
    DWORD style = p.Style, ex = p.ExStyle;
    if (HandleAllocated()) {
        style = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE));
        ex = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE));
    }
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TForm::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassName = "TForm";
    p.Caption = caption_;
    p.Parent = owner_;
    DWORD style = WS_CLIPCHILDREN | (p.Style & WS_DISABLED);
    DWORD ex = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case bsDialog:
        style |= WS_CAPTION;
        ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsSingle: style |= WS_CAPTION; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsNone: style |= WS_POPUP; break;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
    }
    p.Style = style;
    p.ExStyle = ex;
    if (position_ == poDefault) p.X = p.Y = static_cast<int>(CW_USEDEFAULT);
}

HFONT TForm::ChildFont()
{
    if (!childFont_) childFont_ = std::make_unique<TFont>(Font());
    return FontHandle(*childFont_);
}

void TForm::CreateHandle()
{
    TCustomControl::CreateHandle();
    HWND h = Handle();
    HFONT font = ChildFont();
    for (auto* c : controls_) c->CreateWindowNow(h, font);
}

void TForm::ApplyChildFont()
{
    // The children take the new font before the old one is deleted.
    auto fresh = std::make_unique<TFont>(Font());
    HFONT h = FontHandle(*fresh);
    for (auto* c : controls_)
        if (c->handle_) SendMessageA(c->handle_, WM_SETFONT, reinterpret_cast<WPARAM>(h), TRUE);
    childFont_ = std::move(fresh);
}

void TForm::FontChanged()
{
    ApplyChildFont();
    Invalidate();
}

void TForm::SetActiveControl(TWinControlChild* control)
{
    activeControl_ = control;
    if (control && HandleAllocated() && IsWindowVisible(Handle())) control->SetFocus();
}

void TForm::PlaceByPosition()
{
    RECT r;
    GetWindowRect(Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    TPlacePoint p{r.left, r.top};
    if (position_ == poScreenCenter) {
        p = CenterInArea(w, h, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    } else if (position_ == poOwnerFormCenter) {
        RECT o;
        if (owner_ && GetWindowRect(owner_, &o)) p = CenterInArea(w, h, ToPlace(o));
        else p = CenterInArea(w, h, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    } else {
        return;
    }
    SetBounds(p.X, p.Y, w, h);
}

void TForm::FocusFirstControl()
{
    HWND h = Handle();
    HWND target = nullptr;
    if (activeControl_ && activeControl_->handle_ && IsWindowEnabled(activeControl_->handle_) &&
        IsWindowVisible(activeControl_->handle_))
        target = activeControl_->handle_;
    if (!target) target = GetNextDlgTabItem(h, nullptr, FALSE);
    ::SetFocus(target ? target : h);
}

void TForm::ShowWindowNow()
{
    HWND h = Handle();
    if (IsWindowVisible(h)) {
        SetForegroundWindow(h);
        return;
    }
    PlaceByPosition();
    DoShow();
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    FocusFirstControl();
}

void TForm::Show() { ShowWindowNow(); }

void TForm::Hide()
{
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    ShowWindow(Handle(), SW_HIDE);
    DoHide();
}

void TForm::DoShow()
{
    if (OnShow) OnShow();
}

void TForm::DoHide()
{
    if (OnHide) OnHide();
}

bool TForm::CloseQuery()
{
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(can);
    return can;
}

void TForm::Close()
{
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(action);
    if (action == caHide) Hide();
    else if (action == caMinimize && HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE);
}

// A modal result was set: the form may still refuse to close.
bool TForm::EndModalQuery()
{
    if (!CloseQuery()) return false;
    TCloseAction action = caHide;
    if (OnClose) OnClose(action);
    return action != caNone;
}

TForm::TModalScript TForm::SetModalScript(TModalScript script)
{
    TModalScript old = std::move(ModalScript());
    ModalScript() = std::move(script);
    return old;
}

void TForm::SetRefuseUnscriptedModal(bool on) noexcept { g_refuseUnscripted = on; }
int TForm::RefusedModalCount() noexcept { return g_refusedModal; }

TModalResult TForm::ShowModal()
{
    if (modal_) throw std::logic_error("form is already modal");
    if (HandleAllocated() && IsWindowVisible(Handle())) throw std::logic_error("a visible form cannot become modal");
    if (g_refuseUnscripted && !ModalScript()) {
        ++g_refusedModal;
        return mrCancel;
    }
    HWND h = Handle();
    HWND oldFocus = GetFocus();
    HWND oldActive = GetActiveWindow();
    modalResult_ = mrNone;
    {
        TDisabledWindows disabled(h, owner_);
        // A question asked while the form is up belongs to it: owned by the
        // main window, it would come up behind the form's owner chain.
        struct TEndModal {
            TForm& form;
            void* msgOwner;
            ~TEndModal()
            {
                form.modal_ = false;
                SetMsgOwner(msgOwner);
            }
        } endModal{*this, MsgOwner()};
        SetMsgOwner(h);
        modal_ = true;
        ShowWindowNow();
        if (ModalScript()) PostMessageA(h, ScriptMessage(), 0, 0);
        MSG msg;
        while (modalResult_ == mrNone || !EndModalQuery()) {
            if (modalResult_ != mrNone) modalResult_ = mrNone;  // refused to close
            if (!HandleAllocated()) {
                modalResult_ = mrCancel;
                break;
            }
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
                modalResult_ = mrCancel;
                break;
            }
            if (got == -1) {
                modalResult_ = mrCancel;
                break;
            }
            Application().HandleQueuedMessage(msg);
        }
        // The other windows are enabled again before the form hides, so that
        // the activation returns to them and not to another program.
    }
    if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
        DoHide();
    }
    if (oldActive && IsWindow(oldActive)) SetActiveWindow(oldActive);
    if (oldFocus && IsWindow(oldFocus)) ::SetFocus(oldFocus);
    return modalResult_;
}

void TForm::EscapePressed()
{
    TButton* b = cancelButton_;
    if (b && b->HandleAllocated() && IsWindowEnabled(b->handle_) && IsWindowVisible(b->handle_)) b->Click();
}

LRESULT TForm::DefaultButtonId()
{
    // Enter presses the push button that has the focus, else the default one.
    HWND f = GetFocus();
    if (auto* c = FindControl(f)) {
        if (auto* b = dynamic_cast<TButton*>(c)) return MAKELRESULT(b->Id(), DC_HASDEFID);
    }
    if (defaultButton_ && defaultButton_->handle_) return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
    return 0;
}

void TForm::WndProc(TMessage& m)
{
    if (m.Msg == ScriptMessage()) {
        if (modal_ && ModalScript()) {
            TModalScript script = ModalScript();  // the script may replace itself
            script(*this);
        }
        return;
    }
    switch (m.Msg) {
    case WM_COMMAND: {
        auto ctl = reinterpret_cast<HWND>(m.LParam);
        if (auto* c = FindControl(ctl)) {
            c->Command(m.WParam);
            return;
        }
        if (!ctl && LOWORD(m.WParam) == IDCANCEL) {
            EscapePressed();
            return;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        if (hdr) {
            for (auto* c : controls_)
                if (c->NotifyMessage(*hdr, m.Result)) return;
        }
        break;
    }
    case WM_MEASUREITEM:
    case WM_DRAWITEM: {
        // Found by id: measuring comes while the control's window is being made.
        const UINT id = static_cast<UINT>(m.WParam);
        for (auto* c : controls_) {
            if (id == 0 || static_cast<UINT>(c->Id()) != id) continue;
            const bool done = m.Msg == WM_MEASUREITEM
                                  ? c->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))
                                  : c->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
            if (done) {
                m.Result = TRUE;
                return;
            }
        }
        break;
    }
    case DM_GETDEFID:
        m.Result = DefaultButtonId();
        return;
    case WM_NEXTDLGCTL: {
        // The dialog manager moves the focus this way for a label's
        // mnemonic (Alt+R on "...(&R):" goes to the box after it).
        HWND target = LOWORD(m.LParam) ? reinterpret_cast<HWND>(m.WParam)
                                       : GetNextDlgTabItem(Handle(), GetFocus(), m.WParam != 0);
        if (target && IsChild(Handle(), target)) ::SetFocus(target);
        return;
    }
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(Handle(), f)) lastFocus_ = f;
            DefaultHandler(m);
            return;
        }
        if (!HIWORD(m.WParam)) {  // not minimized
            if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) && IsWindowEnabled(lastFocus_))
                ::SetFocus(lastFocus_);
            else
                FocusFirstControl();
            return;
        }
        break;
    case WM_DESTROY:
        // Children still exist here: keep their values for later reads.
        for (auto* c : controls_) {
            c->SaveState();
            c->WindowGone();
        }
        lastFocus_ = nullptr;
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// ---- keyboard and message loop

bool IsFormDialogMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    for (TForm* f : LiveForms()) {
        if (!f->HandleAllocated()) continue;
        HWND h = f->Handle();
        if (msg.hwnd == h || IsChild(h, msg.hwnd)) {
            if (f->dialogKeys_ && msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
                f->OnCtrlTab) {
                f->OnCtrlTab(GetKeyState(VK_SHIFT) >= 0);
                return true;
            }
            return f->dialogKeys_ && IsDialogMessageA(h, &msg) != FALSE;
        }
    }
    return false;
}

void ProcessMessages() { Application().ProcessMessages(); }

// ---- placement and fonts

void SetMainWindow(HWND window)
{
    g_mainWindow = window;
    SetMsgOwner(window);
}

HWND MainWindow() { return g_mainWindow && IsWindow(g_mainWindow) ? g_mainWindow : nullptr; }

void SetFormFont(TForm& form) { form.Font().SetName("MS UI Gothic"); }

RECT GetWorkArea(HWND window)
{
    if (!window) window = MainWindow();
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HMONITOR mon = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                          : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (mon && GetMonitorInfoA(mon, &mi)) r = mi.rcWork;
    else SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

void PlaceWindowInWorkArea(HWND owner, HWND window, int x, int y)
{
    if (!window) return;
    POINT p{x, y};
    if (owner) ClientToScreen(owner, &p);
    RECT wr;
    if (!GetWindowRect(window, &wr)) return;
    const TPlacePoint at =
        ClampIntoWorkArea({p.x, p.y}, wr.right - wr.left, wr.bottom - wr.top, ToPlace(GetWorkArea(nullptr)));
    SetWindowPos(window, nullptr, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT KeepInsideWorkArea(POINT topLeft, int right, int bottom)
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const TPlacePoint p = ShiftInsideWorkArea({topLeft.x, topLeft.y}, right, bottom, ToPlace(work));
    return POINT{p.X, p.Y};
}

} // namespace vellumo
