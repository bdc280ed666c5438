// Registers the PostScript test printer in the current Wine prefix.
// Usage: add_test_printer UNIX-OUTPUT-FILE | add_test_printer /remove
#include <cstdio>
#include <cstring>
#include <string>

#include "testprinter.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: add_test_printer OUTPUT-FILE | /remove\n");
        return 2;
    }
    if (std::strcmp(argv[1], "/remove") == 0) return vellumo::testing::RemoveTestPrinter() ? 0 : 1;
    std::string error;
    if (!vellumo::testing::AddTestPrinter(argv[1], &error)) {
        std::fprintf(stderr, "add_test_printer: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s -> %s\n", vellumo::testing::kTestPrinterName, argv[1]);
    return 0;
}
