// Reconversion records: layout, sizes and refusal of blocks too small.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "editor/reconv.h"

namespace vellumo {
namespace {

std::uint32_t Field(const std::vector<unsigned char>& b, int i)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + 4 * i, 4);
    return v;
}

TEST(ReconvertRecord, AnsiLayoutSizesAndBlank)
{
    const std::string text = "ab\x82\xA0" "c";  // 5 bytes
    EXPECT_EQ(BuildReconvertRecordA(nullptr, 0, text), 38u);
    std::vector<unsigned char> b(64, 0xEE);
    ASSERT_EQ(BuildReconvertRecordA(b.data(), b.size(), text), 38u);
    const std::uint32_t want[8] = {38, 0, 6, 32, 5, 0, 5, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Field(b, i), want[i]) << "field " << i;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(b.data()) + 32, 6), text + " ");
    EXPECT_EQ(b[38], 0xEE) << "nothing past the record";
}

TEST(ReconvertRecord, WideUnitsAndTooSmallBlocksAreRefusedUntouched)
{
    const std::u16string w = u"\u65E5\u672C ";
    std::vector<unsigned char> b(40, 0xEE);
    // A block one byte short: nothing written, answer 0.
    EXPECT_EQ(FillReconvertRecord(b.data(), 37, w.data(), w.size(), 2), 0u);
    for (unsigned char c : b) ASSERT_EQ(c, 0xEE);
    EXPECT_EQ(FillReconvertRecord(b.data(), 38, w.data(), w.size(), 2), 38u);
    EXPECT_EQ(Field(b, 2), 3u);
    EXPECT_EQ(Field(b, 4), 2u);
    EXPECT_EQ(b[32], 0xE5);
    EXPECT_EQ(b[33], 0x65);
    EXPECT_EQ(b[38], 0xEE);
    // The caller's declared size is what a message answer trusts.
    EXPECT_EQ(DeclaredRecordSize(b.data()), 38u);
    EXPECT_EQ(DeclaredRecordSize(nullptr), 0u);
    // Every capacity below the size is refused, every one above accepted.
    const std::string text(100, 'x');
    std::vector<unsigned char> big(200);
    for (std::size_t cap = 0; cap < 140; ++cap)
        EXPECT_EQ(BuildReconvertRecordA(big.data(), cap, text), cap >= 133 ? 133u : 0u) << cap;
}

} // namespace
} // namespace vellumo
