#pragma once
// The fixture of the end-to-end tests: a temporary folder holding the
// documents and the settings folder given to each started program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_win.h"
#include "fixtures.h"

namespace e2e {

class TEndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the settings file the started programs read.
    void WriteSettings(const std::string& iniText);
    // Starts the program with the settings folder and the arguments; true
    // when its main window appeared.
    bool Launch(TVellumo& v, const std::string& args);
    // Ctrl+S, then waits until the file's time changes; true when it did.
    bool SaveByKeys(TVellumo& v, const std::string& path);

    TTempDir dir_;
    std::string ini_;
};

std::string Quoted(const std::string& s);
// A file in the build folder, as the program sees it.
std::string BuildPath(const std::string& name);

// The children of a window class, in their order, at any depth.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* cls);

} // namespace e2e
