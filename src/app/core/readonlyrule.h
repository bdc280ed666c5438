#pragma once
// Who may make a document writable. A lock (the file's read-only attribute,
// "/rl", a file another process keeps unwritable, a "No" to editing a file
// whose characters could not be kept) is what every save of the document
// would refuse; while it stands nothing may clear the read-only state, so
// the user never types into a text that cannot be saved. Portable.

namespace vellumo {

struct TReadOnlyState {
    bool ReadOnly = false;
    bool Locked = false;
    bool operator==(const TReadOnlyState&) const = default;
};

// After a file chosen in the open dialog was loaded: a ticked read-only box
// makes the document read-only and locked; an unticked one leaves what the
// load decided. The box only ever adds read-only.
TReadOnlyState ReadOnlyAfterOpenDialog(TReadOnlyState loaded, bool boxTicked) noexcept;

// The read-only command: flips ReadOnly, keeps Locked; clearing is refused
// (the state comes back unchanged) while the document is locked.
TReadOnlyState ToggledReadOnly(TReadOnlyState now) noexcept;

// Whether the read-only state of this process's document may be cleared now.
bool CanClearReadOnly() noexcept;

// ---- the main window's document (Windows, readonlyrule_win.cpp)

// The open dialog's box applied to the loaded document (both editors, the
// panel and the lock).
void ApplyDialogReadOnly(bool boxTicked);

} // namespace vellumo
