#pragma once
// The find and replace histories: the lists the dialogs show, their files
// beside the settings file, the legacy ini sections they replace, and the
// [SearchOptions] keys the dialogs and find-next share.
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

class TMemIniFile;

inline constexpr int kHistoryMax = 32;
inline constexpr const char* kSearchHistoryExt = ".sch";
inline constexpr const char* kReplaceHistoryExt = ".rep";
inline constexpr const char* kSearchTextSection = "SearchText";
inline constexpr const char* kReplaceTextSection = "ReplaceText";
inline constexpr const char* kSearchOptionsSection = "SearchOptions";

using THistory = std::vector<std::string>;

enum class THistoryKind { Search, Replace };

// Puts text at the top: the first exactly equal entry moves up instead of
// being repeated; entries past kHistoryMax are dropped.
void AddToHistory(THistory& history, const std::string& text);

// The settings path with its extension replaced by ext.
std::string HistoryFilePath(const std::string& settingsPath, std::string_view ext);

// File form: one entry per line, CR LF after each (an entry ends at its first
// line break); reading takes the first kHistoryMax lines (CR LF, LF or CR end a line).
THistory ParseHistoryText(std::string_view text);
std::string HistoryText(const THistory& history);

// A missing or unreadable file is an empty history.
THistory ReadHistoryFile(const std::string& path);
// False when the file could not be written; never throws.
bool WriteHistoryFile(const std::string& path, const THistory& history);

// A legacy entry carries one extra character at each end. Fewer than two
// characters read as empty; a double-byte end character goes whole.
std::string StripLegacyEntry(std::string_view value);
// False when the section is absent; otherwise its ItemCount entries (at most
// kHistoryMax) go into history.
bool ReadLegacyHistory(const TMemIniFile& ini, std::string_view section, THistory& history);

// The history a dialog shows: the legacy section while it exists, else the file.
THistory LoadHistory(const std::string& settingsPath, THistoryKind kind);

// Empties the history file and erases the legacy section. False on failure.
bool ClearHistory(const std::string& settingsPath, THistoryKind kind);

// The newest search text: the first line of the search history file.
std::string LastSearchText(const std::string& settingsPath);

struct TSearchOptions {
    bool MatchCase = false;
    bool WholeWord = false;
    bool Esc = false;
    int Direction = 1;  // 0 up, 1 down
    bool ReplaceConfirm = true;
};

// Direction other than 0 or 1 reads as the default, down.
TSearchOptions ReadSearchOptions(const TMemIniFile& ini);
TSearchOptions ReadSearchOptions(const std::string& settingsPath);
// withConfirm: also ReplaceConfirm (the replace dialog). Drops the obsolete GoTop.
void WriteSearchOptions(TMemIniFile& ini, const TSearchOptions& options, bool withConfirm);

// A dialog's saving of its state: the given history files (null: not this
// dialog's), the legacy section of each history whose file reached the disk
// (so the old list does not come back), and the options. False when anything
// failed to reach the disk; never throws.
bool SaveSearchState(const std::string& settingsPath, const THistory* search, const THistory* replace,
                     const TSearchOptions& options, bool withConfirm);

} // namespace vellumo
