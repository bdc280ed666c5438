#include "dialogs/common/history.h"
#include "settings/settingsdecl.h"

#include <algorithm>

#include "base/filebytes.h"
#include "base/inifile.h"
#include "base/leadbytes.h"

namespace vellumo {

namespace {

const char* ExtOf(THistoryKind kind)
{
    return kind == THistoryKind::Search ? kSearchHistoryExt : kReplaceHistoryExt;
}

const char* SectionOf(THistoryKind kind)
{
    return kind == THistoryKind::Search ? kSearchTextSection : kReplaceTextSection;
}

bool IsLead(char c)
{
    return IsLeadByte(static_cast<unsigned char>(c));
}

} // namespace

void AddToHistory(THistory& history, const std::string& text)
{
    const auto it = std::find(history.begin(), history.end(), text);
    if (it != history.end()) history.erase(it);
    history.insert(history.begin(), text);
    if (history.size() > static_cast<std::size_t>(kHistoryMax)) history.resize(kHistoryMax);
}

std::string HistoryFilePath(const std::string& settingsPath, std::string_view ext)
{
    // The name starts after the last separator, found by walking characters
    // (a trail byte 5C is no separator); its last "." starts the extension.
    std::size_t nameStart = 0;
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < settingsPath.size(); ++i) {
        const char c = settingsPath[i];
        if (IsLead(c)) {
            ++i;
        } else if (c == '\\' || c == '/' || c == ':') {
            nameStart = i + 1;
            dot = std::string::npos;
        } else if (c == '.') {
            dot = i;
        }
    }
    std::string out = settingsPath.substr(0, dot == std::string::npos || dot < nameStart ? settingsPath.size() : dot);
    out += ext;
    return out;
}

THistory ParseHistoryText(std::string_view text)
{
    THistory out;
    std::size_t i = 0;
    while (i < text.size() && out.size() < static_cast<std::size_t>(kHistoryMax)) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        out.emplace_back(text.substr(i, end - i));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        i = end;
    }
    return out;
}

std::string HistoryText(const THistory& history)
{
    std::string out;
    const std::size_t n = std::min(history.size(), static_cast<std::size_t>(kHistoryMax));
    for (std::size_t k = 0; k < n; ++k) {
        // A pasted line break would split the entry and shift every later one.
        const std::string& e = history[k];
        out.append(e, 0, e.find_first_of("\r\n"));
        out += "\r\n";
    }
    return out;
}

THistory ReadHistoryFile(const std::string& path)
{
    try {
        std::string bytes;
        if (ReadFileBytes(path, bytes) != TReadStatus::Ok) return {};
        return ParseHistoryText(bytes);
    } catch (...) {
        return {};
    }
}

bool WriteHistoryFile(const std::string& path, const THistory& history)
{
    try {
        return ReplaceFileBytes(path, HistoryText(history));
    } catch (...) {
        return false;
    }
}

std::string StripLegacyEntry(std::string_view value)
{
    if (value.empty()) return {};
    const std::size_t first = IsLead(value[0]) && value.size() >= 2 ? 2 : 1;
    // The last character's start, walking from the front so that a trail
    // byte is never taken for a character of its own.
    std::size_t last = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        last = i;
        if (IsLead(value[i]) && i + 1 < value.size()) ++i;
    }
    if (last < first) return {};
    return std::string(value.substr(first, last - first));
}

bool ReadLegacyHistory(const TMemIniFile& ini, std::string_view section, THistory& history)
{
    if (!ini.SectionExists(section)) return false;
    history.clear();
    const int count = std::min(ini.ReadInteger(section, "ItemCount", 0), kHistoryMax);
    for (int k = 0; k < count; ++k) {
        const std::string key = "Item" + std::to_string(k);
        if (!ini.ValueExists(section, key)) continue;
        history.push_back(StripLegacyEntry(ini.ReadString(section, key, "")));
    }
    return true;
}

THistory LoadHistory(const std::string& settingsPath, THistoryKind kind)
{
    // Without a settings file there is no folder to read beside.
    if (settingsPath.empty()) return {};
    try {
        THistory history;
        const TMemIniFile ini(settingsPath);
        if (ReadLegacyHistory(ini, SectionOf(kind), history)) return history;
        return ReadHistoryFile(HistoryFilePath(settingsPath, ExtOf(kind)));
    } catch (...) {
        return {};
    }
}

bool ClearHistory(const std::string& settingsPath, THistoryKind kind)
{
    if (settingsPath.empty()) return false;
    try {
        bool ok = WriteHistoryFile(HistoryFilePath(settingsPath, ExtOf(kind)), {});
        TMemIniFile ini(settingsPath);
        if (ini.SectionExists(SectionOf(kind))) {
            ini.EraseSection(SectionOf(kind));
            ok = ini.UpdateFile() && ok;
        }
        return ok;
    } catch (...) {
        return false;
    }
}

std::string LastSearchText(const std::string& settingsPath)
{
    if (settingsPath.empty()) return {};
    const THistory history = ReadHistoryFile(HistoryFilePath(settingsPath, kSearchHistoryExt));
    return history.empty() ? std::string() : history.front();
}

TSearchOptions ReadSearchOptions(const TMemIniFile& ini)
{
    const TAppSearchOptions a = ReadSearchOptionSettings(ini);
    TSearchOptions o;
    o.MatchCase = a.MatchCase;
    o.WholeWord = a.WholeWord;
    o.Esc = a.Esc;
    o.Direction = a.Direction == 0 ? 0 : 1;
    o.ReplaceConfirm = a.ReplaceConfirm;
    return o;
}

TSearchOptions ReadSearchOptions(const std::string& settingsPath)
{
    if (settingsPath.empty()) return {};
    try {
        return ReadSearchOptions(TMemIniFile(settingsPath));
    } catch (...) {
        return {};
    }
}

void WriteSearchOptions(TMemIniFile& ini, const TSearchOptions& options, bool withConfirm)
{
    TAppSearchOptions a;
    a.MatchCase = options.MatchCase;
    a.WholeWord = options.WholeWord;
    a.Esc = options.Esc;
    a.Direction = options.Direction == 0 ? 0 : 1;
    a.ReplaceConfirm = options.ReplaceConfirm;
    WriteSearchOptionSettings(ini, a, withConfirm);
    ini.DeleteKey(kSearchOptionsSection, "GoTop");
}

bool SaveSearchState(const std::string& settingsPath, const THistory* search, const THistory* replace,
                     const TSearchOptions& options, bool withConfirm)
{
    if (settingsPath.empty()) return false;
    try {
        bool ok = true;
        bool searchWritten = false;
        bool replaceWritten = false;
        if (search) {
            searchWritten = WriteHistoryFile(HistoryFilePath(settingsPath, kSearchHistoryExt), *search);
            ok = ok && searchWritten;
        }
        if (replace) {
            replaceWritten = WriteHistoryFile(HistoryFilePath(settingsPath, kReplaceHistoryExt), *replace);
            ok = ok && replaceWritten;
        }
        TMemIniFile ini(settingsPath);
        // A legacy section whose file could not be written keeps the list alive.
        if (searchWritten) ini.EraseSection(kSearchTextSection);
        if (replaceWritten) ini.EraseSection(kReplaceTextSection);
        WriteSearchOptions(ini, options, withConfirm);
        return ini.UpdateFile() && ok;
    } catch (...) {
        return false;
    }
}

} // namespace vellumo
