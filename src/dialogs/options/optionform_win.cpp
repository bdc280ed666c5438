#include "dialogs/options/optionform_win.h"

#include <memory>

#include "classlib/screen_win.h"
#include "dialogs/common/dialoghost.h"

namespace vellumo {

namespace {

constexpr int kMargin = 8;
constexpr int kPagesW = 484, kPagesH = 388;
constexpr int kButtonW = 82, kButtonH = 25, kButtonGap = 6;

} // namespace

TOptionForm::TOptionForm(HWND owner, TAppSettings& settings, const TOptionHost& host, int& optionPageIndex)
    : TForm(owner), settings_(settings), host_(host), OptionPageIndex(optionPageIndex)
{
    SetCaption("オプション");
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    pages_ = {&Basic, &Window, &View,   nullptr,    &Ruler,     &Kinsoku, &Browser,
              &File,  &Folder, &Backup, &History, &Extension, &Code,    &Other};
    PageControl1.SetMultiLine(true);
    PageControl1.SetBounds(kMargin, kMargin, kPagesW, kPagesH);
    const int by = kMargin + kPagesH + kMargin;
    const int right = kMargin + kPagesW;
    btUpdate.SetBounds(right - kButtonW, by, kButtonW, kButtonH);
    Button2.SetBounds(right - 2 * kButtonW - kButtonGap, by, kButtonW, kButtonH);
    Button1.SetBounds(right - 3 * kButtonW - 2 * kButtonGap, by, kButtonW, kButtonH);
    Button1.SetDefault(true);
    Button2.SetCancel(true);
    SetClientSize(right + kMargin, by + kButtonH + kMargin);
    Button1.OnClick = [this] { ApplyControlsToSettings(); };
    btUpdate.OnClick = [this] { btUpdateClick(); };
    Other.HaneiBtNoClose.OnClick = [this] { HaneiBtNoCloseClick(); };
    Color.Attach(host_, settings_);
    // The tabs take their rows once the window exists; the pages go inside them.
    Handle();
    const RECT area = PageControl1.DisplayRect();
    for (TOptionPage* p : pages_)
        if (p) p->Layout(area);
    Color.Layout(area);
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

int TOptionForm::AddPages()
{
    for (const char* caption : kOptionPageCaptions) PageControl1.AddPage(caption);
    return PageControl1.PageCount();
}

void TOptionForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // The program's file-dialog placement finds the dialog by its class.
    params.ClassName = "TOptionForm";
}

TOptionPage* TOptionForm::Page(int index) noexcept
{
    return index >= 0 && index < kOptionPageCount ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

TWinControlChild& TOptionForm::FirstControl(int index)
{
    if (index == opColor) return Color.FirstControl();
    TOptionPage* p = Page(index);
    return p ? p->FirstControl() : Basic.FirstControl();
}

void TOptionForm::DoShow()
{
    PlaceWindowInWorkArea(MainWindow(), Handle(), 16, 16);
    Window.SetWorkArea(GetWorkArea(MainWindow()));
    const int page = ValidOptionPage(OptionPageIndex);
    PageControl1.SetActivePage(page);
    LoadControls();
    SetActiveControl(&FirstControl(page));
    RunEnablingHandlers();
    HaneiBtNoCloseClick();
    TForm::DoShow();
}

void TOptionForm::LoadControls()
{
    bindings_.Load(settings_);
    for (TOptionPage* p : pages_)
        if (p) p->Load(settings_);
    Color.Load(settings_.Color);
}

void TOptionForm::ApplyControlsToSettings()
{
    bindings_.Store(settings_);
    for (TOptionPage* p : pages_)
        if (p) p->Store(settings_);
    Color.Store(settings_.Color);
    FinishOptionSettings(settings_);
    if (host_.SettingsTaken) host_.SettingsTaken();
}

bool TOptionForm::CloseQuery()
{
    OptionPageIndex = PageControl1.ActivePage();
    return TForm::CloseQuery();
}

void TOptionForm::btUpdateClick()
{
    ApplyControlsToSettings();
    if (btUpdate.ModalResult() == mrNone && host_.ApplyNow) host_.ApplyNow();
}

void TOptionForm::RunEnablingHandlers()
{
    Basic.StartImeClick();
    Basic.WordWrapClick();
    View.InyouRowClick();
    View.LinkWordClick();
    Window.ToolBarClick();
    Window.UserWindowSizeClick();
    Window.UserWindowPosClick();
    Kinsoku.LeadingClick();
    Kinsoku.FollowPunctuationClick();
    File.ChkFileAgeClick();
    File.CreateNewFileClick();
    Ruler.LeftBarClick();
    Ruler.RulerClick();
    Backup.BackupClick();
    Window.FullPathFileNameClick();
    Folder.DefDirOnClick();
    View.ColLineClick();
    History.NoDirClick();
    Window.StatusBarClick();
    View.FollowEditMode();
}

void TOptionForm::HaneiBtNoCloseClick() { btUpdate.SetModalResult(Other.HaneiBtNoClose.Checked() ? mrNone : mrYes); }

TModalResult ShowOptionDialog(TAppSettings& settings, int& optionPageIndex, const TOptionHost& host)
{
    std::unique_ptr<TOptionForm> form;
    {
        TScreenCursorScope hourglass(crHourGlass);
        form = std::make_unique<TOptionForm>(MainWindow(), settings, host, optionPageIndex);
    }
    return form->ShowModal();
}

} // namespace vellumo
