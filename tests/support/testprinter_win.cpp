#include "testprinter.h"

#include <windows.h>
#include <winspool.h>

#include <fstream>
#include <sstream>
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

std::string HostPathOf(const std::string& windowsPath)
{
    char full[MAX_PATH];
    if (!GetFullPathNameA(windowsPath.c_str(), MAX_PATH, full, nullptr)) return {};
    using Fn = char*(CDECL*)(const WCHAR*);
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return {};
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, full, -1, wide, MAX_PATH);
    char* unix = fn(wide);
    if (!unix) return {};
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

bool RenderPostScript(const std::string& psPath, const std::string& outPrefix, int dpi, std::string* error)
{
    const std::string in = HostPathOf(psPath), out = HostPathOf(outPrefix);
    const std::string script = outPrefix + "-gs.sh", done = outPrefix + "-gs.done";
    if (in.empty() || out.empty()) {
        if (error) *error = "no host path";
        return false;
    }
    // Wine's start runs a host program without waiting for it: the script
    // leaves ghostscript's exit code in a file when it is done.
    DeleteFileA(done.c_str());
    {
        std::ofstream sh(script, std::ios::binary);
        sh << "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pgmraw -r" << dpi << " '-sOutputFile=" << out
           << "-%d.pgm' '" << in << "' >/dev/null 2>&1\necho $? > '" << HostPathOf(done) << "'\n";
    }
    std::string cmd = "start.exe /unix /bin/sh " + HostPathOf(script);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        if (error) *error = LastError("CreateProcessA");
        return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string code;
    for (int i = 0; i < 600 && code.find('\n') == std::string::npos; ++i) {
        Sleep(100);
        std::ifstream f(done, std::ios::binary);
        code.assign(std::istreambuf_iterator<char>(f), {});
    }
    DeleteFileA(script.c_str());
    DeleteFileA(done.c_str());
    if (code != "0\n") {
        if (error) *error = code.empty() ? "ghostscript did not finish" : "ghostscript failed with " + code;
        return false;
    }
    return true;
}

bool TGreyPage::InkIn(int x0, int y0, int x1, int y1) const
{
    for (int y = y0 < 0 ? 0 : y0; y < y1 && y < Height; ++y)
        for (int x = x0 < 0 ? 0 : x0; x < x1 && x < Width; ++x)
            if (Ink(x, y)) return true;
    return false;
}

bool ReadPgm(const std::string& path, TGreyPage& page)
{
    std::ifstream f(path, std::ios::binary);
    // "P5", width, height and 255, with comment lines between them.
    auto next = [&f](std::string& word) {
        while (f >> word) {
            if (word[0] != '#') return true;
            std::string rest;
            std::getline(f, rest);
        }
        return false;
    };
    std::string magic, w, h, max;
    if (!next(magic) || !next(w) || !next(h) || !next(max) || magic != "P5" || max != "255") return false;
    page.Width = std::stoi(w);
    page.Height = std::stoi(h);
    f.get();  // the one blank after the header
    page.Pixels.resize(static_cast<std::size_t>(page.Width) * page.Height);
    f.read(reinterpret_cast<char*>(page.Pixels.data()), static_cast<std::streamsize>(page.Pixels.size()));
    return static_cast<bool>(f);
}

} // namespace vellumo::testing
