// Reconversion answers: the record built from the selected text.
#include "editor/imereq_win.h"

#include <string>

#include "editor/reconv.h"
#include "textcode/wideconv.h"

namespace vellumo {

const TReconvertMessages& ReconvertMessages()
{
    static const TReconvertMessages m{RegisterWindowMessageA("MSIMEReconvertRequest"),
                                      RegisterWindowMessageA("MSIMEReconvert"),
                                      RegisterWindowMessageA("Atok Message for ReconvertString")};
    return m;
}

namespace {

LRESULT CALLBACK PostedRequestFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam != 0) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        const TReconvertMessages& m = ReconvertMessages();
        const UINT id = msg->message;
        if (id == WM_IME_REQUEST || (id != 0 && (id == m.Reconvert || id == m.Atok))) msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool ReconvertRequestFromThisThread()
{
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK | ISMEX_REPLIED)) == 0;
}

void GuardReconvertRequests()
{
    thread_local HHOOK hook = nullptr;
    if (!hook) hook = SetWindowsHookExA(WH_GETMESSAGE, PostedRequestFilter, nullptr, GetCurrentThreadId());
}

std::size_t BuildReconvertString(void* block, std::size_t capacity, std::string_view text, bool wide)
{
    if (!wide) return BuildReconvertRecordA(block, capacity, text);
    std::wstring w = AnsiToWide(std::string(text));
    w += L' ';
    return FillReconvertRecord(block, capacity, w.data(), w.size(), sizeof(wchar_t));
}

LRESULT AnswerReconvertRequest(LPARAM record, std::string_view text, bool wide)
{
    if (record == 0) return static_cast<LRESULT>(BuildReconvertString(nullptr, 0, text, wide));
    void* block = reinterpret_cast<void*>(record);
    return static_cast<LRESULT>(BuildReconvertString(block, DeclaredRecordSize(block), text, wide));
}

} // namespace vellumo
