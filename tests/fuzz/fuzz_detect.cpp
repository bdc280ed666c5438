// Detection must classify any buffer, agree with itself and honour the signatures.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "textcode/charcode.h"

using namespace vellumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view s(reinterpret_cast<const char*>(data), size);
    const TCharCode cc = DetectCharCode(s);
    if (cc < ccNone || cc > ccUtf8N) std::abort();
    if (size > 1 && data[0] == 0xFF && data[1] == 0xFE && cc != ccUnicode) std::abort();
    if (DetectCharCode(s) != cc) std::abort();

    const TLineEndCode le = DetectLineEnd(s);
    const std::size_t brk = s.find_first_of("\r\n");
    if (brk == std::string_view::npos) {
        if (le != leNone) std::abort();
    } else if (s[brk] == '\n') {
        if (le != leLf) std::abort();
    } else if (le != ((brk + 1 < size && s[brk + 1] == '\n') ? leCrLf : leCr)) {
        std::abort();
    }
    return 0;
}
