#pragma once
// Pop-up menus: a list of items built into a system menu each time the menu
// is shown, after OnPopup has recomputed their state. Windows only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/shortcut.h"

namespace vellumo {

class TPopupMenu;

class TMenuItem {
public:
    explicit TMenuItem(std::string caption = {}) : caption_(std::move(caption)) {}

    // "-" makes a separator. CP932 bytes; "&" marks the access key.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    bool IsSeparator() const { return caption_ == "-"; }

    // Shown right of the caption; the key itself is left to the owner.
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on) { checked_ = on; }
    // A checked radio item shows a dot instead of a tick.
    bool RadioItem() const { return radio_; }
    void SetRadioItem(bool on) { radio_ = on; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Runs OnClick (when the item is enabled and assigned).
    void Click();
    std::function<void(TMenuItem&)> OnClick;

private:
    std::string caption_;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool checked_ = false;
    bool radio_ = false;
    bool visible_ = true;
    int tag_ = 0;
};

class TPopupMenu {
public:
    TPopupMenu() = default;
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;
    virtual ~TPopupMenu() = default;

    TMenuItem& Add(const std::string& caption, const std::string& shortCut = {},
                   std::function<void(TMenuItem&)> onClick = nullptr);
    TMenuItem& AddSeparator() { return Add("-"); }
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem& Items(int index) { return *items_.at(static_cast<std::size_t>(index)); }
    void Clear() { items_.clear(); }

    // Shows the menu at a screen point for an owner window and runs the
    // chosen item's OnClick. Returns whether an item was chosen.
    virtual bool Popup(int x, int y, HWND owner);

    // Recomputes the items' state before the menu is shown.
    std::function<void(TPopupMenu&)> OnPopup;
    // Runs OnPopup (a descendant may override and call it).
    virtual void DoPopup();

    // A system menu of the visible items; command n + 1 is item n. The
    // caller destroys it.
    HMENU BuildMenu() const;
    // Runs the item of a command (0 = nothing chosen); false for 0 and
    // unknown commands.
    bool DispatchCommand(UINT command);

    // The menu loop's seam: the default is TrackPopupMenu with
    // TPM_RETURNCMD. Returns the previous tracker.
    using TTracker = std::function<UINT(HMENU menu, int x, int y, HWND owner)>;
    static TTracker SetTracker(TTracker tracker);

private:
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

} // namespace vellumo
