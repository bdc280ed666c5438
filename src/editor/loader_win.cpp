// Reading a text file into the editor in one step.
#include <windows.h>

#include <cstring>
#include <new>

#include "classlib/showmsg.h"
#include "editor/editor.h"
#include "editor/editorhost.h"
#include "textcode/jisconv.h"
#include "textcode/wideconv.h"

namespace vellumo {

namespace {

bool CanOpenForWriting(const std::string& name)
{
    const DWORD attr = GetFileAttributesA(name.c_str());
    // Checked by attribute too: an administrator may open a read-only file for writing.
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

// The whole file; false when it cannot be opened or read (or is too big to hold).
bool ReadWholeFile(const std::string& name, std::string& bytes)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    struct TClose {
        HANDLE h;
        ~TClose() { CloseHandle(h); }
    } close{h};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || size.QuadPart < 0) return false;
    const unsigned long long n = static_cast<unsigned long long>(size.QuadPart);
    if (n > bytes.max_size()) return false;
    try {
        bytes.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 26));
        DWORD got = 0;
        if (!ReadFile(h, bytes.data() + done, want, &got, nullptr)) return false;
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    bytes.resize(done);
    return true;
}

std::string WideBytesToAnsi(const char* p, std::size_t n, bool& noAnsi)
{
    std::wstring w(n / 2, L'\0');
    if (!w.empty()) std::memcpy(w.data(), p, w.size() * 2);
    noAnsi = HasUnmappableChars(w);
    return WideToAnsiEscaped(w);
}

std::string Utf8BytesToAnsi(const std::string& s, bool& noAnsi)
{
    const std::wstring w = Utf8ToWide(s);
    noAnsi = HasUnmappableChars(w);
    return WideToAnsiEscaped(w);
}

// Gives the document's lock back on every way out: on the loaded file after
// a load, on the previous file after a failure.
class TFileLockRestore {
public:
    explicit TFileLockRestore(const std::string& name) : name_(name) { EditorHost().ReleaseFileLock(); }
    ~TFileLockRestore() { EditorHost().RestoreFileLock(loaded_, name_); }
    void Loaded() { loaded_ = true; }

private:
    const std::string& name_;
    bool loaded_ = false;
};

} // namespace

int TEditor::LoadTextFile(const std::string& fileName, bool detect, bool& hadNul, TLineEndCode& lineBreak,
                          int forcedCode, bool& writable, bool& noAnsi)
{
    hadNul = false;
    writable = true;
    noAnsi = false;
    TLinesUpdate update(*lines_);
    TFileLockRestore lock(fileName);
    writable = CanOpenForWriting(fileName);
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes)) {
        ShowMsg("\"" + fileName + "\"\r\n" + "の読み込みに失敗しました。他のプロセスで使用中の可能性があります。",
                kMsgCaption, kMsgIconExclamation);
        if (!EditorHost().MainWindowShown()) EditorHost().LoadFailedBeforeShown();
        return -1;
    }
    TCharCode code = forcedCode >= 0 && forcedCode <= ccUtf8N ? static_cast<TCharCode>(forcedCode)
                     : detect                                 ? DetectCharCode(bytes)
                                                              : ccSjis;
    std::string text;
    bool converted = false;
    if (code == ccUnicode) {
        const std::size_t skip =
            bytes.size() > 1 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE
                ? 2
                : 0;
        text = WideBytesToAnsi(bytes.data() + skip, bytes.size() - skip, noAnsi);
        converted = true;
    } else if (code == ccUtf8 || code == ccUtf8N) {
        if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
            static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF) {
            code = ccUtf8;
            bytes.erase(0, 3);
        } else {
            code = ccUtf8N;
        }
        text = Utf8BytesToAnsi(bytes, noAnsi);
        converted = true;
    }
    if (converted) std::string().swap(bytes);
    std::string& t = converted ? text : bytes;
    if (detect) {
        lineBreak = DetectLineEnd(t);
        if (lineBreak == leNone && (code == ccJis || code == ccJisOld || code == ccEuc || code == ccEucOrSjis))
            lineBreak = leLf;
    } else {
        lineBreak = leCrLf;
    }
    if (std::memchr(t.data(), '\0', t.size())) {
        hadNul = true;
        for (char& c : t)
            if (c == '\0') c = ' ';
    }
    if (detect && !converted) {
        if (code == ccJis || code == ccJisOld) {
            t = ConvertJisToSjis(t);
        } else if (code == ccEuc) {
            t = ConvertEucToSjis(t);
        } else if (code == ccEucOrSjis && lineBreak == leLf) {
            code = ccEuc;
            t = ConvertEucToSjis(t);
        }
    }
    Store().LoadText(t);
    std::string().swap(t);
    SetTopRow(0);
    SetLeftCol(0);
    lock.Loaded();
    return code;
}

} // namespace vellumo
