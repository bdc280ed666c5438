#include "fixtures.h"

#include <windows.h>

#include "textcode/jisconv.h"

namespace e2e {

const char* CodeName(TCode code)
{
    switch (code) {
    case TCode::Sjis: return "sjis";
    case TCode::Jis: return "jis";
    case TCode::Euc: return "euc";
    case TCode::Utf16: return "utf16";
    case TCode::Utf8: return "utf8";
    case TCode::Utf8N: return "utf8n";
    }
    return "?";
}

const char* EndName(TEnd end)
{
    switch (end) {
    case TEnd::CrLf: return "crlf";
    case TEnd::Cr: return "cr";
    case TEnd::Lf: return "lf";
    }
    return "?";
}

std::string WithLineEnd(const std::string& crlf, TEnd end)
{
    if (end == TEnd::CrLf) return crlf;
    std::string out;
    out.reserve(crlf.size());
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') {
            out += end == TEnd::Cr ? '\r' : '\n';
            ++i;
        } else {
            out += crlf[i];
        }
    }
    return out;
}

static std::wstring Wide(const std::string& s)
{
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Encode(const std::string& cp932, TCode code)
{
    switch (code) {
    case TCode::Sjis: return cp932;
    case TCode::Jis: return vellumo::ConvertSjisToJis(cp932);
    case TCode::Euc: return vellumo::ConvertSjisToEuc(cp932);
    case TCode::Utf16: {
        const std::wstring w = Wide(cp932);
        std::string out = "\xFF\xFE";
        out.append(reinterpret_cast<const char*>(w.data()), w.size() * 2);
        return out;
    }
    case TCode::Utf8:
    case TCode::Utf8N: {
        const std::wstring w = Wide(cp932);
        std::string out = code == TCode::Utf8 ? "\xEF\xBB\xBF" : "";
        if (w.empty()) return out;
        const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
        std::string u(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), u.data(), n, nullptr, nullptr);
        return out + u;
    }
    }
    return cp932;
}

std::string SampleText(bool finalBreak)
{
    std::string s = "日本語のテキストを保存する。表示・ソ十能\r\n"
                    "ABC abc 123 (x|y) C:\\dir\\file\r\n"
                    "\r\n"
                    "全角　空白と記号①②、かな・カナ・漢字";
    if (finalBreak) s += "\r\n";
    return s;
}

} // namespace e2e
