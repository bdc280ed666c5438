#pragma once
// Commands without a place of their own on screen: an action has a caption,
// a shortcut, a state and OnExecute; menu items and tool buttons may be linked
// to it. The message pump offers each key of a main form to the form's action
// lists after its menu. Portable.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/shortcut.h"

namespace vellumo {

class TAction {
public:
    explicit TAction(std::string name = {}) : name_(std::move(name)) {}
    TAction(const TAction&) = delete;
    TAction& operator=(const TAction&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on) { checked_ = on; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // OnUpdate (when assigned) recomputes the state; then, when enabled,
    // OnExecute runs. True when OnExecute ran.
    bool Execute();
    std::function<void(TAction&)> OnExecute;
    std::function<void(TAction&)> OnUpdate;

private:
    std::string name_;
    std::string caption_;
    std::string hint_;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    int tag_ = 0;
};

class TActionList {
public:
    TActionList() = default;
    TActionList(const TActionList&) = delete;
    TActionList& operator=(const TActionList&) = delete;

    // Adds an action owned by the list; shortCut is a text as in menus.
    TAction& Add(const std::string& name, const std::string& shortCut = {},
                 std::function<void(TAction&)> onExecute = nullptr);
    int Count() const { return static_cast<int>(actions_.size()); }
    TAction& Actions(int index) { return *actions_.at(static_cast<std::size_t>(index)); }
    // nullptr when no action has the name.
    TAction* Find(const std::string& name);

    // A key of the pump: the first action with this shortcut executes; true
    // when it ran. A disabled action lets the key pass.
    bool IsShortCut(TShortCut shortCut);

private:
    std::vector<std::unique_ptr<TAction>> actions_;
};

} // namespace vellumo
