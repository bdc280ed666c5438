// Files that other programs change under the window: while it reads them,
// after it read them, and the temporary files a killed save leaves.
#include <windows.h>

#include "e2e_support_win.h"

namespace e2e {
namespace {

const char kChangedTail[] = "\" は\r\n他のアプリケーションによって更新されています。\r\n";

bool AppendBytes(const std::string& path, const std::string& bytes)
{
    const HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
    CloseHandle(h);
    return ok;
}

class FileChanges : public TEndToEnd {
protected:
    // Ctrl+S over a file changed outside: the question comes, and is answered.
    void SaveAnswering(TVellumo& v, const std::string& path, int answer)
    {
        ASSERT_TRUE(v.Keys({VK_CONTROL, 'S'}));
        HWND box = v.WaitDialog();
        ASSERT_NE(box, nullptr) << "saved over the change without asking";
        EXPECT_EQ(TVellumo::DialogText(box), "\"" + path + kChangedTail +
                                                 "上書きすると、その変更は失われます。\r\n\r\n上書き保存しますか？");
        TVellumo::Answer(box, answer);
        ASSERT_TRUE(v.WaitFor([&] { return v.FindDialog() == nullptr; }));
        v.Sync();
    }
    void TypeX(TVellumo& v)
    {
        const std::string before = v.Text();
        ASSERT_TRUE(v.Keys({'X'}));
        ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "x" + before; })) << v.Text();
    }
};

TEST_F(FileChanges, ALineAnotherProgramAddedIsNeverSavedOverWithoutTheQuestion)
{
    const std::string path = dir_.File("log.txt");
    ASSERT_TRUE(WriteFileBytes(path, "first\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    ASSERT_TRUE(AppendBytes(path, "added outside\r\n"));
    TypeX(v);
    SaveAnswering(v, path, IDNO);
    EXPECT_EQ(ReadFileBytes(path), "first\r\nadded outside\r\n");
    EXPECT_TRUE(v.Modified());
    SaveAnswering(v, path, IDYES);
    EXPECT_TRUE(v.WaitFor([&] { return ReadFileBytes(path) == "xfirst\r\n"; })) << ReadFileBytes(path);
    EXPECT_TRUE(v.WaitFor([&] { return !v.Modified(); }));
    // Written here: the next save asks nothing.
    TypeX(v);
    ASSERT_TRUE(SaveByKeys(v, path));
    EXPECT_EQ(ReadFileBytes(path), "xxfirst\r\n");
    EXPECT_EQ(v.FindDialog(), nullptr);
}

// The loader stops in the middle of the file until this test has added to it.
class LoadPause {
public:
    LoadPause()
        : name_("VellumoLoadPause" + std::to_string(GetCurrentProcessId())),
          reading_(CreateEventA(nullptr, FALSE, FALSE, (name_ + ".reading").c_str())),
          go_(CreateEventA(nullptr, TRUE, FALSE, (name_ + ".go").c_str()))
    {
        SetEnvironmentVariableA("VELLUMO_TEST_LOAD_PAUSE", name_.c_str());
    }
    ~LoadPause()
    {
        SetEvent(go_);
        SetEnvironmentVariableA("VELLUMO_TEST_LOAD_PAUSE", nullptr);
        CloseHandle(reading_);
        CloseHandle(go_);
    }
    bool WaitReading() { return WaitForSingleObject(reading_, 20000) == WAIT_OBJECT_0; }
    void Go() { SetEvent(go_); }

private:
    std::string name_;
    HANDLE reading_, go_;
};

TEST_F(FileChanges, AFileThatGrowsWhileItIsReadIsReportedAndNoSaveLosesTheRest)
{
    std::string text;
    for (int i = 0; text.size() < 600000; ++i) text += "line " + std::to_string(i) + "\r\n";
    const std::string path = dir_.File("growing.txt");
    ASSERT_TRUE(WriteFileBytes(path, text));
    const std::string added = "written during the load\r\n";
    TVellumo v;
    {
        LoadPause pause;
        ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " " + Quoted(path)));
        ASSERT_TRUE(pause.WaitReading()) << "the load never began";
        ASSERT_TRUE(AppendBytes(path, added));
        pause.Go();
        HWND box = v.WaitDialog(20000);
        ASSERT_NE(box, nullptr) << "the change during the load went unsaid";
        EXPECT_EQ(TVellumo::DialogText(box), "\"" + path + kChangedTail + "\r\n[再読込]を実行しますか？");
        TVellumo::Answer(box, IDNO);
        ASSERT_NE(v.WaitMainWindow(), nullptr);
    }
    EXPECT_EQ(v.Text(), text);  // what was there when the load began
    TypeX(v);
    SaveAnswering(v, path, IDNO);
    EXPECT_EQ(ReadFileBytes(path), text + added);

    // Read again, the whole file is there, and saves without a question.
    ASSERT_TRUE(v.Keys({VK_F5}));
    HWND discard = v.WaitDialog();
    ASSERT_NE(discard, nullptr);
    TVellumo::Answer(discard, IDYES);
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == text + added; }));
    v.Sync();
    EXPECT_EQ(v.FindDialog(), nullptr) << TVellumo::DialogText(v.FindDialog());
    TypeX(v);
    ASSERT_TRUE(SaveByKeys(v, path));
    EXPECT_EQ(ReadFileBytes(path), "x" + text + added);
    EXPECT_EQ(v.FindDialog(), nullptr);
}

TEST_F(FileChanges, ASaveRemovesTheTemporaryFilesAKilledSaveLeftAndNoOneElses)
{
    const std::string path = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(path, "text\r\n"));
    const std::string half(1 << 20, 'h');
    const std::string ours = dir_.File("~vldoc.txt.0badf00d.tmp");
    const std::string others[] = {dir_.File("~vlother.txt.0badf00d.tmp"), dir_.File("~vldoc.txt.mine0000.tmp"),
                                  dir_.File("~vldoc.txt.tmp")};
    ASSERT_TRUE(WriteFileBytes(ours, half));
    for (const std::string& o : others) ASSERT_TRUE(WriteFileBytes(o, "another program's"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    TypeX(v);
    ASSERT_TRUE(SaveByKeys(v, path));
    EXPECT_EQ(ReadFileBytes(path), "xtext\r\n");
    EXPECT_FALSE(FileExists(ours));
    for (const std::string& o : others) EXPECT_EQ(ReadFileBytes(o), "another program's") << o;
    // Nothing of this save stays either.
    WIN32_FIND_DATAA found{};
    int count = 0;
    const HANDLE h = FindFirstFileA(dir_.File("*").c_str(), &found);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(h, &found));
    FindClose(h);
    EXPECT_EQ(count, 1 + 3);  // the document and the three look-alikes
}

} // namespace
} // namespace e2e
