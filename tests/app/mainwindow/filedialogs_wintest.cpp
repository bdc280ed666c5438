// The open and save dialogs of a real main window: the name and folder
// they start with, and the names they refuse while still open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/document/docopen.h"
#include "app/commands/commands_win.h"
#include "app/window/mainform_win.h"
#include "base/showmsg.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

class FileDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_filedialogs_test";
        form_ = MakeSuiteForm(folder_, false);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void TearDown() override { TFileDialog::SetScript(nullptr); }

    // What each run of a dialog saw, and the answers it gives in turn.
    struct TSeen {
        std::string title, name, folder;
    };
    void Script(std::vector<std::string> answers)
    {
        answers_ = std::move(answers);
        seen_.clear();
        TFileDialog::SetScript([this](TFileDialog& d) {
            seen_.push_back({d.Title(), d.FileName(), d.InitialDir()});
            if (seen_.size() > answers_.size()) return TFileDialogAnswer{};
            return TFileDialogAnswer{true, answers_[seen_.size() - 1]};
        });
    }

    static TVellumoMainForm* form_;
    static fs::path folder_;
    std::vector<std::string> answers_;
    std::vector<TSeen> seen_;
};
TVellumoMainForm* FileDialogsTest::form_ = nullptr;
fs::path FileDialogsTest::folder_;

TEST_F(FileDialogsTest, OpenStartsWithoutANameAndSaveWithTheFilesNameInItsFolder)
{
    const fs::path file = folder_ / "named.txt";
    std::ofstream(file, std::ios::binary) << "text\r\n";
    TScopedMsgSink quiet([](const std::string&, const std::string&, unsigned) { return IDNO; }, [](unsigned) {});
    ASSERT_TRUE(form_->Documents.OpenFile(file.string()));

    std::string started;
    form_->Documents.StartNewInstance = [&](const std::string& args) { started = args; };
    Script({});
    mOpenClick(*form_);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].title, "ファイルを開く");
    EXPECT_EQ(seen_[0].name, "");
    EXPECT_EQ(seen_[0].folder, folder_.string());

    mSaveAsClick(*form_);
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ(seen_[1].title, "名前を付けて保存");
    EXPECT_EQ(seen_[1].name, "named.txt");
    EXPECT_EQ(seen_[1].folder, folder_.string());
    ConnectDocumentFunctions(*form_);
}

TEST_F(FileDialogsTest, DevicesAndOverLongPathsAreRefusedWhileTheDialogIsOpen)
{
    std::vector<std::string> told;
    TScopedMsgSink record(
        [&](const std::string& text, const std::string&, unsigned) {
            told.push_back(text);
            return IDNO;
        },
        [](unsigned) {});
    const std::string longPath = (folder_ / (std::string(270, 'l') + ".txt")).string();
    const std::string device = (folder_ / "com1.txt").string();
    const fs::path chosen = folder_ / "chosen.txt";
    std::ofstream(chosen, std::ios::binary) << "chosen\r\n";

    // Open: each refusal says why once and clears the name; the next answer is taken.
    std::string opened;
    form_->Documents.OpenFile = [&](const std::string& name) {
        opened = name;
        return true;
    };
    form_->Documents.StartNewInstance = [&](const std::string& args) { opened = args; };
    Script({device, longPath, chosen.string()});
    mOpenClick(*form_);
    EXPECT_EQ(seen_.size(), 3u);
    EXPECT_EQ(seen_.back().name, "");  // cleared by the refusal before
    EXPECT_NE(opened.find(chosen.string()), std::string::npos) << opened;
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], PathRefusalMessage(device, false));
    EXPECT_NE(told[1].find("ファイルパスの長さが限界(259)を超えました。"), std::string::npos);

    // Save As: the same refusals, then the file is written under the usable name.
    told.clear();
    const fs::path saved = folder_ / "saved.txt";
    ConnectDocumentFunctions(*form_);
    Script({"aux", saved.string()});
    form_->Editor1.SetReadOnly(false);
    mSaveAsClick(*form_);
    EXPECT_EQ(seen_.size(), 2u);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], PathRefusalMessage("aux", false));
    EXPECT_TRUE(fs::exists(saved));
    ConnectDocumentFunctions(*form_);
}

} // namespace
