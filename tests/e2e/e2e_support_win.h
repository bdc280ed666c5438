#pragma once
// The fixture of the end-to-end tests: a temporary folder holding the
// documents and the settings folder given to each started program.
#include <gtest/gtest.h>

#include <string>
#include <thread>
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

// What one call of a message that fills a buffer writes into it, the
// buffer (size bytes) made in the program's own memory; empty when the
// call failed.
std::string RemoteCall(HWND w, UINT msg, WPARAM wp, std::size_t size, LRESULT* result = nullptr);

// A plain window on a thread of its own, with its own message loop: it
// takes the activation away from the program.
class TOtherWindow {
public:
    TOtherWindow();
    ~TOtherWindow();
    TOtherWindow(const TOtherWindow&) = delete;
    TOtherWindow& operator=(const TOtherWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    std::thread thread_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

} // namespace e2e
