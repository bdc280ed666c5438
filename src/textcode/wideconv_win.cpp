#include "textcode/wideconv.h"

#include <windows.h>

#include <climits>
#include <exception>

#include "textcode/cp932conv.h"

namespace vellumo {
namespace {

const unsigned savedAcp = ::GetACP();
// Code page 932 goes through the project's own tables (the same results,
// in one pass); any other code page through the system.
const bool ownTables = savedAcp == 932;

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The system calls count in ints: texts go through them in pieces of this
// many units, so only memory limits the size of a text.
constexpr std::size_t kPiece = std::size_t{1} << 26;

// The length of the piece of s starting at i: at most kPiece units, never
// ending between the two halves of a surrogate pair.
std::size_t WidePiece(const std::wstring& s, std::size_t i)
{
    std::size_t n = std::min(kPiece, s.size() - i);
    if (i + n < s.size() && s[i + n - 1] >= 0xD800 && s[i + n - 1] <= 0xDBFF) --n;
    return n;
}

void AppendEscape(std::string& out, unsigned unit)
{
    static const char hex[] = "0123456789ABCDEF";
    const char esc[5] = {'$', hex[(unit >> 12) & 15], hex[(unit >> 8) & 15], hex[(unit >> 4) & 15], hex[unit & 15]};
    out.append(esc, 5);
}

// Converts s[0..n) to the ANSI code page; usedDefault tells whether a
// character had no mapping. Explicit lengths keep embedded NULs in play.
// Appends the conversion to out; false when the system refuses it.
bool ConvertRun(const wchar_t* s, int n, char defaultChar, BOOL* usedDefault, std::string& out)
{
    if (usedDefault) *usedDefault = FALSE;
    if (n <= 0) return true;
    const char def[2] = {defaultChar, 0};
    const int len = ::WideCharToMultiByte(savedAcp, WC_NO_BEST_FIT_CHARS, s, n, nullptr, 0, def, usedDefault);
    if (len <= 0) return false;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(len));
    return ::WideCharToMultiByte(savedAcp, WC_NO_BEST_FIT_CHARS, s, n, out.data() + at, len, def, usedDefault) == len;
}

// Walks the conversion of a run that holds no surrogate: each UTF-16 unit
// gave exactly one character (one byte, or a lead byte and its trail).
bool AppendEscapedRun(std::string& out, const wchar_t* s, int n)
{
    std::string conv;
    if (!ConvertRun(s, n, '\x01', nullptr, conv)) return false;
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
    return true;
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

bool AnsiToWide(const std::string& s, unsigned codePage, std::wstring& out)
{
    out.clear();
    if (s.empty()) return true;
    if (codePage == 0) codePage = savedAcp;
    if (codePage == 932) try {
            Cp932ToWideUnits(s, out);
            return true;
        } catch (const std::exception&) {
            out.clear();
            return false;
        }
    if (IsWindows95()) return MlangToWide(codePage, s, out);
    const DWORD flags = codePage == 932 ? MB_PRECOMPOSED : 0;
    try {
        for (std::size_t i = 0; i < s.size();) {
            std::size_t n = std::min(kPiece, s.size() - i);
            if (i + n < s.size()) {
                // A piece ends where a character ends: before a UTF-8 lead
                // byte, or after a byte that is never part of a pair.
                if (codePage == CP_UTF8)
                    while (n > 0 && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) --n;
                else
                    while (n > 0 && static_cast<unsigned char>(s[i + n - 1]) >= 0x40) --n;
                if (n == 0) break;
            }
            const int in = static_cast<int>(n);
            const int len = ::MultiByteToWideChar(codePage, flags, s.data() + i, in, nullptr, 0);
            if (len <= 0) break;
            const std::size_t at = out.size();
            out.resize(at + static_cast<std::size_t>(len));
            if (::MultiByteToWideChar(codePage, flags, s.data() + i, in, out.data() + at, len) != len) break;
            i += n;
            if (i == s.size()) return true;
        }
    } catch (const std::exception&) {
    }
    out.clear();
    return false;
}

std::wstring AnsiToWide(const std::string& s, unsigned codePage)
{
    std::wstring out;
    AnsiToWide(s, codePage, out);
    return out;
}

bool Utf8ToWide(const std::string& s, std::wstring& out)
{
    try {
        Utf8ToWideUnits(s, out);
        return true;
    } catch (const std::exception&) {
        out.clear();
        return false;
    }
}

std::wstring Utf8ToWide(const std::string& s)
{
    std::wstring out;
    Utf8ToWide(s, out);
    return out;
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
    if (fn) try {
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
    } catch (const std::exception&) {
        ok = false;
    }
    ::FreeLibrary(lib);
    return ok;
}

bool HasUnmappableChars(const std::wstring& s)
{
    if (ownTables) return WideHasUnmappable(s.data(), s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = WidePiece(s, i);
        BOOL used = FALSE;
        if (::WideCharToMultiByte(savedAcp, WC_NO_BEST_FIT_CHARS, s.data() + i, static_cast<int>(n), nullptr, 0, nullptr,
                                  &used) <= 0 ||
            used)
            return true;
        i += n;
    }
    return false;
}

bool WideToAnsiEscaped(const std::wstring& s, std::string& out)
{
    out.clear();
    try {
        if (ownTables) {
            bool unmappable = false;
            WideToCp932(s.data(), s.size(), out, unmappable);
            return true;
        }
        BOOL used = FALSE;
        for (std::size_t i = 0; i < s.size() && !used;) {
            const std::size_t n = WidePiece(s, i);
            if (!ConvertRun(s.data() + i, static_cast<int>(n), '\x01', &used, out)) {
                out.clear();
                return false;
            }
            i += n;
        }
        if (!used) return true;

        // Surrogates are escaped one unit each (a character outside the basic
        // plane becomes two escapes); runs between them go through the code page.
        out.clear();
        out.reserve(s.size() + s.size() / 4);
        std::size_t i = 0;
        while (i < s.size()) {
            if (IsSurrogate(s[i])) {
                AppendEscape(out, static_cast<unsigned>(s[i]));
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < s.size() && j - i < kPiece && !IsSurrogate(s[j])) ++j;
            if (!AppendEscapedRun(out, s.data() + i, static_cast<int>(j - i))) {
                out.clear();
                return false;
            }
            i = j;
        }
        return true;
    } catch (const std::exception&) {
        out.clear();
        return false;
    }
}

std::string WideToAnsiEscaped(const std::wstring& s)
{
    std::string out;
    WideToAnsiEscaped(s, out);
    return out;
}

} // namespace vellumo
