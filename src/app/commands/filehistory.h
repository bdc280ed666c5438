#pragma once
// The recent-file history: the list in its file beside the settings file
// (newest first, one path a line), which names it records, and what its
// submenu shows. Portable: the system's folders and short names are passed in.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

using TFileHistory = std::vector<std::string>;

// Entries kept: [FileHistorySet] FileHisMaxCount, a negative one counting as 0.
int HistoryLimit(int fileHisMaxCount) noexcept;

// One path a line (CR LF, LF or CR end a line); empty lines are no entries.
TFileHistory ParseFileHistory(std::string_view text);
// Each path followed by CR LF.
std::string FileHistoryText(const TFileHistory& history);

// fileName at the top; every entry naming the same file (compared as file
// names are, ignoring case) goes, then the list is cut to limit entries.
void AddToFileHistory(TFileHistory& history, const std::string& fileName, int limit);
// Every entry naming the file removed. True when one was.
bool RemoveFromFileHistory(TFileHistory& history, const std::string& fileName);

// The entries' accelerators in order; C belongs to the submenu's clear item.
inline constexpr std::string_view HistoryAccelerators = "1234567890ABDEFGHIJKLMNOPQRSTU";
// The accelerator of entry index (from 0); 0 past the thirtieth.
char HistoryAccelerator(int index) noexcept;
// What an entry shows of its path by [FileHistorySet] FileNameFormat: 1 the
// abbreviated path, 2 the file name, any other the path; an "&" shows as itself.
std::string HistoryEntryText(const std::string& path, int fileNameFormat);
// "&" + its accelerator + ": " + the text; past the thirtieth the number + ": ".
std::string HistoryCaption(int index, const std::string& path, int fileNameFormat);

// What the record filters need of the system.
struct THistorySystem {
    std::string TempFolder;      // the temporary folder
    std::string CacheFolder;     // the internet cache; empty when unknown
    // The short form of a path; empty when it cannot be made.
    std::function<std::string(const std::string&)> ShortPath;
    // A path with its environment reference expanded.
    std::function<std::string(const std::string&)> ExpandEnv;
};

// The file lies in the temporary or the internet-cache folder (by the short
// forms, and by the paths themselves for a file not made yet). An empty
// folder matches nothing.
bool IsTempOrCacheFile(const std::string& fileName, const THistorySystem& sys);
// The file lies under one of the ";"-separated folders of NoDirs (expanded):
// a plain prefix of the path or of its short form, so "C:\Tool" also covers
// "C:\Tools\a.txt".
bool IsExcludedHistoryFolder(const std::string& fileName, const std::string& noDirs, const THistorySystem& sys);

} // namespace vellumo
