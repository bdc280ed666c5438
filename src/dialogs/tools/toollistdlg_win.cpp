#include "dialogs/tools/toollistdlg_win.h"

#include <algorithm>
#include <stdexcept>

#include "base/inifile.h"
#include "base/showmsg.h"
#include "classlib/application_win.h"
#include "classlib/cursorindex.h"
#include "classlib/screen_win.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/tools/tooldlg.h"
#include "dialogs/tools/tooleditdlg_win.h"
#include "settings/toolwindow.h"

namespace vellumo {

namespace {

constexpr int kDesignedWidth = 490, kDesignedHeight = 281;  // client area
constexpr int kMinWidth = 498, kMinHeight = 312;             // outer size
constexpr int kGap = 8, kButtonWidth = 88, kButtonHeight = 25, kButtonStep = 30;

} // namespace

void TToolListPopup::DoPopup()
{
    TPopupMenu::DoPopup();
    if (Count() > 0) SetMenuDefaultItem(Handle(), Items(0).Command(), FALSE);
}

TOptionToolFrm::TOptionToolFrm(HWND owner, std::string settingsPath) : TForm(owner), path_(std::move(settingsPath))
{
    SetCaption("ツールの設定");
    SetFormFont(*this);
    SetBorderStyle(bsSizeable);
    SetBorderIcons(biSystemMenu | biMaximize);
    SetClientSize(kDesignedWidth, kDesignedHeight);
    OKBtn.SetDefault(true);
    CancelBtn.SetCancel(true);
    for (std::size_t c = 0; c < kToolListColumns.size(); ++c)
        ListView1.AddColumn(kToolListColumns[c], kToolListColumnWidths[c]);

    InsertBtn.OnClick = [this] { InsertClick(); };
    CopyBtn.OnClick = [this] { CopyClick(); };
    EditBtn.OnClick = [this] { EditClick(); };
    DeleteBtn.OnClick = [this] { DeleteClick(); };
    UpBtn.OnClick = [this] { MoveClick(-1); };
    DownBtn.OnClick = [this] { MoveClick(1); };
    ListView1.OnDblClick = [this] { EditClick(); };
    ListView1.OnContextPopup = [this](int x, int y) { PopupMenu1.Popup(x, y, Handle()); };

    PopupMenu1.Add("編集(E)...", {}, [this](TMenuItem&) { EditClick(); });
    PopupMenu1.Add("削除(&D)", {}, [this](TMenuItem&) { DeleteClick(); });
    PopupMenu1.Add("複製(&C)", {}, [this](TMenuItem&) { CopyClick(); });
    TMenuItem* insert = &PopupMenu1.Add("追加(I)...", {}, [this](TMenuItem&) { InsertClick(); });
    PopupMenu1.AddSeparator();
    PopupMenu1.Add("上へ(&U)", {}, [this](TMenuItem&) { MoveClick(-1); });
    PopupMenu1.Add("下へ(&O)", {}, [this](TMenuItem&) { MoveClick(1); });
    PopupMenu1.OnPopup = [this, insert](TPopupMenu& menu) {
        const bool row = ListView1.ItemIndex() >= 0;
        for (int i = 0; i < menu.Count(); ++i)
            if (&menu.Items(i) != insert) menu.Items(i).SetEnabled(row);
    };

    const TMemIniFile ini(path_);
    const TToolWindowState state = ReadToolWindowState(ini);
    maximized_ = state.Maximized;
    const RECT work = GetWorkArea(nullptr);
    if (state.Width > 0 && state.Height > 0) {
        // A size from the file is kept between the dialog's least and the screen's.
        const int w = std::clamp(state.Width, kMinWidth, std::max<int>(kMinWidth, work.right - work.left));
        const int h = std::clamp(state.Height, kMinHeight, std::max<int>(kMinHeight, work.bottom - work.top));
        SetBounds(Left(), Top(), w, h);
    }
    Handle();
    StatusBar1.SetParentWindow(Handle());
    StatusBar1.HandleNeeded();
    LoadToolList(ini);
    for (int c = 0; c < kToolListColumnCount; ++c) ListView1.SetColumnWidth(c, state.Columns[static_cast<std::size_t>(c)]);
    SetActiveControl(&ListView1);
    Resize();
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

TOptionToolFrm::~TOptionToolFrm()
{
    if (HandleAllocated()) Application().SetShortCutHandler(Handle(), {});
}

void TOptionToolFrm::LoadToolList(const TMemIniFile& ini)
{
    ListView1.ClearRows();
    for (const TAppTool& t : ReadAppTools(ini)) ListView1.AddRow(ToolToRow(t));
}

std::vector<TAppTool> TOptionToolFrm::Tools() const
{
    std::vector<TAppTool> tools;
    tools.reserve(static_cast<std::size_t>(ListView1.RowCount()));
    for (int r = 0; r < ListView1.RowCount(); ++r) tools.push_back(RowToTool(ListView1.Row(r)));
    return tools;
}

void TOptionToolFrm::SaveToolList() const
{
    TMemIniFile ini(path_);
    if (ini.ReadFailed()) throw std::runtime_error(ini.ErrorText());
    WriteAppTools(ini, Tools());
    if (!ini.UpdateFile()) throw std::runtime_error(ini.ErrorText());
}

void TOptionToolFrm::SaveWindowState() noexcept
{
    try {
        TToolWindowState s;
        s.Maximized = IsZoomed(Handle()) != FALSE;
        RECT r{};
        GetWindowRect(Handle(), &r);
        s.Width = r.right - r.left;
        s.Height = r.bottom - r.top;
        for (int c = 0; c < kToolListColumnCount; ++c) s.Columns[static_cast<std::size_t>(c)] = ListView1.ColumnWidth(c);
        TMemIniFile ini(path_);
        WriteToolWindowState(ini, s);
        ini.UpdateFile();
    } catch (...) {
        // The dialog's own size is not worth a message.
    }
}

void TOptionToolFrm::DoShow()
{
    if (maximized_) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    else PlaceWindowInWorkArea(MainWindow(), Handle(), 16, 16);
    if (ListView1.RowCount() > 0) ListView1.SetItemIndex(0);
    Application().SetShortCutHandler(Handle(), [this](TShortCut key) { return ListKey(key); });
    TForm::DoShow();
}

void TOptionToolFrm::DoHide()
{
    Application().SetShortCutHandler(Handle(), {});
    TForm::DoHide();
}

bool TOptionToolFrm::ListKey(TShortCut key)
{
    if (!ListView1.Focused()) return false;
    if (key == ShortCut(VK_DELETE, 0)) {
        DeleteClick();
        return true;
    }
    if (key == ShortCut(VK_RETURN, scShift)) {
        EditClick();
        return true;
    }
    return false;
}

void TOptionToolFrm::Resize()
{
    if (!HandleAllocated()) return;
    const bool zoomed = IsZoomed(Handle()) != FALSE;
    // The grip has nothing to do on a maximized window.
    StatusBar1.SetVisible(!zoomed);
    StatusBar1.Realign();
    RECT client{};
    GetClientRect(Handle(), &client);
    const int bottom = client.bottom - (zoomed ? 0 : StatusBar1.Height());
    const int buttonLeft = client.right - kGap - kButtonWidth;
    ListView1.SetBounds(kGap, kGap, std::max(0, buttonLeft - 2 * kGap), std::max(0, bottom - 2 * kGap));
    int y = kGap;
    for (TButton* b : {&InsertBtn, &CopyBtn, &EditBtn, &DeleteBtn, &UpBtn, &DownBtn}) {
        b->SetBounds(buttonLeft, y, kButtonWidth, kButtonHeight);
        y += kButtonStep;
    }
    CancelBtn.SetBounds(buttonLeft, bottom - kGap - kButtonHeight, kButtonWidth, kButtonHeight);
    OKBtn.SetBounds(buttonLeft, bottom - kGap - kButtonHeight - kButtonStep, kButtonWidth, kButtonHeight);
    TForm::Resize();
}

void TOptionToolFrm::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETMINMAXINFO) {
        auto& info = *reinterpret_cast<MINMAXINFO*>(m.LParam);
        info.ptMinTrackSize = POINT{kMinWidth, kMinHeight};
        m.Result = 0;
        return;
    }
    // The menu key on the list (a right click comes as the list's own notice).
    if (m.Msg == WM_CONTEXTMENU && ListView1.HandleAllocated() &&
        reinterpret_cast<HWND>(m.WParam) == ListView1.Handle() && m.LParam == -1) {
        POINT p{0, 0};
        RECT item{};
        const int i = ListView1.ItemIndex();
        item.left = LVIR_BOUNDS;
        if (i >= 0 && SendMessageA(ListView1.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(i),
                                   reinterpret_cast<LPARAM>(&item)))
            p = POINT{item.left, item.bottom};
        ClientToScreen(ListView1.Handle(), &p);
        PopupMenu1.Popup(p.x, p.y, Handle());
        return;
    }
    TForm::WndProc(m);
}

void TOptionToolFrm::InsertClick()
{
    TAppTool tool;
    if (!ShowToolEditDialog(tool, Handle())) return;
    ListView1.SetItemIndex(ListView1.AddRow(ToolToRow(tool)));
}

void TOptionToolFrm::CopyClick()
{
    const int i = ListView1.ItemIndex();
    if (i < 0) return;
    const std::vector<std::string> row = ListView1.Row(i);
    ListView1.InsertRow(i, row);
    ListView1.SetItemIndex(i + 1);
}

void TOptionToolFrm::EditClick()
{
    const int i = ListView1.ItemIndex();
    if (i < 0) return;
    TAppTool tool = RowToTool(ListView1.Row(i));
    if (!ShowToolEditDialog(tool, Handle())) return;
    const std::vector<std::string> row = ToolToRow(tool);
    for (int c = 0; c < static_cast<int>(row.size()); ++c) ListView1.SetCell(i, c, row[static_cast<std::size_t>(c)]);
    ListView1.SetItemIndex(i);
}

void TOptionToolFrm::DeleteClick()
{
    const int i = ListView1.ItemIndex();
    if (i < 0) return;
    if (ShowMsg("削除してよろしいですか？", kMsgCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    ListView1.DeleteRow(i);
    // The row that took its place, or the new last one: never none while rows remain.
    if (ListView1.RowCount() > 0) ListView1.SetItemIndex(std::min(i, ListView1.RowCount() - 1));
}

void TOptionToolFrm::MoveClick(int delta)
{
    const int i = ListView1.ItemIndex();
    const int to = MovedToolRow(i, delta, ListView1.RowCount());
    if (to < 0) return;
    const std::vector<std::string> row = ListView1.Row(i);
    ListView1.DeleteRow(i);
    ListView1.InsertRow(to, row);
    ListView1.SetItemIndex(to);
}

bool ShowToolListDialog()
{
    const std::string path = DialogHost().SettingsPath ? DialogHost().SettingsPath() : std::string();
    TOptionToolFrm form(MainWindow(), path);
    TModalResult result;
    {
        // The caller's hourglass is for opening; the list itself is worked with the usual cursor.
        TScreenCursorScope normal(crDefault);
        result = form.ShowModal();
    }
    struct TKeepState {
        TOptionToolFrm& Form;
        ~TKeepState() { Form.SaveWindowState(); }
    } keepState{form};
    if (result != mrOk) return false;
    TScreenCursorScope wait(crHourGlass);
    ProcessMessages();
    form.SaveToolList();
    return true;
}

} // namespace vellumo
