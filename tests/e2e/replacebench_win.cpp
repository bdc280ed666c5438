// Times a replace-all in the whole program, as a user does it: the program
// started on FILE (changed in place: give it a copy), Ctrl+R typed, the two
// texts put in, "すべて置換(&A)" pressed, until the status bar tells the
// count; then one Ctrl+Z and one Ctrl+Y, each saved by Ctrl+S to a file of
// its own so that the caller can compare them with the original and with
// what another tool makes of it (UNDONE-COPY "-": the replace-all alone).
// Not a test: run by hand,
//   e2e_replacebench FILE FIND WITH UNDONE-COPY REDONE-COPY
// prints: replaced N in S, undo S, redo S.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "driver_win.h"

using namespace e2e;

namespace {

double Now()
{
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// The status bar's panels read across the process boundary.
std::string StatusText(HWND main)
{
    HWND bar = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!bar || !p) return {};
    std::string all;
    void* remote = VirtualAllocEx(p, nullptr, 512, MEM_COMMIT, PAGE_READWRITE);
    for (int panel = 0; panel < 8; ++panel) {
        char buf[512] = {};
        SIZE_T n = 0;
        DWORD_PTR r = 0;
        WriteProcessMemory(p, remote, buf, sizeof buf, &n);
        if (SendMessageTimeoutA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &r) &&
            ReadProcessMemory(p, remote, buf, sizeof buf - 1, &n))
            all += std::string(buf) + "|";
    }
    VirtualFreeEx(p, remote, 0, MEM_RELEASE);
    CloseHandle(p);
    return all;
}

bool CanUndo(HWND editor)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(editor, EM_CANUNDO, 0, 0, SMTO_ABORTIFHUNG, 60000, &r);
    return r != 0;
}

// Ctrl+S, then the file copied away once its time changed.
bool SaveTo(TVellumo& v, const std::string& file, const std::string& copy)
{
    const FILETIME before = WriteTime(file);
    v.Keys({VK_CONTROL, 'S'});
    const bool saved = v.WaitFor([&] {
        const FILETIME now = WriteTime(file);
        return CompareFileTime(&before, &now) != 0;
    }, 120000);
    return saved && v.Sync(120000) && CopyFileA(file.c_str(), copy.c_str(), FALSE);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::printf("e2e_replacebench FILE FIND WITH UNDONE-COPY REDONE-COPY\n");
        return 2;
    }
    const std::string file = argv[1], find = argv[2], with = argv[3];
    TVellumo v;
    if (!v.Start(Quote(file)) || !v.WaitMainWindow(180000) || !v.Sync(180000)) {
        std::printf("the program did not start\n");
        return 1;
    }
    v.Keys({VK_CONTROL, 'R'});
    HWND dialog = nullptr;
    v.WaitFor([&] {
        for (HWND w : WindowsOf(v.ProcessId(), "TForm", true))
            if (WindowText(w) == "\x92\x75\x8A\xB7") dialog = w;  // "置換"
        return dialog != nullptr;
    });
    HWND ask = dialog ? ChildOfClass(dialog, "BUTTON", "\x92\x75\x8A\xB7\x93\xAE\x8D\xEC\x82\xCC\x8A\x6D\x94\x46(&P)") : nullptr;
    HWND all = dialog ? ChildOfClass(dialog, "BUTTON", "\x82\xB7\x82\xD7\x82\xC4\x92\x75\x8A\xB7(&A)") : nullptr;
    HWND combos[2] = {};
    for (HWND c = nullptr; dialog && (c = FindWindowExA(dialog, c, "COMBOBOX", nullptr)) != nullptr;) {
        if (!combos[0]) combos[0] = c;
        else if (!combos[1]) combos[1] = c;
    }
    if (!ask || !all || !combos[1] || !v.Sync()) {
        std::printf("no replace dialog\n");
        v.Kill();
        return 1;
    }
    SendMessageA(combos[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find.c_str()));
    SendMessageA(combos[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(with.c_str()));
    if (SendMessageA(ask, BM_GETCHECK, 0, 0) == BST_CHECKED) PostMessageA(ask, BM_CLICK, 0, 0);
    v.WaitFor([&] { return SendMessageA(ask, BM_GETCHECK, 0, 0) != BST_CHECKED; });
    const double t0 = Now();
    PostMessageA(all, BM_CLICK, 0, 0);
    std::string status;
    // "N 件の置換を行いました。"
    const std::string done = "\x8C\x8F\x82\xCC\x92\x75\x8A\xB7\x82\xF0\x8D\x73\x82\xA2\x82\xDC\x82\xB5\x82\xBD";
    v.WaitFor([&] { return (status = StatusText(v.MainWindow())).find(done) != std::string::npos; }, 600000);
    const double replaced = Now() - t0;
    if (status.find(done) == std::string::npos) {
        std::printf("the replace-all did not end\n");
        v.Kill();
        return 1;
    }
    const std::size_t bar = status.rfind('|', status.find(done));
    const std::string count = status.substr(bar == std::string::npos ? 0 : bar + 1,
                                            status.find(done) - (bar == std::string::npos ? 0 : bar + 1));
    v.Sync(60000);
    if (std::string(argv[4]) == "-") {
        v.Kill();
        std::printf("replaced %sin %.2f s\n", count.c_str(), replaced);
        return 0;
    }

    const double t1 = Now();
    v.Keys({VK_CONTROL, 'Z'});
    const bool undone = v.WaitFor([&] { return !CanUndo(v.Editor()); }, 600000) && v.Sync(600000);
    const double undo = Now() - t1;
    const bool undoneSaved = undone && SaveTo(v, file, argv[4]);
    const double t2 = Now();
    v.Keys({VK_CONTROL, 'Y'});
    const bool redone = v.WaitFor([&] { return CanUndo(v.Editor()); }, 600000) && v.Sync(600000);
    const double redo = Now() - t2;
    const bool redoneSaved = redone && SaveTo(v, file, argv[5]);
    v.Kill();
    std::printf("replaced %sin %.2f s, undo %.2f s%s, redo %.2f s%s\n", count.c_str(), replaced, undo,
                undoneSaved ? "" : " (not saved)", redo, redoneSaved ? "" : " (not saved)");
    return undoneSaved && redoneSaved ? 0 : 1;
}
