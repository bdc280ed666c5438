#include <windows.h>

#include "app/core/appcontext.h"
#include "app/document/docsave.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

// The current file held open with a sharing restriction while it is loaded.
struct TOpenFileLock {
    HANDLE Handle = INVALID_HANDLE_VALUE;
    std::string FileName;
};
TOpenFileLock OpenFileLock;

} // namespace

bool LockOpenFile(const std::string& fileName)
{
    UnlockOpenFile();
    int mode = 0;
    try {
        mode = AppSettingsStore().Settings.Option.HaitaSeigyo;
    } catch (...) {
        return false;  // no settings yet: no lock
    }
    if ((mode != 1 && mode != 2) || fileName.empty()) return false;
    const DWORD share = mode == 1 ? FILE_SHARE_READ : 0;
    const HANDLE h =
        CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return false;
    }
    OpenFileLock.Handle = h;
    OpenFileLock.FileName = fileName;
    return true;
}

void UnlockOpenFile()
{
    if (OpenFileLock.Handle != INVALID_HANDLE_VALUE) CloseHandle(OpenFileLock.Handle);
    OpenFileLock.Handle = INVALID_HANDLE_VALUE;
    OpenFileLock.FileName.clear();
}

const std::string& LockedFileName() { return OpenFileLock.FileName; }

bool ReadLockedFile(const std::string& fileName, std::string& bytes)
{
    if (OpenFileLock.Handle == INVALID_HANDLE_VALUE || OpenFileLock.FileName != fileName) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(OpenFileLock.Handle, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(OpenFileLock.Handle, zero, nullptr, FILE_BEGIN)) return false;
    std::string out(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t at = 0;
    while (at < out.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(out.size() - at);
        if (!ReadFile(OpenFileLock.Handle, out.data() + at, want, &got, nullptr) || got == 0)
            return false;
        at += got;
    }
    bytes.swap(out);
    return true;
}

} // namespace vellumo
