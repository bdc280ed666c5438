#include <windows.h>

#include "app/document/docsave.h"
#include "settings/pathnames.h"
#include "app/document/safewrite.h"

namespace vellumo {

bool GetDiskSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free)
{
    total = free = 0;
    // Every system this runs on has the extended call; it is looked up
    // rather than assumed, and a system that cannot say its version is
    // simply asked.
    using TGetDiskFreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
        const auto ex = reinterpret_cast<TGetDiskFreeSpaceEx>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
        ULARGE_INTEGER avail{}, all{}, allFree{};
        if (ex && ex(root.c_str(), &avail, &all, &allFree)) {
            total = all.QuadPart;
            free = avail.QuadPart;
            return true;
        }
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return false;
    const std::uint64_t cluster = std::uint64_t(sectorsPerCluster) * bytesPerSector;
    total = cluster * clusters;
    free = cluster * freeClusters;
    return true;
}

bool CheckDiskSpace(std::uint64_t size, const std::string& fileName)
{
    char buf[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(fileName.c_str(), sizeof buf, buf, nullptr);
    const std::string full = n > 0 && n < sizeof buf ? std::string(buf, n) : fileName;
    const std::string root = PathRoot(full);
    if (root.empty() || GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) return true;
    std::uint64_t total = 0, free = 0;
    if (!GetDiskSpace(root, total, free)) return true;
    const TFsFileInfo info = SaveFileSystem().Query(SaveFileSystem().FinalPathOf(full));
    // The new bytes go to a temporary file beside the old ones, except for a file with other links.
    const bool temp = !(info.Exists && info.LinkCount > 1);
    return free >= SpaceNeeded(info, size, temp);
}

} // namespace vellumo
