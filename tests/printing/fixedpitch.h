#pragma once
// A measurer with fixed cells: a single byte is one cell, a double-byte
// character two; lets the layout be checked without a device.
#include <string_view>

#include "base/leadbytes.h"
#include "printing/printwrap.h"

namespace vellumo::testing {

class TFixedPitchMeasurer : public TPrintMeasurer {
public:
    explicit TFixedPitchMeasurer(int cell = 10) : cell_(cell) {}
    long long TextWidth(std::string_view text) override
    {
        ++calls;
        return static_cast<long long>(text.size()) * cell_;  // a lead and its trail make two cells
    }
    int Cell() const { return cell_; }
    long long calls = 0;

private:
    int cell_;
};

} // namespace vellumo::testing
