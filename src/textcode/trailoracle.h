#pragma once
// Lead/trail decisions at arbitrary positions of a Shift-JIS buffer, with
// the same answers as walking it from its first byte.
#include <cstddef>

#include "base/leadbytes.h"

namespace vellumo {

// A byte outside the lead range always ends a character, so the position
// after it starts one; from there the lead-range bytes pair up. A position
// is therefore a trail byte exactly when the run of lead-range bytes
// before it has odd length. The run found last is remembered, so queries
// that move steadily forward or backward cost linear time in all, however
// long the runs of double-byte text are.
class TTrailOracle {
public:
    TTrailOracle(const unsigned char* buf, std::size_t len) noexcept : buf_(buf), len_(len) {}

    bool IsTrail(std::size_t i) noexcept
    {
        // A NUL ends a text: it is never the trail of a character.
        if (i == 0 || i >= len_ || !buf_[i]) return false;
        if (!IsLeadByte(buf_[i - 1])) return false;
        if (i >= runStart_ && i <= runKnown_) return ((i - runStart_) & 1) != 0;
        std::size_t j = i - 1;  // buf_[j] is in the lead range
        while (j > 0 && IsLeadByte(buf_[j - 1])) {
            --j;
            if (j >= runStart_ && j < runKnown_) {
                // Joined the remembered run: everything from its start to i is lead range.
                runKnown_ = i;
                return ((i - runStart_) & 1) != 0;
            }
        }
        runStart_ = j;
        runKnown_ = i;
        return ((i - j) & 1) != 0;
    }

private:
    const unsigned char* buf_;
    std::size_t len_;
    // buf_[runStart_ .. runKnown_ - 1] are lead-range bytes and runStart_
    // starts a character. Empty at first.
    std::size_t runStart_ = 1;
    std::size_t runKnown_ = 0;
};

} // namespace vellumo
