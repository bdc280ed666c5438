#include "app/commands/filehistory.h"

#include <algorithm>

#include "app/window/menus.h"
#include "settings/pathnames.h"

namespace vellumo {

int HistoryLimit(int fileHisMaxCount) noexcept { return std::max(fileHisMaxCount, 0); }

TFileHistory ParseFileHistory(std::string_view text)
{
    TFileHistory out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) out.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return out;
}

std::string FileHistoryText(const TFileHistory& history)
{
    std::string text;
    for (const std::string& path : history) text += path + "\r\n";
    return text;
}

bool RemoveFromFileHistory(TFileHistory& history, const std::string& fileName)
{
    const auto gone = std::remove_if(history.begin(), history.end(),
                                     [&](const std::string& entry) { return SameFileName(entry, fileName); });
    const bool removed = gone != history.end();
    history.erase(gone, history.end());
    return removed;
}

void AddToFileHistory(TFileHistory& history, const std::string& fileName, int limit)
{
    RemoveFromFileHistory(history, fileName);
    history.insert(history.begin(), fileName);
    history.resize(std::min(history.size(), static_cast<std::size_t>(HistoryLimit(limit))));
}

char HistoryAccelerator(int index) noexcept
{
    const auto i = static_cast<std::size_t>(index);
    return index >= 0 && i < HistoryAccelerators.size() ? HistoryAccelerators[i] : 0;
}

std::string HistoryEntryText(const std::string& path, int fileNameFormat)
{
    switch (fileNameFormat) {
    case 1: return MenuCaptionText(AbbreviatePath(path));
    case 2: return MenuCaptionText(ExtractFileName(path));
    default:
        // Formats above the three the options offer show the path as stored.
        return fileNameFormat > 2 ? path : MenuCaptionText(path);
    }
}

std::string HistoryCaption(int index, const std::string& path, int fileNameFormat)
{
    const char key = HistoryAccelerator(index);
    const std::string number = key ? std::string("&") + key : std::to_string(index + 1);
    return number + ": " + HistoryEntryText(path, fileNameFormat);
}

namespace {

// The one case fold of file names: a trail byte is never changed.
bool StartsWithFolder(const std::string& path, const std::string& folder)
{
    if (folder.empty() || path.size() < folder.size()) return false;
    return LowerCasePath(path.substr(0, folder.size())) == LowerCasePath(folder);
}

std::string ShortOr(const THistorySystem& sys, const std::string& path, const std::string& otherwise)
{
    std::string s = sys.ShortPath ? sys.ShortPath(path) : std::string();
    return s.empty() ? otherwise : s;
}

} // namespace

bool IsTempOrCacheFile(const std::string& fileName, const THistorySystem& sys)
{
    const std::string file = ShortOr(sys, fileName, {});
    for (const std::string* folder : {&sys.TempFolder, &sys.CacheFolder}) {
        if (folder->empty()) continue;
        if (StartsWithFolder(fileName, *folder)) return true;
        if (!file.empty() && StartsWithFolder(file, ShortOr(sys, *folder, {}))) return true;
    }
    return false;
}

bool IsExcludedHistoryFolder(const std::string& fileName, const std::string& noDirs, const THistorySystem& sys)
{
    const std::string file = ShortOr(sys, fileName, fileName);
    std::size_t start = 0;
    while (start <= noDirs.size()) {
        std::size_t end = noDirs.find(';', start);
        if (end == std::string::npos) end = noDirs.size();
        std::string part = noDirs.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        if (sys.ExpandEnv) part = sys.ExpandEnv(part);
        if (StartsWithFolder(fileName, part) || StartsWithFolder(file, ShortOr(sys, part, part))) return true;
    }
    return false;
}

} // namespace vellumo
