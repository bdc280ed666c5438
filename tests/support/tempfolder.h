#pragma once
// A fresh folder for one test, removed with everything in it at the end.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vellumo::testing {

class TTempFolder {
public:
    TTempFolder()
    {
        static std::atomic<int> serial{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "vellumo_";
        name += info ? info->name() : "test";
        name += "_" + std::to_string(serial++) + "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFFFF);
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder as a byte string path (the folder's name is ASCII).
    std::string Path() const { return path_.string(); }
    // A path inside the folder.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Names of everything in the folder.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

} // namespace vellumo::testing
