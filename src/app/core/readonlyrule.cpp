#include "app/core/readonlyrule.h"

#include "app/core/appcontext.h"

namespace vellumo {

TReadOnlyState ReadOnlyAfterOpenDialog(TReadOnlyState loaded, bool boxTicked) noexcept
{
    if (boxTicked) return {true, true};
    // A lock without read-only would let typing in: the lock wins.
    return {loaded.ReadOnly || loaded.Locked, loaded.Locked};
}

TReadOnlyState ToggledReadOnly(TReadOnlyState now) noexcept
{
    if (now.ReadOnly && now.Locked) return now;
    return {!now.ReadOnly, now.Locked};
}

bool CanClearReadOnly() noexcept { return !Document().ReadOnlyLocked; }

} // namespace vellumo
