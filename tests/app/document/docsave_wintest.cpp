#include "docwin_support_win.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/document/docopen.h"
#include "textcode/jisconv.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

std::vector<std::string> TempFilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    const HANDLE h = FindFirstFileA((folder + "\\~vl*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(folder + "\\" + fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

using DocSave = SaveTest;

TEST_F(DocSave, CodesAndLineEndsOfTheFirstSave)
{
    const std::string path = folder.File("a.txt");
    Document().CurrentFileName = path;
    Document().FileAsKnown = FileStateOf(path);  // as if loaded
    Edit("\x82\xA0\r\nb");
    Set().JCode.SaveCvt = 4;
    ASSERT_TRUE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), std::string("\xFF\xFE\x42\x30\r\0\n\0b\0", 10));
    EXPECT_EQ(Document().DocumentCode, ccUnicode);
    EXPECT_EQ(form.panels[5], "Unicode");
    EXPECT_FALSE(Ed().Modified());

    // A Unicode document saved as JIS is JIS bytes, not widened; CR alone between lines.
    Set().JCode.SaveCvt = 2;
    Set().JCode.SaveRetCvt = 2;
    Edit("\x88\x9F\r\nz");
    ASSERT_TRUE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), ConvertSjisToJis("\x88\x9F\rz"));
    EXPECT_EQ(Document().DocumentLineEnd, leCr);

    // A shorter text leaves a file of exactly the new length, and no temporary file.
    Set().JCode.SaveCvt = 1;
    Set().JCode.SaveRetCvt = 3;
    Edit("q");
    ASSERT_TRUE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), "q");
    EXPECT_TRUE(TempFilesIn(folder.Path()).empty());
    EXPECT_TRUE(asked.empty());
}

// Every step of the write fails once, for plain, hidden and hard-linked files,
// each code and texts of many lengths: the original stays byte for byte (or
// the message names a complete copy), the user is told, nothing is marked saved.
TEST_F(DocSave, EveryFailingStepKeepsTheOriginalAndTheDocumentModified)
{
    const std::string path = folder.File("f.txt"), other = folder.File("g.txt");
    const std::string kNamed = "次のファイルに残っています。\r\n";
    std::vector<std::string> texts;
    std::mt19937 rng(5);
    for (int v = 0; v < 19; ++v) {
        std::string t;
        for (int n = static_cast<int>(rng() % 400); n > 0; --n) t += rng() % 3 ? "w" : rng() % 2 ? "\x88\x9F" : "\r\n";
        texts.push_back(t);
    }
    texts.push_back(std::string(kSafeWriteChunk * 3 / 2, 'z'));  // several writes
    auto prepare = [&](int kind) {
        Put(path, "original\r\n", kind == 1 ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(other.c_str());
        if (kind == 2) {
            ASSERT_TRUE(CreateHardLinkA(other.c_str(), path.c_str(), nullptr));
        }
        Document() = TDocumentState{};
        Document().CurrentFileName = path;
        Document().FileAsKnown = FileStateOf(path);  // as if loaded
        Document().DocumentCode = ccEuc;
    };
    int failed = 0;
    for (const std::string& text : texts)
        for (int kind = 0; kind < 3; ++kind)
            for (int cvt : {1, 2, 3, 4, 6}) {
                if (text.size() > kSafeWriteChunk && cvt != 1) continue;
                Set().JCode.SaveCvt = cvt;
                TFaultyFs probe;  // a clean save counts the steps
                SetSaveFileSystem(&probe);
                prepare(kind);
                Edit(text);
                ASSERT_TRUE(SaveFile(path, false, true));
                const std::string good = Disk(path);
                for (int failAt = 1; failAt <= probe.Steps; ++failAt) {
                    TFaultyFs fs;
                    fs.FailAt = failAt;
                    SetSaveFileSystem(&fs);
                    prepare(kind);
                    Edit(text);
                    const std::string before = Ed().Lines().Text();
                    asked.clear();
                    SCOPED_TRACE("kind " + std::to_string(kind) + " SaveCvt " + std::to_string(cvt) + " step " +
                                 std::to_string(failAt));
                    if (SaveFile(path, false, true)) {
                        // The copy could not go beside the file: it went elsewhere and the file was written in place.
                        EXPECT_EQ(Disk(path), good);
                        EXPECT_TRUE(asked.empty());
                        // A copy the save could not remove is named on the status bar.
                        for (const std::string& left : TempFilesIn(folder.Path())) {
                            EXPECT_NE(form.panels[0].find(left), std::string::npos) << left;
                            DeleteFileA(left.c_str());
                        }
                        continue;
                    }
                    ++failed;
                    ASSERT_EQ(asked.size(), 1u);
                    EXPECT_EQ(Ed().Lines().Text(), before);
                    EXPECT_TRUE(Ed().Modified());
                    EXPECT_EQ(Document().DocumentCode, ccEuc);
                    const auto named = asked[0].find(kNamed);
                    if (named == std::string::npos) {
                        EXPECT_EQ(Disk(path), "original\r\n");
                    } else {
                        const std::string survivor = asked[0].substr(named + kNamed.size());
                        EXPECT_EQ(Disk(survivor), good);
                        DeleteFileA(survivor.c_str());
                    }
                    EXPECT_TRUE(kind != 1 || (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN));
                    EXPECT_TRUE(TempFilesIn(folder.Path()).empty());
                }
            }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::printf("failed saves checked: %d\n", failed);
    EXPECT_GE(failed, 1000);
}

// The survivor a failure message names, or empty.
std::string NamedCopy(const std::string& message)
{
    const std::string kNamed = "次のファイルに残っています。\r\n";
    const auto at = message.find(kNamed);
    if (at == std::string::npos) return {};
    const std::string rest = message.substr(at + kNamed.size());
    return rest.substr(0, rest.find("\r\n"));
}

// The name leads to a file of another name (Wine shows no reparse attribute for a link).
bool IsLink(const std::string& path)
{
    const HANDLE h = CreateFileA(path.c_str(), 0, 7, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char final[MAX_PATH];
    const DWORD n = GetFinalPathNameByHandleA(h, final, sizeof final, 0);
    CloseHandle(h);
    return n > 0 && n < sizeof final && !SameFileName(std::string(final, n), "\\\\?\\" + path);
}

// Every step of a save failing once (queries, attributes and the backup's
// own write among them), and again with every removal of a temporary file
// failing, for a plain, a hidden, a hard-linked and a symbolically linked
// file, with and without a backup, wraps kept or made line breaks. Whatever
// fails: the file and its other names are as they were or the message
// names a complete copy, the backup is the old one or the new one whole,
// the editor's text and state are as before, and no temporary file is left
// unnamed.
TEST_F(DocSave, EveryStepWithBackupsLinksAndWrapsKeepsFileBackupAndText)
{
    const std::string linkDir = "C:\\vellumo_links", link = linkDir + "\\link.txt", real = linkDir + "\\real.txt";
    const bool haveLink = IsLink(link);
    const std::string original = "original\r\n", oldBackup = "older backup";
    const std::string text = "a first line long enough to wrap twice\r\n\x88\x9F\x88\x9F short\r\nend";
    Ed().WrapOption().SetWrapByte(20);
    Set().Backup.BackupPath = "";
    int failedSaves = 0;
    for (int kind = 0; kind < 4; ++kind) {
        if (kind == 3 && !haveLink) continue;
        const std::string path = kind == 3 ? link : folder.File("s.txt");
        const std::string file = kind == 3 ? real : path, other = folder.File("s2.txt");
        const std::string bak = ChangeFileExt(path, ".bak");
        std::string spare = SystemFileSystem().SpareFolder();
        if (!spare.empty() && spare.back() == '\\') spare.pop_back();
        const std::vector<std::string> folders = {folder.Path(), linkDir, spare};
        auto prepare = [&](bool wrap) {
            Put(file, original, kind == 1 ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
            Put(bak, oldBackup);
            DeleteFileA(other.c_str());
            if (kind == 2) {
                ASSERT_TRUE(CreateHardLinkA(other.c_str(), file.c_str(), nullptr));
            }
            Document() = TDocumentState{};
            Document().CurrentFileName = path;
            Document().FileAsKnown = FileStateOf(path);  // as if loaded
            Ed().SetWordWrap(wrap);
            Edit(text);
        };
        for (bool backup : {false, true})
            for (bool wrap : {false, true}) {
                Set().Backup.Backup = backup;
                TFaultyFs probe;
                SetSaveFileSystem(&probe);
                prepare(wrap);
                ASSERT_TRUE(SaveFile(path, wrap, !backup));
                const std::string good = Disk(path), goodText = Ed().Lines().Text();
                ASSERT_EQ(wrap, goodText != text);
                for (bool failDeletes : {false, true})
                    for (int failAt = 0; failAt <= probe.Steps; ++failAt) {
                        TFaultyFs fs;
                        fs.FailAt = failAt;
                        fs.FailDeletes = failDeletes;
                        SetSaveFileSystem(&fs);
                        prepare(wrap);
                        const std::string before = Ed().Lines().Text();
                        asked.clear();
                        SCOPED_TRACE("kind " + std::to_string(kind) + (backup ? " backup" : "") + (wrap ? " wrap" : "") +
                                     (failDeletes ? " no removal" : "") + " step " + std::to_string(failAt));
                        const bool saved = SaveFile(path, wrap, !backup);
                        SetSaveFileSystem(nullptr);
                        std::string told;
                        for (const std::string& a : asked) told += a;
                        told += form.panels[0];
                        const std::string copy = NamedCopy(told);
                        if (!copy.empty()) {
                            EXPECT_EQ(Disk(copy), good);
                        }
                        // A temporary file left behind is one the user was told of.
                        for (const std::string& dir : folders)
                            for (const std::string& left : TempFilesIn(dir)) {
                                EXPECT_NE(told.find(left), std::string::npos) << left << " left unnamed; told: " << told;
                                DeleteFileA(left.c_str());
                            }
                        if (backup) {
                            const std::string b = Disk(bak);
                            EXPECT_TRUE(b == oldBackup || b == original) << b;
                        }
                        EXPECT_EQ(IsLink(link), haveLink);
                        if (kind == 2) {
                            EXPECT_EQ(Disk(other), Disk(path)) << "the names of one file parted";
                        }
                        if (saved) {
                            EXPECT_EQ(Disk(path), good);
                            EXPECT_EQ(Ed().Lines().Text(), goodText);
                            EXPECT_FALSE(Ed().Modified());
                            EXPECT_TRUE(kind != 1 || (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) ||
                                        told.find("属性") != std::string::npos);
                            continue;
                        }
                        ++failedSaves;
                        EXPECT_FALSE(asked.empty());
                        EXPECT_EQ(Ed().Lines().Text(), before);
                        EXPECT_TRUE(Ed().Modified());
                        EXPECT_EQ(Document().DocumentCode, ccSjis);
                        if (copy.empty()) {
                            EXPECT_EQ(Disk(path), original);
                        }
                        EXPECT_TRUE(kind != 1 || (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN));
                    }
            }
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    Ed().SetWordWrap(false);
    std::printf("failed saves checked: %d\n", failedSaves);
    EXPECT_GE(failedSaves, 100);
}

TEST_F(DocSave, HiddenFilesAndLinksKeepWhatTheyAre)
{
    const std::string hidden = folder.File("h.txt");
    Put(hidden, "x", FILE_ATTRIBUTE_HIDDEN);
    Edit("hidden text");
    ASSERT_TRUE(SaveFile(hidden, false, true));
    EXPECT_EQ(Disk(hidden), "hidden text");
    EXPECT_NE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

    const std::string a = folder.File("a.txt"), b = folder.File("b.txt");
    Put(a, "shared");
    ASSERT_TRUE(CreateHardLinkA(b.c_str(), a.c_str(), nullptr));
    Edit("both names");
    ASSERT_TRUE(SaveFile(a, false, true));
    EXPECT_EQ(Disk(b), "both names");
    EXPECT_TRUE(TempFilesIn(folder.Path()).empty());

    // A link made on the host's side (the test's setup step makes it; Wine cannot).
    const std::string target = "C:\\vellumo_links\\real.txt", link = "C:\\vellumo_links\\link.txt";
    if (GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no link made by the setup step";
    Edit("through the link");
    ASSERT_TRUE(SaveFile(link, false, true));
    EXPECT_EQ(Disk(target), "through the link");
    const HANDLE h = CreateFileA(link.c_str(), 0, 7, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char final[MAX_PATH];
    const DWORD n = GetFinalPathNameByHandleA(h, final, sizeof final, 0);
    CloseHandle(h);
    EXPECT_TRUE(SameFileName(std::string(final, n), "\\\\?\\" + target)) << "the link became a file of its own";
    EXPECT_EQ(Document().CurrentFileName, link);
}

TEST_F(DocSave, ReadOnlyDevicesAndBusyAreRefusedWhoeverAsks)
{
    const std::string path = folder.File("r.txt");
    Put(path, "keep", FILE_ATTRIBUTE_READONLY);
    Edit("new");
    EXPECT_FALSE(SaveFile(path, false, true));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A read-only document never over its own file, whoever asks; a copy elsewhere is allowed.
    Document().CurrentFileName = path;
    Document().FileAsKnown = FileStateOf(path);  // as if loaded
    Ed().SetReadOnly(true);
    EXPECT_FALSE(SaveFile(path, false, true));
    Ed().SetReadOnly(false);
    Document().ReadOnlyLocked = true;
    EXPECT_FALSE(SaveFile(path, false, true));
    form.saveAnswer = path;
    EXPECT_FALSE(SaveFileAs(false));
    form.saveAnswer = folder.File("copy.txt");
    EXPECT_TRUE(SaveFileAs(false));
    EXPECT_EQ(Disk(form.saveAnswer), "new");
    Document() = TDocumentState{};
    Edit("new");
    for (const std::string& dev : std::vector<std::string>{"nul", folder.File("lpt1.txt"), "\\\\.\\nul"})
        EXPECT_FALSE(SaveFile(dev, false, true)) << dev;
    EXPECT_EQ(asked.size(), 7u);
    // A path past the limit is said to be one, not a file in use.
    const std::string longPath = folder.File(std::string(260, 'x') + ".txt");
    EXPECT_FALSE(SaveFile(longPath, false, true));
    ASSERT_EQ(asked.size(), 8u);
    EXPECT_EQ(asked.back(), PathRefusalMessage(longPath, true));
    EXPECT_NE(asked.back().find("保存できません"), std::string::npos);
    {
        TDocumentBusy busy;
        EXPECT_FALSE(SaveFile(path, false, true));
        EXPECT_FALSE(SaveFileAs(false));
    }
    EXPECT_EQ(Disk(path), "keep");
    EXPECT_TRUE(Ed().Modified());
}

TEST_F(DocSave, LossyCodesAskAndAreNeverAPlainSuccess)
{
    const std::string path = folder.File("j.txt");
    Put(path, "old");
    Document().CurrentFileName = path;
    Document().FileAsKnown = FileStateOf(path);  // as if loaded
    Document().DocumentCode = ccJis;
    Edit("user-defined \xF0\x40");
    answerYes = false;
    EXPECT_FALSE(SaveFile(path, false, true));
    EXPECT_EQ(Disk(path), "old");
    EXPECT_TRUE(Ed().Modified());
    answerYes = true;
    EXPECT_TRUE(SaveFile(path, false, true));
    EXPECT_TRUE(LastSaveWasLossy());
    EXPECT_FALSE(form.panels[0].empty());

    // An unknown pair widened for UTF-8 is asked about too; a clean text is not.
    Document().DocumentCode = ccUtf8N;
    Edit("\x85\x40");
    answerYes = false;
    EXPECT_FALSE(SaveFile(path, false, true));
    Edit("\x88\x9F");
    EXPECT_TRUE(SaveFile(path, false, true));
    EXPECT_FALSE(LastSaveWasLossy());
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(Disk(path), "\xE4\xBA\x9C");
}

TEST_F(DocSave, BackupsLocksAndSaveAs)
{
    const std::string path = folder.File("d.txt");
    Put(path, "first");
    Document().CurrentFileName = path;
    Document().FileAsKnown = FileStateOf(path);  // as if loaded
    Set().Backup.Backup = true;
    Set().Backup.BackupPath = folder.File("missing");
    Edit("second");
    ASSERT_TRUE(SaveFile(path, false, false));
    EXPECT_EQ(Disk(folder.File("d.bak")), "first");

    // In the backup folder, through the handle of an exclusive lock.
    CreateDirectoryA(folder.File("bk").c_str(), nullptr);
    Set().Backup.BackupPath = folder.File("bk");
    Set().Option.HaitaSeigyo = 2;
    ASSERT_TRUE(LockOpenFile(path));
    auto canOpen = [](const std::string& p, DWORD access) {
        const HANDLE h = CreateFileA(p.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        return h != INVALID_HANDLE_VALUE;
    };
    EXPECT_FALSE(canOpen(path, GENERIC_READ));
    Edit("third");
    ASSERT_TRUE(SaveFile(path, false, false));
    EXPECT_EQ(Disk(folder.File("bk\\d.txt")), "second");
    EXPECT_EQ(LockedFileName(), path);

    // Save As to a target that fails: no backup, and the lock (deny write) is back on the document's own file.
    Set().Option.HaitaSeigyo = 1;
    TFaultyFs fs;
    fs.FailAt = 6;  // the first write, after the path queries and the temporary file
    SetSaveFileSystem(&fs);
    Edit("fourth");
    form.saveAnswer = folder.File("e.txt");
    EXPECT_FALSE(SaveFileAs(false));
    EXPECT_EQ(form.saveName, "d.txt");
    EXPECT_EQ(LockedFileName(), path);
    EXPECT_TRUE(canOpen(path, GENERIC_READ));
    EXPECT_FALSE(canOpen(path, GENERIC_WRITE));
    SetSaveFileSystem(nullptr);
    ASSERT_TRUE(SaveFileAs(false));
    EXPECT_EQ(Document().CurrentFileName, form.saveAnswer);
    EXPECT_EQ(Disk(folder.File("bk\\d.txt")), "second");
    UnlockOpenFile();

    // A backup that cannot be made (onto itself) asks; No saves nothing.
    Set().Option.HaitaSeigyo = 0;
    Set().Backup.BackupPath = "";
    const std::string self = folder.File("x.bak");
    Put(self, "self");
    Document().CurrentFileName = self;
    Document().FileAsKnown = FileStateOf(self);  // as if loaded
    Edit("changed");
    answerYes = false;
    EXPECT_FALSE(SaveFile(self, false, false));
    EXPECT_EQ(Disk(self), "self");
    answerYes = true;
    EXPECT_TRUE(SaveFile(self, false, false));
    EXPECT_EQ(Disk(self), "changed");
}

TEST_F(DocSave, QuestionsBeforeGivingUpAndNamesForUntitled)
{
    Ed().SetModified(false);
    EXPECT_EQ(QuerySaveChanges(), kAnswerNo);
    EXPECT_TRUE(asked.empty());
    Edit("x");
    QuerySaveChanges();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(NeedsSaveAs());

    Set().Option.AutoFileName = true;
    Edit("\r\n  \r\n 議事録: 12/8 \r\nmore");
    EXPECT_FALSE(SaveFileAs(false));
    EXPECT_EQ(form.saveName, "議事録- 12-8");

    const std::string path = folder.File("ro.txt");
    Put(path, "x", FILE_ATTRIBUTE_READONLY);
    Document().CurrentFileName = path;
    Document().FileAsKnown = FileStateOf(path);  // as if loaded
    EXPECT_TRUE(NeedsSaveAs());
    EXPECT_NE(form.caption.find("[読み取り専用]"), std::string::npos);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(NeedsSaveAs());

    std::uint64_t total = 0, free = 0;
    EXPECT_TRUE(GetDiskSpace("C:\\", total, free));
    EXPECT_FALSE(GetDiskSpace("Q:\\no\\such\\", total, free));
    EXPECT_FALSE(CheckDiskSpace(~std::uint64_t(0) / 2, "C:\\x.txt"));
    EXPECT_TRUE(CheckDiskSpace(10, "Q:\\x.txt"));  // no such drive: the save says why
}

// Seconds and peak memory of saving a 100 MB text in each code (VELLUMO_BIG_SAVE=1).
TEST_F(DocSave, HundredMegabytesTimed)
{
    if (!std::getenv("VELLUMO_BIG_SAVE")) GTEST_SKIP() << "set VELLUMO_BIG_SAVE=1 to time the 100 MB saves";
    std::string text;
    const std::string line = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67 Japanese text, line ";
    for (int i = 0; text.size() < 100u * 1000 * 1000; ++i) text += line + std::to_string(i) + "\r\n";
    Ed().Lines().SetText(text);
    std::string().swap(text);
    const std::string path = folder.File("big.txt");
    PROCESS_MEMORY_COUNTERS pmc{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("loaded: working set %.0f MB\n", pmc.WorkingSetSize / 1e6);
    for (TCharCode code : {ccSjis, ccJis, ccEuc, ccUtf8, ccUnicode}) {
        Document().DocumentCode = code;
        Ed().SetModified(true);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(SaveFile(path, false, true));
        std::printf("code %d: %.2f s\n", static_cast<int>(code), (GetTickCount() - start) / 1000.0);
    }
    K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("peak working set %.0f MB\n", pmc.PeakWorkingSetSize / 1e6);
}

} // namespace
