#include "app/document/safewrite.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace vellumo {

namespace {

HANDLE H(TFsHandle h) { return reinterpret_cast<HANDLE>(h); }
TFsHandle T(HANDLE h) { return reinterpret_cast<TFsHandle>(h); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// "\\?\C:\x" -> "C:\x", "\\?\UNC\s\x" -> "\\s\x".
std::string WithoutLongPrefix(std::string p)
{
    if (p.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + p.substr(8);
    if (p.rfind("\\\\?\\", 0) == 0) return p.substr(4);
    return p;
}

// The target a symbolic link names, made absolute; false for anything else.
bool ReadSymbolicLink(const std::string& link, std::string& target)
{
    const HANDLE h = CreateFileA(link.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    alignas(8) unsigned char buf[16 * 1024];
    DWORD got = 0;
    const bool ok = DeviceIoControl(h, 0x000900A8 /* FSCTL_GET_REPARSE_POINT */, nullptr, 0, buf, sizeof buf, &got,
                                    nullptr) != 0;
    CloseHandle(h);
    // Tag, data length, reserved, then the link's offsets, lengths and flags.
    constexpr DWORD kSymlinkTag = 0xA000000C;
    if (!ok || got < 20) return false;
    auto u16 = [&](std::size_t at) { return static_cast<unsigned>(buf[at] | buf[at + 1] << 8); };
    const DWORD tag = u16(0) | DWORD(u16(2)) << 16;
    if (tag != kSymlinkTag) return false;
    const unsigned subOff = u16(8), subLen = u16(10), printOff = u16(12), printLen = u16(14);
    const DWORD flags = u16(16) | DWORD(u16(18)) << 16;
    // Prefer the print name; the substitute name carries the "\??\" prefix.
    unsigned off = printLen ? printOff : subOff, len = printLen ? printLen : subLen;
    if (20 + std::size_t(off) + len > got || len == 0 || len % 2) return false;
    std::wstring w(len / 2, L'\0');
    std::memcpy(w.data(), buf + 20 + off, len);
    if (w.rfind(L"\\??\\", 0) == 0) w.erase(0, 4);
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return false;
    std::string name(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), name.data(), n, nullptr, nullptr);
    if (flags & 1) {  // relative to the link's folder
        const std::size_t cut = link.find_last_of("\\/");
        name = (cut == std::string::npos ? std::string() : link.substr(0, cut + 1)) + name;
    }
    char full[MAX_PATH * 2];
    const DWORD m = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
    if (m == 0 || m >= sizeof full) return false;
    target.assign(full, m);
    return true;
}

class TWinFileSystem final : public IFileSystem {
public:
    bool FinalPath(const std::string& original, std::string& final) override
    {
        // Follow the links one by one (the system's final-path call does not
        // see through every kind), then let the system normalise the result.
        std::string path = original;
        final = original;
        for (int hop = 0; hop < 32; ++hop) {
            const DWORD a = GetFileAttributesA(path.c_str());
            std::string next;
            if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_REPARSE_POINT) || !ReadSymbolicLink(path, next))
                break;
            path = next;
        }
        const HANDLE h = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                     nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            final = path;
            // Nothing there is nothing to resolve; something unopenable is unknown.
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                   GetFileAttributesA(original.c_str()) == INVALID_FILE_ATTRIBUTES;
        }
        char buf[MAX_PATH * 2];
        const DWORD n = GetFinalPathNameByHandleA(h, buf, sizeof buf, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        CloseHandle(h);
        final = path;
        if (n == 0 || n >= sizeof buf) return false;
        const std::string found = WithoutLongPrefix(std::string(buf, n));
        // Only a path the rest of the program can name again is of use.
        if (found.size() < 3 || GetFileAttributesA(found.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
        final = found;
        return true;
    }

    TFsFileInfo Query(const std::string& path) override
    {
        TFsFileInfo info;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const bool haveAttrs = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0;
        const HANDLE h = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                     nullptr);
        if (!haveAttrs && h == INVALID_HANDLE_VALUE) return info;
        info.Exists = true;
        if (haveAttrs) {
            info.Attributes = data.dwFileAttributes;
            info.Directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            info.ReadOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
            info.Size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
        if (h != INVALID_HANDLE_VALUE) {
            info.Disk = GetFileType(h) == FILE_TYPE_DISK;
            BY_HANDLE_FILE_INFORMATION bh{};
            if (info.Disk && GetFileInformationByHandle(h, &bh)) info.LinkCount = bh.nNumberOfLinks ? bh.nNumberOfLinks : 1;
            CloseHandle(h);
        }
        return info;
    }

    bool CreateTemp(const std::string& folder, const std::string& prefix, std::string& name, TFsHandle& out) override
    {
        for (int attempt = 0; attempt < 16; ++attempt) {
            // Time, process and a count: two saves, of this program or another instance, never meet.
            const unsigned unique = (static_cast<unsigned>(GetTickCount()) << 12) ^
                                    (static_cast<unsigned>(GetCurrentProcessId()) * 0x9E3779B1u) ^ ++counter_;
            char tail[24];
            std::snprintf(tail, sizeof tail, "%08x.tmp", unique);
            std::string candidate = WithSeparator(folder) + prefix + tail;
            const HANDLE h = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                name = candidate;
                out = T(h);
                return true;
            }
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        }
        return false;
    }

    std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) override
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        const HANDLE h = FindFirstFileA((WithSeparator(folder) + prefix + "*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
        } while (FindNextFileA(h, &found));
        FindClose(h);
        return names;
    }

    bool CreateNew(const std::string& path, TFsHandle& out) override
    {
        const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        if (GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            return false;
        }
        out = T(h);
        return true;
    }

    bool OpenForWrite(const std::string& path, TFsHandle& out) override
    {
        const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        if (GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            return false;
        }
        out = T(h);
        return true;
    }

    bool Write(TFsHandle h, const char* data, std::size_t size) override
    {
        while (size > 0) {
            const DWORD part = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD done = 0;
            if (!WriteFile(H(h), data, part, &done, nullptr) || done == 0) return false;
            data += done;
            size -= done;
        }
        return true;
    }

    bool Truncate(TFsHandle h) override { return SetEndOfFile(H(h)) != 0; }
    bool Flush(TFsHandle h) override { return FlushFileBuffers(H(h)) != 0; }
    bool Close(TFsHandle h) override { return CloseHandle(H(h)) != 0; }

    bool Replace(const std::string& from, const std::string& to) override
    {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool Rename(const std::string& from, const std::string& to) override
    {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool Delete(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

    bool SetAttributes(const std::string& path, std::uint32_t attributes) override
    {
        if (attributes == 0) return true;
        const DWORD now = GetFileAttributesA(path.c_str());
        if (now == attributes) return true;
        return SetFileAttributesA(path.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_DIRECTORY)) != 0;
    }

    std::string SpareFolder() override
    {
        char buf[MAX_PATH + 1];
        const DWORD n = GetTempPathA(sizeof buf, buf);
        return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
    }

private:
    static std::string WithSeparator(std::string folder)
    {
        if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
        return folder;
    }

    unsigned counter_ = 0;
};

} // namespace

IFileSystem& SystemFileSystem()
{
    static TWinFileSystem fs;
    return fs;
}

} // namespace vellumo
