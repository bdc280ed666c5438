// Reading a text file into the editor in one step.
#include <windows.h>

#include <cstring>
#include <exception>
#include <new>

#include "base/showmsg.h"
#include "editor/editor_win.h"
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

// Both conversions take the bytes and free them as soon as the wide text
// stands; false when the text cannot be converted (too large for memory).
bool WideBytesToAnsi(std::string& bytes, std::size_t skip, std::string& text, bool& noAnsi)
{
    std::wstring w;
    try {
        w.resize((bytes.size() - skip) / 2);
    } catch (const std::exception&) {
        return false;
    }
    if (!w.empty()) std::memcpy(w.data(), bytes.data() + skip, w.size() * 2);
    std::string().swap(bytes);
    noAnsi = HasUnmappableChars(w);
    return WideToAnsiEscaped(w, text);
}

bool Utf8BytesToAnsi(std::string& bytes, std::string& text, bool& noAnsi)
{
    std::wstring w;
    if (!Utf8ToWide(bytes, w) && !bytes.empty()) return false;
    std::string().swap(bytes);
    noAnsi = HasUnmappableChars(w);
    return WideToAnsiEscaped(w, text);
}

void ReportLoadFailure(const std::string& fileName)
{
    ShowMsg("\"" + fileName + "\"\r\n" + "の読み込みに失敗しました。他のプロセスで使用中の可能性があります。", kMsgCaption,
            kMsgIconExclamation);
    if (!EditorHost().MainWindowShown()) EditorHost().LoadFailedBeforeShown();
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
        ReportLoadFailure(fileName);
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
        converted = true;
        if (!WideBytesToAnsi(bytes, skip, text, noAnsi)) {
            // Nothing is loaded rather than an empty text that a save would write back.
            noAnsi = false;
            ReportLoadFailure(fileName);
            return -1;
        }
    } else if (code == ccUtf8 || code == ccUtf8N) {
        if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
            static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF) {
            code = ccUtf8;
            bytes.erase(0, 3);
        } else {
            code = ccUtf8N;
        }
        converted = true;
        if (!Utf8BytesToAnsi(bytes, text, noAnsi)) {
            noAnsi = false;
            ReportLoadFailure(fileName);
            return -1;
        }
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
        // Characters the internal code cannot hold arrive as "〓" and are
        // reported as the wide conversions report theirs.
        std::size_t replaced = 0;
        try {
            if (code == ccJis || code == ccJisOld) {
                t = ConvertJisToSjis(t, replaced);
            } else if (code == ccEuc) {
                t = ConvertEucToSjis(t, replaced);
            } else if (code == ccEucOrSjis && lineBreak == leLf) {
                code = ccEuc;
                t = ConvertEucToSjis(t, replaced);
            }
        } catch (const std::bad_alloc&) {
            ReportLoadFailure(fileName);
            return -1;
        }
        if (replaced) noAnsi = true;
    }
    Store().LoadText(t);
    std::string().swap(t);
    SetTopRow(0);
    SetLeftCol(0);
    lock.Loaded();
    return code;
}

} // namespace vellumo
