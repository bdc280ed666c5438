#pragma once
// Memory figures of this process for the benchmarks (Linux).
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vellumo::bench {

// A "Vm...:" line of /proc/self/status, in kB; 0 when absent.
inline long ReadStatusKb(const char* key)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    const std::size_t n = std::strlen(key);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, key, n) == 0) kb = std::strtol(line + n, nullptr, 10);
    std::fclose(f);
    return kb;
}

// Hands freed pages back and restarts the peak from what is in use.
inline void ResetPeak()
{
    malloc_trim(0);
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

} // namespace vellumo::bench
