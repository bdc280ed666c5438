#include "app/document/docsaveencode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"
#include "textcode/jisextra.h"

namespace vellumo {

TCharCode CodeForSaveCvt(int saveCvt, TCharCode current) noexcept
{
    switch (saveCvt) {
    case scSjis: return ccSjis;
    case scJis: return ccJis;
    case scEuc: return ccEuc;
    case scUnicode: return ccUnicode;
    case scUtf8: return ccUtf8;
    case scUtf8N: return ccUtf8N;
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

void ConvertLineEndsInPlace(std::string& text, TLineEndCode lineEnd)
{
    // A byte 0D or 0A is never a trail byte in the code page: a byte scan is safe.
    const char drop = lineEnd == leCr ? '\n' : lineEnd == leLf ? '\r' : '\0';
    if (drop != '\0') std::erase(text, drop);
}

std::string ConvertLineEnds(std::string_view crlfText, TLineEndCode lineEnd)
{
    std::string out(crlfText);
    ConvertLineEndsInPlace(out, lineEnd);
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

namespace {

// Line-aligned pieces of about a megabyte: a line end is never inside a
// double-byte character, so each piece converts on its own, and the
// check's copies stay small whatever the text's size.
template <typename F>
void ForEachPiece(const std::string& text, F&& f)
{
    constexpr std::size_t kPiece = 1 << 20;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at + kPiece;
        if (end >= text.size()) {
            end = text.size();
        } else {
            const std::size_t lf = text.find_first_of("\r\n", end);
            end = lf == std::string::npos ? text.size() : lf + 1;
            if (end < text.size() && text[end - 1] == '\r' && text[end] == '\n') ++end;
        }
        f(std::string_view(text).substr(at, end - at));
        at = end;
    }
}

std::string WithIbmEquivalents(std::string_view sjis)
{
    std::string out(sjis);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        const auto lead = static_cast<unsigned char>(out[i]);
        if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) continue;
        const auto code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(out[i + 1]));
        if (const std::uint16_t nec = IbmExtensionEquivalent(code)) {
            out[i] = static_cast<char>(nec >> 8);
            out[i + 1] = static_cast<char>(nec & 0xFF);
        }
        ++i;
    }
    return out;
}

// Whether the text holds ESC, SO or SI, eight bytes at a time (the
// runtime's memchr may go byte by byte).
bool HoldsJisControl(const std::string& text)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    auto zeroByte = [](std::uint64_t v) { return (v - ones) & ~v & highs; };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        if (zeroByte(w ^ (ones * 0x1B)) | zeroByte(w ^ (ones * 0x0E)) | zeroByte(w ^ (ones * 0x0F))) return true;
    }
    for (; i < text.size(); ++i)
        if (text[i] == '\x1B' || text[i] == '\x0E' || text[i] == '\x0F') return true;
    return false;
}

// JIS and EUC-JP: what the converter replaced is lost. Besides, ESC, SO
// and SI in the text may read back as mode changes of JIS; only a text
// holding one is read back to see. EUC-JP takes the text's own memory.
TEncodedText EncodeJisOrEuc(std::string&& text, bool jis)
{
    TEncodedText r;
    std::size_t replaced = 0;
    if (!jis) {
        replaced = ConvertSjisToEucInPlace(text);
        r.Bytes = std::move(text);
        r.Lossy = replaced != 0;
        return r;
    }
    r.Bytes = ConvertSjisToJis(text, replaced);
    r.Lossy = replaced != 0;
    if (!r.Lossy && HoldsJisControl(text)) {
        ForEachPiece(text, [&](std::string_view piece) {
            // An IBM extension comes back as the same character's NEC code:
            // not a change the user needs to be asked about.
            if (!r.Lossy) r.Lossy = ConvertJisToSjis(ConvertSjisToJis(piece)) != WithIbmEquivalents(piece);
        });
    }
    return r;
}

} // namespace

TEncodedText EncodeDocumentText(std::string text, TCharCode code)
{
    TEncodedText r;
    switch (code) {
    case ccJis:
    case ccJisOld:
    case ccEuc: return EncodeJisOrEuc(std::move(text), code != ccEuc);
    case ccUnicode:
        r.Bytes = "\xFF\xFE";
        Cp932ToUtf16Le(text, r.Bytes, r.Lossy);
        return r;
    case ccUtf8:
    case ccUtf8N:
        r.Bytes = code == ccUtf8 ? "\xEF\xBB\xBF" : "";
        Cp932ToUtf8(text, r.Bytes, r.Lossy);
        return r;
    default:
        r.Bytes = std::move(text);
        return r;
    }
}

TEncodedText EncodeDocumentText(std::string text, TCharCode code, const TWideCodec& codec)
{
    TEncodedText r;
    switch (code) {
    case ccJis:
    case ccJisOld:
    case ccEuc: return EncodeJisOrEuc(std::move(text), code != ccEuc);
    case ccUnicode:
    case ccUtf8:
    case ccUtf8N: {
        if (!codec.ToWide || !codec.FromWide) {
            r.Lossy = true;
            return r;
        }
        r.Bytes = code == ccUnicode ? "\xFF\xFE" : code == ccUtf8 ? "\xEF\xBB\xBF" : "";
        r.Bytes.reserve(r.Bytes.size() + (code == ccUnicode ? text.size() * 2 : text.size() * 3 / 2));
        ForEachPiece(text, [&](std::string_view piece) {
            const std::string part(piece);
            const std::wstring wide = codec.ToWide(part);
            if (!r.Lossy) r.Lossy = codec.FromWide(wide) != part;
            if (code == ccUnicode) {
                std::size_t at = r.Bytes.size();
                r.Bytes.resize(at + wide.size() * 2);
                char* out = r.Bytes.data();
                for (wchar_t w : wide) {
                    const auto u = static_cast<std::uint16_t>(w);
                    out[at++] = static_cast<char>(u & 0xFF);
                    out[at++] = static_cast<char>(u >> 8);
                }
            } else {
                r.Bytes += Utf16ToUtf8(wide);
            }
        });
        return r;
    }
    default:
        r.Bytes = std::move(text);
        return r;
    }
}

} // namespace vellumo
