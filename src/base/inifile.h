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
#include <string>
#include <string_view>
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
    struct TLine {
        enum Kind { Other, Header, Pair } kind = Other;
        std::string raw;    // the line's bytes without its end
        std::string eol;    // "\r\n", "\n", "\r", or "" for a last line without one
        std::string name;   // section (Header) or key (Pair), trimmed
        std::string folded; // name with ASCII letters in lower case
        std::string value;  // Pair: trimmed value
    };
    struct TBlock {         // a header and the lines up to the next header
        std::vector<TLine> lines;  // lines[0] is the header, except in the prelude
        bool prelude = false;
    };

    TMemIniFile() = default;
    void Parse(std::string_view text);
    const TLine* FindPair(std::string_view section, std::string_view key) const;
    TLine* FindPair(std::string_view section, std::string_view key);
    static bool Matches(const TBlock& block, const std::string& foldedSection);

    std::string fileName_;
    std::vector<TBlock> blocks_;
    bool readFailed_ = false;
    bool signature_ = false;
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
