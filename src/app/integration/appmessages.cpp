#include "app/integration/appmessages.h"

#include <algorithm>
#include <cstring>

#include "app/core/reloadini.h"
#include "app/startup/instances.h"
#include "app/startup/settingsloc.h"
#include "settings/pathnames.h"

namespace vellumo {

namespace {

constexpr std::size_t kMaxSettingsPath = 259;

bool IsSep(char c) { return c == '\\' || c == '/'; }

} // namespace

bool IsInterfaceMessage(unsigned msg) noexcept
{
    return msg == WM_JUMPLINE || msg == WM_RELOADINI || msg == WM_JUMPEND || (msg >= WM_APP_SAVE && msg <= WM_APP_SETSEL);
}

int Param32(std::uint64_t value) noexcept { return static_cast<int>(static_cast<std::uint32_t>(value)); }

bool MessageAllowed(unsigned msg, const TMessageGate& gate) noexcept
{
    if (gate.Busy) return false;
    switch (msg) {
    case WM_APP_SAVE:
    case WM_APP_OPENFILE:
    case WM_APP_SETINIFOLDER:
        // A modal dialog or a waited-for tool may hold the document it would replace or write.
        return gate.WindowEnabled && !gate.ToolWaiting;
    default:
        return true;
    }
}

std::uint16_t StringAtomOf(std::uint64_t param) noexcept
{
    const auto v = static_cast<std::uint32_t>(param);
    return v >= 0xC000 && v <= 0xFFFF ? static_cast<std::uint16_t>(v) : 0;
}

std::string MappingName(std::uint64_t window)
{
    return kMappingPrefix + std::to_string(static_cast<std::uint32_t>(window));
}

bool TextFromView(const char* view, std::size_t usable, int declared, std::string& text)
{
    if (declared < 0 || (declared > 0 && !view)) return false;
    const std::size_t length = static_cast<std::size_t>(declared);
    // Senders often pass their buffer's size: the text ends at its NUL.
    const std::size_t scan = std::min(length + 1, view ? usable : 0);
    const void* nul = scan ? std::memchr(view, '\0', scan) : nullptr;
    if (nul) {
        text.assign(view, static_cast<const char*>(nul) - view);
        return true;
    }
    if (length > usable) return false;
    text.assign(view ? view : "", length);
    return true;
}

bool TextFitsView(std::size_t textBytes, std::size_t usable) noexcept { return textBytes < usable; }

bool IsBlankText(std::string_view text) noexcept
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

bool IsAbsolutePath(std::string_view path) noexcept
{
    if (path.size() >= 3 && path[1] == ':' && IsSep(path[2])) {
        const char d = path[0];
        return (d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z');
    }
    if (path.size() < 2 || !IsSep(path[0]) || !IsSep(path[1])) return false;
    const auto seps = SeparatorPositions(path);
    // \\server\share: both named, and the server is no device space ("." or "?").
    if (seps.size() < 3 || seps[0] != 0 || seps[1] != 1) return false;
    const std::string_view server = path.substr(2, seps[2] - 2);
    const std::size_t shareEnd = seps.size() > 3 ? seps[3] : path.size();
    return !server.empty() && server != "." && server != "?" && shareEnd > seps[2] + 1;
}

bool SettingsFolderFromMessage(const std::string& expanded, const std::string& currentFolder,
                               const std::string& programPath,
                               const std::function<bool(const std::string& folder)>& folderExists,
                               TSettingsFolderChange& change)
{
    const std::string folder = StripTrailingBackslashes(expanded);
    if (folder.empty() || SameFileName(folder, currentFolder)) return false;
    // "X:" alone is the drive's root once its separator is back.
    if (!IsAbsolutePath(folder + "\\") || PathRefusal(folder) != TPathRefusal::None) return false;
    const std::string path = folder + "\\" + ChangeFileExt(ExtractFileName(programPath), ".INI");
    if (path.size() > kMaxSettingsPath || !folderExists(folder + "\\")) return false;
    change.Folder = folder;
    change.IniPath = path;
    return true;
}

TSelRequest SelRequestOf(int start, int end) noexcept
{
    TSelRequest r;
    if (start == 0 && end == -1) {
        r.Kind = TSelRequest::All;
    } else if (start == -1) {
        r.Kind = TSelRequest::Clear;
    } else {
        r.Start = start;
        r.Length = static_cast<long long>(end) - start;  // no 32-bit overflow for far ends
    }
    return r;
}

} // namespace vellumo
