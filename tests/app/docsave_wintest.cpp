#include "docwin_support.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/docsaveencode.h"
#include "app/pathnames.h"
#include "textcode/jisconv.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

constexpr int kYes = 6, kNo = 7;

std::vector<std::string> TempFilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    const HANDLE h = FindFirstFileA((folder + "\\~vl*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

class DocSave : public TDocFixture {};

TEST_F(DocSave, CodesAndLineEndsOfTheFirstSave)
{
    const std::string path = dir.File("a.txt");
    Document().CurrentFileName = path;
    Edit("\x82\xA0\r\nb");
    Settings().JCode.SaveCvt = 4;
    ASSERT_TRUE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), std::string("\xFF\xFE\x42\x30\r\0\n\0b\0", 10));
    EXPECT_EQ(Document().DocumentCode, ccUnicode);
    EXPECT_EQ(form.panels[5], "Unicode");
    EXPECT_FALSE(form.editor.Modified());
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());

    // A Unicode document saved as JIS is JIS bytes, not widened; CR alone between lines.
    Settings().JCode.SaveCvt = 2;
    Settings().JCode.SaveRetCvt = 2;
    Edit("\x88\x9F\r\nz");
    ASSERT_TRUE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), ConvertSjisToJis("\x88\x9F\rz"));
    EXPECT_EQ(Disk(path).substr(0, 3), "\x1B$B");
    EXPECT_EQ(Document().DocumentLineEnd, leCr);
    EXPECT_EQ(form.panels[6], "CR");

    // A shorter text leaves a file of exactly the new length.
    Settings().JCode.SaveCvt = 1;
    Settings().JCode.SaveRetCvt = 3;
    Edit("q");
    ASSERT_TRUE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), "q");
    EXPECT_TRUE(messages.empty());
}

// Every step of the write fails once, for files of each kind and each code:
// the original stays byte for byte, the user is told, nothing is marked saved.
TEST_F(DocSave, EveryFailingStepKeepsTheOriginalAndTheDocumentModified)
{
    const std::string path = dir.File("f.txt");
    const std::string other = dir.File("g.txt");
    int saves = 0;
    // Texts of several lengths; the longest needs several writes.
    std::vector<std::string> texts;
    std::mt19937 rng(5);
    for (int v = 0; v < 19; ++v) {
        std::string t;
        for (int n = static_cast<int>(rng() % 400); n > 0; --n)
            t += rng() % 3 == 0 ? std::string("\x88\x9F") : rng() % 5 == 0 ? std::string("\r\n") : std::string("w");
        texts.push_back(t);
    }
    texts.push_back(std::string(kSafeWriteChunk + kSafeWriteChunk / 2, 'z'));
    for (const std::string& text : texts)
    for (int kind = 0; kind < 3; ++kind) {
        for (int cvt : {1, 2, 3, 4, 6}) {
            if (text.size() > kSafeWriteChunk && cvt != 1) continue;
            // One clean save counts the steps.
            Write(path, "original\r\n");
            if (kind == 1) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
            if (kind == 2) {
                DeleteFileA(other.c_str());
                ASSERT_TRUE(CreateHardLinkA(other.c_str(), path.c_str(), nullptr));
            }
            TFaultyFs probe;
            SetSaveFileSystem(&probe);
            Settings().JCode.SaveCvt = cvt;
            Document() = TDocumentState{};
            Document().CurrentFileName = path;
            Edit(text);
            ASSERT_TRUE(SaveFile(path, false, true)) << kind << " " << cvt;
            const std::string good = Disk(path);
            for (int failAt = 1; failAt <= probe.Steps; ++failAt) {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                Write(path, "original\r\n");
                if (kind == 1) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
                if (kind == 2) {
                    DeleteFileA(other.c_str());
                    ASSERT_TRUE(CreateHardLinkA(other.c_str(), path.c_str(), nullptr));
                }
                TFaultyFs fs;
                fs.FailAt = failAt;
                SetSaveFileSystem(&fs);
                Document() = TDocumentState{};
                Document().CurrentFileName = path;
                Document().DocumentCode = ccEuc;
                Edit(text);
                messages.clear();
                SCOPED_TRACE("kind " + std::to_string(kind) + " SaveCvt " + std::to_string(cvt) + " step " +
                             std::to_string(failAt));
                const bool saved = SaveFile(path, false, true);
                if (saved) {
                    // A copy that could not go beside the file went elsewhere, and the file was written in place.
                    EXPECT_EQ(Disk(path), good);
                    EXPECT_FALSE(form.editor.Modified());
                    EXPECT_TRUE(messages.empty());
                    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
                    continue;
                }
                ++saves;
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_TRUE(form.editor.Modified());
                EXPECT_EQ(Document().DocumentCode, ccEuc);
                const std::string& msg = messages[0];
                const auto named = msg.find("次のファイルに残っています。\r\n");
                if (named == std::string::npos) {
                    EXPECT_EQ(Disk(path), "original\r\n");
                    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
                } else {
                    const std::string survivor = msg.substr(named + std::string("次のファイルに残っています。\r\n").size());
                    EXPECT_EQ(Disk(survivor), good);
                    DeleteFileA(survivor.c_str());
                }
                if (kind == 1) {
                    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
                }
                for (const std::string& t : TempFilesIn(dir.Path())) DeleteFileA(dir.File(t).c_str());
            }
        }
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_GE(saves, 1000);
}

TEST_F(DocSave, HiddenFilesAndLinksKeepWhatTheyAre)
{
    const std::string hidden = dir.File("h.txt");
    Write(hidden, "x");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    Document().CurrentFileName = hidden;
    Edit("hidden text");
    ASSERT_TRUE(SaveFile(hidden, false, true));
    EXPECT_EQ(Disk(hidden), "hidden text");
    EXPECT_NE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string a = dir.File("a.txt"), b = dir.File("b.txt");
    Write(a, "shared");
    ASSERT_TRUE(CreateHardLinkA(b.c_str(), a.c_str(), nullptr));
    Edit("both names");
    ASSERT_TRUE(SaveFile(a, false, true));
    EXPECT_EQ(Disk(b), "both names");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());

    // A link made on the host's side (the test's setup step makes it; Wine cannot).
    const std::string target = "C:\\vellumo_links\\real.txt", link = "C:\\vellumo_links\\link.txt";
    if (GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no link made by the setup step";
    Document().CurrentFileName = link;
    Edit("through the link");
    ASSERT_TRUE(SaveFile(link, false, true));
    EXPECT_EQ(Disk(target), "through the link");
    const HANDLE h = CreateFileA(link.c_str(), 0, 7, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char final[MAX_PATH];
    const DWORD n = GetFinalPathNameByHandleA(h, final, sizeof final, 0);
    CloseHandle(h);
    EXPECT_TRUE(SameFileName(std::string(final, n), "\\\\?\\" + target)) << "the link became a file of its own";
    EXPECT_EQ(Document().CurrentFileName, link);  // the document keeps the name it was opened by
}

TEST_F(DocSave, ReadOnlyDevicesAndBusyAreRefusedWhoeverAsks)
{
    const std::string path = dir.File("r.txt");
    Write(path, "keep");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Edit("new");
    EXPECT_FALSE(SaveFile(path, false, true));
    EXPECT_EQ(messages.size(), 1u);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Disk(path), "keep");

    form.editor.SetReadOnly(true);
    EXPECT_FALSE(SaveFile(path, false, true));
    form.editor.SetReadOnly(false);
    Document().ReadOnlyLocked = true;
    EXPECT_FALSE(SaveFile(path, false, true));
    Document().ReadOnlyLocked = false;
    EXPECT_EQ(Disk(path), "keep");

    for (const std::string& dev : std::vector<std::string>{"nul", dir.File("lpt1.txt"), "\\\\.\\nul"}) EXPECT_FALSE(SaveFile(dev, false, true)) << dev;
    EXPECT_EQ(messages.size(), 6u);
    EXPECT_TRUE(form.editor.Modified());

    {
        TDocumentBusy busy;
        EXPECT_FALSE(SaveFile(path, false, true));
        EXPECT_FALSE(SaveFileAs(false));
    }
    EXPECT_EQ(Disk(path), "keep");
}

TEST_F(DocSave, LossyCodesAskAndAreNeverAPlainSuccess)
{
    const std::string path = dir.File("j.txt");
    Write(path, "old");
    Document().CurrentFileName = path;
    Document().DocumentCode = ccJis;
    Edit("IBM \xFA\x40");
    answers = {kNo};
    EXPECT_FALSE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), "old");
    EXPECT_TRUE(form.editor.Modified());
    answers = {kYes};
    EXPECT_TRUE(SaveFile(path, false, true));
    EXPECT_TRUE(LastSaveWasLossy());
    EXPECT_FALSE(form.panels[0].empty());
    EXPECT_EQ(messages.size(), 2u);

    // An invalid pair widened for UTF-8 is asked about too; a clean text is not.
    Document().DocumentCode = ccUtf8N;
    Edit("\x85\x40");
    answers = {kNo};
    EXPECT_FALSE(SaveFile(path, false, true));
    Edit("\x88\x9F");
    EXPECT_TRUE(SaveFile(path, false, true));
    EXPECT_FALSE(LastSaveWasLossy());
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(Disk(path), "\xE4\xBA\x9C");
}

TEST_F(DocSave, BackupsBesideAndInTheFolder)
{
    const std::string path = dir.File("d.txt");
    Write(path, "first");
    Document().CurrentFileName = path;
    Settings().Backup.Backup = true;
    Settings().Backup.BackupPath = dir.File("missing");
    Edit("second");
    ASSERT_TRUE(SaveFile(path, false, false));
    EXPECT_EQ(Disk(dir.File("d.bak")), "first");

    CreateDirectoryA(dir.File("bk").c_str(), nullptr);
    Settings().Backup.BackupPath = dir.File("bk");
    Settings().Option.HaitaSeigyo = 2;  // the file is held exclusively while it is open
    ASSERT_TRUE(LockOpenFile(path));
    Edit("third");
    ASSERT_TRUE(SaveFile(path, false, false));
    EXPECT_EQ(Disk(dir.File("bk\\d.txt")), "second");
    EXPECT_EQ(LockedFileName(), path);
    // Save As makes no backup.
    Edit("fourth");
    form.dialogAnswer = dir.File("e.txt");
    ASSERT_TRUE(SaveFileAs(false));
    EXPECT_EQ(Disk(dir.File("bk\\d.txt")), "second");
    EXPECT_EQ(Document().CurrentFileName, dir.File("e.txt"));
    EXPECT_EQ(form.dialogName, "d.txt");
    UnlockOpenFile();

    // A backup that cannot be made asks; No saves nothing.
    Settings().Option.HaitaSeigyo = 0;
    Settings().Backup.BackupPath = "";
    Document().CurrentFileName = dir.File("x.bak");
    Write(dir.File("x.bak"), "self");
    Edit("changed");
    answers = {kNo};
    EXPECT_FALSE(SaveFile(dir.File("x.bak"), false, false));
    EXPECT_EQ(Disk(dir.File("x.bak")), "self");
    answers = {kYes};
    EXPECT_TRUE(SaveFile(dir.File("x.bak"), false, false));
    EXPECT_EQ(Disk(dir.File("x.bak")), "changed");
}

TEST_F(DocSave, LocksAndTheirReturnAfterAFailedSave)
{
    const std::string path = dir.File("l.txt");
    Write(path, "held");
    Settings().Option.HaitaSeigyo = 1;
    Document().CurrentFileName = path;
    ASSERT_TRUE(LockOpenFile(path));
    auto canOpen = [&](DWORD access) {
        const HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        CloseHandle(h);
        return true;
    };
    EXPECT_TRUE(canOpen(GENERIC_READ));
    EXPECT_FALSE(canOpen(GENERIC_WRITE));

    // Save As to a target that fails: the lock is back on the document's own file.
    TFaultyFs fs;
    fs.FailAt = 2;  // the first write
    SetSaveFileSystem(&fs);
    Edit("text");
    form.dialogAnswer = dir.File("other.txt");
    EXPECT_FALSE(SaveFileAs(false));
    EXPECT_EQ(LockedFileName(), path);
    EXPECT_FALSE(canOpen(GENERIC_WRITE));
    EXPECT_EQ(GetFileAttributesA(dir.File("other.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    Settings().Option.HaitaSeigyo = 2;
    ASSERT_TRUE(LockOpenFile(path));
    EXPECT_FALSE(canOpen(GENERIC_READ));
    UnlockOpenFile();
    EXPECT_TRUE(canOpen(GENERIC_WRITE));
}

TEST_F(DocSave, QuestionsBeforeGivingUpAndNamesForUntitled)
{
    form.editor.SetModified(false);
    EXPECT_EQ(QuerySaveChanges(), kNo);
    EXPECT_TRUE(messages.empty());
    Edit("x");
    answers = {2};
    EXPECT_EQ(QuerySaveChanges(), 2);
    EXPECT_TRUE(NeedsSaveAs());

    Settings().Option.AutoFileName = true;
    Edit("\r\n  \r\n 議事録: 12/8 \r\nmore");
    form.dialogAnswer.clear();
    EXPECT_FALSE(SaveFileAs(false));
    EXPECT_EQ(form.dialogName, "議事録- 12-8");

    const std::string path = dir.File("ro.txt");
    Write(path, "x");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Document().CurrentFileName = path;
    EXPECT_TRUE(NeedsSaveAs());
    EXPECT_NE(form.caption.find("[読み取り専用]"), std::string::npos);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(NeedsSaveAs());
}

TEST(DocSaveDisk, SpaceIsReadOrUnknown)
{
    std::uint64_t total = 0, free = 0;
    EXPECT_TRUE(GetDiskSpace("C:\\", total, free));
    EXPECT_GE(total, free);
    EXPECT_FALSE(GetDiskSpace("Q:\\no\\such\\", total, free));
    EXPECT_TRUE(CheckDiskSpace(10, "C:\\x.txt"));
    EXPECT_FALSE(CheckDiskSpace(~std::uint64_t(0) / 2, "C:\\x.txt"));
    EXPECT_TRUE(CheckDiskSpace(10, "Q:\\x.txt"));  // no such drive: let the save say why
}

} // namespace

namespace {

// Seconds and peak memory of saving a 100 MB text in each code (run with VELLUMO_BIG_SAVE=1).
TEST_F(DocSave, HundredMegabytesTimed)
{
    if (!std::getenv("VELLUMO_BIG_SAVE")) GTEST_SKIP() << "set VELLUMO_BIG_SAVE=1 to time the 100 MB saves";
    std::string text;
    const std::string line = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67 Japanese text, line ";
    for (int i = 0; text.size() < 100u * 1000 * 1000; ++i) text += line + std::to_string(i) + "\r\n";
    form.editor.Lines().SetText(text);
    form.editor.SetModified(true);
    text.clear();
    text.shrink_to_fit();
    const std::string path = dir.File("big.txt");
    Document().CurrentFileName = path;
    PROCESS_MEMORY_COUNTERS before{};
    before.cb = sizeof before;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    std::printf("working set with the text loaded %.0f MB (peak so far %.0f MB)\n", before.WorkingSetSize / 1e6,
                before.PeakWorkingSetSize / 1e6);
    for (TCharCode code : {ccSjis, ccJis, ccEuc, ccUtf8, ccUnicode}) {
        Document().DocumentCode = code;
        form.editor.SetModified(true);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(SaveFile(path, false, true));
        const DWORD ms = GetTickCount() - start;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        std::printf("save code %d: %.2f s, %lu bytes\n", static_cast<int>(code), ms / 1000.0, data.nFileSizeLow);
    }
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        std::printf("peak working set %.0f MB\n", pmc.PeakWorkingSetSize / 1e6);
    EXPECT_TRUE(messages.empty());
}

} // namespace
