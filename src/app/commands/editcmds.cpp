#include "app/commands/editcmds.h"

#include <cstdint>
#include <unordered_map>

#include "app/window/mainformstatus.h"
#include "base/leadbytes.h"
#include "textcode/charfold.h"
#include "textcode/search.h"

namespace vellumo {

bool EditItemEnabled(TEditItem item, const TEditMenuInput& in) noexcept
{
    const bool s = in.Selection, w = in.Writable, n = in.NormalMode, b = in.SelectionHasLineBreak;
    switch (item) {
    case TEditItem::Undo: return w && in.CanUndo;
    case TEditItem::Redo: return w && in.CanRedo;
    case TEditItem::Cut: return s && w;
    case TEditItem::Copy: return s;
    case TEditItem::WordWrapCopy: return s && in.WordWrap && n;
    case TEditItem::Paste:
    case TEditItem::InyouPaste:
    case TEditItem::PasteBox: return in.ClipboardText && w;
    case TEditItem::Delete: return s && w;
    case TEditItem::LineDel: return !s && w;
    case TEditItem::Convert: return s && n && w;
    case TEditItem::Indent: return s && b && w;
    case TEditItem::WorpRet: return s && in.WordWrap && in.FollowRetMark && n && w;
    case TEditItem::DelRet: return s && n && b && w;
    case TEditItem::BoxMode: return !s;
    case TEditItem::FreeCaret: return n;
    case TEditItem::ReadOnly: return !in.ReadOnlyLocked && !(in.Named && in.Modified);
    }
    return false;
}

TSizeCheck CheckSelectionSize(long long length, long long limit) noexcept
{
    if (length <= 0) return TSizeCheck::NoSelection;
    return length > limit ? TSizeCheck::OverLimit : TSizeCheck::Ok;
}

std::string ByteLimitText(long long limit) { return GroupedNumber(limit) + " バイト制限を超えました。"; }

namespace {

// Copies pairs whole and maps the single bytes.
template <class F>
std::string MapSingleBytes(std::string_view text, F map)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c)) {
            ++i;  // its trail, whatever byte it is
            continue;
        }
        out[i] = static_cast<char>(map(c));
    }
    return out;
}

std::uint16_t PairAt(std::string_view text, std::size_t i)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(text[i]) << 8 | static_cast<unsigned char>(text[i + 1]));
}

void PutPair(std::string& out, std::uint16_t code)
{
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// The full-width apostrophe and quotation mark and their typographic forms.
constexpr std::uint16_t kWideApostrophe = 0xFA56, kWideQuote = 0xFA57;
constexpr std::uint16_t kRightSingleQuote = 0x8166, kRightDoubleQuote = 0x8168;

// Double-byte codes back to the single bytes they are the full-width form of.
const std::unordered_map<std::uint16_t, std::string>& HalfWidthForms()
{
    static const auto table = [] {
        std::unordered_map<std::uint16_t, std::string> t;
        auto add = [&](unsigned b) {
            const std::uint16_t code = FullWidthCode(static_cast<unsigned char>(b));
            if (code > 0xFF) t.emplace(code, std::string(1, static_cast<char>(b)));
        };
        for (unsigned b = 0x20; b <= 0x7E; ++b) add(b);
        for (unsigned b = 0xA1; b <= 0xDF; ++b) add(b);
        for (unsigned k = 0xA1; k <= 0xDF; ++k)
            for (unsigned m : {0xDEu, 0xDFu})
                if (JoinsMark(static_cast<unsigned char>(k), static_cast<unsigned char>(m)))
                    t.emplace(JoinedKanaCode(static_cast<unsigned char>(k), static_cast<unsigned char>(m)),
                              std::string{static_cast<char>(k), static_cast<char>(m)});
        // The typographic quotes are no width forms of ' and ": the full-width ones are.
        t.erase(kRightSingleQuote);
        t.erase(kRightDoubleQuote);
        t.emplace(kWideApostrophe, "'");
        t.emplace(kWideQuote, "\"");
        return t;
    }();
    return table;
}

} // namespace

std::string AsciiUpperCase(std::string_view text)
{
    return MapSingleBytes(text, [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 0x20 : c; });
}

std::string AsciiLowerCase(std::string_view text)
{
    return MapSingleBytes(text, [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 0x20 : c; });
}

std::string ToFullWidthText(std::string_view text)
{
    // HanToZen copies pairs whole; only the two quotes among them change.
    const std::string wide = HanToZen(text);
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(wide[i])) && i + 1 < wide.size()) {
            const std::uint16_t code = PairAt(wide, i);
            PutPair(out, code == kWideApostrophe ? kRightSingleQuote : code == kWideQuote ? kRightDoubleQuote : code);
            ++i;
        } else {
            out += wide[i];
        }
    }
    return out;
}

std::string ToHalfWidthText(std::string_view text)
{
    const auto& forms = HalfWidthForms();
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            const auto it = forms.find(PairAt(text, i));
            if (it != forms.end())
                out += it->second;
            else
                out.append(text.substr(i, 2));
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string RemoveLineBreaks(std::string_view text)
{
    // CR and LF are below every trail byte: a plain byte scan is safe.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        else
            out += text[i];
    }
    return out;
}

std::string QuotedPasteText(std::string_view clip, std::string_view mark)
{
    std::string out;
    std::size_t start = 0;
    while (start < clip.size()) {
        std::size_t end = clip.find_first_of("\r\n", start);
        const std::size_t lineEnd = end == std::string_view::npos ? clip.size() : end;
        out.append(mark);
        out.append(clip.substr(start, lineEnd - start));
        out += "\r\n";
        if (end == std::string_view::npos) break;
        start = end + (clip[end] == '\r' && end + 1 < clip.size() && clip[end + 1] == '\n' ? 2 : 1);
    }
    const bool endsWithBreak = clip.size() >= 2 && clip.substr(clip.size() - 2) == "\r\n";
    if (!endsWithBreak && out.size() >= 2) out.resize(out.size() - 2);
    return out;
}

std::string AutoIndentBreak(std::string_view line, int caretByte)
{
    std::size_t n = 0;
    const std::size_t limit = caretByte > 0 ? static_cast<std::size_t>(caretByte) : 0;
    while (n < line.size()) {
        const std::size_t width = line[n] == ' ' || line[n] == '\t' ? 1
                                  : line.substr(n, 2) == "\x81\x40"  ? 2
                                                                    : 0;
        if (width == 0 || n + width > limit) break;
        n += width;
    }
    return "\r\n" + std::string(line.substr(0, n));
}

TTabKeyAction TabKeyAction(bool selectionHasLineBreak, bool readOnly, long long selectionLength, bool shiftHeld) noexcept
{
    if (!selectionHasLineBreak || readOnly) return TTabKeyAction::InsertTab;
    if (selectionLength > kIndentByteLimit) return TTabKeyAction::Nothing;
    return shiftHeld ? TTabKeyAction::Unindent : TTabKeyAction::Indent;
}

} // namespace vellumo
