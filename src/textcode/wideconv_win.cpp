#include "textcode/wideconv.h"

#include <windows.h>

#include <climits>

namespace vellumo {
namespace {

const unsigned savedAcp = ::GetACP();

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendEscape(std::string& out, unsigned unit)
{
    static const char hex[] = "0123456789ABCDEF";
    const char esc[5] = {'$', hex[(unit >> 12) & 15], hex[(unit >> 8) & 15], hex[(unit >> 4) & 15], hex[unit & 15]};
    out.append(esc, 5);
}

// Converts s[0..n) to the ANSI code page; usedDefault tells whether a
// character had no mapping. Explicit lengths keep embedded NULs in play.
std::string ConvertRun(const wchar_t* s, int n, char defaultChar, BOOL* usedDefault)
{
    if (usedDefault) *usedDefault = FALSE;
    if (n <= 0) return {};
    const char def[2] = {defaultChar, 0};
    const int len = ::WideCharToMultiByte(savedAcp, WC_NO_BEST_FIT_CHARS, s, n, nullptr, 0, def, usedDefault);
    if (len <= 0) return {};
    std::string out(static_cast<std::size_t>(len), '\0');
    ::WideCharToMultiByte(savedAcp, WC_NO_BEST_FIT_CHARS, s, n, out.data(), len, def, usedDefault);
    return out;
}

// Walks the conversion of a run that holds no surrogate: each UTF-16 unit
// gave exactly one character (one byte, or a lead byte and its trail).
void AppendEscapedRun(std::string& out, const wchar_t* s, int n)
{
    const std::string conv = ConvertRun(s, n, '\x01', nullptr);
    int w = 0;
    for (std::size_t i = 0; i < conv.size(); ++i, ++w) {
        const unsigned char b = static_cast<unsigned char>(conv[i]);
        if ((b == 0x01 || b == '$') && w < n) {
            AppendEscape(out, static_cast<unsigned>(s[w]));
        } else if (::IsDBCSLeadByteEx(savedAcp, b) && i + 1 < conv.size()) {
            out.append(conv, i, 2);
            ++i;
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
}

} // namespace

unsigned GetAnsiCodePage() { return savedAcp; }

bool IsWindows95()
{
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&vi)) return false;
#pragma GCC diagnostic pop
    return vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && vi.dwMinorVersion == 0;
}

std::wstring AnsiToWide(const std::string& s, unsigned codePage)
{
    if (s.empty() || s.size() > INT_MAX) return {};
    if (codePage == 0) codePage = savedAcp;
    if (IsWindows95() && codePage != 932) {
        std::wstring out;
        return MlangToWide(codePage, s, out) ? out : std::wstring();
    }
    const DWORD flags = codePage == 932 ? MB_PRECOMPOSED : 0;
    const int n = static_cast<int>(s.size());
    const int len = ::MultiByteToWideChar(codePage, flags, s.data(), n, nullptr, 0);
    if (len <= 0) return {};
    std::wstring out(static_cast<std::size_t>(len), L'\0');
    if (::MultiByteToWideChar(codePage, flags, s.data(), n, out.data(), len) != len) return {};
    return out;
}

std::wstring Utf8ToWide(const std::string& s)
{
    if (IsWindows95()) {
        std::wstring out;
        return MlangToWide(CP_UTF8, s, out) ? out : std::wstring();
    }
    return AnsiToWide(s, CP_UTF8);
}

bool MlangToWide(unsigned codePage, const std::string& s, std::wstring& out)
{
    out.clear();
    if (s.size() > INT_MAX / 3) return false;
    using ConvertFn = HRESULT(WINAPI*)(LPDWORD, DWORD, LPCSTR, LPINT, LPWSTR, LPINT);
    HMODULE lib = ::LoadLibraryA("mlang.dll");
    if (!lib) return false;
    auto fn = reinterpret_cast<ConvertFn>(reinterpret_cast<void*>(::GetProcAddress(lib, "ConvertINetMultiByteToUnicode")));
    bool ok = false;
    if (fn) {
        std::wstring buf(s.size() * 3 + 1, L'\0');
        DWORD mode = 0;
        INT srcLen = static_cast<INT>(s.size());
        INT dstLen = static_cast<INT>(s.size() * 3);
        if (fn(&mode, codePage, s.data(), &srcLen, buf.data(), &dstLen) == S_OK && dstLen >= 0 &&
            static_cast<std::size_t>(dstLen) < buf.size()) {
            buf.resize(static_cast<std::size_t>(dstLen));
            out = std::move(buf);
            ok = true;
        }
    }
    ::FreeLibrary(lib);
    return ok;
}

bool HasUnmappableChars(const std::wstring& s)
{
    if (s.empty() || s.size() > INT_MAX) return false;
    BOOL used = FALSE;
    const int n = static_cast<int>(s.size());
    if (::WideCharToMultiByte(savedAcp, WC_NO_BEST_FIT_CHARS, s.data(), n, nullptr, 0, nullptr, &used) <= 0)
        return true;
    return used != FALSE;
}

std::string WideToAnsiEscaped(const std::wstring& s)
{
    if (s.empty() || s.size() > INT_MAX / 6) return {};
    BOOL used = FALSE;
    std::string plain = ConvertRun(s.data(), static_cast<int>(s.size()), '\x01', &used);
    if (!used) return plain;

    // Surrogates are escaped one unit each (a character outside the basic
    // plane becomes two escapes); runs between them go through the code page.
    std::string out;
    out.reserve(plain.size() + plain.size() / 4);
    std::size_t i = 0;
    while (i < s.size()) {
        if (IsSurrogate(s[i])) {
            AppendEscape(out, static_cast<unsigned>(s[i]));
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < s.size() && !IsSurrogate(s[j])) ++j;
        AppendEscapedRun(out, s.data() + i, static_cast<int>(j - i));
        i = j;
    }
    return out;
}

} // namespace vellumo
