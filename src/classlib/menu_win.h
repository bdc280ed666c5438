#pragma once
// Menus: a tree of items behind the menu bar of a main form (TMainMenu) or a
// context menu (TPopupMenu). Each item that has children owns a system
// submenu that is refilled from the items whenever they change, and again
// when it opens, after its OnClick (the opening handler) has recomputed their
// state. Items keep their logical index within their parent: a hidden item is
// left out of the system menu but not out of the tree. Windows only; GUI
// thread only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/shortcut.h"

namespace vellumo {

class TMenu;
class TPopupMenu;

class TMenuItem {
public:
    explicit TMenuItem(std::string caption = {});
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;
    ~TMenuItem();

    // "-" makes a separator. CP932 bytes; "&" marks the access key. A TAB
    // in the caption puts the rest in the shortcut column.
    const std::string& Caption() const;
    void SetCaption(std::string caption);
    bool IsSeparator() const { return Caption() == "-"; }

    // Shown right of the caption; the message pump runs the item when the
    // key is pressed in its form (see TMenu::IsShortCut).
    TShortCut ShortCut() const;
    void SetShortCut(TShortCut shortCut);

    bool Enabled() const;
    void SetEnabled(bool on);
    bool Checked() const;
    void SetChecked(bool on);
    // A checked radio item shows a dot instead of a tick.
    bool RadioItem() const { return radio_; }
    void SetRadioItem(bool on);
    // A hidden item keeps its index and still answers its shortcut.
    bool Visible() const;
    void SetVisible(bool on);
    // Wide enough for a window handle (the window list keeps them here).
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }
    // "short|long": the long part goes to the status bar while the item is
    // highlighted (see GetLongHint).
    const std::string& Hint() const;
    void SetHint(std::string hint) { hint_ = std::move(hint); }

    // For an ordinary item: runs OnClick (when enabled and assigned). For an
    // item with children: the opening handler.
    void Click();
    std::function<void(TMenuItem&)> OnClick;

    // ---- children (a submenu)
    TMenuItem& Add(const std::string& caption, const std::string& shortCut = {},
                   std::function<void(TMenuItem&)> onClick = nullptr);
    TMenuItem& AddSeparator() { return Add("-"); }
    // Inserts at a logical index (clamped to 0..Count).
    TMenuItem& Insert(int index, const std::string& caption);
    // Deletes the child at a logical index (nothing when out of range).
    void Delete(int index);
    // Moves the child at from to the index to (clamped); out of range: nothing.
    void Move(int from, int to);
    // Many changes to the children in a row (a list of a thousand items):
    // the system submenu is refilled once, at the last EndUpdate.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem& Items(int index) { return *items_.at(static_cast<std::size_t>(index)); }
    const TMenuItem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    int IndexOf(const TMenuItem* child) const;
    TMenuItem* Parent() const { return parent_; }
    // The menu the tree belongs to (nullptr for a loose item).
    TMenu* Menu() const;

    // The command identifier of the item in the system menus (unique in the
    // process while the item lives).
    UINT Command() const { return command_; }
    // The system submenu of an item with children (made on first use).
    HMENU SubmenuHandle();
    // The same without making it (nullptr when not made yet).
    HMENU SubmenuHandleIfMade() const { return submenu_; }

    // Rebuilds this item's system submenu from its children (when it has one).
    void FillSubmenu();

private:
    friend class TMenu;
    void Changed();            // refills the parent's system menu
    void DestroySubmenu() noexcept;
    TMenuItem& Adopt(std::unique_ptr<TMenuItem> child, int index);

    std::string caption_;
    std::string hint_;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool checked_ = false;
    bool radio_ = false;
    bool visible_ = true;
    std::intptr_t tag_ = 0;
    UINT command_ = 0;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item only
    HMENU submenu_ = nullptr;
    int updating_ = 0;
    bool fillPending_ = false;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

// What a menu bar and a context menu share: the root item and the shortcut
// search.
class TMenu {
public:
    TMenu();
    TMenu(const TMenu&) = delete;
    TMenu& operator=(const TMenu&) = delete;
    virtual ~TMenu();

    TMenuItem& Items() { return *root_; }
    TMenuItem& Add(const std::string& caption, const std::string& shortCut = {},
                   std::function<void(TMenuItem&)> onClick = nullptr)
    {
        return root_->Add(caption, shortCut, std::move(onClick));
    }
    int Count() const { return root_->Count(); }
    TMenuItem& Items(int index) { return root_->Items(index); }
    void Clear() { root_->Clear(); }

    // The first item of the tree, hidden ones included, with this shortcut;
    // nullptr when none.
    TMenuItem* FindShortCut(TShortCut shortCut);
    // A key of the pump: the item with this shortcut is found, the opening
    // handlers of its submenus run from the top down (so its state is
    // current), and when it is then enabled it is clicked. True when clicked.
    bool IsShortCut(TShortCut shortCut);

    // Runs the item of a system menu command (its Command()); false for 0,
    // unknown commands, separators and disabled items.
    bool DispatchNativeCommand(UINT command);

    // The root's system menu.
    HMENU Handle() { return root_->SubmenuHandle(); }

protected:
    // The system menu of the root was refilled (a menu bar redraws).
    virtual void RootChanged() {}
    // True for a menu bar (CreateMenu), false for a context menu.
    virtual bool IsBar() const { return false; }

private:
    friend class TMenuItem;
    std::unique_ptr<TMenuItem> root_;
};

// The menu bar of a main window: the window shows it with SetWindow, passes
// its menu messages to HandleMenuMessage, and its keys through
// TApplication::SetShortCutHandler with IsShortCut.
class TMainMenu : public TMenu {
public:
    TMainMenu() = default;
    ~TMainMenu() override;
    // The window whose bar shows the menu.
    HWND Window() const { return window_; }
    void SetWindow(HWND window);

protected:
    void RootChanged() override;
    bool IsBar() const override { return true; }

private:
    HWND window_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    TPopupMenu() = default;

    TMenuItem& AddSeparator() { return Add("-"); }

    // Shows the menu at a screen point for an owner window and runs the
    // chosen item's OnClick. Returns whether an item was chosen.
    virtual bool Popup(int x, int y, HWND owner);

    // Recomputes the items' state before the menu is shown.
    std::function<void(TPopupMenu&)> OnPopup;
    // Runs OnPopup (a descendant may override and call it).
    virtual void DoPopup();

    // Runs the item at a position of the whole tree in order (parents before
    // their children, hidden items counted): command n + 1 is position n.
    // False for 0, unknown positions, separators, hidden and disabled items.
    bool DispatchCommand(UINT command);

    // The menu loop's seam: the default is TrackPopupMenu with
    // TPM_RETURNCMD, which returns an item's Command(). The menu handle
    // belongs to the menu. Returns the previous tracker.
    using TTracker = std::function<UINT(HMENU menu, int x, int y, HWND owner)>;
    static TTracker SetTracker(TTracker tracker);
};

// Menu messages of any window that shows these menus: WM_INITMENUPOPUP runs
// the opening handler and refills the submenu, WM_MENUSELECT sets the
// application's hint, WM_COMMAND from a menu runs the item. True when the
// message was one of them and handled (Result set).
bool HandleMenuMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The item whose system submenu this is (nullptr when none).
TMenuItem* FindMenuItemBySubmenu(HMENU submenu);
// The live item of a command (nullptr when none).
TMenuItem* FindMenuItemByCommand(UINT command);

} // namespace vellumo
