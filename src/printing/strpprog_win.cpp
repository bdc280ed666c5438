#include "printing/strpprog_win.h"

namespace vellumo {

const char* const kCaptionCancel = "キャンセル";

namespace {

bool MainWindowVisible()
{
    HWND main = MainWindow();
    return main && IsWindowVisible(main);
}

} // namespace

TFormStrProgress::TFormStrProgress(TStringsPrinter* owner) : TForm(MainWindow()), printerOwner_(owner)
{
    SetFormFont(*this);
    SetCaption("Vellumo");
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    // Printing from the command line has no main window on screen.
    SetPosition(MainWindowVisible() ? poDesigned : poScreenCenter);
    SetClientSize(320, 104);
    Label1.SetBounds(16, 14, 288, 18);
    Label1.SetShowAccelChar(false);
    ProgressBar1.SetBounds(16, 38, 288, 18);
    ProgressBar1.SetRange(0, 100);
    Button1.SetBounds(122, 68, 76, 25);
    Button1.SetCancel(true);
    Button1.OnClick = [this] { cancelled_ = true; };
}

void TFormStrProgress::CreateParams(TCreateParams& p)
{
    TForm::CreateParams(p);
    p.ClassName = "TFormStrProgress";
}

void TFormStrProgress::DoShow()
{
    if (MainWindowVisible()) {
        RECT main, own;
        if (GetWindowRect(MainWindow(), &main) && GetWindowRect(Handle(), &own)) {
            const int w = own.right - own.left, h = own.bottom - own.top;
            POINT p{main.left + 16, main.top + 16};
            p = KeepInsideWorkArea(p, p.x + w, p.y + h);
            SetBounds(p.x, p.y, w, h);
        }
    }
    TForm::DoShow();
}

void TFormStrProgress::UpdatePrintProgress(const std::string& caption, int total, int done)
{
    // Only what changed is redrawn: the pass calls this once per line.
    if (Label1.Caption() != caption) {
        Label1.SetCaption(caption);
        Label1.Repaint();
    }
    const int percent = PrintProgressPercent(total, done);
    if (ProgressBar1.Position() != percent) {
        ProgressBar1.SetPosition(percent);
        ProgressBar1.Repaint();
    }
    ProcessMessages();
}

bool TFormStrProgress::Update(const std::string& caption, int total, int done)
{
    UpdatePrintProgress(caption, total, done);
    return !cancelled_;
}

std::unique_ptr<TFormStrProgress> ShowPrintProgress(TStringsPrinter& owner, const std::string& caption)
{
    auto form = std::make_unique<TFormStrProgress>(&owner);
    form->Label1.SetCaption(caption);
    form->ProgressBar1.SetPosition(0);
    form->Show();
    return form;
}

} // namespace vellumo
