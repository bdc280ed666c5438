#pragma once
// Cutting a printed line into rows that fit a column, never inside a
// double-byte character.
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// Measures byte strings in the units of the page (printer pixels).
class TPrintMeasurer {
public:
    virtual ~TPrintMeasurer() = default;
    // Width of the text as one line; never negative.
    virtual long long TextWidth(std::string_view text) = 0;
};

// One class character per byte: "4" a lead byte, "5" the byte after it,
// "1" any other byte above 0x20, "2" a blank or control byte. A lead byte
// that ends the text is "4" with nothing after it.
std::string ClassifyBytes(std::string_view s);

// Appends the rows of text for a column avail units wide. With wordBreak a
// row that would end inside a single-byte word ends after the last blank or
// double-byte character before it. avail must be positive; every row holds
// at least one whole character, so the rows joined give the text back.
void WrapPrintLine(TPrintMeasurer& measure, std::string_view text, long long avail, bool wordBreak,
                   std::vector<std::string>& rows);

} // namespace vellumo
