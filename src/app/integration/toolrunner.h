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
#include <vector>

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

// The error output of a console tool: its head, which is all a message can
// show (a box of many kilobytes shows nothing readable), and whether more
// followed. The pipe is read to its end all the same.
constexpr std::size_t kMaxToolErrorText = 2048;
constexpr std::size_t kMaxToolErrorLines = 20;
class TToolErrorText {
public:
    void Append(std::string_view bytes);
    // At most kMaxToolErrorText bytes, never half a double-byte character.
    const std::string& Text() const noexcept { return text_; }
    bool More() const noexcept { return more_; }

private:
    std::string text_;
    bool more_ = false;
};

// A temporary file a program still held when the run was over (a tool left
// running, or a child it started): tried again once that program has ended,
// a bounded number of times.
constexpr int kTempDeleteTries = 120;
struct TPendingDelete {
    std::string Path;
    std::uintptr_t Tool = 0;  // the program to wait for; 0 for none
    int TriesLeft = kTempDeleteTries;
};
// One round: an entry whose tool still runs waits without spending a try;
// the others are tried and dropped once deleted or out of tries. A tool is
// asked about until it has ended, never after (its handle may go then).
void SweepPendingDeletes(std::vector<TPendingDelete>& pending,
                         const std::function<bool(std::uintptr_t tool)>& running,
                         const std::function<bool(const std::string& path)>& tryDelete);

// The messages.
extern const char* const kToolTempFailed;
extern const char* const kToolSaveQuestion;
extern const char* const kToolReadCancelledQuestion;
extern const char* const kToolSelectionChanged;
extern const char* const kToolWaitPrefix;
extern const char* const kToolErrorCut;
// The first lines of the error text (up to kMaxToolErrorLines, and whole
// lines when it was cut), one final line break dropped, and kToolErrorCut
// on a line of its own when anything was left out.
std::string ConsoleErrorMessage(std::string_view errorText, bool more = false);
std::string StartFailureMessage(const std::string& commandLine);
std::string MissingTempMessage(const std::string& path);
std::string UnreadableTempMessage(const std::string& path);

} // namespace vellumo
