#pragma once
// Reading standard input into the untitled document. A worker thread reads
// (peeking first where the pipe allows it, else with blocking reads) and
// hands chunks to the GUI thread, which waits with a time-out while it keeps
// the messages flowing, so the progress window's abort button always works.
// Windows only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace vellumo {

struct TStdInputHost {
    HWND Form = nullptr;    // disabled while reading; its close request aborts
    HWND Anchor = nullptr;  // the progress window sits at its client point (24, 24)
    std::function<void()> Show;                     // makes the main window visible
    std::function<void(std::string text)> SetText;  // the document's text
};

struct TStdInputResult {
    bool Aborted = false;
    bool HadNul = false;
    bool PeekFailed = false;  // the pipe could not be peeked: read by blocking reads
    std::uint64_t Total = 0;
};

// A pipe or a file (GetFileType); consoles and nothing give false.
bool IsRedirectedInput(HANDLE input);

// Reads input to its end or to an abort, shows the progress window at
// least 300 ms, sets the text and closes input. The form is enabled again
// on every path.
TStdInputResult ReadInputIntoDocument(HANDLE input, const TStdInputHost& host);

// The main window's creation step: an untitled document takes redirected
// standard input in output mode; NULs are kept as spaces and asked about
// as for files.
void ReadStdInput();

} // namespace vellumo
