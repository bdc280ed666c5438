// The File menu's recent files on a real main window: the submenu built from
// the history file, what recording a name writes, and what clicking,
// removing and clearing do, also when another instance changed the file.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/commands/filehistory.h"
#include "app/commands/historymenu_win.h"
#include "base/filebytes.h"
#include "base/showmsg.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

class HistoryMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_historymenu_test";
        form_ = MakeSuiteForm(folder_, false);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        saved_ = AppSettingsStore().Settings.FileHistorySet;
        Set().FileHisMaxCount = 10;
        Set().FileNameFormat = 0;
        fs::remove_all(FileHistoryPath());
        Document().CurrentFileName.clear();
        form_->Editor1.SetModified(false);
        TDocumentFunctions& d = form_->Documents;
        d.OpenFile = [this](const std::string& n) { return log_.push_back("open " + n), true; };
        d.StartNewInstance = [this](const std::string& a) { log_.push_back("new " + a); };
    }
    void TearDown() override
    {
        AppSettingsStore().Settings.FileHistorySet = saved_;
        ConnectDocumentFunctions(*form_);
        fs::remove_all(FileHistoryPath());
    }
    static TAppIniHis& Set() { return AppSettingsStore().Settings.FileHistorySet; }
    static void WriteHistory(const std::string& text) { ASSERT_TRUE(ReplaceFileBytes(FileHistoryPath(), text)); }
    static std::string History()
    {
        std::string bytes;
        ReadFileBytes(FileHistoryPath(), bytes);
        return bytes;
    }
    static std::string Newest()
    {
        const TFileHistory h = ParseFileHistory(History());
        return h.empty() ? std::string() : h.front();
    }
    std::string File(const std::string& name, bool make = true)
    {
        const std::string path = (folder_ / name).string();
        if (make) ReplaceFileBytes(path, "x");
        return path;
    }
    // The submenu opened; its items before the separator that show.
    std::vector<TMenuItem*> Open()
    {
        form_->MainMenuItems.Item("mReOpen").Click();
        return Shown();
    }
    std::vector<TMenuItem*> Shown()
    {
        TMenuItem& menu = form_->MainMenuItems.Item("mReOpen");
        std::vector<TMenuItem*> shown;
        for (int i = 0; i < menu.Count() && !menu.Items(i).IsSeparator(); ++i)
            if (menu.Items(i).Visible()) shown.push_back(&menu.Items(i));
        return shown;
    }
    static std::vector<std::string> Captions(const std::vector<TMenuItem*>& items)
    {
        std::vector<std::string> out;
        for (TMenuItem* i : items) out.push_back(i->Caption());
        return out;
    }
    bool ClearEnabled() { return form_->MainMenuItems.Item("mFileHisDel").Enabled(); }

    static inline fs::path folder_;
    static inline TVellumoMainForm* form_ = nullptr;
    TAppIniHis saved_;
    std::vector<std::string> log_;
};

using S = std::vector<std::string>;

TEST_F(HistoryMenuTest, NoEntriesShowsOneDisabledItem)
{
    for (const char* text : {static_cast<const char*>(nullptr), "", "\r\n"}) {
        if (text) WriteHistory(text);
        const auto items = Open();
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0]->Caption(), "(なし)");
        EXPECT_FALSE(items[0]->Enabled());
        EXPECT_FALSE(ClearEnabled());
    }
    // With a maximum of 0 (or a negative one) the entries of the file are not shown.
    WriteHistory("C:\\a.txt\r\n");
    Set().FileHisMaxCount = -1;
    EXPECT_EQ(Captions(Open()), S{"(なし)"});
}

TEST_F(HistoryMenuTest, EntriesFromTheFileWithTheirAccelerators)
{
    Set().FileHisMaxCount = 3;
    WriteHistory("C:\\1.txt\r\nC:\\2.txt\r\nC:\\3.txt\r\nC:\\4.txt\r\nC:\\5.txt\r\n");
    auto items = Open();
    EXPECT_EQ(Captions(items), (S{"&1: C:\\1.txt", "&2: C:\\2.txt", "&3: C:\\3.txt"}));
    EXPECT_EQ(items[2]->Hint(), "C:\\3.txt");
    EXPECT_TRUE(ClearEnabled());
    // The next name recorded shortens the file to the maximum.
    form_->AddRecentFile("C:\\new.txt");
    EXPECT_EQ(History(), "C:\\new.txt\r\nC:\\1.txt\r\nC:\\2.txt\r\n");

    Set().FileHisMaxCount = 13;
    std::string text;
    for (int i = 1; i <= 13; ++i) text += "C:\\R&D\\" + std::to_string(i) + ".txt\r\n";
    WriteHistory(text);
    items = Open();
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[9]->Caption(), "&0: C:\\R&&D\\10.txt");
    EXPECT_EQ(items[10]->Caption(), "&A: C:\\R&&D\\11.txt");
    EXPECT_EQ(items[11]->Caption(), "&B: C:\\R&&D\\12.txt");
    EXPECT_EQ(items[12]->Caption(), "&D: C:\\R&&D\\13.txt");
    Set().FileNameFormat = -3;  // read as the full path, and kept so
    EXPECT_EQ(Open()[0]->Caption(), "&1: C:\\R&&D\\1.txt");
    EXPECT_EQ(Set().FileNameFormat, 0);
}

TEST_F(HistoryMenuTest, RecordingANameAndWhatIsLeftOut)
{
    WriteHistory("c:\\a.txt\r\nC:\\b.txt\r\nC:\\A.txt\r\n");
    form_->AddRecentFile("C:\\A.TXT");
    EXPECT_EQ(History(), "C:\\A.TXT\r\nC:\\b.txt\r\n");
    form_->AddRecentFile("");
    form_->AddRecentFile(FileHistoryPath());  // never the history file itself
    EXPECT_EQ(History(), "C:\\A.TXT\r\nC:\\b.txt\r\n");

    // The temporary folder, by its short form too.
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string inTemp = std::string(temp) + "vellumo_history_probe.txt";
    ReplaceFileBytes(inTemp, "x");
    Set().NoTempDir = true;
    form_->AddRecentFile(inTemp);
    EXPECT_EQ(History(), "C:\\A.TXT\r\nC:\\b.txt\r\n");
    Set().NoTempDir = false;
    form_->AddRecentFile(inTemp);
    EXPECT_EQ(Newest(), inTemp);
    fs::remove(inTemp);

    // An excluded folder named through the environment.
    SetEnvironmentVariableA("VELLUMO_HISTORY_TEST", folder_.string().c_str());
    Set().NoDir = true;
    Set().NoDirs = "C:\\nowhere;%VELLUMO_HISTORY_TEST%\\skip";
    form_->AddRecentFile(File("skip\\a.txt", false));
    EXPECT_EQ(Newest(), inTemp);
    form_->AddRecentFile(File("kept.txt"));
    EXPECT_EQ(Newest(), File("kept.txt"));

    // A history that cannot be read is left as it is.
    fs::remove_all(FileHistoryPath());
    fs::create_directory(FileHistoryPath());
    form_->AddRecentFile("C:\\x.txt");
    EXPECT_TRUE(fs::is_directory(FileHistoryPath()));
    fs::remove_all(FileHistoryPath());
}

TEST_F(HistoryMenuTest, ClickingOpensHereOrElsewhereOrOffersRemoval)
{
    const std::string here = File("here.txt"), gone = File("gone.txt", false);
    WriteHistory(here + "\r\n" + gone + "\r\n");
    auto items = Open();
    items[0]->Click();
    EXPECT_EQ(log_, S{"open " + here});
    form_->Editor1.SetModified(true);
    Open()[0]->Click();
    EXPECT_EQ(log_.back(), "new \"" + here + "\"");
    form_->Editor1.SetModified(false);

    std::vector<std::string> asked;
    int answer = IDNO;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned) {
        asked.push_back(text);
        return answer;
    });
    Open()[1]->Click();
    EXPECT_EQ(asked, S{"\"" + gone + "\" が見当たりません。\r\n履歴から削除しますか？"});
    EXPECT_EQ(Open().size(), 2u);

    // Meanwhile another instance records a file: the removal keeps it.
    items = Open();
    WriteHistory("C:\\other.txt\r\n" + here + "\r\n" + gone + "\r\n");
    answer = IDYES;
    items[1]->Click();
    EXPECT_EQ(History(), "C:\\other.txt\r\n" + here + "\r\n");
    EXPECT_EQ(Captions(Shown()), (S{"&1: C:\\other.txt", "&2: " + here})) << "numbered again at once";
    EXPECT_EQ(Captions(Open()), (S{"&1: C:\\other.txt", "&2: " + here}));
}

TEST_F(HistoryMenuTest, ShiftClickRemovesAndClearEmptiesTheFile)
{
    const std::string a = File("a.txt"), b = File("b.txt");
    WriteHistory(a + "\r\n" + b + "\r\n" + a + "\r\n");
    std::vector<std::string> asked;
    int answer = IDCANCEL;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned) {
        asked.push_back(text);
        return answer;
    });
    const BYTE shift = VK_SHIFT;
    keybd_event(shift, 0, 0, 0);
    Pump(20);
    Open()[0]->Click();
    answer = IDOK;
    Open()[0]->Click();
    keybd_event(shift, 0, KEYEVENTF_KEYUP, 0);
    Pump(20);
    EXPECT_EQ(asked, (S{"ファイル履歴 \"" + a + "\" を削除します。", "ファイル履歴 \"" + a + "\" を削除します。"}));
    EXPECT_TRUE(log_.empty()) << "nothing opened";
    EXPECT_EQ(History(), b + "\r\n") << "every line naming it goes";

    asked.clear();
    answer = IDCANCEL;
    Open();
    mFileHisDelClick(*form_);
    EXPECT_EQ(History(), b + "\r\n");
    answer = IDOK;
    mFileHisDelClick(*form_);
    EXPECT_EQ(asked, (S{"すべてのファイル履歴を削除します。", "すべてのファイル履歴を削除します。"}));
    EXPECT_TRUE(fs::exists(FileHistoryPath()));
    EXPECT_EQ(History(), "");
    EXPECT_EQ(Captions(Open()), S{"(なし)"});
    EXPECT_FALSE(ClearEnabled());
    asked.clear();
    mFileHisDelClick(*form_);  // nothing left to clear: not even asked
    EXPECT_TRUE(asked.empty());
}

} // namespace
