// Reconversion records, byte by byte so the layout does not hang on a
// platform structure.
#include "editor/reconv.h"

#include <cstring>
#include <limits>
#include <string>

namespace vellumo {
namespace {

void Put32(unsigned char* p, std::size_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    std::memcpy(p, &v, 4);
}

} // namespace

std::size_t FillReconvertRecord(void* block, std::size_t capacity, const void* units, std::size_t count,
                                unsigned unitBytes)
{
    if (count == 0 || unitBytes == 0) return 0;
    const std::size_t size = ReconvertRecordSize(count, unitBytes);
    if (size > std::numeric_limits<std::uint32_t>::max()) return 0;
    if (!block) return size;
    if (capacity < size) return 0;
    auto* p = static_cast<unsigned char*>(block);
    std::memset(p, 0, size);
    Put32(p + 0, size);               // dwSize
    Put32(p + 4, 0);                  // dwVersion
    Put32(p + 8, count);              // dwStrLen
    Put32(p + 12, kReconvertHeaderSize);  // dwStrOffset
    Put32(p + 16, count - 1);         // dwCompStrLen
    Put32(p + 20, 0);                 // dwCompStrOffset
    Put32(p + 24, count - 1);         // dwTargetStrLen
    Put32(p + 28, 0);                 // dwTargetStrOffset
    std::memcpy(p + kReconvertHeaderSize, units, count * unitBytes);
    return size;
}

std::size_t BuildReconvertRecordA(void* block, std::size_t capacity, std::string_view text)
{
    std::string s(text);
    s += ' ';
    return FillReconvertRecord(block, capacity, s.data(), s.size(), 1);
}

std::uint32_t DeclaredRecordSize(const void* record)
{
    std::uint32_t v = 0;
    if (record) std::memcpy(&v, record, 4);
    return v;
}

} // namespace vellumo
