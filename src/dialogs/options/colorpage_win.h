#pragma once
// The page "色" of the options dialog: the colours of [Color] and the
// colour-settings files. The values live in a TAppColors beside the list
// (a list view under Wine cannot keep text in a column beyond its third);
// nothing reaches the settings before the dialog takes its values.
#include <windows.h>

#include <functional>
#include <string>

#include "classlib/colorcombo_win.h"
#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "dialogs/options/optpages_win.h"
#include "settings/settings.h"

namespace vellumo {

class TFileDialog;

// The colour list: no column headers, and a row losing the selection is reported too.
class TColorListView : public TListView {
public:
    using TListView::TListView;
    std::function<void()> OnDeselect;

protected:
    DWORD ControlStyle() const override;
    bool NotifyMessage(NMHDR& hdr, LRESULT& result) override;
};

class TColorPage {
public:
    // Makes its controls on the form and adds them to the page.
    TColorPage(TForm& form, TPageControl& pages, int page);
    TColorPage(const TColorPage&) = delete;
    TColorPage& operator=(const TColorPage&) = delete;

    // The dialog's host and settings (the file dialogs' sizing); both
    // outlive the page.
    void Attach(const TOptionHost& host, const TAppSettings& settings);
    // Places the controls inside the page's display rectangle.
    void Layout(const RECT& area);
    // Fills the rows, selects and focuses the first.
    void Load(const TAppColors& colors);
    // Writes the [Color] values back.
    void Store(TAppColors& colors);
    // The colour list, for the page's first focus.
    TWinControlChild& FirstControl();

    const TAppColors& Colors() const noexcept { return colors_; }
    // Every row from a colour-settings file; a file that cannot be read is
    // reported once and changes nothing.
    bool LoadColorFile(const std::string& path);
    // False (reported once) when the file could not be written.
    bool SaveColorFile(const std::string& path);

    // In tab order.
    TColorListView ColorListView;
    TColorComboBox ColorComboBox1;
    TButton Button23;
    TCheckBox KwdCheckBox;
    TCheckBox KwdCaseCheckBox;
    TButton KwdButton;
    TButton Button25;
    TButton Button7;
    TButton Button8;

private:
    // Appends the next row: its caption, the colour's text and, on a keyword
    // row, its switches as the page holds them.
    void AddColorRow(const std::string& caption, TColor color);
    void ColorListViewChange();
    void ColorComboBox1Change();
    void Button23Click();
    void SwitchClicked();
    void KwdButtonClick();
    void Button25Click();
    void Button7Click();
    void Button8Click();
    void ShowAllRows();
    void ShowRow(int row);
    std::string SettingsFolder() const;
    // The dialog's own open and save dialogs.
    bool RunFileDialog(TFileDialog& dialog, const char* title);

    TForm& form_;
    const TOptionHost* host_ = nullptr;
    const TAppSettings* settings_ = nullptr;
    TAppColors colors_;
};

} // namespace vellumo
