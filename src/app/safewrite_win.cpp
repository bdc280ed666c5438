#include "app/safewrite.h"

#include <windows.h>

#include <cstdio>

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

class TWinFileSystem final : public IFileSystem {
public:
    std::string FinalPath(const std::string& path) override
    {
        const HANDLE h = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                     nullptr);
        if (h == INVALID_HANDLE_VALUE) return path;
        char buf[MAX_PATH * 2];
        const DWORD n = GetFinalPathNameByHandleA(h, buf, sizeof buf, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        CloseHandle(h);
        if (n == 0 || n >= sizeof buf) return path;
        std::string final = WithoutLongPrefix(std::string(buf, n));
        // Only a path the rest of the program can name again is of use.
        if (final.size() < 3 || GetFileAttributesA(final.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
        return final;
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

    bool CreateTemp(const std::string& folder, std::string& name, TFsHandle& out) override
    {
        for (int attempt = 0; attempt < 16; ++attempt) {
            char tail[40];
            std::snprintf(tail, sizeof tail, "~vl%08lx%04x.tmp", static_cast<unsigned long>(GetTickCount()),
                          static_cast<unsigned>((GetCurrentProcessId() + ++counter_) & 0xFFFF));
            std::string candidate = folder;
            if (!candidate.empty() && candidate.back() != '\\' && candidate.back() != '/') candidate += '\\';
            candidate += tail;
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
    unsigned counter_ = 0;
};

} // namespace

IFileSystem& SystemFileSystem()
{
    static TWinFileSystem fs;
    return fs;
}

} // namespace vellumo
