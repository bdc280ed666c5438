#pragma once
// The options dialog: fourteen pages of settings. It shows the settings it is
// given, puts its values back into them on OK and on the apply button, and
// leaves saving and applying to its caller (except the apply button that
// keeps the dialog open, which applies through the host at once).
#include <array>

#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "dialogs/options/colorpage_win.h"
#include "dialogs/options/optionbind_win.h"
#include "dialogs/options/optpages_win.h"

namespace vellumo {

class TOptionForm : public TForm {
public:
    // optionPageIndex: the page to open on; the page shown last is written
    // back on every way of closing.
    TOptionForm(HWND owner, TAppSettings& settings, const TOptionHost& host, int& optionPageIndex);

private:
    TAppSettings& settings_;
    const TOptionHost& host_;
    int& OptionPageIndex;

public:
    TPageControl PageControl1{*this};

private:
    TOptionBindings bindings_;
    int pageCount_ = AddPages();  // the pages exist before the page objects fill them
    TPageContext ctx_{*this, PageControl1, bindings_, host_, settings_};

public:
    // In tab order: the pages, then the buttons.
    TBasicPage Basic{ctx_};
    TWindowPage Window{ctx_};
    TViewPage View{ctx_};
    TColorPage Color{*this, PageControl1, opColor};
    TRulerPage Ruler{ctx_};
    TKinsokuPage Kinsoku{ctx_};
    TBrowserPage Browser{ctx_};
    TFilePage File{ctx_};
    TFolderPage Folder{ctx_};
    TBackupPage Backup{ctx_};
    THistoryPage History{ctx_};
    TExtensionPage Extension{ctx_};
    TCodePage Code{ctx_};
    TOtherPage Other{ctx_};
    TButton Button1{*this, "OK", mrOk};
    TButton Button2{*this, "キャンセル", mrCancel};
    TButton btUpdate{*this, "一時反映(&N)", mrYes};

    // Every control into the settings, then the host follows.
    void ApplyControlsToSettings();
    // Takes the values; applies them at once when the button keeps the dialog open.
    void btUpdateClick();
    // The apply button closes the dialog unless the option says otherwise.
    void HaneiBtNoCloseClick();
    const TOptionBindings& Bindings() const noexcept { return bindings_; }
    // The page object of an index (nullptr for the colour page).
    TOptionPage* Page(int index) noexcept;
    TWinControlChild& FirstControl(int index);

protected:
    void CreateParams(TCreateParams& params) override;
    void DoShow() override;
    bool CloseQuery() override;

private:
    int AddPages();
    void LoadControls();
    // Every enabling rule once, as the check boxes stand.
    void RunEnablingHandlers();

    std::array<TOptionPage*, kOptionPageCount> pages_{};
};

// Shows the dialog owned by the main window on optionPageIndex (which it
// updates) and returns mrOk, mrCancel or mrYes (the apply button closed it);
// the caller saves for mrOk and applies for mrOk and mrYes.
TModalResult ShowOptionDialog(TAppSettings& settings, int& optionPageIndex, const TOptionHost& host);

} // namespace vellumo
