// The editors' pop-up menu: its opening (the rules of the menu-bar
// namesakes, links or editing items), the conversion submenu and the link
// items, which act on the link found at the last mouse move.
#include "app/commands/commands_win.h"
#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "app/window/menus.h"
#include "base/showmsg.h"
#include "classlib/clipboard_win.h"
#include "editor/parser.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

constexpr const char* kLinkItems[] = {"pLinkOpen", "pLinkCopy", "pLinkSel"};
constexpr const char* kEditingItems[] = {"pCut",    "pCopy",  "pWordWrapCopy", "pPaste",     "pInyouPaste",
                                         "pPasteBox", "pDelete", "pLineDel",     "pHenkan",    "pBar3",
                                         "pSelectAll", "pBoxMode", "pToolBar",   "pTools"};

struct TLinkTexts {
    const char* Captions[3];
    const char* Hints[3];
};
constexpr TLinkTexts kMailTexts{{"アドレス宛へメールを書く(&O)", "アドレスをコピー(&C)", "アドレスを選択(&S)"},
                                {"このアドレス宛へメールを書く", "このアドレスをコピーしてクリップボードに保存",
                                 "このアドレスを選択"}};
constexpr TLinkTexts kUrlTexts{{"URL を開く(&O)", "URL をコピー(&C)", "URL を選択(&S)"},
                               {"この URL をブラウザで開く", "この URL をコピーしてクリップボードに保存",
                                "この URL を選択"}};

// The items under a pop-up row (-1: the menu itself) take the rules of
// their menu-bar namesakes.
void ApplyNamesakeRules(TVellumoMainForm& form, const char* parent)
{
    const auto table = PopupMenuTable();
    const TMenuEntry* p = parent ? FindMenuEntry(table, parent) : nullptr;
    const int row = p ? static_cast<int>(p - table.data()) : -1;
    for (int i = 0, n = MenuChildCount(table, row); i < n; ++i) {
        const TMenuEntry& e = table[static_cast<std::size_t>(MenuChildRow(table, row, i))];
        if (e.IsSeparator()) continue;
        const TCommand* c = CommandTable().Find(PopupNamesake(e.Name));
        if (c && c->Enabled) form.PopupMenuItems.Item(e.Name).SetEnabled(c->Enabled(form));
    }
}

// The link the items act on, checked again at its point: the text may
// have changed since the mouse moved there.
TEditor* LinkStillThere(TVellumoMainForm& form)
{
    TEditor* ed = form.LinkEditor();
    const POINT p = form.LinkUnderMouse.Point;
    if (ed && LinkAtPoint(p.x, p.y, *ed)) return ed;
    SoundBeep();
    return nullptr;
}

} // namespace

void PopupMenu1Popup(TVellumoMainForm& form)
{
    ApplyNamesakeRules(form, nullptr);
    TEditor& ed = form.ActiveEditor();
    TTableMenu& menu = form.PopupMenuItems;
    menu.Item("pBoxMode").SetChecked(ed.SelectionMode() == smBox);
    menu.Item("pFreeCaret").SetChecked(AppSettingsStore().Settings.Option.FreeCaret);
    menu.Item("pReadOnly").SetChecked(ed.ReadOnly());
    const bool link = !ed.Selected() && form.IsLinkUnderMouse();
    for (const char* name : kLinkItems) menu.Item(name).SetVisible(link);
    for (const char* name : kEditingItems) menu.Item(name).SetVisible(!link);
    if (link) {
        const TLinkTexts& texts = form.LinkUnderMouse.Kind == tkMail ? kMailTexts : kUrlTexts;
        for (int i = 0; i < 3; ++i) {
            menu.Item(kLinkItems[i]).SetCaption(texts.Captions[i]);
            menu.Item(kLinkItems[i]).SetHint(texts.Hints[i]);
        }
    }
    RebuildPopupToolMenu(form);
}

void pHenkanClick(TVellumoMainForm& form) { ApplyNamesakeRules(form, "pHenkan"); }

void pLinkOpenClick(TVellumoMainForm& form)
{
    TEditor* ed = LinkStillThere(form);
    if (!ed) return;
    const POINT p = form.LinkUnderMouse.Point;
    ed->Deselect();
    int col = 0, row = 0;
    ed->PixelToCell(p.x, p.y, true, col, row);
    ed->SetCaretRowCol(row, col);
    OpenLink();
}

void pLinkCopyClick(TVellumoMainForm& form)
{
    TEditor* ed = LinkStillThere(form);
    if (!ed) return;
    const POINT p = form.LinkUnderMouse.Point;
    // The token's own text: an address without "mailto:".
    const std::string link = ed->GetTokenTextAt(p);
    ed->Deselect();
    ed->SelectLinkAt(p);
    if (!Clipboard().SetTextBuf(link)) SoundBeep();
}

void pLinkSelClick(TVellumoMainForm& form)
{
    TEditor* ed = LinkStillThere(form);
    if (!ed) return;
    ed->Deselect();
    ed->SelectLinkAt(form.LinkUnderMouse.Point);
}

void BindPopupMenu(TVellumoMainForm& form)
{
    TVellumoMainForm* f = &form;
    // As every command: not while a document operation pumps messages, and
    // nothing thrown goes further.
    auto run = [f](void (*handler)(TVellumoMainForm&)) {
        if (!DocumentBusy()) ReportFailures([&] { handler(*f); });
    };
    form.PopupMenu1.OnPopup = [run](TPopupMenu&) { run(PopupMenu1Popup); };
    const std::pair<const char*, void (*)(TVellumoMainForm&)> items[] = {
        {"pHenkan", pHenkanClick}, {"pLinkOpen", pLinkOpenClick}, {"pLinkCopy", pLinkCopyClick},
        {"pLinkSel", pLinkSelClick}, {"pTools", pToolsClick}};
    for (const auto& [name, handler] : items)
        form.PopupMenuItems.Item(name).OnClick = [run, handler = handler](TMenuItem&) { run(handler); };
}

} // namespace vellumo
