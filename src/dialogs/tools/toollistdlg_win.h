#pragma once
// The tool list dialog (tests reach its controls through the modal script).
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "classlib/menu_win.h"
#include "classlib/statusbar_win.h"
#include "settings/tools.h"

namespace vellumo {

class TMemIniFile;

// The list without clickable column headers.
class TToolListView : public TListView {
public:
    using TListView::TListView;

protected:
    DWORD ControlStyle() const override { return TListView::ControlStyle() | LVS_NOSORTHEADER; }
};

// Its first item is drawn as the default one.
class TToolListPopup : public TPopupMenu {
public:
    void DoPopup() override;
};

class TOptionToolFrm : public TForm {
public:
    // settingsPath: the file whose [Tools] and [ToolWindow] the dialog shows.
    TOptionToolFrm(HWND owner, std::string settingsPath);
    ~TOptionToolFrm() override;

    // The rows as entries, in order.
    std::vector<TAppTool> Tools() const;
    // Writes the rows to [Tools]; throws std::runtime_error when the file
    // could not be written.
    void SaveToolList() const;
    // Writes [ToolWindow] (size, maximized, column widths); failures are ignored.
    void SaveWindowState() noexcept;

    void InsertClick();
    void CopyClick();
    void EditClick();
    void DeleteClick();
    void MoveClick(int delta);

    TToolListView ListView1{*this};
    TButton InsertBtn{*this, "追加(&I)..."};
    TButton CopyBtn{*this, "複製(&C)"};
    TButton EditBtn{*this, "編集(&E)..."};
    TButton DeleteBtn{*this, "削除(&D)"};
    TButton UpBtn{*this, "上へ(&U)"};
    TButton DownBtn{*this, "下へ(&O)"};
    TButton OKBtn{*this, "OK", mrOk};
    TButton CancelBtn{*this, "キャンセル", mrCancel};
    TStatusBar StatusBar1;
    TToolListPopup PopupMenu1;

protected:
    void DoShow() override;
    void DoHide() override;
    void Resize() override;
    void WndProc(TMessage& msg) override;

private:
    void LoadToolList(const TMemIniFile& ini);
    bool ListKey(TShortCut key);

    std::string path_;
    bool maximized_ = false;
};

} // namespace vellumo
