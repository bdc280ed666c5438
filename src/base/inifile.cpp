#include "base/inifile.h"

#include <stdexcept>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "base/filebytes.h"
#include "base/leadbytes.h"
#include "base/numtext.h"

namespace vellumo {

std::string FoldAsciiCase(std::string_view s)
{
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(b) && i + 1 < out.size()) {
            ++i;  // a trail byte 41-5A is no letter
            continue;
        }
        if (b >= 'A' && b <= 'Z') out[i] = static_cast<char>(b + ('a' - 'A'));
    }
    return out;
}

std::string_view TrimBlanks(std::string_view s) noexcept
{
    std::size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= 0x20) ++a;
    // A trail byte is 40 or above, so this never cuts a character in two.
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= 0x20) --b;
    return s.substr(a, b - a);
}

#if !defined(_WIN32)
bool IniFileIsReadOnly(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}
#endif

namespace {

// True when the last byte of s is a character of its own (not a trail byte).
bool LastByteIsSingle(std::string_view s) noexcept
{
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b) && i + 1 < s.size()) {
            if (i + 2 == s.size()) return false;
            i += 2;
        } else {
            if (i + 1 == s.size()) return true;
            ++i;
        }
    }
    return false;
}

bool HasLineBreakOrNul(std::string_view s) noexcept
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void CheckSectionName(std::string_view section)
{
    // A name ending in a lead byte would swallow the closing "]".
    if (section.empty() || TrimBlanks(section).size() != section.size() || HasLineBreakOrNul(section) ||
        !LastByteIsSingle("[" + std::string(section) + "]"))
        throw std::invalid_argument("ini section name cannot be written: " + std::string(section));
}

void CheckKeyName(std::string_view key)
{
    if (key.empty() || TrimBlanks(key).size() != key.size() || HasLineBreakOrNul(key) ||
        key.find('=') != std::string_view::npos || key[0] == ';' || key[0] == '[')
        throw std::invalid_argument("ini key name cannot be written: " + std::string(key));
}

std::string SafeValue(std::string_view value)
{
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return v;
}

} // namespace

TMemIniFile::TMemIniFile(std::string fileName) : fileName_(std::move(fileName))
{
    std::string bytes;
    switch (ReadFileBytes(fileName_, bytes)) {
    case TReadStatus::Ok:
        Parse(bytes);
        break;
    case TReadStatus::Missing:
        Parse({});
        break;
    case TReadStatus::Failed:
        readFailed_ = true;
        error_ = "cannot read " + fileName_;
        Parse({});
        break;
    }
}

TMemIniFile TMemIniFile::FromText(std::string fileName, std::string_view text)
{
    TMemIniFile ini;
    ini.fileName_ = std::move(fileName);
    ini.Parse(text);
    return ini;
}

void TMemIniFile::Parse(std::string_view text)
{
    // A file saved by an editor that marks UTF-8 starts with a signature:
    // it is no part of the first line, and it goes back out as it came.
    static constexpr std::string_view kSignature = "\xEF\xBB\xBF";
    signature_ = text.substr(0, kSignature.size()) == kSignature;
    if (signature_) text.remove_prefix(kSignature.size());
    blocks_.clear();
    blocks_.push_back(TBlock{{}, true});
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        TLine line;
        line.raw.assign(text.substr(pos, end - pos));
        if (end < text.size()) {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.eol = crlf ? "\r\n" : std::string(1, text[end]);
        }
        pos = end + line.eol.size();

        const std::string_view t = TrimBlanks(line.raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']' && LastByteIsSingle(t)) {
            line.kind = TLine::Header;
            line.name.assign(TrimBlanks(t.substr(1, t.size() - 2)));
            line.folded = FoldAsciiCase(line.name);
            blocks_.push_back(TBlock{{}, false});
        } else if (!t.empty() && t.front() != ';') {
            // "=" (3D) is never a trail byte, so the first one splits key and value.
            const std::size_t eq = t.find('=');
            if (eq != std::string_view::npos && !TrimBlanks(t.substr(0, eq)).empty()) {
                line.kind = TLine::Pair;
                line.name.assign(TrimBlanks(t.substr(0, eq)));
                line.folded = FoldAsciiCase(line.name);
                line.value.assign(TrimBlanks(t.substr(eq + 1)));
            }
        }
        blocks_.back().lines.push_back(std::move(line));
    }
}

bool TMemIniFile::Matches(const TBlock& block, const std::string& foldedSection)
{
    return !block.prelude && block.lines[0].folded == foldedSection;
}

const TMemIniFile::TLine* TMemIniFile::FindPair(std::string_view section, std::string_view key) const
{
    const std::string fs = FoldAsciiCase(section), fk = FoldAsciiCase(key);
    for (const TBlock& block : blocks_) {
        if (!Matches(block, fs)) continue;
        for (const TLine& line : block.lines)
            if (line.kind == TLine::Pair && line.folded == fk) return &line;
    }
    return nullptr;
}

TMemIniFile::TLine* TMemIniFile::FindPair(std::string_view section, std::string_view key)
{
    return const_cast<TLine*>(static_cast<const TMemIniFile*>(this)->FindPair(section, key));
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const TLine* line = FindPair(section, key);
    return line ? line->value : std::string(fallback);
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    const TLine* line = FindPair(section, key);
    return line ? StrToIntDef(line->value, fallback) : fallback;
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindPair(section, key) != nullptr;
}

bool TMemIniFile::SectionExists(std::string_view section) const
{
    const std::string fs = FoldAsciiCase(section);
    for (const TBlock& block : blocks_)
        if (Matches(block, fs)) return true;
    return false;
}

void TMemIniFile::ReadSection(std::string_view section, TStringList& keys) const
{
    TStringsUpdate guard(keys);
    keys.Clear();
    const std::string fs = FoldAsciiCase(section);
    std::vector<std::string> seen;
    for (const TBlock& block : blocks_) {
        if (!Matches(block, fs)) continue;
        for (const TLine& line : block.lines) {
            if (line.kind != TLine::Pair) continue;
            bool dup = false;
            for (const auto& s : seen) dup = dup || s == line.folded;
            if (dup) continue;
            seen.push_back(line.folded);
            keys.Add(line.name);
        }
    }
}

void TMemIniFile::ReadSections(TStringList& sections) const
{
    TStringsUpdate guard(sections);
    sections.Clear();
    std::vector<std::string> seen;
    for (const TBlock& block : blocks_) {
        if (block.prelude) continue;
        bool dup = false;
        for (const auto& s : seen) dup = dup || s == block.lines[0].folded;
        if (dup) continue;
        seen.push_back(block.lines[0].folded);
        sections.Add(block.lines[0].name);
    }
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string v = SafeValue(value);
    if (TLine* line = FindPair(section, key)) {
        // An unchanged value keeps its line byte for byte (spacing included).
        if (line->value == TrimBlanks(value)) return;
        line->raw = line->name + "=" + v;
        line->value.assign(TrimBlanks(v));
        return;
    }
    // Names are checked only where a new line is made: names already in the
    // file read back as they are.
    CheckKeyName(key);
    TLine pair;
    pair.kind = TLine::Pair;
    pair.name.assign(key);
    pair.folded = FoldAsciiCase(key);
    pair.raw = pair.name + "=" + v;
    pair.value.assign(TrimBlanks(v));
    pair.eol = "\r\n";

    const std::string fs = FoldAsciiCase(section);
    for (TBlock& block : blocks_) {
        if (!Matches(block, fs)) continue;
        // After the section's last key, so that blank lines and comments
        // before the next header stay where they are.
        std::size_t at = 1;
        for (std::size_t i = 1; i < block.lines.size(); ++i)
            if (block.lines[i].kind == TLine::Pair) at = i + 1;
        if (block.lines[at - 1].eol.empty()) block.lines[at - 1].eol = "\r\n";
        block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(pair));
        return;
    }

    // A new section at the end, after a blank line when the file is not empty.
    CheckSectionName(section);
    TLine* last = nullptr;
    for (TBlock& block : blocks_)
        if (!block.lines.empty()) last = &block.lines.back();
    std::vector<TLine> lines;
    if (last) {
        if (last->eol.empty()) last->eol = "\r\n";
        if (!TrimBlanks(last->raw).empty()) lines.push_back(TLine{TLine::Other, "", "\r\n", "", "", ""});
    }
    TLine header;
    header.kind = TLine::Header;
    header.name.assign(section);
    header.folded = fs;
    header.raw = "[" + header.name + "]";
    header.eol = "\r\n";
    // The blank line belongs to the block before the new header.
    if (!lines.empty()) blocks_.back().lines.push_back(std::move(lines.front()));
    blocks_.push_back(TBlock{{std::move(header), std::move(pair)}, false});
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TMemIniFile::EraseSection(std::string_view section)
{
    const std::string fs = FoldAsciiCase(section);
    std::erase_if(blocks_, [&](const TBlock& b) { return Matches(b, fs); });
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    const std::string fs = FoldAsciiCase(section), fk = FoldAsciiCase(key);
    for (TBlock& block : blocks_) {
        if (!Matches(block, fs)) continue;
        std::erase_if(block.lines, [&](const TLine& l) { return l.kind == TLine::Pair && l.folded == fk; });
    }
}

std::string TMemIniFile::Text() const
{
    std::string out = signature_ ? "\xEF\xBB\xBF" : "";
    for (const TBlock& block : blocks_)
        for (const TLine& line : block.lines) {
            out += line.raw;
            out += line.eol;
        }
    return out;
}

bool TMemIniFile::UpdateFile()
{
    readOnlyRefused_ = false;
    if (readFailed_) {
        error_ = "not written: " + fileName_ + " exists but could not be read";
        return false;
    }
    // Replacing would drop the mark (and as an administrator nothing else
    // stops the write): a read-only settings file stays as it is.
    if (IniFileIsReadOnly(fileName_)) {
        error_ = "not written: " + fileName_ + " is read-only";
        readOnlyRefused_ = true;
        return false;
    }
    std::string why;
    if (!ReplaceFileBytes(fileName_, Text(), &why)) {
        error_ = why;
        return false;
    }
    error_.clear();
    return true;
}

} // namespace vellumo
