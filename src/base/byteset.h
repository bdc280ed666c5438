#pragma once
#include <bitset>
#include <initializer_list>

namespace vellumo {

// A set of byte values, one bit each.
class TByteSet {
public:
    TByteSet() = default;
    TByteSet(std::initializer_list<unsigned char> bytes)
    {
        for (unsigned char b : bytes) bits_.set(b);
    }

    bool Contains(unsigned char b) const noexcept { return bits_.test(b); }
    void Include(unsigned char b) noexcept { bits_.set(b); }
    void Exclude(unsigned char b) noexcept { bits_.reset(b); }
    void IncludeRange(unsigned char from, unsigned char to) noexcept
    {
        for (unsigned v = from; v <= to; ++v) bits_.set(v);
    }
    void Clear() noexcept { bits_.reset(); }
    bool Empty() const noexcept { return bits_.none(); }
    std::size_t Count() const noexcept { return bits_.count(); }

    TByteSet& operator|=(const TByteSet& o) noexcept { bits_ |= o.bits_; return *this; }
    TByteSet& operator-=(const TByteSet& o) noexcept { bits_ &= ~o.bits_; return *this; }
    friend TByteSet operator|(TByteSet a, const TByteSet& b) noexcept { return a |= b; }
    friend TByteSet operator-(TByteSet a, const TByteSet& b) noexcept { return a -= b; }
    friend bool operator==(const TByteSet&, const TByteSet&) = default;

private:
    std::bitset<256> bits_;
};

} // namespace vellumo
