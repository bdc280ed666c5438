#pragma once
// Top-level windows of the program (dialogs, the progress window, the
// preview) with standard child controls, the keyboard of a dialog and a
// modal loop of their own: any modal result can end it, and the controls
// keep their values after the form has closed. Windows only; GUI thread only.
//
// A dialog derives from TForm, holds its controls as members (declared in
// tab order), sets them up in its constructor and places itself in DoShow:
//
//   class TJumpDialog : public TForm {
//   public:
//       explicit TJumpDialog(HWND owner) : TForm(owner)
//       {
//           SetFormFont(*this);
//           SetBorderStyle(bsDialog);
//           SetClientSize(260, 90);
//           Line.SetBounds(...);
//           Ok.SetDefault(true);
//           Cancel.SetCancel(true);
//       }
//       TEdit Line{*this};
//       TButton Ok{*this, "OK", mrOk};
//       TButton Cancel{*this, "...", mrCancel};
//   protected:
//       void DoShow() override { PlaceWindowInWorkArea(Owner(), Handle(), 24, 24); TForm::DoShow(); }
//   };
//
//   TJumpDialog dlg(MainWindow());
//   if (dlg.ShowModal() == mrOk) use(dlg.Line.Text());
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/borderstyle.h"
#include "classlib/control_win.h"
#include "classlib/formplace.h"

namespace vellumo {

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;


using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1;
constexpr TBorderIcons biMinimize = 2;
constexpr TBorderIcons biMaximize = 4;

// Where a form appears when it is shown: where its bounds say, where the
// system puts new windows, centred on the screen, or centred on its owner.
enum TPosition { poDesigned, poDefault, poScreenCenter, poOwnerFormCenter };

// What closing a modeless form does (OnClose may change it).
enum TCloseAction { caNone, caHide, caMinimize };

class TForm;

// A standard Windows control on a form. Its values are kept in the object
// too, so they can be set before the window exists and read after it is
// gone. The form makes the window together with its own; the tab order is
// the order of construction.
class TWinControlChild {
public:
    explicit TWinControlChild(TForm& form);
    TWinControlChild(const TWinControlChild&) = delete;
    TWinControlChild& operator=(const TWinControlChild&) = delete;
    virtual ~TWinControlChild();

    TForm& Form() const noexcept { return form_; }
    // The window (the form's window is made first when needed).
    HWND Handle();
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }
    int Id() const noexcept { return id_; }

    // The window text (an edit's or a combo box's text).
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Enabled() const;
    virtual void SetEnabled(bool enabled);
    bool Visible() const noexcept { return visible_; }
    virtual void SetVisible(bool visible);
    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool on);

    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetBounds(int left, int top, int width, int height);

    bool Focused() const;
    void SetFocus();
    // Draws pending changes now.
    void Repaint();

    std::function<void()> OnClick;
    std::function<void()> OnChange;

protected:
    virtual const char* WindowClass() const = 0;
    virtual DWORD ControlStyle() const = 0;
    virtual DWORD ControlExStyle() const { return 0; }
    // The window is made: push the values kept in the object.
    virtual void Created() {}
    // The window is about to go: keep what the user may have changed.
    virtual void SaveState();
    // WM_COMMAND notification codes from the control.
    virtual void Notify(WORD code) { (void)code; }
    // WM_COMMAND from the control, whole: the default hands the code to Notify.
    virtual void Command(WPARAM wParam) { Notify(HIWORD(wParam)); }
    // WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn control; true when handled.
    // Measuring may come while the window is being made, before Handle() is set.
    virtual bool MeasureItem(MEASUREITEMSTRUCT& mis)
    {
        (void)mis;
        return false;
    }
    virtual bool DrawItem(const DRAWITEMSTRUCT& dis)
    {
        (void)dis;
        return false;
    }
    // WM_NOTIFY arriving at the form (offered to every control); true when
    // handled, with the result set.
    virtual bool NotifyMessage(NMHDR& hdr, LRESULT& result)
    {
        (void)hdr;
        (void)result;
        return false;
    }
    // SetBounds changed the size.
    virtual void Resized() {}
    // The window's height (a combo box adds its drop-down list).
    virtual int WindowHeight() const { return height_; }
    void Changed();
    void Clicked();
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void RestyleWindow();

private:
    friend class TForm;
    void CreateWindowNow(HWND parent, HFONT font);
    void WindowGone() noexcept { handle_ = nullptr; }

    TForm& form_;
    HWND handle_ = nullptr;
    int id_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;

protected:
    bool tabStop_ = true;

private:
    int left_ = 0, top_ = 0, width_ = 75, height_ = 25;
};

// A push button; a click sets the form's modal result (when the button has
// one) before OnClick runs, so OnClick may set it back to mrNone.
class TButton : public TWinControlChild {
public:
    TButton(TForm& form, const std::string& caption = {}, TModalResult result = mrNone);
    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult result) noexcept { modalResult_ = result; }
    // Enter presses the default button (unless another push button has the
    // focus); Esc presses the cancel button. One of each per form.
    bool Default() const;
    void SetDefault(bool on);
    bool Cancel() const;
    void SetCancel(bool on);
    // What a press does: modal result, then OnClick.
    virtual void Click();

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD ControlStyle() const override;
    void Notify(WORD code) override;

private:
    TModalResult modalResult_;
};

class TLabel : public TWinControlChild {
public:
    enum TAlignment { taLeftJustify, taCenter, taRightJustify };
    TLabel(TForm& form, const std::string& caption = {});
    // "&" marks the next character as the access key (on by default).
    bool ShowAccelChar() const noexcept { return showAccelChar_; }
    void SetShowAccelChar(bool on);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD ControlStyle() const override;

private:
    bool showAccelChar_ = true;
    TAlignment alignment_ = taLeftJustify;
};

// A one-line edit; its window class is "TEdit" (other instances find the
// main window's file-name edit by it).
class TEdit : public TWinControlChild {
public:
    explicit TEdit(TForm& form, const std::string& text = {});
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    // 0: no limit.
    int MaxLength() const noexcept { return maxLength_; }
    void SetMaxLength(int n);
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool on);
    void SelectAll();
    // The sunken edge (on by default); set before the window is made.
    bool Border() const noexcept { return border_; }
    void SetBorder(bool on) noexcept { border_ = on; }

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override;
    DWORD ControlExStyle() const override { return border_ ? WS_EX_CLIENTEDGE : 0; }
    void Created() override;
    void Notify(WORD code) override;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool border_ = true;
};

class TCheckBox : public TWinControlChild {
public:
    TCheckBox(TForm& form, const std::string& caption = {});
    bool Checked() const;
    void SetChecked(bool on);

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD ControlStyle() const override { return BS_AUTOCHECKBOX; }
    void Created() override;
    void SaveState() override;
    void Notify(WORD code) override;

private:
    bool checked_ = false;
};

// csSimple: an edit with its list always shown below it.
enum TComboBoxStyle { csDropDown, csDropDownList, csSimple };

class TComboBox : public TWinControlChild {
public:
    explicit TComboBox(TForm& form, TComboBoxStyle style = csDropDown);
    TComboBoxStyle Style() const noexcept { return style_; }

    const std::vector<std::string>& Items() const noexcept { return items_; }
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& item);
    void ClearItems();
    // -1: nothing selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Text() const;
    // Fires OnChange once the window exists, as an edit's text does.
    void SetText(const std::string& text);
    // The height of the drop-down list, in items.
    int DropDownCount() const noexcept { return dropDownCount_; }
    void SetDropDownCount(int n);
    // A list item was chosen (OnChange also fires on typing).
    std::function<void()> OnSelect;
    // A character typed into the edit, before it takes effect (may change AutoComplete).
    std::function<void(char key)> OnKeyPress;
    // Whether a typed character completes the text from the items (CompleteFromItems,
    // the rest selected). Only typed characters complete: deleting and pasting never do.
    bool AutoComplete() const noexcept { return autoComplete_; }
    void SetAutoComplete(bool on) noexcept { autoComplete_ = on; }
    // The edit inside a drop-down combo (nullptr without one).
    HWND EditHandle();
    ~TComboBox() override;

protected:
    const char* WindowClass() const override { return "COMBOBOX"; }
    DWORD ControlStyle() const override;
    // Added to the combo box's style (an owner-drawn list adds its flags).
    virtual DWORD ExtraComboStyle() const { return 0; }
    void Created() override;
    void SaveState() override;
    void Notify(WORD code) override;
    int WindowHeight() const override;

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Complete();

    TComboBoxStyle style_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    bool autoComplete_ = true;
    bool typing_ = false;      // inside a typed character's processing
    bool completing_ = false;
    HWND edit_ = nullptr;
    WNDPROC oldEditProc_ = nullptr;
};

class TProgressBar : public TWinControlChild {
public:
    explicit TProgressBar(TForm& form);
    int Min() const noexcept { return min_; }
    int Max() const noexcept { return max_; }
    void SetRange(int min, int max);
    int Position() const noexcept { return position_; }
    // Clamped to Min..Max.
    void SetPosition(int position);

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override { return 0; }
    void Created() override;

private:
    int min_ = 0, max_ = 100, position_ = 0;
};

class TForm : public TCustomControl {
public:
    // owner: the window the form stays above and that a modal form disables.
    explicit TForm(HWND owner = nullptr);
    ~TForm() override;

    HWND Owner() const noexcept { return owner_; }
    void SetOwner(HWND owner);
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);
    TFormBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const noexcept { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const noexcept { return position_; }
    void SetPosition(TPosition position) noexcept { position_ = position; }
    // Sizes the window so that its client area is width x height.
    void SetClientSize(int width, int height);

    TModalResult ModalResult() const noexcept { return modalResult_; }
    // While the form is modal, a result other than mrNone ends the loop.
    void SetModalResult(TModalResult result) noexcept { modalResult_ = result; }
    // Shows the form and runs messages until a modal result is set; the
    // other windows of the thread are disabled meanwhile and enabled again
    // afterwards, and the focus goes back where it was. The form is hidden,
    // not destroyed, so its controls can still be read.
    TModalResult ShowModal();
    bool Modal() const noexcept { return modal_; }
    // Modeless: placed by Position, OnShow, then shown and activated.
    void Show();
    void Hide();
    // Modal: ends with mrCancel. Modeless: OnCloseQuery, OnClose, then hidden.
    virtual void Close();

    TButton* DefaultButton() const noexcept { return defaultButton_; }
    TButton* CancelButton() const noexcept { return cancelButton_; }
    // The control that takes the focus when the form is shown.
    TWinControlChild* ActiveControl() const noexcept { return activeControl_; }
    void SetActiveControl(TWinControlChild* control);
    const std::vector<TWinControlChild*>& Controls() const noexcept { return controls_; }
    TWinControlChild* FindControl(HWND window) const;

    std::function<void()> OnShow;
    std::function<void()> OnHide;
    // Ctrl+Tab (forward) and Ctrl+Shift+Tab in a dialog form (a page control takes it).
    std::function<void(bool forward)> OnCtrlTab;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(TCloseAction& action)> OnClose;

    // Tests: a script run inside every modal loop just after the form shows
    // (it may set controls, post keys or clicks, or set the modal result).
    // Returns the script installed before.
    using TModalScript = std::function<void(TForm& form)>;
    static TModalScript SetModalScript(TModalScript script);
    // Tests: with no script installed, ShowModal returns mrCancel at once
    // without showing anything, and counts the refusal.
    static void SetRefuseUnscriptedModal(bool on) noexcept;
    static int RefusedModalCount() noexcept;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void WndProc(TMessage& msg) override;
    void FontChanged() override;
    // Before the form appears (each time it is shown), after the Position
    // placement: the place for a derived form's own placement.
    virtual void DoShow();
    virtual void DoHide();
    // True when the form may close (OnCloseQuery).
    virtual bool CloseQuery();
    // A child control was shown or hidden (a form that lays its controls
    // out does it again).
    virtual void ControlVisibilityChanged() {}
    // Whether the pump gives the form's keys dialog navigation (Tab, arrows,
    // Enter, Esc, access keys); a main window turns it off.
    void SetDialogKeys(bool on) noexcept { dialogKeys_ = on; }

private:
    friend class TWinControlChild;
    friend class TButton;
    int AddControl(TWinControlChild* control);
    void RemoveControl(TWinControlChild* control) noexcept;
    HFONT ChildFont();
    void ApplyChildFont();
    void PlaceByPosition();
    void ShowWindowNow();
    void FocusFirstControl();
    bool EndModalQuery();
    void EscapePressed();
    LRESULT DefaultButtonId();

    friend bool IsFormDialogMessage(MSG& msg);
    HWND owner_;
    bool dialogKeys_ = true;
    std::string caption_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    std::vector<TWinControlChild*> controls_;
    int nextId_ = 100;
    TButton* defaultButton_ = nullptr;
    TButton* cancelButton_ = nullptr;
    TWinControlChild* activeControl_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::unique_ptr<TFont> childFont_;  // the font the child windows hold
};

// The keyboard of the forms for any message loop of the thread: Tab and
// Shift+Tab, arrows, access keys, Enter and Esc. True when the message was
// handled (the caller then does not dispatch it).
bool IsFormDialogMessage(MSG& msg);
// Runs every pending message of the thread through the application's pump
// (TApplication::HandleQueuedMessage). A quit message is put back for the
// main loop.
void ProcessMessages();

// The program's main window: owner of the dialogs and of message boxes.
void SetMainWindow(HWND window);
HWND MainWindow();

// The form font of every dialog, progress window and preview.
void SetFormFont(TForm& form);
// The work rectangle of the monitor showing a window (nullptr: the main
// window; without one, the primary monitor).
RECT GetWorkArea(HWND window);
// Puts the window's top-left at the client point (x, y) of owner, clamped
// into the work area of the main window's monitor (ClampIntoWorkArea); not
// resized, Z order kept.
void PlaceWindowInWorkArea(HWND owner, HWND window, int x, int y);
// ShiftInsideWorkArea with the primary work area.
POINT KeepInsideWorkArea(POINT topLeft, int right, int bottom);

} // namespace vellumo
