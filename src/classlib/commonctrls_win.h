#pragma once
// Common controls on a form: the up-down beside a number edit, the report
// list view, the tab control that shows one page of controls at a time, and
// the hot-key box. Like the standard controls they keep their values in the
// object, so a dialog can be filled before it shows and read after it closed.
#include <windows.h>

#include <string>
#include <vector>

#include "base/shortcut.h"
#include "classlib/form_win.h"

namespace vellumo {

// An up-down bound to an edit (its buddy), placed at the edit's right edge.
// The value is the up-down's position, kept in Min..Max whatever the edit
// holds: typed text that is not a number leaves the last position, a number
// outside the range is taken to the nearest end.
class TUpDown : public TWinControlChild {
public:
    TUpDown(TForm& form, TEdit& buddy, int min = 0, int max = 100);
    // Beside a drop-down combo box, which keeps its arrow: the up-down stays
    // where SetBounds puts it and the combo's text is the number.
    TUpDown(TForm& form, TComboBox& buddy, int min = 0, int max = 100);

    int Min() const noexcept { return min_; }
    int Max() const noexcept { return max_; }
    void SetRange(int min, int max);
    int Increment() const noexcept { return increment_; }
    void SetIncrement(int step);
    // Reads the edit first, so a typed value counts; the edit is rewritten
    // when what it held was not the position.
    int Position();
    void SetPosition(int position);
    void SetEnabled(bool enabled) override;

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override;
    void Created() override;
    bool NotifyMessage(NMHDR& hdr, LRESULT& result) override;

private:
    void Attach();

    TWinControlChild& buddy_;
    bool alongside_;  // not aligned inside the buddy
    int min_, max_;
    int increment_ = 1;
    int position_;
};

// A report-style list view, one row selected at a time. The rows' texts are
// kept here too (every column, whatever the control can show).
class TListView : public TWinControlChild {
public:
    explicit TListView(TForm& form);

    void AddColumn(const std::string& caption, int width);
    int ColumnCount() const noexcept { return static_cast<int>(columns_.size()); }
    // The widths as the user left them.
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    int RowCount() const noexcept { return static_cast<int>(rows_.size()); }
    // Returns the new row's index; missing cells are empty.
    int AddRow(const std::vector<std::string>& cells);
    void InsertRow(int index, const std::vector<std::string>& cells);
    void DeleteRow(int index);
    void ClearRows();
    const std::vector<std::string>& Row(int index) const;
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);

    // -1: none. Selecting also focuses the row and scrolls it into view.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // The selection moved (also by the program).
    std::function<void()> OnSelect;
    std::function<void()> OnDblClick;
    // A right click or the menu key, at screen point (x, y).
    std::function<void(int x, int y)> OnContextPopup;

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override;
    DWORD ControlExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Created() override;
    void SaveState() override;
    bool NotifyMessage(NMHDR& hdr, LRESULT& result) override;

private:
    struct TColumn {
        std::string Caption;
        int Width;
    };
    void PushRow(int index);
    void PushCell(int row, int column);

    std::vector<TColumn> columns_;
    std::vector<std::vector<std::string>> rows_;
    int itemIndex_ = -1;
};

// Tabs over pages of controls: a control given to a page is shown only while
// that page is active. Create the page control before the controls it holds
// (it then lies beneath them); Ctrl+Tab and Ctrl+Shift+Tab turn the pages.
class TPageControl : public TWinControlChild {
public:
    explicit TPageControl(TForm& form);

    // Tabs in as many rows as they need instead of one scrolled row; set
    // before the window is made.
    bool MultiLine() const noexcept { return multiLine_; }
    void SetMultiLine(bool on) noexcept { multiLine_ = on; }

    int AddPage(const std::string& caption);
    int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    const std::string& PageCaption(int page) const { return pages_.at(static_cast<std::size_t>(page)).Caption; }
    void AddToPage(int page, TWinControlChild& control);
    void AddToPage(int page, std::initializer_list<TWinControlChild*> controls);
    int PageOf(const TWinControlChild& control) const;

    int ActivePage() const noexcept { return active_; }
    // Shows the page's controls and hides the others'; fires OnChange.
    void SetActivePage(int page);
    // The rectangle inside the tabs where a page's controls go (form coordinates).
    RECT DisplayRect();
    // Ctrl+Tab: the next page (back with Shift), wrapping around.
    void TurnPage(bool forward);

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override;
    void Created() override;
    bool NotifyMessage(NMHDR& hdr, LRESULT& result) override;

private:
    struct TPage {
        std::string Caption;
        std::vector<TWinControlChild*> Controls;
    };
    void ShowActive();

    std::vector<TPage> pages_;
    int active_ = 0;
    bool multiLine_ = false;
};

// The hot-key box: the key combination pressed in it, as a menu shortcut.
class THotKey : public TWinControlChild {
public:
    explicit THotKey(TForm& form);
    TShortCut HotKey() const;
    void SetHotKey(TShortCut key);

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override { return 0; }
    DWORD ControlExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Created() override;
    void SaveState() override;

private:
    TShortCut key_ = 0;
};

// The hot-key control's value (virtual key, HOTKEYF_* modifiers) and back.
TShortCut HotKeyToShortCut(WORD hotKey) noexcept;
WORD ShortCutToHotKey(TShortCut key) noexcept;

} // namespace vellumo
