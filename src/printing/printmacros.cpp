#include "printing/printmacros.h"

#include <cstdio>
#include <ctime>

#include "base/leadbytes.h"

namespace vellumo {

TPrintDate LocalPrintDate()
{
    std::time_t t = std::time(nullptr);
    std::tm* tm = std::localtime(&t);
    if (!tm) return {};
    return {tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday};
}

std::string LocalTimeText()
{
    std::time_t t = std::time(nullptr);
    std::tm* tm = std::localtime(&t);
    if (!tm) return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", tm->tm_hour, tm->tm_min, tm->tm_sec);
    return buf;
}

std::string ExtractFileNamePart(std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto b = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(b)) {
            ++i;  // its trail byte is never a separator
            continue;
        }
        if (b == '\\' || b == '/' || b == ':') start = i + 1;
    }
    return std::string(path.substr(start));
}

std::string ExpandPrintMacros(std::string_view text, const TPrintMacroValues& v)
{
    const TPrintDate date = v.Now ? v.Now() : LocalPrintDate();
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(b) && i + 1 < text.size()) {
            // A double-byte character is copied whole: a trail byte 25 is no macro.
            out += text.substr(i, 2);
            ++i;
            continue;
        }
        if (b != '%') {
            out += static_cast<char>(b);
            continue;
        }
        if (++i >= text.size()) break;  // a closing "%" is dropped
        switch (text[i]) {
        case 'p': out += std::to_string(v.PageNumber); break;
        case 'P': out += std::to_string(v.LastPageNumber); break;
        case 'f': out += v.FileName; break;
        case 'F': out += ExtractFileNamePart(v.FileName); break;
        case 'y': out += std::to_string(date.Year); break;
        case 'm': out += std::to_string(date.Month); break;
        case 'd': out += std::to_string(date.Day); break;
        case 't': out += v.TimeText ? v.TimeText() : LocalTimeText(); break;
        default:
            // "%" and a double-byte character give the whole character.
            if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
                out += text.substr(i, 2);
                ++i;
            } else {
                out += text[i];
            }
            break;
        }
    }
    return out;
}

std::string ExpandTabsPlain(std::string_view line, int tabWidth)
{
    if (tabWidth < 1) tabWidth = 1;
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        if (c == '\t') {
            out.append(static_cast<std::size_t>(tabWidth - static_cast<int>(out.size() % tabWidth)), ' ');
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vellumo
