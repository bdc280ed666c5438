// The Tools menu's commands: the two browser previews and the external
// tools, whose items (and the pop-up's tools submenu) are made from the
// tool list of the settings file.
#include "app/commands/commands_win.h"
#include "app/commands/toolcmds.h"
#include "app/core/reloadini.h"
#include "app/integration/browserpreview_win.h"
#include "app/integration/toolrunner_win.h"
#include "app/window/mainform_win.h"
#include "app/window/menus.h"
#include "base/inifile.h"
#include "base/showmsg.h"
#include "classlib/cursorindex.h"
#include "classlib/screen_win.h"
#include "dialogs/tools/tooldlg.h"
#include "settings/tools.h"

namespace vellumo {

void mOptionToolClick(TVellumoMainForm& form)
{
    TScreenCursorScope wait(crHourGlass);
    try {
        if (!ShowToolListDialog()) return;
        BroadcastReloadSettings();
        form.RebuildSettingsMenus();
    } catch (...) {
        ShowMsg("何らかの問題が発生しました。\r\n\r\n"
                "・初期化ファイル(INI)の作成に失敗。\r\n"
                "・リソース不足でウィンドウのオープンに失敗。\r\n\r\n"
                "などが考えられます。\r\n"
                "初期化ファイルの保存先フォルダやリソース等を確認してください。",
                kMsgCaption, kMsgIconExclamation);
    }
}

void mIEClick(TVellumoMainForm& form) { PreviewDocument(form, TPreviewBrowser::First); }
void mNNClick(TVellumoMainForm& form) { PreviewDocument(form, TPreviewBrowser::Second); }

namespace {

// A rebuild asked for while a tool is waited for would free the item whose
// click is running: it is made once the tool is done.
bool g_rebuildPending = false;

// The submenu refilled once, however many items change.
class TMenuUpdate {
public:
    explicit TMenuUpdate(TMenuItem& item) : item_(item) { item_.BeginUpdate(); }
    ~TMenuUpdate() { item_.EndUpdate(); }
    TMenuUpdate(const TMenuUpdate&) = delete;
    TMenuUpdate& operator=(const TMenuUpdate&) = delete;

private:
    TMenuItem& item_;
};

void RunToolItem(TVellumoMainForm& form, int tag)
{
    if (DocumentBusy() || ToolWaiting()) return;
    ReportFailures([&] { RunToolOfTag(form, tag); });
    if (g_rebuildPending) {
        g_rebuildPending = false;
        RebuildToolMenu(form);
    }
}

// The program's own keys: the menus' rows, the actions and the items made
// from the settings (the wrap widths).
bool BuiltInShortCut(TVellumoMainForm& form, TShortCut sc)
{
    if (form.MainMenuItems.EntryOfShortCut(sc)) return true;
    for (const TMenuEntry& a : ActionTable())
        if (a.ShortCut == sc) return true;
    return form.MainMenu1.FindShortCut(sc) != nullptr;
}

// The placeholder item (the table's, first of the tools) and the tool
// items after it.
void FillToolItems(TVellumoMainForm& form, TMenuItem& parent, TMenuItem& placeholder, const TToolMenu& menu)
{
    const bool hidden = menu.Placeholder == TToolPlaceholder::AllHidden;
    placeholder.SetCaption(hidden ? kToolsAllHidden : kToolsUnregistered);
    placeholder.SetTag(hidden ? kToolsAllHiddenTag : 0);
    placeholder.SetEnabled(false);
    placeholder.SetVisible(menu.Placeholder != TToolPlaceholder::None);
    TVellumoMainForm* f = &form;
    for (const TToolMenuItem& t : menu.Items) {
        TMenuItem& item = parent.Add(t.Caption);
        item.SetVisible(t.Visible);
        if (item.IsSeparator()) continue;
        item.SetHint(t.Hint);
        item.SetTag(t.Tag);
        item.SetShortCut(t.ShortCut);
        const int tag = t.Tag;
        item.OnClick = [f, tag](TMenuItem&) { RunToolItem(*f, tag); };
    }
}

void ApplyToolRule(TMenuItem& parent, int first, bool toolsExist, bool selected)
{
    TMenuUpdate update(parent);
    for (int i = first; i < parent.Count(); ++i) {
        TMenuItem& item = parent.Items(i);
        if (!item.IsSeparator())
            item.SetEnabled(ToolItemEnabled(static_cast<int>(item.Tag()), toolsExist, selected));
    }
}

} // namespace

void RebuildToolMenu(TVellumoMainForm& form)
{
    if (ToolWaiting()) {
        g_rebuildPending = true;
        return;
    }
    const std::vector<TAppTool> tools = ReadAppTools(TMemIniFile(form.IniPath));
    TMenuItem& menu = form.MainMenuItems.Item("Menu_Tool");
    TMenuUpdate update(menu);
    while (menu.Count() > FirstToolItem + 1) menu.Delete(menu.Count() - 1);
    // Taken keys are asked once the old tool items are gone.
    const TToolMenu items = MainToolMenu(tools, [&form](TShortCut sc) { return BuiltInShortCut(form, sc); });
    FillToolItems(form, menu, form.MainMenuItems.Item("mToolNone"), items);
}

void RebuildPopupToolMenu(TVellumoMainForm& form)
{
    if (ToolWaiting()) return;
    const std::vector<TAppTool> tools = ReadAppTools(TMemIniFile(form.IniPath));
    TMenuItem& menu = form.PopupMenuItems.Item("pTools");
    TMenuUpdate update(menu);
    while (menu.Count() > 1) menu.Delete(menu.Count() - 1);
    FillToolItems(form, menu, form.PopupMenuItems.Item("pToolNone"), PopupToolMenu(tools));
}

void Menu_ToolClick(TVellumoMainForm& form)
{
    ApplyEnablingRules(form, "Menu_Tool");
    const bool exist = AppToolCount(TMemIniFile(form.IniPath)) > 0;
    ApplyToolRule(form.MainMenuItems.Item("Menu_Tool"), FirstToolItem, exist, form.ActiveEditor().Selected());
}

void pToolsClick(TVellumoMainForm& form)
{
    const bool exist = AppToolCount(TMemIniFile(form.IniPath)) > 0;
    ApplyToolRule(form.PopupMenuItems.Item("pTools"), 0, exist, form.ActiveEditor().Selected());
}

bool RunToolShortCut(TVellumoMainForm& form, TShortCut sc)
{
    // The first item with the key, in menu order, must be a tool's: an item
    // of the program's own keeps its key.
    TMenuItem* item = form.MainMenu1.FindShortCut(sc);
    TMenuItem& tools = form.MainMenuItems.Item("Menu_Tool");
    if (!item || item->Parent() != &tools || tools.IndexOf(item) <= FirstToolItem) return false;
    // As the built-in keys: the menu's opening handler first, then its rule.
    if (!DocumentBusy() && RefreshAndCheckEnabled(*item)) item->Click();
    return true;
}

namespace {

// The browser items' enabling follows the edit mode and the settings
// (UpdateBrowserMenus), not the opening of the menu.
constexpr TCommand kRows[] = {
    {"Menu_Tool", Menu_ToolClick},
    {"mIE", mIEClick},
    {"mNN", mNNClick},
    {"mOptionTool", mOptionToolClick},
};

} // namespace

std::span<const TCommand> ToolsMenuCommands() noexcept { return kRows; }

} // namespace vellumo
