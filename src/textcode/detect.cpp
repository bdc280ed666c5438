#include "textcode/charcode.h"

#include <cstdint>
#include <cstring>

namespace vellumo {
namespace {

using u8 = unsigned char;

// Bytes past the end read as 0.
inline u8 At(const u8* p, std::size_t n, std::size_t i) noexcept { return i < n ? p[i] : 0; }

inline bool Cont(u8 b) noexcept { return b >= 0x80 && b <= 0xBF; }

inline bool HasHighByte(std::uint64_t w) noexcept { return (w & 0x8080808080808080ULL) != 0; }

// True when the whole buffer is valid UTF-8; multiByte tells whether a
// sequence of more than one byte was seen.
bool IsValidUtf8(const u8* p, std::size_t n, bool& multiByte) noexcept
{
    multiByte = false;
    std::size_t i = 0;
    while (i < n) {
        // ASCII runs eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            if (HasHighByte(w)) break;
            i += 8;
        }
        if (i >= n) break;
        u8 b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        if (b >= 0xC2 && b <= 0xDF) {
            if (!Cont(At(p, n, i + 1))) return false;
            len = 2;
        } else if (b == 0xE0) {
            u8 c = At(p, n, i + 1);
            if (c < 0xA0 || c > 0xBF || !Cont(At(p, n, i + 2))) return false;
            len = 3;
        } else if (b >= 0xE1 && b <= 0xEF) {
            if (!Cont(At(p, n, i + 1)) || !Cont(At(p, n, i + 2))) return false;
            len = 3;
        } else if (b == 0xF0) {
            u8 c = At(p, n, i + 1);
            if (c < 0x90 || c > 0xBF || !Cont(At(p, n, i + 2)) || !Cont(At(p, n, i + 3))) return false;
            len = 4;
        } else if (b >= 0xF1 && b <= 0xF3) {
            if (!Cont(At(p, n, i + 1)) || !Cont(At(p, n, i + 2)) || !Cont(At(p, n, i + 3))) return false;
            len = 4;
        } else if (b == 0xF4) {
            u8 c = At(p, n, i + 1);
            if (c < 0x80 || c > 0x8F || !Cont(At(p, n, i + 2)) || !Cont(At(p, n, i + 3))) return false;
            len = 4;
        } else {
            return false;
        }
        multiByte = true;
        i += len;
    }
    return true;
}

} // namespace

TCharCode DetectCharCode(std::string_view buf) noexcept
{
    const u8* p = reinterpret_cast<const u8*>(buf.data());
    const std::size_t n = buf.size();

    if (n > 1 && p[0] == 0xFF && p[1] == 0xFE) return ccUnicode;
    if (n > 2 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return ccUtf8;

    bool multiByte = false;
    if (IsValidUtf8(p, n, multiByte) && multiByte) return ccUtf8N;
    return DetectLegacyCharCode(buf);
}

bool IsUtf8Text(std::string_view buf, bool& multiByte) noexcept
{
    return IsValidUtf8(reinterpret_cast<const u8*>(buf.data()), buf.size(), multiByte);
}

TCharCode DetectLegacyCharCode(std::string_view buf) noexcept
{
    const u8* p = reinterpret_cast<const u8*>(buf.data());
    const std::size_t n = buf.size();

    // Binary test over the first 512 bytes, the last byte excluded.
    for (std::size_t i = 0; i < 512 && i + 1 < n; ++i)
        if (p[i] < 0x08 || p[i] == 0xFF) return ccBinary;

    TCharCode result = ccNone;
    std::size_t i = 0;  // 0-based position p-1
    while ((result == ccNone || result == ccEucOrSjis) && i + 1 < n) {
        const u8 b = p[i];
        const u8 c = p[i + 1];
        if (b < 0x08 || b == 0xFF) {
            result = ccBinary;
        } else if (b == 0x1B) {
            if (c == '$') {
                const u8 d = At(p, n, i + 2);
                if (d == 'B') result = ccJis;
                else if (d == '@') result = ccJisOld;
                i += 3;
            } else {
                i += 2;
            }
        } else if (b < 0x80) {
            // Skip ASCII quickly; the loop condition is rechecked afterwards.
            ++i;
            while (i + 8 < n) {
                std::uint64_t w;
                std::memcpy(&w, p + i, 8);
                // Stop at any high byte or at a byte below 08 or ESC.
                if (HasHighByte(w)) break;
                std::uint64_t lowish = (w - 0x2020202020202020ULL) & ~w & 0x8080808080808080ULL;
                if (lowish) break;  // some byte below 20: look at it singly
                i += 8;
            }
        } else if ((b >= 0x81 && b <= 0x8D) || (b >= 0x8F && b <= 0x9F)) {
            result = ccSjis;
        } else if (b == 0x8E) {
            if ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xA0) || (c >= 0xE0 && c <= 0xFC)) result = ccSjis;
            else if (c >= 0xA1 && c <= 0xDF) result = ccEucOrSjis;
            i += 2;
        } else if (b >= 0xA1 && b <= 0xDF) {
            if (c >= 0xF0 && c <= 0xFE) {
                result = ccEuc;
                i += 2;
            } else if (c >= 0xA1 && c <= 0xDF) {
                result = ccEucOrSjis;
                i += 2;
            } else if (c <= 0x9F) {
                result = ccSjis;
                i += 2;
            } else if (c == 0xA0 || c == 0xFF) {
                i += 2;
            } else {  // E0-EF: look on while the bytes are 40 or above
                result = ccEucOrSjis;
                std::size_t j = i + 2;
                while (j < n) {
                    const u8 d = p[j];
                    if (d < 0x40) break;
                    if ((d >= 0x81 && d <= 0x8D) || (d >= 0x8F && d <= 0x9C)) {
                        result = ccSjis;
                        break;
                    }
                    if (d == 0xFD || d == 0xFE) {
                        result = ccEuc;
                        break;
                    }
                    ++j;
                }
                i = j + 1;
            }
        } else if (b >= 0xE0 && b <= 0xFC) {
            if ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xA0)) result = ccSjis;
            else if (c == 0xFD || c == 0xFE) result = ccEuc;
            else if (c >= 0xA1 && c <= 0xFC) result = ccEucOrSjis;
            i += 2;
        } else if (b == 0xFD || b == 0xFE) {
            result = ccEuc;
        } else {  // 80 or A0
            ++i;
        }
    }
    return result;
}

TLineEndCode DetectLineEnd(std::string_view buf) noexcept
{
    const void* lf = std::memchr(buf.data(), '\n', buf.size());
    const std::size_t lfPos = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - buf.data()) : buf.size();
    const void* cr = std::memchr(buf.data(), '\r', lfPos);
    if (cr) {
        const std::size_t i = static_cast<std::size_t>(static_cast<const char*>(cr) - buf.data());
        return i + 1 < buf.size() && buf[i + 1] == '\n' ? leCrLf : leCr;
    }
    return lf ? leLf : leNone;
}

} // namespace vellumo
