#pragma once
// The messages other instances and other programs send the main window:
// their numbers, which of them the window's state refuses, and the checks
// every value they carry passes before it is used. Every sender is
// untrusted: lengths, atoms, mappings and paths are checked here. Portable;
// the handlers are in appmessages_win.cpp.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vellumo {

inline constexpr unsigned WM_APP_SAVE = 0x8190;
inline constexpr unsigned WM_APP_OPENFILE = 0x8191;
inline constexpr unsigned WM_APP_GETEDITWND = 0x8192;
inline constexpr unsigned WM_APP_SETSTATUSTEXT = 0x8193;
inline constexpr unsigned WM_APP_GETEDITMODE = 0x8194;
inline constexpr unsigned WM_APP_GETSELMODE = 0x8195;
inline constexpr unsigned WM_APP_SETINIFOLDER = 0x8196;
inline constexpr unsigned WM_APP_GETTEXT = 0x819A;
inline constexpr unsigned WM_APP_SETTEXT = 0x819B;
inline constexpr unsigned WM_APP_GETCARETROW = 0x819C;
inline constexpr unsigned WM_APP_GETROWCOUNT = 0x819D;
inline constexpr unsigned WM_APP_GETCOLCOUNT = 0x819E;
inline constexpr unsigned WM_APP_GETTOPROW = 0x819F;
inline constexpr unsigned WM_APP_GETLEFTCOL = 0x81A0;
inline constexpr unsigned WM_APP_GETOUTPUTMODE = 0x81A1;
inline constexpr unsigned WM_APP_SETOUTPUTMODE = 0x81A2;
inline constexpr unsigned WM_APP_SETSEL = 0x81A3;

// The file mapping a sender creates for the text messages.
inline constexpr char kMappingPrefix[] = "Vellumo_Map_";

// The jump and re-read messages of the other instances and every message
// from WM_APP_SAVE to WM_APP_SETSEL (the unused numbers among them too).
bool IsInterfaceMessage(unsigned msg) noexcept;

// A parameter as the signed 32-bit value its sender meant: a 32-bit
// sender's -1 arrives as 0xFFFFFFFF, a 64-bit one's as all ones.
int Param32(std::uint64_t value) noexcept;

// What the window is doing when a message arrives.
struct TMessageGate {
    bool Busy = false;           // a document operation runs (DocumentBusy)
    bool ToolWaiting = false;    // an external tool is waited for
    bool WindowEnabled = true;   // no modal dialog has disabled the window
};
// False when the message must answer 0 and do nothing now: every one while
// busy; save, open and the settings folder also while a tool is waited for
// or the window is disabled.
bool MessageAllowed(unsigned msg, const TMessageGate& gate) noexcept;

// The string atom a parameter names (C000 to FFFF); 0 for integer atoms and
// for values no atom has.
std::uint16_t StringAtomOf(std::uint64_t param) noexcept;

// "Vellumo_Map_" and the window handle's low 32 bits in decimal.
std::string MappingName(std::uint64_t window);

// The text a sender put at the start of a view of `usable` bytes: up to its
// first NUL among the `declared` + 1 bytes, or all `declared` bytes when
// they fill the view to its edge. False for a negative length, and for one
// beyond the view with no NUL inside it (the text would be cut).
bool TextFromView(const char* view, std::size_t usable, int declared, std::string& text);
// The text and its terminating NUL fit the view.
bool TextFitsView(std::size_t textBytes, std::size_t usable) noexcept;

// Nothing but blanks and control bytes.
bool IsBlankText(std::string_view text) noexcept;

// "X:\..." or "\\server\share\..."; never the device spaces "\\.\" and "\\?\".
bool IsAbsolutePath(std::string_view path) noexcept;

// A settings folder asked for by a message: the expanded name without its
// trailing backslashes must be an absolute, existing folder other than the
// current one (compared without regard to case) whose settings file path
// stays under 260 bytes. Never created here.
struct TSettingsFolderChange {
    std::string Folder;
    std::string IniPath;
};
bool SettingsFolderFromMessage(const std::string& expanded, const std::string& currentFolder,
                               const std::string& programPath,
                               const std::function<bool(const std::string& folder)>& folderExists,
                               TSettingsFolderChange& change);

// The selection WM_APP_SETSEL asks for.
struct TSelRequest {
    enum TKind { All, Clear, Range } Kind = Range;
    long long Start = 0;
    long long Length = 0;
};
TSelRequest SelRequestOf(int start, int end) noexcept;

} // namespace vellumo
