#pragma once
// A settings file in ini form, held in memory: read whole when made, changed
// in memory, written back whole by UpdateFile.
//
// Section and key names are compared without regard to ASCII case (the bytes
// of a double-byte character are compared as they are). The first of
// duplicate keys wins. Lines the reader does not understand, comments, unknown
// sections and keys keep their place and bytes through a rewrite. Values are
// raw code-page-932 bytes trimmed of bytes up to 20 (hex) at both ends; the
// full-width blank is a character like any other.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/stringlist.h"

namespace vellumo {

class TMemIniFile {
public:
    // Reads the whole file. A missing file gives an empty one; a file that
    // exists but cannot be read also reads as empty, and UpdateFile then
    // refuses so that the unread content is not wiped.
    explicit TMemIniFile(std::string fileName);

    // Starts from the given text instead of a file (FileName stays as given).
    static TMemIniFile FromText(std::string fileName, std::string_view text);

    const std::string& FileName() const noexcept { return fileName_; }
    bool ReadFailed() const noexcept { return readFailed_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A value that is not a number gives the fallback.
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // Any non-zero number is true; a value that is not a number gives the fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    bool ValueExists(std::string_view section, std::string_view key) const;
    bool SectionExists(std::string_view section) const;
    // Key names of a section in file order, each once.
    void ReadSection(std::string_view section, TStringList& keys) const;
    // Section names in file order, each once.
    void ReadSections(TStringList& sections) const;

    // CR, LF and NUL in a value are written as blanks: they would split the
    // line. A new section or key whose name could not be read back the same
    // throws std::invalid_argument.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    void EraseSection(std::string_view section);
    // Removes every line of that key in the section.
    void DeleteKey(std::string_view section, std::string_view key);

    // The bytes UpdateFile writes.
    std::string Text() const;

    // Writes the whole file through a temporary file in the same folder, which
    // then replaces the old one. Returns false (and ErrorText says why) when
    // the file was unreadable at construction, is marked read-only or could
    // not be written. A leading UTF-8 signature is kept.
    bool UpdateFile();
    const std::string& ErrorText() const noexcept { return error_; }
    // The last UpdateFile failed because the file is marked read-only.
    bool ReadOnlyRefused() const noexcept { return readOnlyRefused_; }

private:
    // A line of the file. Lines read from the file are views into its
    // bytes (a file of millions of keys is not copied line by line); a line
    // made or changed here holds its own bytes.
    struct TLine {
        enum Kind : std::uint8_t { Other, Header, Pair } kind = Other;
        std::uint8_t eol = 0;  // 0: none (a last line), 1: CR LF, 2: LF, 3: CR
        bool owned = false;    // the bytes are in own, not in the file's text
        std::uint32_t nameAt = 0, nameLen = 0;    // section (Header) or key (Pair), trimmed, within the line
        std::uint32_t valueAt = 0, valueLen = 0;  // Pair: the trimmed value, within the line
        std::size_t pos = 0, len = 0;             // the line within the file's text
        std::string own;
    };
    struct TBlock {         // a header and the lines up to the next header
        std::vector<TLine> lines;  // lines[0] is the header, except in the prelude
        bool prelude = false;
        std::size_t pairsEnd = 1;  // just after the last key line (1: none)
    };
    // Where the first line of each section and key stands, so that a read
    // does not walk a section of millions of keys. Built on first use; a new
    // key or section is added to it, a removal drops it. Each slot holds
    // (block << 32 | line) + 1, or 0 when empty.
    struct TIndex {
        bool built = false;
        std::vector<std::uint64_t> slots;  // size a power of two
        std::vector<std::uint32_t> tags;   // beside each slot: high bits of its hash
        std::size_t used = 0;
        std::unordered_map<std::string, std::size_t> sections;  // folded name -> first block
    };

    TMemIniFile() = default;
    void Parse(std::string bytes);
    const TLine* FindPair(std::string_view section, std::string_view key) const;
    TLine* FindPair(std::string_view section, std::string_view key);
    bool Matches(const TBlock& block, const std::string& foldedSection) const;
    const TIndex& Index() const;
    // The slot of that key, or of the empty slot where it would go.
    std::size_t IndexSlot(std::size_t hash, std::string_view foldedSection, std::string_view foldedKey) const;
    void IndexPair(std::size_t block, std::size_t line) const;
    void IndexPair(std::size_t block, std::size_t line, std::size_t hash) const;
    // Block index of the first section of that folded name, or npos.
    std::size_t FirstBlock(const std::string& foldedSection) const;

    std::string_view Raw(const TLine& line) const noexcept
    {
        return line.owned ? std::string_view(line.own) : std::string_view(*state_->text).substr(line.pos, line.len);
    }
    std::string_view Name(const TLine& line) const noexcept { return Raw(line).substr(line.nameAt, line.nameLen); }
    std::string_view Value(const TLine& line) const noexcept { return Raw(line).substr(line.valueAt, line.valueLen); }
    // Gives the line the bytes name=value of its own.
    static void SetPair(TLine& line, std::string_view name, std::string_view value);

    // What was read, shared between objects made from the same bytes (the
    // settings file is opened many times); a change works on a copy.
    struct TState {
        std::shared_ptr<const std::string> text = std::make_shared<const std::string>();  // the bytes read
        std::vector<TBlock> blocks;
        bool signature = false;
        TIndex index;
        std::mutex indexMutex;  // the index of a shared state is built once
    };
    // The state to change, no longer shared.
    TState& Own();

    std::string fileName_;
    std::shared_ptr<TState> state_ = std::make_shared<TState>();
    bool readFailed_ = false;
    bool readOnlyRefused_ = false;
    std::string error_;
};

// Whether an existing file carries the read-only mark (false when missing).
bool IniFileIsReadOnly(const std::string& path);

// ASCII lower case of the single-byte characters; double-byte characters unchanged.
std::string FoldAsciiCase(std::string_view s);
// s without bytes up to 20 (hex) at both ends.
std::string_view TrimBlanks(std::string_view s) noexcept;

} // namespace vellumo
