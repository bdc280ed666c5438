// Conversion into code page 932 fed in pieces of any size (empty ones too)
// must give what the whole text gives at once.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "textcode/cp932conv.h"

using namespace vellumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const TUnicodeForm form = data[0] & 1 ? TUnicodeForm::utf16le : TUnicodeForm::utf8;
    // The second byte seeds the piece sizes; the rest is the text.
    unsigned seed = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    std::string whole;
    bool unmappable = false;
    (form == TUnicodeForm::utf8 ? Utf8ToCp932 : Utf16LeToCp932)(text, whole, unmappable);

    TToCp932Stream stream(form, unmappable);
    std::string out;
    for (std::size_t at = 0; at <= text.size();) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t n = std::min<std::size_t>(text.size() - at, (seed >> 16) % 7);  // 0 to 6
        stream.Put(text.substr(at, n), out);
        if (at == text.size()) break;
        at += n;
    }
    stream.Finish(out);
    if (stream.Unmappable() != unmappable || out != whole) std::abort();
    return 0;
}
