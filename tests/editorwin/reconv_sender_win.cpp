// A second process for the reconversion tests: sends or posts a
// reconversion request with a record address that means something only in
// the editor's own process.
//   reconv_sender <window hex> <address hex> send|post reconvert|atok|request
// The exit code is the answer of a send (255 when it timed out).
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 5) return 254;
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(argv[1], nullptr, 16)));
    const LPARAM record = static_cast<LPARAM>(std::strtoull(argv[2], nullptr, 16));
    UINT msg = WM_IME_REQUEST;
    if (std::strcmp(argv[4], "reconvert") == 0) msg = RegisterWindowMessageA("MSIMEReconvert");
    else if (std::strcmp(argv[4], "atok") == 0) msg = RegisterWindowMessageA("Atok Message for ReconvertString");
    if (std::strcmp(argv[3], "post") == 0) return PostMessageA(window, msg, IMR_RECONVERTSTRING, record) ? 0 : 253;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, msg, IMR_RECONVERTSTRING, record, SMTO_ABORTIFHUNG, 10000, &answer)) return 255;
    return static_cast<int>(answer & 0x7F);
}
