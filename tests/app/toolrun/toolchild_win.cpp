// A small program the tool tests run as an external tool. The first
// argument names what it does; the rest are its operands:
//   args OUT             writes its command line and current folder to OUT
//   marker OUT TEXT      writes TEXT and its own path to OUT (found anywhere
//                        in the arguments, so a program started by mistake
//                        with a longer command line says who it is)
//   upper FILE           rewrites FILE at once with ASCII letters upper-cased
//   later MS FILE        the same after MS milliseconds
//   utf16 FILE           rewrites FILE as the UTF-16 of "A B"
//   delete FILE          deletes FILE
//   half FILE STOP       writes "HALF" to FILE, then waits for STOP to exist
//   err N | out N        writes N bytes to standard error | output
//   errtext              writes a line of Japanese text to standard error
//   errlines N           writes N bytes of numbered Japanese lines
//                        ("000001: 問題があります" CR LF ...) to standard error
//   hold FILE STOP       keeps FILE open, shared with nobody, until STOP
//                        exists; STOP.held tells that it holds it
//   errloop STOP         writes to standard error as fast as it can until
//                        STOP exists
//   stdin OUT            writes "eof" to OUT when standard input ends at once
//   spawn MODE ...       starts itself with MODE and the rest (inheriting
//                        its handles) and ends soon after (for hold, once the
//                        file is held), leaving it running
//   sleep MS             waits
//   forever STOP         waits until STOP exists (at most two minutes)
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ReadAll(const char* path)
{
    std::string out;
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(f);
    return out;
}

void WriteAll(const char* path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
}

void WriteTo(DWORD which, unsigned long long n)
{
    HANDLE h = GetStdHandle(which);
    const std::string chunk(65536, which == STD_ERROR_HANDLE ? 'e' : 'o');
    while (n > 0) {
        const DWORD part = static_cast<DWORD>(n < chunk.size() ? n : chunk.size());
        DWORD done = 0;
        if (!WriteFile(h, chunk.data(), part, &done, nullptr) || done == 0) return;
        n -= done;
    }
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

void WaitFor(const char* stop, DWORD maxMs)
{
    const DWORD start = GetTickCount();
    while (!Exists(stop) && GetTickCount() - start < maxMs) Sleep(20);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> a(argv, argv + argc);
    for (int i = 1; i + 2 < argc; ++i)
        if (a[i] == "marker") {
            char self[MAX_PATH] = {};
            GetModuleFileNameA(nullptr, self, MAX_PATH);
            WriteAll(argv[i + 1], a[i + 2] + " " + self);
            return 0;
        }
    if (argc < 2) return 2;
    const std::string& mode = a[1];
    const char* x = argc > 2 ? argv[2] : "";
    if (mode == "args") {
        char dir[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, dir);
        WriteAll(x, std::string(GetCommandLineA()) + "\n" + dir);
    } else if (mode == "upper" || (mode == "later" && argc > 3)) {
        if (mode == "later") {
            Sleep(static_cast<DWORD>(std::stoul(x)));
            x = argv[3];
        }
        std::string t = ReadAll(x);
        for (char& c : t)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        WriteAll(x, t);
    } else if (mode == "utf16") {
        WriteAll(x, std::string("A\0 \0B\0", 6));
    } else if (mode == "delete") {
        DeleteFileA(x);
    } else if (mode == "half" && argc > 3) {
        WriteAll(x, "HALF");
        WaitFor(argv[3], 30000);
    } else if (mode == "err" || mode == "out") {
        WriteTo(mode == "err" ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, std::stoull(x));
    } else if (mode == "errtext") {
        const char text[] = "\x96\xe2\x91\xe8\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\r\n";  // 問題があります
        DWORD done = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, sizeof text - 1, &done, nullptr);
    } else if (mode == "errlines") {
        std::string lines;
        for (unsigned long long n = std::stoull(x), i = 1; lines.size() < n; ++i) {
            char head[16];
            wsprintfA(head, "%06u: ", static_cast<unsigned>(i));
            lines += std::string(head) + "\x96\xe2\x91\xe8\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\r\n";
            if (lines.size() > n) lines.resize(n);
        }
        DWORD done = 0;
        for (std::size_t at = 0; at < lines.size(); at += done)
            if (!WriteFile(GetStdHandle(STD_ERROR_HANDLE), lines.data() + at,
                           static_cast<DWORD>(std::min<std::size_t>(lines.size() - at, 65536)), &done, nullptr) ||
                done == 0)
                break;
    } else if (mode == "hold" && argc > 3) {
        const HANDLE f = CreateFileA(x, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        WriteAll((a[3] + ".held").c_str(), "");
        WaitFor(argv[3], 120000);
        if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    } else if (mode == "errloop") {
        const DWORD start = GetTickCount();
        while (!Exists(x) && GetTickCount() - start < 120000) WriteTo(STD_ERROR_HANDLE, 65536);
    } else if (mode == "stdin") {
        char c;
        DWORD got = 1;
        const BOOL ok = ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &got, nullptr);
        WriteAll(x, ok && got == 0 ? "eof" : ok ? "data" : "fail");
    } else if (mode == "spawn") {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string line = std::string("\"") + self + "\"";
        for (int i = 2; i < argc; ++i) line += " \"" + a[i] + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return 1;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        // The child is at work when this one ends.
        if (a[2] == "hold" && argc > 4)
            WaitFor((a[4] + ".held").c_str(), 20000);
        else
            Sleep(300);
    } else if (mode == "sleep") {
        Sleep(static_cast<DWORD>(std::stoul(x)));
    } else if (mode == "forever") {
        WaitFor(x, 120000);
    } else {
        return 2;
    }
    return 0;
}
