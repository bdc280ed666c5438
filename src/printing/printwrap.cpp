#include "printing/printwrap.h"

#include "base/leadbytes.h"

namespace vellumo {

std::string ClassifyBytes(std::string_view s)
{
    std::string cls(s.size(), '1');
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b)) {
            cls[i] = '4';
            if (i + 1 < s.size()) cls[++i] = '5';
        } else {
            cls[i] = b > 0x20 ? '1' : '2';
        }
    }
    return cls;
}

namespace {

// Byte length of the character starting at pos of a rest (classes cls, length n).
std::size_t CharLenAt(const std::string& cls, std::size_t pos, std::size_t n)
{
    return cls[pos] == '4' && pos + 1 < n ? 2 : 1;
}

// Byte length of the character ending just before end (end > start).
std::size_t CharLenBefore(const std::string& cls, std::size_t start, std::size_t end)
{
    return cls[end - 1] == '5' && end - 1 > start ? 2 : 1;
}

} // namespace

void WrapPrintLine(TPrintMeasurer& measure, std::string_view text, long long avail, bool wordBreak,
                   std::vector<std::string>& rows)
{
    if (avail < 1) avail = 1;
    if (text.empty()) {
        rows.emplace_back();
        return;
    }
    const long long w = measure.TextWidth(text);
    if (w <= avail) {
        rows.emplace_back(text);
        return;
    }
    // Classes of the whole line, once: every row starts on a character
    // boundary, so the classes of a rest are a suffix of these.
    const std::string cls = ClassifyBytes(text);
    const std::size_t n = text.size();
    const long long rowsNeeded = (w + avail - 1) / avail;
    const std::size_t estimate = static_cast<std::size_t>(static_cast<long long>(n) / rowsNeeded);

    std::size_t start = 0;
    while (start < n) {
        const std::size_t restLen = n - start;
        auto width = [&](std::size_t len) { return measure.TextWidth(text.substr(start, len)); };
        std::size_t b = estimate < restLen ? estimate : restLen;
        // Do not end the first guess between a lead byte and its trail.
        if (b > 0 && cls[start + b - 1] == '4' && b < restLen) --b;
        // Grow by whole characters while the prefix is narrower than the column.
        while (b < restLen && width(b) < avail) b += CharLenAt(cls, start + b, n);
        // Shrink while too wide, but never below the first character: a
        // character wider than the column still makes a row of its own.
        const std::size_t firstChar = CharLenAt(cls, start, n);
        while (b > firstChar && width(b) > avail) b -= CharLenBefore(cls, start, start + b);
        if (b < firstChar) b = firstChar;

        // A rest that fits whole is one row; otherwise end after a blank or a
        // double-byte character rather than inside a word.
        if (wordBreak && b < restLen) {
            char last = cls[start + b - 1];
            if (last != '2' && last != '5') {
                std::size_t p = b;
                while (p > 1) {
                    p -= CharLenBefore(cls, start, start + p);
                    if (p <= 1) break;
                    char c = cls[start + p - 1];
                    if (c == '2' || c == '5') {
                        b = p;
                        break;
                    }
                }
            }
        }
        rows.emplace_back(text.substr(start, b));
        start += b;
    }
}

} // namespace vellumo
