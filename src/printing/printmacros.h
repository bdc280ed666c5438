#pragma once
// The %-macros of printed headers and footers, and small text helpers of printing.
#include <functional>
#include <string>
#include <string_view>

namespace vellumo {

struct TPrintDate {
    int Year = 0, Month = 0, Day = 0;
};

// What the macros stand for on one page. Now and TimeText are asked when a
// text is expanded; when unset the local clock is used.
struct TPrintMacroValues {
    int PageNumber = 0;      // %p
    int LastPageNumber = 0;  // %P
    std::string FileName;    // %f, and its last part for %F
    std::function<TPrintDate()> Now;
    std::function<std::string()> TimeText;  // %t
};

std::string ExpandPrintMacros(std::string_view text, const TPrintMacroValues& values);

// The part of a path after its last "\", "/" or ":" that is not a trail byte.
std::string ExtractFileNamePart(std::string_view path);

// Tabs replaced by blanks up to the next multiple of tabWidth bytes; the
// stand-in when no editor provides its own expansion.
std::string ExpandTabsPlain(std::string_view line, int tabWidth);

// The local date and time, as defaults of the macro values.
TPrintDate LocalPrintDate();
std::string LocalTimeText();

} // namespace vellumo
