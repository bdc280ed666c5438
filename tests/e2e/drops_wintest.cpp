// Files dropped on the running program (the drop block made inside it by
// its test hook, as a posted drop handle is refused) open there and in new
// instances in drop order; and a change another program makes to the open
// file is noticed when the program becomes active again.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "support/shelllink_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

// The file each visible main window holds, with its process's start time.
struct THolder {
    std::string File;
    ULONGLONG Started = 0;
};
std::vector<THolder> Holders()
{
    std::vector<THolder> out;
    for (HWND w : WindowsOf(0, "TVellumoMainForm", true)) {
        THolder h;
        HWND edit = FindWindowExA(w, nullptr, "TEdit", nullptr);
        char buf[1024] = {};
        DWORD_PTR n = 0;
        if (edit) SendMessageTimeoutA(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &n);
        h.File = buf;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {
            FILETIME created{}, exited{}, kernel{}, user{};
            if (GetProcessTimes(p, &created, &exited, &kernel, &user))
                h.Started = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
            CloseHandle(p);
        }
        out.push_back(h);
    }
    return out;
}

class Drops : public TEndToEnd {
protected:
    void SetUp() override
    {
        TEndToEnd::SetUp();
        list_ = dir_.File("drop.lst");
        // Inherited by the program and by every instance it starts.
        SetEnvironmentVariableA("VELLUMO_TEST_DROP", list_.c_str());
    }
    void TearDown() override
    {
        TEndToEnd::TearDown();
        SetEnvironmentVariableA("VELLUMO_TEST_DROP", nullptr);
    }
    // Drops the names, in order, on the window.
    void Drop(HWND w, const std::vector<std::string>& names)
    {
        std::string list;
        for (const std::string& n : names) list += n + '\0';
        ASSERT_TRUE(WriteFileBytes(list_, list));
        PostMessageA(w, RegisterWindowMessageA("VellumoTestDrop"), 0, 0);
    }
    // The same with names in UTF-16, as the system's drops carry them.
    void DropWide(HWND w, const std::vector<std::wstring>& names)
    {
        std::string list = "\xFF\xFE";
        for (const std::wstring& n : names)
            for (const wchar_t c : n + L'\0') list += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        ASSERT_TRUE(WriteFileBytes(list_, list));
        PostMessageA(w, RegisterWindowMessageA("VellumoTestDrop"), 0, 0);
    }
    std::string list_;
};

// The near names a name outside the code page would become ("e.txt" for
// "é.txt"; "?", a wildcard that "x.txt" matches, for a Korean syllable),
// made beside the real ones; they must come out untouched.
class NearNames {
public:
    explicit NearNames(const TTempDir& dir)
        : twin_(dir.File("e.txt")), any_(dir.File("x.txt")), e_(Widened(dir.Path()) + L"\\\u00E9.txt"),
          korean_(Widened(dir.Path()) + L"\\\uD55C.txt")
    {
        EXPECT_TRUE(WriteFileBytes(twin_, "twin\r\n"));
        EXPECT_TRUE(WriteFileBytes(any_, "any\r\n"));
        EXPECT_TRUE(WriteFileBytesW(e_, "real\r\n"));
        EXPECT_TRUE(WriteFileBytesW(korean_, "real\r\n"));
        AgeFile(twin_);
        AgeFile(any_);
        twinTime_ = WriteTime(twin_);
        anyTime_ = WriteTime(any_);
    }
    const std::wstring& E() const { return e_; }
    const std::wstring& Korean() const { return korean_; }
    void ExpectUntouched() const
    {
        EXPECT_EQ(ReadFileBytes(twin_), "twin\r\n");
        EXPECT_EQ(ReadFileBytes(any_), "any\r\n");
        const FILETIME twinNow = WriteTime(twin_), anyNow = WriteTime(any_);
        EXPECT_EQ(CompareFileTime(&twinTime_, &twinNow), 0);
        EXPECT_EQ(CompareFileTime(&anyTime_, &anyNow), 0);
    }

private:
    std::string twin_, any_;
    std::wstring e_, korean_;
    FILETIME twinTime_{}, anyTime_{};
};

// The visible message box of the process, other than the given dialog.
HWND MessageBoxOf(const TVellumo& v, HWND besides)
{
    HWND box = nullptr;
    v.WaitFor([&] {
        for (HWND w : WindowsOf(v.ProcessId(), "#32770", true))
            if (w != besides && GetDlgItem(w, 0xFFFF)) box = w;
        return box != nullptr;
    });
    return box;
}

TEST_F(Drops, ThreeFilesOnAnUntitledWindowOpenHereAndInTwoInstancesInOrder)
{
    const std::string a = dir_.File("a.txt"), b = dir_.File("b.txt"), c = dir_.File("c.txt");
    for (const std::string& f : {a, b, c}) ASSERT_TRUE(WriteFileBytes(f, f + "\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    Drop(v.MainWindow(), {a, b, c});
    ASSERT_TRUE(v.WaitFor([] { return Holders().size() == 3; }, 30000));
    EXPECT_TRUE(v.WaitFor([&] { return v.FileName() == a; }));
    std::vector<THolder> h = Holders();
    auto of = [&h](const std::string& f) {
        return std::find_if(h.begin(), h.end(), [&f](const THolder& x) { return x.File == f; });
    };
    ASSERT_TRUE(v.WaitFor([&] {
        h = Holders();
        return of(b) != h.end() && of(c) != h.end();
    }));
    EXPECT_LT(of(b)->Started, of(c)->Started);
}

TEST_F(Drops, LongNamesAndTheProgramAreSkippedAndAShortcutOpensItsTarget)
{
    const std::string doc = dir_.File("doc.txt"), target = dir_.File("target.txt"), link = dir_.File("to target.lnk");
    ASSERT_TRUE(WriteFileBytes(doc, "doc\r\n"));
    ASSERT_TRUE(WriteFileBytes(target, "target\r\n"));
    ASSERT_TRUE(vellumo::testing::MakeShortcut(link, target));
    // A 300-byte name whose first 259 bytes name a file that exists: cut, it would open that one.
    const std::string folder = dir_.File(std::string(120, 'f'));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string longName = folder + "\\" + std::string(300 - folder.size() - 1, 'g');
    ASSERT_EQ(longName.size(), 300u);
    ASSERT_TRUE(WriteFileBytes(longName.substr(0, 259), "cut\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    Drop(v.MainWindow(), {longName, ProgramPath(), link});
    ASSERT_TRUE(v.WaitFor([] { return Holders().size() == 2; }, 30000));
    // Nothing more starts: a third instance would come up within this bounded wait.
    EXPECT_FALSE(v.WaitFor([] { return Holders().size() > 2; }, 1500));
    const std::vector<THolder> h = Holders();
    ASSERT_EQ(h.size(), 2u);
    EXPECT_TRUE(h[0].File == target || h[1].File == target) << h[0].File << " | " << h[1].File;
    EXPECT_EQ(v.FileName(), doc);
}

TEST_F(Drops, NamesOutsideTheCodePageAreRefusedInOneMessageAndNoNearNameOpens)
{
    NearNames names(dir_);
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    DropWide(v.MainWindow(), {names.E(), names.Korean()});
    HWND box = MessageBoxOf(v, nullptr);
    ASSERT_NE(box, nullptr);
    const std::string text = TVellumo::DialogText(box);
    EXPECT_NE(text.find(dir_.Path() + "\\$00E9.txt"), std::string::npos) << text;
    EXPECT_NE(text.find(dir_.Path() + "\\$D55C.txt"), std::string::npos) << text;
    ASSERT_TRUE(TypeTo(box, {VK_RETURN}));
    ASSERT_TRUE(v.WaitFor([&] { return !IsWindow(box); }));
    ASSERT_TRUE(v.Sync());
    EXPECT_EQ(v.FindDialog(), nullptr) << TVellumo::DialogText(v.FindDialog());
    EXPECT_EQ(v.FileName(), "");
    EXPECT_EQ(Holders().size(), 1u);
    names.ExpectUntouched();
}

// The open dialog, typed into for real: the chosen name is refused inside
// the dialog, which stays open.
TEST_F(Drops, TheOpenDialogRefusesANameOutsideTheCodePage)
{
    NearNames names(dir_);
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    ASSERT_TRUE(v.Keys({VK_CONTROL, 'O'}));
    HWND dialog = v.WaitDialog();
    ASSERT_NE(dialog, nullptr);
    // The file name box: a combo box or an edit, made once the dialog shows.
    HWND edit = nullptr;
    v.WaitFor([&] {
        edit = GetDlgItem(dialog, 0x47C);
        if (!edit) edit = GetDlgItem(dialog, 0x480);
        return edit != nullptr;
    });
    ASSERT_NE(edit, nullptr);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.E().c_str()), SMTO_ABORTIFHUNG, 5000, &r);
    ASSERT_TRUE(TypeTo(dialog, {VK_RETURN}));
    HWND box = MessageBoxOf(v, dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TVellumo::DialogText(box).find(dir_.Path() + "\\$00E9.txt"), std::string::npos)
        << TVellumo::DialogText(box);
    ASSERT_TRUE(TypeTo(box, {VK_RETURN}));
    ASSERT_TRUE(v.WaitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
    ASSERT_TRUE(TypeTo(dialog, {VK_ESCAPE}));
    EXPECT_TRUE(v.WaitFor([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(v.Sync());
    EXPECT_EQ(v.FindDialog(), nullptr);
    EXPECT_EQ(v.FileName(), "");
    names.ExpectUntouched();
}

class OutsideChanges : public TEndToEnd {
protected:
    // The program loses the activation and gets it back.
    bool AwayAndBack(TVellumo& v)
    {
        SetForegroundWindow(away_.Handle());
        if (!v.WaitFor([&] { return GetForegroundWindow() == away_.Handle(); }, 3000)) return false;
        v.Sync();
        SetForegroundWindow(v.MainWindow());
        return v.WaitFor([&] { return GetForegroundWindow() != away_.Handle(); }, 3000);
    }
    // Writes the file anew with a later time.
    static void Touch(const std::string& path, const std::string& text)
    {
        ASSERT_TRUE(WriteFileBytes(path, text));
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        static ULONGLONG later = 0;
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULONGLONG t = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime) + (later += 600000000ULL);
        FILETIME ft{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        SetFileTime(h, nullptr, nullptr, &ft);
        CloseHandle(h);
    }
    TOtherWindow away_;
};

TEST_F(OutsideChanges, AskedOnceNoWaitsForTheNextChangeYesReloads)
{
    WriteSettings("[Option]\r\nChkFileAge=1\r\nChkFileAgeMsg=1\r\n");
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "first\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(AwayAndBack(v));
    EXPECT_EQ(v.WaitDialog(1000), nullptr);  // nothing changed

    Touch(doc, "second\r\n");
    ASSERT_TRUE(AwayAndBack(v));
    HWND ask = v.WaitDialog();
    ASSERT_TRUE(ask);
    EXPECT_EQ(TVellumo::DialogText(ask), "\"" + doc + "\" は\r\n他のアプリケーションによって更新されています。\r\n\r\n[再読込]を実行しますか？");
    TVellumo::Answer(ask, IDNO);
    ASSERT_TRUE(v.WaitFor([&] { return v.FindDialog() == nullptr; }));
    ASSERT_TRUE(AwayAndBack(v));
    EXPECT_EQ(v.WaitDialog(1000), nullptr);  // No: not asked again for this change
    EXPECT_EQ(v.Text(), "first\r\n");

    Touch(doc, "third\r\n");
    ASSERT_TRUE(AwayAndBack(v));
    ask = v.WaitDialog();
    ASSERT_TRUE(ask);
    TVellumo::Answer(ask, IDYES);
    EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "third\r\n"; })) << v.Text();
}

TEST_F(OutsideChanges, WithoutTheQuestionAChangeReloadsAndADeletedFileIsReportedOnce)
{
    WriteSettings("[Option]\r\nChkFileAge=1\r\nChkFileAgeMsg=0\r\n");
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "first\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    Touch(doc, "second\r\n");
    ASSERT_TRUE(AwayAndBack(v));
    EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "second\r\n"; })) << v.Text();
    EXPECT_EQ(v.FindDialog(), nullptr);

    ASSERT_TRUE(DeleteFileA(doc.c_str()));
    ASSERT_TRUE(AwayAndBack(v));
    HWND missing = v.WaitDialog();
    ASSERT_TRUE(missing);
    EXPECT_NE(TVellumo::DialogText(missing).find("が見当たりません。"), std::string::npos);
    TVellumo::Answer(missing, IDOK);
    ASSERT_TRUE(v.WaitFor([&] { return v.FindDialog() == nullptr; }));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(AwayAndBack(v));
        EXPECT_EQ(v.WaitDialog(1000), nullptr) << i;
    }
    EXPECT_EQ(v.Text(), "second\r\n");
    // The file back: a change again.
    Touch(doc, "back\r\n");
    ASSERT_TRUE(AwayAndBack(v));
    EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "back\r\n"; })) << v.Text();
}

} // namespace
} // namespace e2e
