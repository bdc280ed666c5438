#include <windows.h>

#include <climits>
#include <exception>

#include "base/showmsg.h"
#include "base/widename.h"

namespace vellumo {

namespace {

// Converts without the system's look-alikes; false when a character had no code.
bool Narrow(std::wstring_view s, std::string& out)
{
    out.clear();
    if (s.empty()) return true;
    if (s.size() > INT_MAX / 4) return false;
    const int n = static_cast<int>(s.size());
    BOOL used = FALSE;
    const int len = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.data(), n, nullptr, 0, nullptr, &used);
    if (len <= 0 || used) return false;
    out.resize(static_cast<std::size_t>(len));
    used = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.data(), n, out.data(), len, nullptr, &used) != len || used) {
        out.clear();
        return false;
    }
    return true;
}

bool Widen(std::string_view s, std::wstring& out)
{
    out.clear();
    if (s.empty()) return true;
    if (s.size() > INT_MAX) return false;
    const int n = static_cast<int>(s.size());
    const int len = MultiByteToWideChar(CP_ACP, 0, s.data(), n, nullptr, 0);
    if (len <= 0) return false;
    out.resize(static_cast<std::size_t>(len));
    return MultiByteToWideChar(CP_ACP, 0, s.data(), n, out.data(), len) == len;
}

void AppendEscape(std::string& out, unsigned unit)
{
    static const char hex[] = "0123456789ABCDEF";
    out += '$';
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 15];
}

} // namespace

bool WideNameToAnsi(std::wstring_view name, std::string& out)
{
    try {
        std::wstring back;
        // Some code pages have no "used default" report, and a character can
        // come back as another: only the round trip proves the name.
        if (name.find(L'\0') == std::wstring_view::npos && Narrow(name, out) && Widen(out, back) && back == name)
            return true;
    } catch (const std::exception&) {
    }
    out.clear();
    return false;
}

std::wstring AnsiToWideName(std::string_view text)
{
    std::wstring out;
    try {
        if (!Widen(text, out)) out.clear();
    } catch (const std::exception&) {
        out.clear();
    }
    return out;
}

std::string WideNameForMessage(std::wstring_view name)
{
    std::string whole;
    if (WideNameToAnsi(name, whole)) return whole;
    std::string out;
    std::string one;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        // A surrogate alone has no code: each half is escaped.
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        if (c != L'$' && !surrogate && WideNameToAnsi(std::wstring_view(&name[i], 1), one))
            out += one;
        else
            AppendEscape(out, static_cast<unsigned>(c));
    }
    return out;
}

void RefuseUnrepresentableNames(const std::vector<std::wstring>& names, bool saving)
{
    if (names.empty()) return;
    std::vector<std::string> shown;
    try {
        for (const std::wstring& n : names) shown.push_back(WideNameForMessage(n));
    } catch (const std::exception&) {
    }
    ShowMsg(UnrepresentableNamesMessage(shown, saving), kMsgCaption, kMsgIconExclamation);
}

} // namespace vellumo
