#include "app/window/menus_win.h"

#include <stdexcept>
#include <vector>

namespace vellumo {

std::string ShownShortCut(TShortCut sc)
{
    const unsigned key = sc & 0xFF;
    const char* ch = key == 0xDB ? "[" : key == 0xDC ? "\\" : nullptr;
    if (!ch) return ShortCutToText(sc);
    std::string mods = ShortCutToText(static_cast<TShortCut>((sc & 0xFF00) | 'A'));
    mods.pop_back();
    return mods + ch;
}

TTableMenu::TTableMenu(TMenu& menu, std::span<const TMenuEntry> table) : table_(table)
{
    std::vector<TMenuItem*> parents{&menu.Items()};
    for (const TMenuEntry& e : table) {
        parents.resize(static_cast<std::size_t>(e.Level) + 1);
        TMenuItem& item = parents.back()->Add(e.Caption);
        parents.push_back(&item);
        if (e.IsSeparator()) {
            if (e.Name[0] != '-') byName_.emplace(e.Name, &item);
            continue;
        }
        // Keys the library has no name for, and keys only shown, go in the caption.
        const std::string shown = e.ShownKey ? e.ShownKey : ShownShortCut(e.ShortCut);
        if (e.ShownKey || (e.ShortCut && shown != ShortCutToText(e.ShortCut)))
            item.SetCaption(std::string(e.Caption) + "\t" + shown);
        else
            item.SetShortCut(e.ShortCut);
        item.SetHint(e.Hint);
        item.SetRadioItem((e.Flags & mfRadio) != 0);
        item.SetVisible((e.Flags & mfHidden) == 0);
        item.SetEnabled((e.Flags & mfDisabled) == 0);
        item.SetTag(e.Tag);
        byName_.emplace(e.Name, &item);
    }
}

TMenuItem& TTableMenu::Item(std::string_view name)
{
    if (TMenuItem* item = Find(name)) return *item;
    throw std::out_of_range("menu item " + std::string(name));
}

TMenuItem* TTableMenu::Find(std::string_view name) noexcept
{
    const auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : it->second;
}

const TMenuEntry* TTableMenu::EntryOfShortCut(TShortCut sc) const noexcept
{
    if (sc == scNone) return nullptr;
    for (const TMenuEntry& e : table_)
        if (e.ShortCut == sc) return &e;
    return nullptr;
}

bool RefreshAndCheckEnabled(TMenuItem& item)
{
    std::vector<TMenuItem*> chain;
    for (TMenuItem* p = item.Parent(); p && p->Parent(); p = p->Parent()) chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->Click();
    if (!item.Enabled()) return false;
    for (TMenuItem* p : chain)
        if (!p->Enabled()) return false;
    return true;
}

} // namespace vellumo
