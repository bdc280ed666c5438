#include "app/docsaveencode.h"

#include <cstdint>

#include "textcode/jisconv.h"

namespace vellumo {

TCharCode CodeForSaveCvt(int saveCvt, TCharCode current) noexcept
{
    switch (saveCvt) {
    case 1: return ccSjis;
    case 2: return ccJis;
    case 3: return ccEuc;
    case 4: return ccUnicode;
    case 5: return ccUtf8;
    case 6: return ccUtf8N;
    default: return current;
    }
}

TLineEndCode LineEndForSaveRetCvt(int saveRetCvt, TLineEndCode current) noexcept
{
    switch (saveRetCvt) {
    case 1: return leCrLf;
    case 2: return leCr;
    case 3: return leLf;
    default: return current;
    }
}

std::string ConvertLineEnds(std::string_view crlfText, TLineEndCode lineEnd)
{
    const char drop = lineEnd == leCr ? '\n' : lineEnd == leLf ? '\r' : '\0';
    if (drop == '\0') return std::string(crlfText);
    std::string out;
    out.reserve(crlfText.size());
    // A byte 0D or 0A is never a trail byte in the code page, so a byte scan is safe.
    for (char c : crlfText)
        if (c != drop) out += c;
    return out;
}

std::string Utf16ToUtf8(const std::wstring& units)
{
    std::string out;
    out.reserve(units.size() * 3 / 2 + 8);
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t c = static_cast<std::uint16_t>(units[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size()) {
            const std::uint32_t lo = static_cast<std::uint16_t>(units[i + 1]);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TEncodedText EncodeDocumentText(const std::string& text, TCharCode code, const TWideCodec& codec)
{
    TEncodedText r;
    switch (code) {
    case ccJis:
    case ccJisOld:
        r.Bytes = ConvertSjisToJis(text);
        r.Lossy = ConvertJisToSjis(r.Bytes) != text;
        return r;
    case ccEuc:
        r.Bytes = ConvertSjisToEuc(text);
        r.Lossy = ConvertEucToSjis(r.Bytes) != text;
        return r;
    case ccUnicode:
    case ccUtf8:
    case ccUtf8N: {
        const std::wstring wide = codec.ToWide ? codec.ToWide(text) : std::wstring();
        r.Lossy = !codec.FromWide || codec.FromWide(wide) != text;
        if (code == ccUnicode) {
            r.Bytes.reserve(2 + wide.size() * 2);
            r.Bytes += "\xFF\xFE";
            for (wchar_t w : wide) {
                const auto u = static_cast<std::uint16_t>(w);
                r.Bytes += static_cast<char>(u & 0xFF);
                r.Bytes += static_cast<char>(u >> 8);
            }
        } else {
            if (code == ccUtf8) r.Bytes = "\xEF\xBB\xBF";
            r.Bytes += Utf16ToUtf8(wide);
        }
        return r;
    }
    default:
        r.Bytes = text;
        return r;
    }
}

} // namespace vellumo
