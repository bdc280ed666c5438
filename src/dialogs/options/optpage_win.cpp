// What the pages share: taking their controls, placing them, the folder buttons.
#include "dialogs/folder/browsefolder_win.h"
#include "editor/editorhost.h"
#include "dialogs/options/optpages_win.h"

namespace vellumo {

TOptionPage::TOptionPage(TPageContext& context, int page)
    : form_(context.Form), ctx_(context), page_(page), first_(context.Form.Controls().size())
{
}

void TOptionPage::TakeNewControls()
{
    const auto& all = form_.Controls();
    for (std::size_t i = first_; i < all.size(); ++i) ctx_.Pages.AddToPage(page_, *all[i]);
}

void TOptionPage::Origin(const RECT& area)
{
    x0_ = area.left;
    y0_ = area.top;
    width_ = area.right - area.left;
}

void TOptionPage::Put(TWinControlChild& c, int x, int y, int w, int h) { c.SetBounds(x0_ + x, y0_ + y, w, h); }

TOptionEnabling TOptionPage::Enabling() const
{
    TOptionChecks c;
    c.Mode = ctx_.Host.EditMode;
    c.WinXpOrLater = EditorHostValues().IsWinXPOrLater;
    Gather(c);
    return OptionEnabling(c);
}

bool TOptionPage::BrowseFolder(TBrowseFolderDlg& dialog)
{
    return ctx_.Host.BrowseFolder ? ctx_.Host.BrowseFolder(dialog) : dialog.Execute();
}

void TOptionPage::FolderButton(TButton& button, TEdit& edit, const char* line, bool startAtEdit, bool append)
{
    button.OnClick = [this, &edit, line, startAtEdit, append] {
        TBrowseFolderDlg dialog(form_.Handle());
        dialog.Caption = "フォルダの参照";
        dialog.TextLine1 = line;
        if (startAtEdit) dialog.Directory = edit.Text();
        if (!BrowseFolder(dialog)) return;
        edit.SetText(append ? AppendFolder(edit.Text(), dialog.Directory) : dialog.Directory);
    };
}

void TExitComboBox::Notify(WORD code)
{
    if (code == CBN_KILLFOCUS && OnExit) OnExit();
    TComboBox::Notify(code);
}

} // namespace vellumo
