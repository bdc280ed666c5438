#include "testprinter.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

namespace vellumo::testing {

const char* const kTestPrinterName = "Vellumo Test PostScript";
static const char* const kPortName = "VELLUMO-TEST:";

// The PPD that ghostscript installs, found through the host's root on drive Z.
static std::string FindGhostscriptPpd()
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("Z:\\usr\\share\\ghostscript\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string found;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || fd.cFileName[0] == '.') continue;
        std::string path = std::string("Z:\\usr\\share\\ghostscript\\") + fd.cFileName + "\\lib\\ghostpdf.ppd";
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            found = path;
            break;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

static bool PrinterExists()
{
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(kTestPrinterName), &h, nullptr)) return false;
    ClosePrinter(h);
    return true;
}

static std::string LastError(const char* what)
{
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

bool AddTestPrinter(const std::string& unixOutputPath, std::string* error)
{
    // The spooler looks the port up under this key and writes the job to the
    // file it names.
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        if (error) *error = "spooler key could not be made";
        return false;
    }
    LONG rc = RegSetValueExA(key, kPortName, 0, REG_SZ, reinterpret_cast<const BYTE*>(unixOutputPath.c_str()),
                             static_cast<DWORD>(unixOutputPath.size() + 1));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        if (error) *error = "port mapping could not be written";
        return false;
    }
    if (PrinterExists()) return true;

    std::string ppd = FindGhostscriptPpd();
    if (ppd.empty()) {
        if (error) *error = "no ghostscript PPD found";
        return false;
    }
    DRIVER_INFO_3A di{};
    di.cVersion = 3;
    di.pName = const_cast<char*>(kTestPrinterName);
    di.pDriverPath = const_cast<char*>("wineps.drv");
    di.pDataFile = ppd.data();
    di.pConfigFile = const_cast<char*>("wineps.drv");
    di.pDefaultDataType = const_cast<char*>("RAW");
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        if (error) *error = LastError("AddPrinterDriverExA");
        return false;
    }
    PRINTER_INFO_2A pi{};
    pi.pPrinterName = const_cast<char*>(kTestPrinterName);
    pi.pPortName = const_cast<char*>(kPortName);
    pi.pDriverName = const_cast<char*>(kTestPrinterName);
    pi.pPrintProcessor = const_cast<char*>("WinPrint");
    pi.pDatatype = const_cast<char*>("RAW");
    pi.pComment = const_cast<char*>("");
    pi.pLocation = const_cast<char*>("");
    pi.pSepFile = const_cast<char*>("");
    pi.pParameters = const_cast<char*>("");
    pi.pShareName = const_cast<char*>("");
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (!h) {
        if (error) *error = LastError("AddPrinterA");
        return false;
    }
    ClosePrinter(h);
    SetDefaultPrinterA(kTestPrinterName);
    return true;
}

bool RemoveTestPrinter()
{
    HANDLE h = nullptr;
    PRINTER_DEFAULTSA pd{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterA(const_cast<char*>(kTestPrinterName), &h, &pd)) return !PrinterExists();
    DeletePrinter(h);
    ClosePrinter(h);
    return !PrinterExists();
}

} // namespace vellumo::testing
