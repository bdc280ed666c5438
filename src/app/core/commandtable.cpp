#include "app/core/commandtable.h"

namespace vellumo {

TCommandTable::TCommandTable(std::initializer_list<std::span<const TCommand>> menus)
{
    for (const auto& menu : menus)
        for (const TCommand& c : menu) rows_.push_back(&c);
}

const TCommand* TCommandTable::Find(std::string_view name) const noexcept
{
    for (const TCommand* c : rows_)
        if (name == c->Name) return c;
    return nullptr;
}

bool CommandEnabled(const TCommand& command, TVellumoMainForm& form)
{
    return !command.Enabled || command.Enabled(form);
}

} // namespace vellumo
