#include "userbench_win.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "e2e_support_win.h"

namespace e2e::bench {

namespace {

constexpr UINT kAsk = 30000;  // a busy program may take long to answer

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0, UINT timeout = kAsk)
{
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, timeout, &r)) return -1;
    return static_cast<LRESULT>(r);
}

// The caret's (or the selection start's) offset; -1 when there is no answer.
long long Caret(HWND editor)
{
    DWORD start = 0, end = 0;
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end),
                             SMTO_NORMAL, kAsk, &r))
        return -1;
    return start;
}

double Median(std::vector<double> t)
{
    if (t.empty()) return 0;
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void PeaksOf(DWORD pid, double& ws, double& priv)
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (h && GetProcessMemoryInfo(h, &pmc, sizeof pmc)) {
        ws = pmc.PeakWorkingSetSize / 1048576.0;
        priv = pmc.PeakPagefileUsage / 1048576.0;
    }
    if (h) CloseHandle(h);
}

// Waits until nothing of the window is left to paint and the program answers.
void WaitPainted(const TVellumo& v, HWND w, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetUpdateRect(w, nullptr, FALSE) && GetTickCount() - start < ms) Sleep(0);
    v.Sync(ms);
}

void Key(BYTE vk, bool up)
{
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), up ? KEYEVENTF_KEYUP : 0, 0);
}

HWND FindForm(const TVellumo& v, const std::string& caption)
{
    for (HWND w : WindowsOf(v.ProcessId(), "TForm", true)) {
        char buf[128] = {};
        GetWindowTextA(w, buf, sizeof buf);
        if (caption == buf) return w;
    }
    return nullptr;
}

HWND ButtonOf(HWND parent, const std::string& caption)
{
    for (HWND b : ChildrenOfClass(parent, "BUTTON")) {
        char buf[128] = {};
        GetWindowTextA(b, buf, sizeof buf);
        if (caption == buf) return b;
    }
    return nullptr;
}

std::string StatusText(const TVellumo& v)
{
    HWND bar = FindWindowExA(v.MainWindow(), nullptr, STATUSCLASSNAMEA, nullptr);
    if (!bar) return {};
    const std::string buf = RemoteCall(bar, SB_GETTEXTA, 0, 512);
    return buf.substr(0, buf.find('\0'));
}

} // namespace

std::size_t CharBoundary(const std::string& s, std::size_t at)
{
    std::size_t i = 0;
    while (i < at && i < s.size()) i += IsDBCSLeadByteEx(932, static_cast<BYTE>(s[i])) ? 2 : 1;
    return std::min(i, s.size());
}

long long TextLength(const std::string& b)
{
    long long n = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
        n += (b[i] == '\r' || b[i] == '\n') ? 2 : 1;
    }
    return n;
}

TKeys TimeKeys(const std::string& ini, const std::string& path, std::size_t at, int count)
{
    TKeys k;
    const std::string before = ReadFileBytes(path);
    at = CharBoundary(before, at);
    TVellumo v;
    if (!v.Start(Quoted("/i=" + ini) + " " + Quoted(path)) || !v.WaitMainWindow(120000)) {
        k.Why = "no window";
        return k;
    }
    HWND e = v.Editor();
    if (Ask(e, WM_GETTEXTLENGTH) != TextLength(before)) {
        k.Why = "the text did not arrive";
        return k;
    }
    Ask(e, EM_SETSEL, at, static_cast<LPARAM>(at));
    Ask(e, EM_SCROLLCARET);
    // Without word wrap the caret cannot pass column 8000: the keys go
    // where a user's can, short of that limit by room for them.
    if (const long long c = Caret(e); c != static_cast<long long>(at)) {
        const long long back = c - 2LL * count;
        if (back <= 0 || c > static_cast<long long>(at)) {
            k.Why = "EM_SETSEL put the caret at " + std::to_string(c) + ", not " + std::to_string(at);
            return k;
        }
        at = CharBoundary(before, static_cast<std::size_t>(back));
        Ask(e, EM_SETSEL, at, static_cast<LPARAM>(at));
        Ask(e, EM_SCROLLCARET);
        if (Caret(e) != static_cast<long long>(at)) {
            k.Why = "EM_SETSEL put the caret at " + std::to_string(Caret(e)) + ", not " + std::to_string(at);
            return k;
        }
    }
    k.At = at;
    v.Keys({});  // forward, with the focus in the editor
    WaitPainted(v, e, 30000);
    std::vector<double> keyed, painted;
    for (int i = 0; i < count; ++i) {
        const long long want = static_cast<long long>(at) + i + 1;
        const double t0 = NowMs();
        Key('A', false);
        Key('A', true);
        long long now = -1;
        while ((now = Caret(e)) != want && NowMs() - t0 < 10000) {
            if (now > want) break;
        }
        if (now != want) {
            k.Why = "key " + std::to_string(i + 1) + ": the caret is at " + std::to_string(now) + ", not " +
                    std::to_string(want);
            return k;
        }
        keyed.push_back(NowMs() - t0);
        WaitPainted(v, e, 30000);
        painted.push_back(NowMs() - t0);
    }
    if (Ask(e, WM_GETTEXTLENGTH) != TextLength(before) + count) {
        k.Why = "the text length is not the file's plus the keys";
        return k;
    }
    std::string expected = before;
    expected.insert(at, std::string(static_cast<std::size_t>(count), 'a'));
    if (!SaveAndCompare(v, path, expected, k.Why)) return k;
    v.Kill();
    k.Ok = true;
    k.KeyMs = Median(keyed);
    k.PaintedMs = Median(painted);
    return k;
}

TOpened TimeOpen(TVellumo& v, const std::string& ini, const std::string& path, long long expectLength,
                 DWORD timeoutMs)
{
    TOpened o;
    const double t0 = NowMs();
    if (!v.Start(Quoted("/i=" + ini) + " " + Quoted(path))) {
        o.Why = "not started";
        return o;
    }
    // A box may come before the window, or with it.
    HWND main = nullptr, box = nullptr;
    v.WaitFor(
        [&] {
            box = v.FindDialog();
            const auto w = WindowsOf(v.ProcessId(), "TVellumoMainForm", true);
            main = w.empty() ? nullptr : w.front();
            return box || main || !v.Running();
        },
        timeoutMs);
    if (main && !box) {
        v.WaitMainWindow(1000);
        v.Sync(timeoutMs);
        box = v.FindDialog();
        if (!box && v.Editor()) WaitPainted(v, v.Editor(), timeoutMs);
    }
    o.OpenMs = NowMs() - t0;
    PeaksOf(v.ProcessId(), o.PeakWsMB, o.PeakPrivateMB);
    if (box) {
        o.Why = "box: " + TVellumo::DialogText(box);
        return o;
    }
    if (!main) {
        o.Why = v.Running() ? "no window" : "ended with " + std::to_string(v.ExitCode());
        return o;
    }
    DWORD_PTR w = 0;
    const double t1 = NowMs();
    o.LengthW = SendMessageTimeoutW(v.Editor(), WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &w) ? static_cast<long long>(w) : -1;
    const double t2 = NowMs();
    o.LengthWMs = t2 - t1;
    o.Length = Ask(v.Editor(), WM_GETTEXTLENGTH, 0, 0, timeoutMs);
    o.LengthMs = NowMs() - t2;
    PeaksOf(v.ProcessId(), o.LengthPeakWsMB, o.LengthPeakPrivateMB);
    if (expectLength >= 0 && (o.Length != expectLength || o.LengthW != expectLength)) {
        o.Why = "text length " + std::to_string(o.Length) + " (Unicode " + std::to_string(o.LengthW) + "), not " +
                std::to_string(expectLength);
        return o;
    }
    o.Ok = true;
    return o;
}

double TimePageDown(TVellumo& v, int pages, std::string& why)
{
    HWND e = v.Editor();
    v.Keys({});
    WaitPainted(v, e, 30000);
    std::vector<double> t;
    for (int i = 0; i < pages; ++i) {
        const LRESULT top = Ask(e, EM_GETFIRSTVISIBLELINE);
        const double t0 = NowMs();
        Key(VK_NEXT, false);
        Key(VK_NEXT, true);
        LRESULT now = top;
        while ((now = Ask(e, EM_GETFIRSTVISIBLELINE)) == top && NowMs() - t0 < 30000) {
        }
        if (now <= top) {
            why = "page " + std::to_string(i + 1) + ": the top row stayed at " + std::to_string(top);
            return 0;
        }
        WaitPainted(v, e, 30000);
        t.push_back(NowMs() - t0);
    }
    return Median(t);
}

double TimeReplaceAll(TVellumo& v, const std::string& find, const std::string& with, long& count, std::string& why)
{
    v.Keys({VK_CONTROL, 'R'});
    HWND dialog = nullptr;
    v.WaitFor([&] { return (dialog = FindForm(v, "\x92\x75\x8A\xB7")) != nullptr; });  // "置換"
    const std::vector<HWND> combos = dialog ? ChildrenOfClass(dialog, "COMBOBOX") : std::vector<HWND>{};
    HWND ask = dialog ? ButtonOf(dialog, "\x92\x75\x8A\xB7\x93\xAE\x8D\xEC\x82\xCC\x8A\x6D\x94\x46(&P)") : nullptr;
    HWND all = dialog ? ButtonOf(dialog, "\x82\xB7\x82\xD7\x82\xC4\x92\x75\x8A\xB7(&A)") : nullptr;
    if (combos.size() < 2 || !ask || !all || !v.Sync()) {
        why = "no replace dialog";
        return -1;
    }
    Ask(combos[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find.c_str()));
    Ask(combos[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(with.c_str()));
    auto asks = [ask] { return SendMessageA(ask, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    if (asks()) PostMessageA(ask, BM_CLICK, 0, 0);
    if (!v.WaitFor([&] { return !asks(); }, 3000)) {
        why = "the question stays on";
        return -1;
    }
    const std::string done = " \x8C\x8F\x82\xCC\x92\x75\x8A\xB7\x82\xF0\x8D\x73\x82\xA2\x82\xDC\x82\xB5\x82\xBD\x81\x42";
    const double t0 = NowMs();
    PostMessageA(all, BM_CLICK, 0, 0);
    std::string status;
    // The report comes when the main window is enabled again.
    while (NowMs() - t0 < 600000) {
        if (IsWindowEnabled(v.MainWindow()) && (status = StatusText(v)).find(done) != std::string::npos) break;
        Sleep(1);
    }
    const double ms = NowMs() - t0;
    const std::size_t end = status.find(done);
    if (end == std::string::npos) {
        why = "no count reported (status: " + status + ")";
        return -1;
    }
    std::string digits;
    for (std::size_t i = 0; i < end; ++i)
        if (status[i] >= '0' && status[i] <= '9') digits += status[i];
    count = digits.empty() ? -1 : std::stol(digits);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    v.WaitFor([&] { return !IsWindowVisible(dialog); });
    v.Sync();
    return ms;
}

bool SaveAndCompare(TVellumo& v, const std::string& path, const std::string& expected, std::string& why,
                    DWORD timeoutMs)
{
    const FILETIME before = WriteTime(path);
    v.Keys({VK_CONTROL, 'S'});
    const bool written = v.WaitFor(
        [&] {
            const FILETIME now = WriteTime(path);
            return CompareFileTime(&before, &now) != 0;
        },
        timeoutMs);
    v.Sync(timeoutMs);
    if (!written) {
        why = "not saved";
        return false;
    }
    const std::string saved = ReadFileBytes(path);
    if (saved != expected) {
        std::size_t i = 0;
        while (i < saved.size() && i < expected.size() && saved[i] == expected[i]) ++i;
        char got[8] = "end";
        if (i < saved.size()) std::snprintf(got, sizeof got, "%02X", static_cast<unsigned char>(saved[i]));
        why = "the saved bytes differ at " + std::to_string(i) + " (" + got + "; " + std::to_string(saved.size()) +
              " bytes, " + std::to_string(expected.size()) + " expected)";
        return false;
    }
    return true;
}

} // namespace e2e::bench
