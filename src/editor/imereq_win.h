#pragma once
// The editor's answers to input-method reconversion requests (Windows only).
#include <windows.h>

#include <cstddef>
#include <string_view>

namespace vellumo {

// The registered messages of reconversion, registered on first use.
struct TReconvertMessages {
    UINT Request = 0;    // "MSIMEReconvertRequest": asks the input method to reconvert
    UINT Reconvert = 0;  // "MSIMEReconvert": the input method asks for the text
    UINT Atok = 0;       // "Atok Message for ReconvertString": the same, another input method
};
const TReconvertMessages& ReconvertMessages();

// Whether a reconversion request may be answered: its record pointer means
// something only to a caller on this thread. One sent from another thread or
// process (the pointer passes unchanged) is refused, and so is one posted:
// a thread hook, installed by GuardReconvertRequests on the window's thread,
// turns posted requests into WM_NULL before they are dispatched.
bool ReconvertRequestFromThisThread();
void GuardReconvertRequests();

// The record for a text in the wide (UTF-16 from the ANSI code page) or the
// ANSI form into a block of capacity bytes; the size, or 0 when a block is
// given and too small. Without a block only the size.
std::size_t BuildReconvertString(void* block, std::size_t capacity, std::string_view text, bool wide);

// A request whose record (nil: the size is asked) came in a message: the
// record's own declared size bounds what is written; a record too small, or
// a text that cannot go into one, answers 0.
LRESULT AnswerReconvertRequest(LPARAM record, std::string_view text, bool wide);

} // namespace vellumo
