#include "classlib/actionlist.h"

namespace vellumo {

bool TAction::Execute()
{
    if (OnUpdate)
        OnUpdate(*this);
    if (!enabled_ || !OnExecute)
        return false;
    OnExecute(*this);
    return true;
}

TAction& TActionList::Add(const std::string& name, const std::string& shortCut,
                          std::function<void(TAction&)> onExecute)
{
    auto action = std::make_unique<TAction>(name);
    action->SetShortCut(TextToShortCut(shortCut));
    action->OnExecute = std::move(onExecute);
    actions_.push_back(std::move(action));
    return *actions_.back();
}

TAction* TActionList::Find(const std::string& name)
{
    for (auto& a : actions_)
        if (a->Name() == name)
            return a.get();
    return nullptr;
}

bool TActionList::IsShortCut(TShortCut shortCut)
{
    if (shortCut == scNone)
        return false;
    for (auto& a : actions_)
        if (a->ShortCut() == shortCut)
            return a->Execute();
    return false;
}

} // namespace vellumo
