#include "base/inifile.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <unordered_set>

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

unsigned char FoldByte(unsigned char b) noexcept { return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b; }

// Equal as FoldAsciiCase of both would be, without making them.
bool SameFolded(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldByte(x) != FoldByte(y)) {
            return false;
        }
    }
    return true;
}

// A hash of FoldAsciiCase(s), without making it.
std::uint64_t FoldedHash(std::string_view s, std::uint64_t h = 0xCBF29CE484222325ull) noexcept
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b) && i + 1 < s.size()) {
            h = (h ^ b) * 0x100000001B3ull;
            b = static_cast<unsigned char>(s[++i]);
        } else {
            b = FoldByte(b);
        }
        h = (h ^ b) * 0x100000001B3ull;
    }
    return h;
}

std::size_t PairHash(std::string_view section, std::string_view key) noexcept
{
    std::uint64_t h = FoldedHash(key, FoldedHash(section) * 0x9E3779B97F4A7C15ull);
    // Mixed, so that keys differing only in their last bytes spread over the slots.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return static_cast<std::size_t>(h ^ (h >> 33));
}

// High bits of a hash, kept beside its slot.
constexpr std::uint32_t HashTag(std::size_t hash) noexcept { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32); }

constexpr std::string_view kEols[] = {"", "\r\n", "\n", "\r"};

constexpr std::uint64_t Slot(std::size_t block, std::size_t line) noexcept
{
    return ((static_cast<std::uint64_t>(block) << 32) | static_cast<std::uint64_t>(line)) + 1;
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
    case TReadStatus::Ok: {
        // The same bytes as last read need no second parse.
        static std::mutex cacheMutex;
        static std::string cachePath;
        static std::shared_ptr<TState> cache;
        {
            const std::lock_guard<std::mutex> lock(cacheMutex);
            if (cache && cachePath == fileName_ && *cache->text == bytes) {
                state_ = cache;
                break;
            }
        }
        Parse(std::move(bytes));
        const std::lock_guard<std::mutex> lock(cacheMutex);
        cache = state_;
        cachePath = fileName_;
        break;
    }
    case TReadStatus::Missing:
        Parse(std::string());
        break;
    case TReadStatus::Failed:
        readFailed_ = true;
        error_ = "cannot read " + fileName_;
        Parse(std::string());
        break;
    }
}

TMemIniFile TMemIniFile::FromText(std::string fileName, std::string_view text)
{
    TMemIniFile ini;
    ini.fileName_ = std::move(fileName);
    ini.Parse(std::string(text));
    return ini;
}

void TMemIniFile::Parse(std::string bytes)
{
    // A file saved by an editor that marks UTF-8 starts with a signature:
    // it is no part of the first line, and it goes back out as it came.
    static constexpr std::string_view kSignature = "\xEF\xBB\xBF";
    state_ = std::make_shared<TState>();
    state_->text = std::make_shared<const std::string>(std::move(bytes));
    std::string_view text = *state_->text;
    state_->signature = text.substr(0, kSignature.size()) == kSignature;
    const std::size_t base = state_->signature ? kSignature.size() : 0;
    text.remove_prefix(base);
    state_->blocks.push_back(TBlock{{}, true});
    // The next CR and LF, each searched again only once passed.
    std::size_t nextCr = 0, nextLf = 0;
    auto find = [&](std::size_t from, char c) {
        const void* q = std::memchr(text.data() + from, c, text.size() - from);
        return q ? static_cast<std::size_t>(static_cast<const char*>(q) - text.data()) : text.size();
    };
    // One line: where it ends, and what kind it is.
    auto next = [&](std::size_t pos, TLine& line) {
        if (nextCr < pos) nextCr = find(pos, '\r');
        if (nextLf < pos) nextLf = find(pos, '\n');
        const std::size_t end = std::min(nextCr, nextLf);
        line = TLine{};
        line.pos = base + pos;
        line.len = end - pos;
        std::size_t eolSize = 0;
        if (end < text.size()) {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.eol = crlf ? 1 : (text[end] == '\n' ? 2 : 3);
            eolSize = crlf ? 2 : 1;
        }
        const std::string_view raw = text.substr(pos, end - pos);
        const std::string_view t = TrimBlanks(raw);
        if (raw.size() <= 0xFFFFFFFFu) {
            const auto at = [&](std::string_view part) { return static_cast<std::uint32_t>(part.data() - raw.data()); };
            if (t.size() >= 2 && t.front() == '[' && t.back() == ']' && LastByteIsSingle(t)) {
                line.kind = TLine::Header;
                const std::string_view name = TrimBlanks(t.substr(1, t.size() - 2));
                line.nameAt = at(name);
                line.nameLen = static_cast<std::uint32_t>(name.size());
            } else if (!t.empty() && t.front() != ';') {
                // "=" (3D) is never a trail byte, so the first one splits key and value.
                const std::size_t eq = t.find('=');
                const std::string_view name = eq == std::string_view::npos ? std::string_view() : TrimBlanks(t.substr(0, eq));
                if (!name.empty()) {
                    const std::string_view value = TrimBlanks(t.substr(eq + 1));
                    line.kind = TLine::Pair;
                    line.nameAt = at(name);
                    line.nameLen = static_cast<std::uint32_t>(name.size());
                    line.valueAt = value.empty() ? 0 : at(value);
                    line.valueLen = static_cast<std::uint32_t>(value.size());
                }
            }
        }
        return end + eolSize;
    };
    // Counted first, so that a section of millions of lines is not moved
    // as its vector grows.
    std::vector<std::size_t> counts(1, 0);
    TLine line;
    nextCr = nextLf = 0;
    if (!text.empty()) {
        nextCr = find(0, '\r');
        nextLf = find(0, '\n');
    }
    for (std::size_t pos = 0; pos < text.size();) {
        pos = next(pos, line);
        if (line.kind == TLine::Header) counts.push_back(0);
        ++counts.back();
    }
    state_->blocks.front().lines.reserve(counts[0]);
    if (!text.empty()) {
        nextCr = find(0, '\r');
        nextLf = find(0, '\n');
    }
    for (std::size_t pos = 0; pos < text.size();) {
        pos = next(pos, line);
        if (line.kind == TLine::Header) {
            state_->blocks.push_back(TBlock{{}, false});
            state_->blocks.back().lines.reserve(counts[state_->blocks.size() - 1]);
        }
        TBlock& block = state_->blocks.back();
        block.lines.push_back(std::move(line));
        if (block.lines.back().kind == TLine::Pair) block.pairsEnd = block.lines.size();
    }
}

void TMemIniFile::SetPair(TLine& line, std::string_view name, std::string_view value)
{
    std::string raw;
    raw.reserve(name.size() + 1 + value.size());
    raw.append(name).append("=").append(value);
    const std::string_view v = TrimBlanks(std::string_view(raw).substr(name.size() + 1));
    line.kind = TLine::Pair;
    line.nameAt = 0;
    line.nameLen = static_cast<std::uint32_t>(name.size());
    line.valueAt = static_cast<std::uint32_t>(v.empty() ? 0 : v.data() - raw.data());
    line.valueLen = static_cast<std::uint32_t>(v.size());
    line.own = std::move(raw);
    line.owned = true;
}

bool TMemIniFile::Matches(const TBlock& block, const std::string& foldedSection) const
{
    return !block.prelude && SameFolded(Name(block.lines[0]), foldedSection);
}

std::size_t TMemIniFile::IndexSlot(std::size_t hash, std::string_view foldedSection, std::string_view foldedKey) const
{
    const std::size_t mask = state_->index.slots.size() - 1;
    const std::uint32_t tag = HashTag(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint64_t v = state_->index.slots[i];
        if (v == 0) return i;
        if (state_->index.tags[i] != tag) continue;  // another key, seen without reading its line
        const std::size_t b = static_cast<std::size_t>((v - 1) >> 32), l = static_cast<std::size_t>((v - 1) & 0xFFFFFFFFu);
        if (SameFolded(Name(state_->blocks[b].lines[l]), foldedKey) && SameFolded(Name(state_->blocks[b].lines[0]), foldedSection)) return i;
    }
}

void TMemIniFile::IndexPair(std::size_t block, std::size_t line) const
{
    IndexPair(block, line, PairHash(Name(state_->blocks[block].lines[0]), Name(state_->blocks[block].lines[line])));
}

void TMemIniFile::IndexPair(std::size_t block, std::size_t line, std::size_t hash) const
{
    // Kept at most three quarters full, so that a probe ends soon.
    if ((state_->index.used + 1) * 4 > state_->index.slots.size() * 3) {
        const std::size_t size = std::max<std::size_t>(16, state_->index.slots.size() * 2);
        std::vector<std::uint64_t> old(size, 0);
        old.swap(state_->index.slots);
        state_->index.tags.assign(size, 0);
        const std::size_t mask = size - 1;
        for (const std::uint64_t v : old) {
            if (v == 0) continue;
            const TBlock& b = state_->blocks[static_cast<std::size_t>((v - 1) >> 32)];
            const std::size_t h = PairHash(Name(b.lines[0]), Name(b.lines[static_cast<std::size_t>((v - 1) & 0xFFFFFFFFu)]));
            std::size_t i = h & mask;
            while (state_->index.slots[i] != 0) i = (i + 1) & mask;
            state_->index.slots[i] = v;
            state_->index.tags[i] = HashTag(h);
        }
    }
    const std::string_view fs = Name(state_->blocks[block].lines[0]);
    const std::string_view fk = Name(state_->blocks[block].lines[line]);
    const std::size_t i = IndexSlot(hash, fs, fk);
    if (state_->index.slots[i] != 0) return;  // the first of duplicate keys wins
    state_->index.slots[i] = Slot(block, line);
    state_->index.tags[i] = HashTag(hash);
    ++state_->index.used;
}

TMemIniFile::TState& TMemIniFile::Own()
{
    if (state_.use_count() > 1) {
        auto copy = std::make_shared<TState>();
        copy->text = state_->text;
        copy->blocks = state_->blocks;
        copy->signature = state_->signature;
        {
            const std::lock_guard<std::mutex> lock(state_->indexMutex);
            copy->index = state_->index;
        }
        state_ = std::move(copy);
    }
    return *state_;
}

const TMemIniFile::TIndex& TMemIniFile::Index() const
{
    // Built once even when another object shares the state; after that
    // only an owner that no one shares changes it.
    const std::lock_guard<std::mutex> lock(state_->indexMutex);
    if (state_->index.built) return state_->index;
    state_->index = TIndex{};
    std::size_t pairs = 0;
    for (const TBlock& block : state_->blocks)
        if (!block.prelude)
            for (const TLine& line : block.lines) pairs += line.kind == TLine::Pair;
    std::size_t size = 16;
    while (size < pairs + pairs / 2 + 2) size *= 2;
    state_->index.slots.assign(size, 0);
    state_->index.tags.assign(size, 0);
    // In batches whose slots are fetched ahead: millions of keys would
    // otherwise wait on memory one slot at a time.
    struct TPending {
        std::size_t block, line, hash;
    };
    constexpr std::size_t kBatch = 32;
    TPending pending[kBatch];
    std::size_t n = 0;
    auto flush = [&] {
        for (std::size_t k = 0; k < n; ++k) IndexPair(pending[k].block, pending[k].line, pending[k].hash);
        n = 0;
    };
    for (std::size_t b = 0; b < state_->blocks.size(); ++b) {
        const TBlock& block = state_->blocks[b];
        if (block.prelude) continue;
        const std::string_view section = Name(block.lines[0]);
        state_->index.sections.emplace(FoldAsciiCase(section), b);
        for (std::size_t l = 1; l < block.lines.size(); ++l) {
            if (block.lines[l].kind != TLine::Pair) continue;
            const std::size_t hash = PairHash(section, Name(block.lines[l]));
            __builtin_prefetch(&state_->index.slots[hash & (size - 1)]);
            __builtin_prefetch(&state_->index.tags[hash & (size - 1)]);
            pending[n++] = {b, l, hash};
            if (n == kBatch) flush();
        }
    }
    flush();
    state_->index.built = true;
    return state_->index;
}

std::size_t TMemIniFile::FirstBlock(const std::string& foldedSection) const
{
    const TIndex& ix = Index();
    const auto it = ix.sections.find(foldedSection);
    return it == ix.sections.end() ? std::string::npos : it->second;
}

const TMemIniFile::TLine* TMemIniFile::FindPair(std::string_view section, std::string_view key) const
{
    const std::string fs = FoldAsciiCase(section), fk = FoldAsciiCase(key);
    if (FirstBlock(fs) == std::string::npos) return nullptr;
    const std::uint64_t v = state_->index.slots[IndexSlot(PairHash(fs, fk), fs, fk)];
    if (v == 0) return nullptr;
    return &state_->blocks[static_cast<std::size_t>((v - 1) >> 32)].lines[static_cast<std::size_t>((v - 1) & 0xFFFFFFFFu)];
}

TMemIniFile::TLine* TMemIniFile::FindPair(std::string_view section, std::string_view key)
{
    return const_cast<TLine*>(static_cast<const TMemIniFile*>(this)->FindPair(section, key));
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const TLine* line = FindPair(section, key);
    return std::string(line ? Value(*line) : fallback);
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    const TLine* line = FindPair(section, key);
    return line ? StrToIntDef(std::string(Value(*line)), fallback) : fallback;
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
    return FirstBlock(FoldAsciiCase(section)) != std::string::npos;
}

void TMemIniFile::ReadSection(std::string_view section, TStringList& keys) const
{
    TStringsUpdate guard(keys);
    keys.Clear();
    const std::string fs = FoldAsciiCase(section);
    if (FirstBlock(fs) == std::string::npos) return;
    for (std::size_t b = 0; b < state_->blocks.size(); ++b) {
        const TBlock& block = state_->blocks[b];
        if (!Matches(block, fs)) continue;
        for (std::size_t l = 1; l < block.lines.size(); ++l) {
            const TLine& line = block.lines[l];
            // Each key once: where the index has its first line.
            if (line.kind != TLine::Pair) continue;
            const std::string_view key = Name(line);
            if (state_->index.slots[IndexSlot(PairHash(fs, key), fs, key)] == Slot(b, l)) keys.Add(std::string(key));
        }
    }
}

void TMemIniFile::ReadSections(TStringList& sections) const
{
    TStringsUpdate guard(sections);
    sections.Clear();
    std::unordered_set<std::string> seen;
    for (const TBlock& block : state_->blocks)
        if (!block.prelude && seen.insert(FoldAsciiCase(Name(block.lines[0]))).second) sections.Add(std::string(Name(block.lines[0])));
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Own();
    const std::string v = SafeValue(value);
    if (TLine* line = FindPair(section, key)) {
        // An unchanged value keeps its line byte for byte (spacing included).
        if (Value(*line) == TrimBlanks(value)) return;
        SetPair(*line, Name(*line), v);
        return;
    }
    // Names are checked only where a new line is made: names already in the
    // file read back as they are.
    CheckKeyName(key);
    TLine pair;
    SetPair(pair, key, v);
    pair.eol = 1;

    const std::string fs = FoldAsciiCase(section);
    if (const std::size_t b = FirstBlock(fs); b != std::string::npos) {
        // After the section's last key, so that blank lines and comments
        // before the next header stay where they are (and no indexed line moves).
        TBlock& block = state_->blocks[b];
        const std::size_t at = block.pairsEnd;
        if (block.lines[at - 1].eol == 0) block.lines[at - 1].eol = 1;
        block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(pair));
        block.pairsEnd = at + 1;
        IndexPair(b, at);
        return;
    }

    // A new section at the end, after a blank line when the file is not empty.
    CheckSectionName(section);
    TLine* last = nullptr;
    for (TBlock& block : state_->blocks)
        if (!block.lines.empty()) last = &block.lines.back();
    std::vector<TLine> lines;
    if (last) {
        if (last->eol == 0) last->eol = 1;
        if (!TrimBlanks(Raw(*last)).empty()) {
            TLine blank;
            blank.owned = true;
            blank.eol = 1;
            lines.push_back(std::move(blank));
        }
    }
    TLine header;
    header.kind = TLine::Header;
    header.own = "[" + std::string(section) + "]";
    header.owned = true;
    header.nameAt = 1;
    header.nameLen = static_cast<std::uint32_t>(section.size());
    header.eol = 1;
    // The blank line belongs to the block before the new header.
    if (!lines.empty()) state_->blocks.back().lines.push_back(std::move(lines.front()));
    state_->blocks.push_back(TBlock{{std::move(header), std::move(pair)}, false, 2});
    state_->index.sections.emplace(fs, state_->blocks.size() - 1);
    IndexPair(state_->blocks.size() - 1, 1);
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
    Own();
    const std::string fs = FoldAsciiCase(section);
    std::erase_if(state_->blocks, [&](const TBlock& b) { return Matches(b, fs); });
    state_->index = TIndex{};
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    Own();
    const std::string fs = FoldAsciiCase(section), fk = FoldAsciiCase(key);
    for (TBlock& block : state_->blocks) {
        if (!Matches(block, fs)) continue;
        std::erase_if(block.lines, [&](const TLine& l) { return l.kind == TLine::Pair && SameFolded(Name(l), fk); });
        block.pairsEnd = 1;
        for (std::size_t i = 1; i < block.lines.size(); ++i)
            if (block.lines[i].kind == TLine::Pair) block.pairsEnd = i + 1;
    }
    state_->index = TIndex{};
}

std::string TMemIniFile::Text() const
{
    std::string out = state_->signature ? "\xEF\xBB\xBF" : "";
    for (const TBlock& block : state_->blocks)
        for (const TLine& line : block.lines) {
            out += Raw(line);
            out += kEols[line.eol & 3];
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
