#pragma once
// Telling the other running instances that the settings file changed, what
// a window does when told, and the options dialog's save-and-apply.
#include <string>

namespace vellumo {

class TSettingsStore;
enum class TSaveResult;

// Posted with both parameters 0; the receiver re-reads and applies.
constexpr unsigned WM_RELOADINI = 0x0400 + 101;  // WM_USER + 101
constexpr const char kMainFormClassName[] = "TVellumoMainForm";

#ifdef _WIN32
// Posts WM_RELOADINI to every enabled top-level window of the main window's
// class except this process's main window; returns how many were told. A
// disabled instance (a modal dialog open, a tool running) misses it.
int BroadcastReloadSettings() noexcept;
// Every successful write of the store tells the other instances.
void InstallReloadBroadcast(TSettingsStore& store);

// The receiving side of WM_RELOADINI: re-read the file, rebuild the menus
// made from it, apply, refresh the caption and position panel. While a
// document operation runs it is put off until that ends. Never throws.
void HandleReloadIni() noexcept;

// The options dialog's OK after its values went into the store: write the
// file (which tells the other instances), then apply to this window in any
// case. A failed write is reported, naming the file and saying the
// settings hold for this window only. True when the file was written.
bool SaveAndApplySettings() noexcept;
// After a menu toggle's single write: a failed write is reported like a
// failed OK (the toggle holds for this window only). False when it failed.
bool ReportSettingsWrite(TSaveResult result) noexcept;
// The options dialog's apply button: this window only, nothing written.
void ApplySettingsOnly() noexcept;
#endif

} // namespace vellumo
