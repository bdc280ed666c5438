#pragma once
// Registers a PostScript printer for the Windows tests: the built-in
// PostScript driver with a PPD from ghostscript, and a port whose jobs are
// written to a file of the host instead of a print system.
#include <string>
#include <vector>

namespace vellumo::testing {

// The printer's name.
extern const char* const kTestPrinterName;

// Adds the driver and the printer when missing and points the printer's port
// at unixOutputPath (a path of the host). False with a reason on failure.
bool AddTestPrinter(const std::string& unixOutputPath, std::string* error);

// Deletes the test printer; true when it is gone afterwards.
bool RemoveTestPrinter();

// The host's path of a Windows path (through Wine's drive mapping); empty
// when there is none.
std::string HostPathOf(const std::string& windowsPath);

// Renders a PostScript file with the host's ghostscript into one grey
// image a page, outPrefix + "-1.pgm", "-2.pgm" ... (Windows paths). False
// with a reason when ghostscript could not run.
bool RenderPostScript(const std::string& psPath, const std::string& outPrefix, int dpi, std::string* error);

// A page ghostscript made: 8-bit grey, 0 black, top row first.
struct TGreyPage {
    int Width = 0, Height = 0;
    std::vector<unsigned char> Pixels;
    bool Ink(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x] < 128; }
    // Whether any pixel of the rectangle [x0, x1) x [y0, y1) is ink.
    bool InkIn(int x0, int y0, int x1, int y1) const;
};
bool ReadPgm(const std::string& path, TGreyPage& page);

} // namespace vellumo::testing
