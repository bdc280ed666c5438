#pragma once
// File names as code-page-932 byte strings: comparison, case folding, names
// suggested from the text, device names and long-name expansion. Portable:
// whatever needs the system is passed in.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// Lower-cases ASCII letters and the full-width Latin, Greek and Cyrillic
// letters of the code page; a trail byte is never changed.
std::string LowerCasePath(std::string_view path);

// The one comparison of file names: equal ignoring case as above.
bool SameFileName(std::string_view a, std::string_view b);

// Double-byte characters stay whole; the double quote and * , / : ; < > ? \ |
// become "-"; bytes below 20 hex (TAB, CR, LF and the other controls) and 1A
// are dropped. A lead byte without its trail at the end is dropped too.
std::string SafeFileNameChars(std::string_view line);

// The first line that gives a non-empty name: SafeFileNameChars, at most 60
// bytes (never ending inside a double-byte character), trimmed of blanks and
// of trailing dots; a device name gets "_" after its base name. Empty
// when no line gives one.
std::string NameFromText(const std::vector<std::string>& lines);

// "con", "prn", "aux", "nul", "com1".."com9", "lpt1".."lpt9", "conin$",
// "conout$", "clock$", in any case and with any extension, as the last
// component of the path.
bool IsDeviceName(std::string_view path);

// Why no document can live at a path: a device (by its last component, or
// a path in the "\\.\" device space), or a path longer than the system's
// byte-string file calls take. Devices are found first.
enum class TPathRefusal { None, Device, TooLong };
inline constexpr std::size_t kMaxPathBytes = 259;
TPathRefusal PathRefusal(std::string_view path);

// The last component of a path ("\" and "/" found by walking the characters).
std::string ExtractFileName(std::string_view path);
// The path up to and including its last separator.
std::string ExtractFilePath(std::string_view path);
// The path with its extension (from the last "." of the last component)
// replaced by ext; ext is appended when there is none.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// "X:\" or "\\server\share\" (trail bytes 5C are no separators); empty when
// the path has neither.
std::string PathRoot(std::string_view path);

// Byte offsets of the path separators, walking double-byte characters whole.
std::vector<std::size_t> SeparatorPositions(std::string_view path);

// What ExpandLongFileName needs of the system.
struct TLongNameLookup {
    std::function<std::string(const std::string&)> FullPath;     // empty on failure
    std::function<bool(const std::string&)> Exists;              // file or folder
    std::function<std::string(const std::string&)> LongName;     // of the last component; empty when none
};

// Every component of the path in its long form. UNC paths with empty or
// missing components end; a component the search does not find stays as it is.
std::string ExpandLongFileName(const std::string& path, const TLongNameLookup& sys);

// A path shortened for a caption: 48 bytes or less, or at most 3 separators
// (5 for UNC paths), stay whole; else the root + "\...\" + the last three
// components.
std::string AbbreviatePath(std::string_view path);

} // namespace vellumo
