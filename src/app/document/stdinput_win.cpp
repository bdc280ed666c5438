#include "app/document/stdinput_win.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "app/window/progressform_win.h"
#include "app/document/stdinput.h"
#include "classlib/form_win.h"

namespace vellumo {

namespace {

constexpr DWORD kMinShowMs = 300;
constexpr DWORD kPumpMs = 100;
constexpr DWORD kEmptyPipeWaitMs = 10;
constexpr DWORD kStopWaitMs = 2000;

// Shared by the GUI thread and the reader, which may outlive an abort while
// a blocking read waits for a writer that never writes.
struct TReader {
    HANDLE Input = nullptr;
    bool Pipe = false;
    HANDLE DataReady = nullptr;  // auto-reset: a chunk or the end arrived
    HANDLE Stop = nullptr;       // manual-reset: the GUI thread gave up
    std::mutex Lock;
    std::string Data;
    bool Done = false;
    bool PeekFailed = false;

    TReader() : DataReady(CreateEventA(nullptr, FALSE, FALSE, nullptr)), Stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~TReader()
    {
        if (DataReady) CloseHandle(DataReady);
        if (Stop) CloseHandle(Stop);
    }
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    void Run()
    {
        std::vector<char> chunk(1 << 16);
        char* buf = chunk.data();
        const DWORD size = static_cast<DWORD>(chunk.size());
        bool blocking = !Pipe;
        while (WaitForSingleObject(Stop, 0) == WAIT_TIMEOUT) {
            DWORD want = size;
            if (!blocking) {
                DWORD avail = 0;
                if (!PeekNamedPipe(Input, nullptr, 0, nullptr, &avail, nullptr)) {
                    // A closed pipe ends at the read below; other pipes (a
                    // Linux shell's under Wine) cannot be peeked at all.
                    if (GetLastError() != ERROR_BROKEN_PIPE) PeekFailed = true;
                    blocking = true;
                    continue;
                }
                if (avail == 0) {
                    WaitForSingleObject(Stop, kEmptyPipeWaitMs);
                    continue;
                }
                want = std::min<DWORD>(avail, size);
            }
            DWORD n = 0;
            if (!ReadFile(Input, buf, want, &n, nullptr) || n == 0) break;
            {
                std::lock_guard<std::mutex> g(Lock);
                Data.append(buf, n);
            }
            SetEvent(DataReady);
        }
        {
            std::lock_guard<std::mutex> g(Lock);
            Done = true;
        }
        SetEvent(DataReady);
    }
};

DWORD WINAPI ReaderMain(void* p)
{
    std::unique_ptr<std::shared_ptr<TReader>> hold(static_cast<std::shared_ptr<TReader>*>(p));
    (*hold)->Run();
    return 0;
}

// Ends a blocking read the writer never answers; false when it could not.
bool StopReader(HANDLE thread, TReader& reader)
{
    SetEvent(reader.Stop);
    if (WaitForSingleObject(thread, 50) == WAIT_OBJECT_0) return true;
    using TCancel = BOOL(WINAPI*)(HANDLE);
    if (auto cancel = reinterpret_cast<TCancel>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelSynchronousIo"))))
        cancel(thread);
    return WaitForSingleObject(thread, kStopWaitMs) == WAIT_OBJECT_0;
}

// While reading, a close request of the form is an abort.
class TCloseAsAbort {
public:
    TCloseAsAbort(HWND form, bool& flag) : form_(form)
    {
        if (!form_) return;
        SetPropA(form_, kFlagProp, &flag);
        old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        SetPropA(form_, kOldProp, reinterpret_cast<HANDLE>(old_));
    }
    ~TCloseAsAbort()
    {
        if (!form_ || !old_) return;
        SetWindowLongPtrA(form_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        RemovePropA(form_, kOldProp);
        RemovePropA(form_, kFlagProp);
    }
    TCloseAsAbort(const TCloseAsAbort&) = delete;
    TCloseAsAbort& operator=(const TCloseAsAbort&) = delete;

private:
    static constexpr const char* kOldProp = "VellumoStdInputOldProc";
    static constexpr const char* kFlagProp = "VellumoStdInputClose";
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto old = reinterpret_cast<WNDPROC>(GetPropA(w, kOldProp));
        if (msg == WM_CLOSE || (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE)) {
            if (auto* flag = static_cast<bool*>(GetPropA(w, kFlagProp))) *flag = true;
            return 0;
        }
        return old ? CallWindowProcA(old, w, msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
    }
    HWND form_;
    WNDPROC old_ = nullptr;
};

// The form disabled for the length of the reading, on every path.
class TDisabledForm {
public:
    explicit TDisabledForm(HWND form) : form_(form)
    {
        if (form_) EnableWindow(form_, FALSE);
    }
    ~TDisabledForm()
    {
        if (form_) EnableWindow(form_, TRUE);
    }
    TDisabledForm(const TDisabledForm&) = delete;
    TDisabledForm& operator=(const TDisabledForm&) = delete;

private:
    HWND form_;
};

void WaitPumping(DWORD ms)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
    ProcessMessages();
}

} // namespace

bool IsRedirectedInput(HANDLE input)
{
    if (!input || input == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(input);
    return type == FILE_TYPE_PIPE || type == FILE_TYPE_DISK;
}

TStdInputResult ReadInputIntoDocument(HANDLE input, const TStdInputHost& host)
{
    TStdInputResult result;
    bool closeRequested = false;
    TStdInputText text;
    {
        // Disabled before it shows: no key or click reaches the document meanwhile.
        TDisabledForm disabled(host.Form);
        TCloseAsAbort closeHook(host.Form, closeRequested);
        if (host.Show) host.Show();
        ProcessMessages();
        auto progress = ShowProgressForm(host.Form, host.Anchor, "処理中...", "コンソール入力取込中...");
        const ULONGLONG shownAt = GetTickCount64();

        auto reader = std::make_shared<TReader>();
        reader->Input = input;
        reader->Pipe = GetFileType(input) == FILE_TYPE_PIPE;
        HANDLE thread = nullptr;
        if (reader->DataReady && reader->Stop)
            thread = CreateThread(nullptr, 0, &ReaderMain, new std::shared_ptr<TReader>(reader), 0, nullptr);
        bool done = thread == nullptr;
        while (!done) {
            MsgWaitForMultipleObjects(1, &reader->DataReady, FALSE, kPumpMs, QS_ALLINPUT);
            {
                std::lock_guard<std::mutex> g(reader->Lock);
                text.Append(reader->Data);
                reader->Data.clear();
                done = reader->Done;
            }
            progress->SetText(StdInputProgressText(text.Total()));
            progress->UpdateProgress(true);
            if (!done && (progress->Aborted() || closeRequested)) {
                result.Aborted = true;
                break;
            }
        }
        bool stopped = true;
        if (thread) {
            if (result.Aborted) stopped = StopReader(thread, *reader);
            CloseHandle(thread);
        }
        result.PeekFailed = reader->PeekFailed;
        progress->UpdateProgress(false);
        if (host.SetText) host.SetText(text.TakeText());
        for (ULONGLONG now = GetTickCount64(); now - shownAt < kMinShowMs; now = GetTickCount64())
            WaitPumping(static_cast<DWORD>(kMinShowMs - (now - shownAt)));
        // A read still blocked in the reader keeps its handle until the process ends.
        if (stopped) CloseHandle(input);
    }
    result.HadNul = text.HadNul();
    result.Total = text.Total();
    return result;
}

} // namespace vellumo
