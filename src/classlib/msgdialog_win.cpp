// The confirmation form with Yes, No, Cancel and All.
#include <windows.h>

#include <algorithm>

#include "classlib/canvas_win.h"
#include "classlib/form_win.h"
#include "classlib/msgdialog.h"

namespace vellumo {

namespace {

class TIconImage : public TWinControlChild {
public:
    explicit TIconImage(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD ControlStyle() const override { return SS_ICON; }
    void Created() override { Send(STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_QUESTION))); }
};

// The size the text needs in the form's font, wrapped at maxWidth.
SIZE MeasureText(TForm& form, const std::string& text, int maxWidth, UINT format)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontHandle(form.Font()));
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

class TConfirmAllForm : public TForm {
public:
    TConfirmAllForm(const std::string& text, const std::string& caption) : TForm(MainWindow())
    {
        SetFormFont(*this);
        SetBorderStyle(bsDialog);
        SetBorderIcons(biSystemMenu);
        SetCaption(caption);
        SetPosition(poScreenCenter);
        Yes.SetDefault(true);
        Cancel.SetCancel(true);
        Message.SetCaption(text);
        Message.SetShowAccelChar(false);
        Layout(text);
    }

    TIconImage Icon{*this};
    TLabel Message{*this};
    TButton Yes{*this, "はい(&Y)", 6};
    TButton No{*this, "いいえ(&N)", 7};
    TButton Cancel{*this, "キャンセル", 2};
    TButton All{*this, "すべて(&A)", kAnswerAll};

protected:
    void DoShow() override
    {
        if (const TDialogPlacer& place = PendingConfirmPlacer()) {
            RECT r;
            GetWindowRect(Handle(), &r);
            const TDialogPoint p = place(r.right - r.left, r.bottom - r.top);
            SetWindowPos(Handle(), nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        TForm::DoShow();
    }

private:
    void Layout(const std::string& text)
    {
        const int margin = 12, icon = 32, gap = 8, buttonH = 25;
        const SIZE t = MeasureText(*this, text.empty() ? " " : text, GetSystemMetrics(SM_CXSCREEN) / 2,
                                   DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        TButton* buttons[] = {&Yes, &No, &Cancel, &All};
        int buttonW = 75;
        for (TButton* b : buttons)
            buttonW = std::max<int>(buttonW, MeasureText(*this, b->Caption(), 1000, DT_SINGLELINE).cx + 20);
        const int rowW = 4 * buttonW + 3 * gap;
        const int textLeft = margin + icon + margin;
        const int width = std::max<int>(textLeft + t.cx + margin, rowW + 2 * margin);
        const int bodyH = std::max<int>(icon, t.cy);
        Icon.SetBounds(margin, margin, icon, icon);
        Message.SetBounds(textLeft, margin + (bodyH - t.cy) / 2, t.cx + 2, t.cy);
        const int top = margin + bodyH + 16;
        int left = (width - rowW) / 2;
        for (TButton* b : buttons) {
            b->SetBounds(left, top, buttonW, buttonH);
            left += buttonW + gap;
        }
        SetClientSize(width, top + buttonH + margin);
    }
};

} // namespace

int ShowConfirmAllForm(const std::string& text, const std::string& caption)
{
    TConfirmAllForm form(text, caption);
    const TModalResult r = form.ShowModal();
    return r == 6 || r == 7 || r == kAnswerAll ? r : 2;
}

} // namespace vellumo
