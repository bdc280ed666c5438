#pragma once
// The external tool runner's decisions: what the placeholders of a tool
// stand for, its command line, the temporary file's extension, whether the
// file comes back into the editor, and the texts the runner shows.
// Portable; the processes, pipes and waiting are toolrunner_win.cpp's.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/startup/startuptools.h"

namespace vellumo {

// The runner's placeholders beyond those of the start-up tools.
struct TToolValues : TToolPlaceholders {
    std::string DocBase, DocShortBase;  // %b %B: the name without its extension
    std::string Selection;              // %s, already cut by ToolSelectionText
};

// The extension after the first "%t." of the parameters, up to a blank, a
// double quote, a character no file name may hold, or the end (a
// double-byte character is taken whole); "" when there is none. "%" and the
// character after it are stepped over as a pair while searching.
std::string TempExtension(std::string_view params);

// The parameters with every placeholder replaced in one pass: what a value
// inserts is never searched again. tempPath stands for "%t." + extension
// and for "%t".
std::string ExpandToolParams(std::string_view params, const TToolValues& values, const std::string& tempPath,
                             const std::string& extension);
// The working folder's placeholders (%d %D %p %P) and the program's (%e %p %P).
std::string ExpandToolFolder(std::string_view folder, const TToolPlaceholders& values);
std::string ExpandToolProgram(std::string_view program, const TToolPlaceholders& values);

// The selection as "%s": at most 256 bytes, 255 when byte 256 would begin
// a double-byte character.
std::string ToolSelectionText(std::string_view selection);

// A program path with blanks that names an existing file (as it stands or
// with ".exe") is put in double quotes: unquoted, the system would run a
// file named like its first word. A quoted path and a console command
// ("cmd /c ...", whose blanks separate its own arguments) stay as they are.
std::string QuoteProgramPath(const std::string& program, const std::function<bool(const std::string&)>& isFile);

// The program alone, the parameters alone, or both joined by a blank.
std::string ToolCommandLine(const std::string& program, const std::string& params);

// What [Tools] Save n asks before the tool runs.
enum class TToolSaveStep { None, Save, Ask };
TToolSaveStep ToolSaveStep(int save, bool named, bool modified);

// A file's last write time in 100 ns units and its size.
struct TFileStamp {
    std::int64_t Time = 0;
    std::int64_t Size = 0;
    bool operator==(const TFileStamp&) const = default;
};

// What becomes of the temporary file once the tool is done.
enum class TReadBack {
    Nothing,  // unchanged, or the wait was abandoned: the text stays as it was
    Read,
    Ask,      // the tool was cancelled halfway: read only when the user says so
    Missing   // the tool deleted it
};
TReadBack DecideReadBack(const TFileStamp& written, bool exists, const TFileStamp& now, bool cancelled,
                         bool abandoned);

// The temporary file's bytes as text: NULs become blanks, as files are loaded.
std::string ReadBackText(std::string bytes);

// The error output of a console tool, of which the first 64 KB are kept.
constexpr std::size_t kMaxToolErrorText = 64 * 1024;
class TToolErrorText {
public:
    void Append(std::string_view bytes);
    const std::string& Text() const noexcept { return text_; }

private:
    std::string text_;
    bool full_ = false;
};

// The messages.
extern const char* const kToolTempFailed;
extern const char* const kToolSaveQuestion;
extern const char* const kToolReadCancelledQuestion;
extern const char* const kToolSelectionChanged;
extern const char* const kToolWaitPrefix;
std::string ConsoleErrorMessage(std::string_view errorText);
std::string StartFailureMessage(const std::string& commandLine);
std::string MissingTempMessage(const std::string& path);
std::string UnreadableTempMessage(const std::string& path);

} // namespace vellumo
