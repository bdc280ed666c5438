#pragma once
// What the user waits for in the running program, measured from another
// process as the user meets it: the program started on a file, keys typed
// for real, every figure checked against what must have happened (a failed
// check gives no figure, only its reason).
#include <windows.h>

#include <string>

#include "driver_win.h"
#include "editorwin/speed/speed_support_win.h"

namespace e2e::bench {

using vellumo::testing::LongLine;
// Milliseconds of the performance counter.
inline double NowMs() { return vellumo::testing::Now(); }

// The first character boundary at or after the offset (a double-byte
// character is never split).
std::size_t CharBoundary(const std::string& cp932, std::size_t at);
// The editor's text length of the file's bytes: every line break (CR LF, a
// lone LF or a lone CR) counts two.
long long TextLength(const std::string& bytes);

struct TKeys {
    bool Ok = false;
    std::string Why;       // the failed check
    std::size_t At = 0;    // where the keys went: before the asked place when the caret stopped there
    double KeyMs = 0;      // the median from the key to the caret moved by one
    double PaintedMs = 0;  // the median from the key to nothing left to paint
};

// Starts the program (settings folder ini) on the file, puts the caret at
// byte at (or as near as it goes) through EM_SETSEL, types count "a" keys one at a time, then saves
// by Ctrl+S and checks the text length and the saved bytes.
TKeys TimeKeys(const std::string& ini, const std::string& path, std::size_t at, int count);

struct TOpened {
    bool Ok = false;
    std::string Why;  // a failed check, or the text of the box shown instead
    double OpenMs = 0;
    double LengthMs = 0;  // WM_GETTEXTLENGTH sent as ANSI
    long long Length = 0;
    // The same sent as Unicode: Wine converts an ANSI WM_GETTEXTLENGTH
    // between processes by fetching the whole text, a Unicode one it passes.
    double LengthWMs = 0;
    long long LengthW = 0;
    double PeakWsMB = 0, PeakPrivateMB = 0;              // when the window answered
    double LengthPeakWsMB = 0, LengthPeakPrivateMB = 0;  // after WM_GETTEXTLENGTH
};

// Starts the program on the file and waits until its window answers; then
// times WM_GETTEXTLENGTH (Unicode, then ANSI), both checked against
// expectLength (not when negative).
TOpened TimeOpen(TVellumo& v, const std::string& ini, const std::string& path, long long expectLength,
                 DWORD timeoutMs = 300000);

// The median milliseconds of a Page Down typed for real, each until the top
// row moved down; 0 with why set when it did not.
double TimePageDown(TVellumo& v, int pages, std::string& why);

// Replace-all through the replace dialog (Ctrl+R, both texts, no question);
// the milliseconds until the count is reported, and the count; -1 with why
// set on failure.
double TimeReplaceAll(TVellumo& v, const std::string& find, const std::string& with, long& count, std::string& why);

// Ctrl+S and the wait for the file's new time; then the bytes equal expected?
bool SaveAndCompare(TVellumo& v, const std::string& path, const std::string& expected, std::string& why,
                    DWORD timeoutMs = 120000);

} // namespace e2e::bench
