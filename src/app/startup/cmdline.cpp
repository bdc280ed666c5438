#include "app/startup/cmdline.h"

#include <array>

#include "settings/pathnames.h"
#include "base/leadbytes.h"

namespace vellumo {

namespace {

// A lead byte only pairs with a byte that can follow it: a stray lead byte
// never swallows the quote or blank after it.
bool IsTrailByte(char c) noexcept
{
    const unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Switch names are ASCII: a lead byte never matches one of their bytes, so a
// trail byte is never compared against them either.
bool StartsWithSwitch(std::string_view arg, std::string_view prefix) noexcept
{
    return arg.size() >= prefix.size() && SameSwitchText(arg.substr(0, prefix.size()), prefix);
}

constexpr std::array<std::string_view, 14> kModeSwitches = {"/def", "/html", "/perl", "/ini", "/bat", "/cpp", "/java",
                                                            "/vb",  "/hsp",  "/pas",  "/ruby", "/php", "/css", "/js"};

} // namespace

bool SameSwitchText(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

namespace {

// Blanks part the arguments outside quotes; a quote itself is dropped. A
// double-byte character is taken whole, so its trail byte is never a blank
// or a quote.
template <class TChar>
std::vector<std::basic_string<TChar>> SplitArguments(std::basic_string_view<TChar> line)
{
    std::vector<std::basic_string<TChar>> out;
    std::basic_string<TChar> cur;
    bool inArg = false, quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const TChar c = line[i];
        if constexpr (sizeof(TChar) == 1) {
            if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < line.size() && IsTrailByte(line[i + 1])) {
                cur += c;
                cur += line[++i];
                inArg = true;
                continue;
            }
        }
        if (c == TChar('"')) {
            quoted = !quoted;
            inArg = true;  // "" is an empty argument
        } else if ((c == TChar(' ') || c == TChar('\t')) && !quoted) {
            if (inArg) out.push_back(std::move(cur));
            cur.clear();
            inArg = false;
        } else if (c == TChar('\0')) {
            break;
        } else {
            cur += c;
            inArg = true;
        }
    }
    if (inArg) out.push_back(std::move(cur));
    return out;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) { return SplitArguments(line); }

std::vector<std::wstring> SplitWideCommandLine(std::wstring_view line) { return SplitArguments(line); }

std::vector<std::string> SplitProcessCommandLine(std::string_view line, std::string_view programPath)
{
    const std::size_t n = programPath.size();
    const bool unquotedProgram = n > 0 && line.size() >= n && programPath.find(' ') != std::string_view::npos &&
                                 (line.size() == n || line[n] == ' ' || line[n] == '\t') &&
                                 SameFileName(line.substr(0, n), programPath);
    if (!unquotedProgram) return SplitCommandLine(line);
    std::vector<std::string> args = SplitCommandLine(line.substr(n));
    args.insert(args.begin(), std::string(line.substr(0, n)));
    return args;
}

std::string TCommandLine::ParamStr(int i) const
{
    return i >= 0 && i < static_cast<int>(args_.size()) ? args_[static_cast<std::size_t>(i)] : std::string();
}

bool TCommandLine::HasSwitch(std::string_view sw) const
{
    for (int i = 1; i <= ParamCount(); ++i)
        if (SameSwitchText(args_[static_cast<std::size_t>(i)], sw)) return true;
    return false;
}

std::string TCommandLine::SwitchStrValue(std::string_view prefix) const
{
    for (int i = 1; i <= ParamCount(); ++i) {
        const std::string& a = args_[static_cast<std::size_t>(i)];
        if (a.size() > prefix.size() && StartsWithSwitch(a, prefix)) return a.substr(prefix.size());
    }
    return {};
}

int TCommandLine::SwitchIntValue(std::string_view prefix) const
{
    for (int i = 1; i <= ParamCount(); ++i) {
        const std::string& a = args_[static_cast<std::size_t>(i)];
        if (a.size() <= prefix.size() || !StartsWithSwitch(a, prefix)) continue;
        const std::string_view rest = std::string_view(a).substr(prefix.size(), 8);
        bool negative = false;
        long long n = 0;
        for (std::size_t k = 0; k < rest.size(); ++k) {
            const char c = rest[k];
            if (c == '-' && k == 0)
                negative = true;
            else if (c >= '0' && c <= '9')
                n = n * 10 + (c - '0');  // at most 8 digits: no overflow
        }
        return static_cast<int>(negative ? -n : n);
    }
    return 0;
}

int TCommandLine::FirstSwitchOf(std::initializer_list<std::string_view> names) const
{
    for (int i = 1; i <= ParamCount(); ++i) {
        int k = 0;
        for (std::string_view n : names) {
            if (SameSwitchText(args_[static_cast<std::size_t>(i)], n)) return k;
            ++k;
        }
    }
    return -1;
}

std::string_view EditModeSwitch(int mode) noexcept
{
    return mode >= 0 && mode < static_cast<int>(kModeSwitches.size()) ? kModeSwitches[static_cast<std::size_t>(mode)]
                                                                     : std::string_view();
}

TCommandLineSwitches ReadSwitches(const TCommandLine& cl)
{
    static constexpr int kCodes[] = {5, 2, 4, 7, 8, 9};       // SJIS JIS EUC UTF-16 UTF-8 UTF-8N
    static constexpr int kLineEnds[] = {1, 2, 3};              // CRLF CR LF
    TCommandLineSwitches s;
    const int code = cl.FirstSwitchOf({"/cs", "/cj", "/ce", "/cu", "/cu8", "/cu8n"});
    if (code >= 0) s.Code = kCodes[code];
    const int le = cl.FirstSwitchOf({"/ecl", "/ec", "/el"});
    if (le >= 0) s.LineEnd = kLineEnds[le];
    const int wb = cl.SwitchIntValue("/wb=");
    if ((wb >= 20 && wb <= 800) || wb == -1) s.WrapByte = wb;
    const int tab = cl.SwitchIntValue("/tab=");
    if (tab >= 1 && tab <= 8) s.TabWidth = tab;
    s.Print = cl.HasSwitch("/p");
    s.ReadOnlyLocked = cl.HasSwitch("/rl");
    s.ReadOnly = cl.HasSwitch("/r");
    s.Output = cl.HasSwitch("/o");
    for (int i = 1; i <= cl.ParamCount() && s.EditMode < 0; ++i)
        for (std::size_t m = 0; m < kModeSwitches.size(); ++m)
            if (SameSwitchText(cl.ParamStr(i), kModeSwitches[m])) {
                s.EditMode = static_cast<int>(m);
                break;
            }
    const int j = cl.SwitchIntValue("/j=");
    const int jl = j > 0 ? 0 : cl.SwitchIntValue("/jl=");
    if (j > 0)
        s.JumpLine = j;
    else if (jl > 0)
        s.JumpLogicalLine = jl;
    else
        s.JumpEnd = cl.HasSwitch("/je");
    s.DialogFolder = cl.SwitchStrValue("/d=");
    s.SettingsFolder = cl.SwitchStrValue("/i=");
    s.ForwardSwitches = cl.HasSwitch("/t");
    return s;
}

std::string ForwardedSwitches(const TCommandLine& cl)
{
    std::string out;
    for (int i = 1; i <= cl.ParamCount(); ++i) {
        const std::string a = cl.ParamStr(i);
        if (!TCommandLine::IsSwitch(a) || StartsWithSwitch(a, "/i=")) continue;
        if (!out.empty()) out += ' ';
        out += '"' + a + '"';
    }
    return out;
}

} // namespace vellumo
