// Any settings text parses; an untouched file rewrites byte for byte; a
// written value reads back (blanks at its ends trimmed, line breaks blanked).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/inifile.h"

using namespace vellumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TMemIniFile ini = TMemIniFile::FromText("fuzz.ini", text);
    if (ini.Text() != text) std::abort();

    // The first bytes pick a value to write into a fixed section and key.
    const std::string value(text.substr(0, size < 16 ? size : 16));
    ini.WriteString("Fuzz", "Key", value);
    const std::string back = ini.ReadString("Fuzz", "Key", "?");
    std::string expected(TrimBlanks(value));
    for (char& c : expected)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    expected = std::string(TrimBlanks(expected));
    if (back != expected) std::abort();
    // What was written parses to the same value again.
    const TMemIniFile again = TMemIniFile::FromText("fuzz.ini", ini.Text());
    if (again.ReadString("Fuzz", "Key", "?") != back) std::abort();
    return 0;
}
