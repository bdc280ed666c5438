#pragma once
// The program's arguments and the switches that override settings for one run.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// Splits a command line the way this program writes the lines it passes on
// (every argument quoted): blanks and tabs separate, a double quote toggles
// quoting and is dropped, a backslash is an ordinary character. Double-byte
// characters stay whole.
std::vector<std::string> SplitCommandLine(std::string_view line);

// As SplitCommandLine, except that an unquoted program path with blanks at
// the start of the line (as some starters pass it) stays argument 0 whole
// instead of lending its words to the arguments.
std::vector<std::string> SplitProcessCommandLine(std::string_view line, std::string_view programPath);

// The same rules over the command line as the system keeps it, in UTF-16.
std::vector<std::wstring> SplitWideCommandLine(std::wstring_view line);

// Argument 0 is the program; 1..ParamCount() are the arguments.
class TCommandLine {
public:
    TCommandLine() = default;
    explicit TCommandLine(std::vector<std::string> args) : args_(std::move(args)) {}
    static TCommandLine FromText(std::string_view line) { return TCommandLine(SplitCommandLine(line)); }

    int ParamCount() const noexcept { return args_.empty() ? 0 : static_cast<int>(args_.size()) - 1; }
    // "" out of range.
    std::string ParamStr(int i) const;
    static bool IsSwitch(std::string_view arg) noexcept { return !arg.empty() && arg[0] == '/'; }

    // Some argument equals the switch, ignoring the case of ASCII letters.
    bool HasSwitch(std::string_view sw) const;
    // Of the first argument that starts with the prefix and is longer: at
    // most 8 characters after it, only the digits and a leading "-" taken.
    int SwitchIntValue(std::string_view prefix) const;
    std::string SwitchStrValue(std::string_view prefix) const;
    // Index in names of the first argument (left to right) equal to one of them; -1.
    int FirstSwitchOf(std::initializer_list<std::string_view> names) const;

private:
    std::vector<std::string> args_;
};

bool SameSwitchText(std::string_view a, std::string_view b) noexcept;

// The switches of a command line, read once.
struct TCommandLineSwitches {
    int Code = -1;     // TCharCode of the first code switch
    int LineEnd = -1;  // TLineEndCode of the first line-end switch
    int WrapByte = 0;  // 20..800 wrap at that column, -1 no wrap, 0 untouched
    int TabWidth = 0;  // 1..8, 0 untouched
    bool Print = false;           // "/p"
    bool ReadOnlyLocked = false;  // "/rl"
    bool ReadOnly = false;        // "/r"
    bool Output = false;          // "/o"
    int EditMode = -1;            // first of "/def" ... "/js"
    int JumpLine = 0;             // "/j=" > 0
    int JumpLogicalLine = 0;      // "/jl=" > 0, only when "/j=" gives none
    bool JumpEnd = false;         // "/je", only when neither gives a line
    std::string DialogFolder;     // "/d="
    std::string SettingsFolder;   // "/i="
    bool ForwardSwitches = false; // "/t"
};

TCommandLineSwitches ReadSwitches(const TCommandLine& cl);

// The edit-mode switches in mode order (mode 0 is "/def").
std::string_view EditModeSwitch(int mode) noexcept;

// Every switch but "/i=", each as a blank and the quoted switch; trimmed.
std::string ForwardedSwitches(const TCommandLine& cl);

} // namespace vellumo
