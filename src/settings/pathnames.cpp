#include "settings/pathnames.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/leadbytes.h"

namespace vellumo {

namespace {

unsigned char U(char c) { return static_cast<unsigned char>(c); }

bool IsSep(char c) { return c == '\\' || c == '/'; }

// Upper/lower double-byte pairs of the code page that a file system folds:
// full-width Latin, Greek and Cyrillic. Returns the lower form or the code.
std::uint16_t LowerDoubleByte(std::uint16_t c)
{
    if (c >= 0x8260 && c <= 0x8279) return static_cast<std::uint16_t>(c + 0x21);  // Ａ-Ｚ
    if (c >= 0x839F && c <= 0x83B6) return static_cast<std::uint16_t>(c + 0x20);  // Greek
    if (c >= 0x8440 && c <= 0x8460) {                                              // Cyrillic
        // The lower row skips 847F, so the upper half shifts by one more.
        std::uint16_t lower = static_cast<std::uint16_t>(c + 0x30);
        return lower >= 0x847F ? static_cast<std::uint16_t>(lower + 1) : lower;
    }
    return c;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string LowerCasePath(std::string_view path)
{
    std::string out(path);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char b = U(out[i]);
        if (IsLeadByte(b) && i + 1 < out.size()) {
            const auto lower = LowerDoubleByte(static_cast<std::uint16_t>(b << 8 | U(out[i + 1])));
            out[i] = static_cast<char>(lower >> 8);
            out[i + 1] = static_cast<char>(lower & 0xFF);
            ++i;
        } else if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b + 32);
        }
    }
    return out;
}

bool SameFileName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && LowerCasePath(a) == LowerCasePath(b);
}

std::string SafeFileNameChars(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char b = U(line[i]);
        if (IsLeadByte(b)) {
            if (i + 1 < line.size()) {
                out += line[i];
                out += line[i + 1];
            }
            ++i;
            continue;
        }
        if (b < 0x20 || b == 0x7F) continue;
        switch (b) {
        case '"': case '*': case ',': case '/': case ':': case ';':
        case '<': case '>': case '?': case '\\': case '|':
            out += '-';
            break;
        default:
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::string NameFromText(const std::vector<std::string>& lines)
{
    constexpr std::size_t kMax = 60;
    for (const std::string& line : lines) {
        const std::string safe = SafeFileNameChars(line);
        std::size_t end = 0;
        while (end < safe.size()) {
            const std::size_t step = IsLeadByte(U(safe[end])) ? 2 : 1;
            if (end + step > kMax) break;
            end += step;
        }
        std::string_view name = Trim(std::string_view(safe).substr(0, end));
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
        if (name.empty()) continue;
        std::string result(name);
        // The system takes "com3.log" for the device too: mark the base name.
        if (IsDeviceName(result)) result.insert(std::min(result.find('.'), result.size()), "_");
        return result;
    }
    return {};
}

bool IsDeviceName(std::string_view path)
{
    std::string name = LowerCasePath(ExtractFileName(path));
    // The system ignores an extension and trailing blanks and dots.
    const auto dot = name.find('.');
    if (dot != std::string::npos) name.resize(dot);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    static constexpr std::array<std::string_view, 7> kFixed = {"con", "prn", "aux", "nul", "conin$", "conout$",
                                                               "clock$"};
    for (auto d : kFixed)
        if (name == d) return true;
    return name.size() == 4 && (name.compare(0, 3, "com") == 0 || name.compare(0, 3, "lpt") == 0) && name[3] >= '1' &&
           name[3] <= '9';
}

TPathRefusal PathRefusal(std::string_view path)
{
    const bool deviceSpace = path.size() >= 4 && IsSep(path[0]) && IsSep(path[1]) && path[2] == '.' && IsSep(path[3]);
    if (deviceSpace || IsDeviceName(path)) return TPathRefusal::Device;
    return path.size() > kMaxPathBytes ? TPathRefusal::TooLong : TPathRefusal::None;
}

std::vector<std::size_t> SeparatorPositions(std::string_view path)
{
    std::vector<std::size_t> seps;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(U(path[i]))) {
            ++i;
        } else if (IsSep(path[i])) {
            seps.push_back(i);
        }
    }
    return seps;
}

std::string ExtractFileName(std::string_view path)
{
    const auto seps = SeparatorPositions(path);
    std::size_t start = seps.empty() ? 0 : seps.back() + 1;
    // "C:name" has its drive in front of the name.
    if (seps.empty() && path.size() >= 2 && path[1] == ':' && !IsLeadByte(U(path[0]))) start = 2;
    return std::string(path.substr(start));
}

std::string ExtractFilePath(std::string_view path)
{
    return std::string(path.substr(0, path.size() - ExtractFileName(path).size()));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    const std::string name = ExtractFileName(path);
    const std::size_t nameStart = path.size() - name.size();
    // The last "." of the name, walking characters (a trail byte 2E does not occur, but stay safe).
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsLeadByte(U(name[i]))) {
            ++i;
        } else if (name[i] == '.') {
            dot = i;
        }
    }
    std::string out(path.substr(0, dot == std::string::npos ? path.size() : nameStart + dot));
    out += ext;
    return out;
}

std::string PathRoot(std::string_view path)
{
    if (path.size() >= 2 && path[1] == ':' && !IsLeadByte(U(path[0]))) return std::string(path.substr(0, 2)) + "\\";
    if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) {
        const auto seps = SeparatorPositions(path);
        // \\server\share\ : the fourth separator ends the root.
        if (seps.size() >= 4) return std::string(path.substr(0, seps[3] + 1));
        if (seps.size() == 3 && seps[2] + 1 < path.size()) return std::string(path) + "\\";
    }
    return {};
}

std::string ExpandLongFileName(const std::string& path, const TLongNameLookup& sys)
{
    std::string full = sys.FullPath ? sys.FullPath(path) : path;
    if (full.empty()) full = path;
    full = std::string(Trim(full));
    const bool unc = full.size() >= 2 && IsSep(full[0]) && IsSep(full[1]);
    if (!unc && !(sys.Exists && sys.Exists(full))) return full;

    const auto seps = SeparatorPositions(full);
    // How many leading separators belong to the root: "X:\" one, "\\server\share" three.
    std::size_t rootSeps;
    if (unc) {
        rootSeps = 4;  // \\server\share\ ends at the fourth separator
        if (seps.size() < rootSeps) return full;
    } else {
        rootSeps = 1;
        if (seps.empty()) return full;
    }
    const std::size_t rootEnd = seps[rootSeps - 1];  // the root's closing separator
    std::vector<std::string> parts;
    std::size_t end = full.size();
    for (std::size_t k = seps.size(); k-- >= rootSeps;) {
        const std::size_t start = seps[k] + 1;
        if (start < end) {  // an empty component ("a\\b" or a trailing "\") adds nothing
            std::string found = sys.LongName ? sys.LongName(full.substr(0, end)) : std::string();
            parts.push_back(found.empty() ? full.substr(start, end - start) : found);
        }
        end = seps[k];
        if (k == rootSeps - 1) break;
    }
    std::string out = full.substr(0, rootEnd);
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) out += "\\" + *it;
    if (parts.empty()) out += "\\";
    return out;
}

std::string AbbreviatePath(std::string_view path)
{
    const auto seps = SeparatorPositions(path);
    const bool unc = path.size() >= 2 && IsSep(path[0]) && IsSep(path[1]);
    if (path.size() <= 48 || seps.size() <= (unc ? 5u : 3u)) return std::string(path);
    // The drive, or "\\" and the server name.
    const std::size_t headEnd = unc ? seps[2] : seps[0];
    const std::size_t tailStart = seps[seps.size() - 3] + 1;
    if (tailStart <= headEnd) return std::string(path);
    return std::string(path.substr(0, headEnd)) + "\\...\\" + std::string(path.substr(tailStart));
}

} // namespace vellumo
