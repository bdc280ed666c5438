#pragma once
// Registers a PostScript printer for the Windows tests: the built-in
// PostScript driver with a PPD from ghostscript, and a port whose jobs are
// written to a file of the host instead of a print system.
#include <string>

namespace vellumo::testing {

// The printer's name.
extern const char* const kTestPrinterName;

// Adds the driver and the printer when missing and points the printer's port
// at unixOutputPath (a path of the host). False with a reason on failure.
bool AddTestPrinter(const std::string& unixOutputPath, std::string* error);

// Deletes the test printer; true when it is gone afterwards.
bool RemoveTestPrinter();

} // namespace vellumo::testing
