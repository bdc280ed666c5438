#include "base/filebytes.h"

#include <windows.h>

#include <algorithm>

namespace vellumo {

namespace {

std::string ErrorText(const char* what, const std::string& path)
{
    return std::string(what) + " " + path + " (error " + std::to_string(GetLastError()) + ")";
}

// Makes a flushed temporary file with the bytes in the folder of path; returns
// its name or "" on failure.
std::string WriteTemporary(const std::string& path, const std::string& bytes, std::string* error)
{
    std::string dir = ExtractFileDir(path);
    if (dir.empty()) dir = ".";
    char tmp[MAX_PATH + 16] = {};
    if (dir.size() > MAX_PATH - 14 || GetTempFileNameA(dir.c_str(), "vel", 0, tmp) == 0) {
        if (error) *error = ErrorText("cannot create a temporary file for", path);
        return {};
    }
    HANDLE h = CreateFileA(tmp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = ErrorText("cannot write", tmp);
        DeleteFileA(tmp);
        return {};
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = ok && FlushFileBuffers(h);
    if (!ok && error) *error = ErrorText("cannot write", tmp);
    CloseHandle(h);
    if (!ok) {
        DeleteFileA(tmp);
        return {};
    }
    return tmp;
}

} // namespace

TReadStatus ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Sharing deletion lets another instance replace the file while it is read.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        if ((e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) && !PathExists(path)) return TReadStatus::Missing;
        return TReadStatus::Failed;
    }
    char buf[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
            CloseHandle(h);
            bytes.clear();
            return TReadStatus::Failed;
        }
        if (n == 0) break;
        bytes.append(buf, n);
    }
    CloseHandle(h);
    return TReadStatus::Ok;
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string* error)
{
    const DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        if (error) *error = "a folder has the name " + path;
        return false;
    }
    const std::string tmp = WriteTemporary(path, bytes, error);
    if (tmp.empty()) return false;
    if (!MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (error) *error = ErrorText("cannot replace", path);
        DeleteFileA(tmp.c_str());
        return false;
    }
    // The new file keeps the old one's hidden and system marks.
    if (attrs != INVALID_FILE_ATTRIBUTES) {
        const DWORD keep = attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (keep) SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | keep);
    }
    return true;
}

bool CreateFileBytes(const std::string& path, const std::string& bytes, std::string* error)
{
    if (PathExists(path)) {
        if (error) *error = path + " exists already";
        return false;
    }
    const std::string tmp = WriteTemporary(path, bytes, error);
    if (tmp.empty()) return false;
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
    if (!MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
        if (error) *error = ErrorText("cannot create", path);
        DeleteFileA(tmp.c_str());
        return false;
    }
    return true;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace vellumo
