// Open, edit and save through the running program; the files on disk are
// the judge.
#include <windows.h>

#include "e2e_support_win.h"
#include "textcode/jisconv.h"

namespace e2e {
namespace {

constexpr TCode kCodes[] = {TCode::Sjis, TCode::Jis, TCode::Euc, TCode::Utf16, TCode::Utf8, TCode::Utf8N};
constexpr TEnd kEnds[] = {TEnd::CrLf, TEnd::Cr, TEnd::Lf};

std::string Hex(const std::string& s, std::size_t max = 64)
{
    static const char* d = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < s.size() && i < max; ++i) {
        out += d[static_cast<unsigned char>(s[i]) >> 4];
        out += d[static_cast<unsigned char>(s[i]) & 15];
        out += ' ';
    }
    return out;
}

class Documents : public TEndToEnd {};

TEST_F(Documents, OpenAndSaveUnchangedKeepsEveryByte)
{
    for (TCode code : kCodes)
        for (TEnd end : kEnds)
            for (bool finalBreak : {false, true}) {
                const std::string name = std::string("rt_") + CodeName(code) + "_" + EndName(end) +
                                         (finalBreak ? "_nl" : "") + ".txt";
                SCOPED_TRACE(name);
                const std::string path = dir_.File(name);
                const std::string bytes = Encode(WithLineEnd(SampleText(finalBreak), end), code);
                ASSERT_TRUE(WriteFileBytes(path, bytes));
                AgeFile(path);
                TVellumo v;
                ASSERT_TRUE(Launch(v, Quoted(path)));
                EXPECT_EQ(v.FileName(), path);
                EXPECT_EQ(v.Text(), SampleText(finalBreak));
                ASSERT_TRUE(SaveByKeys(v, path));
                const std::string saved = ReadFileBytes(path);
                EXPECT_EQ(saved, bytes) << Hex(saved) << "\nwanted " << Hex(bytes);
                EXPECT_TRUE(v.Close());
            }
}

TEST_F(Documents, StandardIsoJisFileKeepsItsText)
{
    // ESC ( B rather than the converter's own ASCII escape.
    const std::string jis = "\x1B$BF|K\\8l\x1B(B abc\r\n\x1B$B$+$J\x1B(B\r\n";
    const std::string path = dir_.File("iso.txt");
    ASSERT_TRUE(WriteFileBytes(path, jis));
    AgeFile(path);
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    EXPECT_EQ(v.Text(), "日本語 abc\r\nかな\r\n");
    ASSERT_TRUE(SaveByKeys(v, path));
    EXPECT_EQ(vellumo::ConvertJisToSjis(ReadFileBytes(path)), "日本語 abc\r\nかな\r\n");
    EXPECT_TRUE(v.Close());
}

TEST_F(Documents, TypedEditsAreSavedInTheDocumentsCodeAndLineEnd)
{
    const struct {
        TCode code;
        TEnd end;
    } cases[] = {{TCode::Sjis, TEnd::CrLf}, {TCode::Jis, TEnd::Cr}, {TCode::Utf16, TEnd::Lf}, {TCode::Utf8N, TEnd::Lf}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(CodeName(c.code)) + "/" + EndName(c.end));
        const std::string path = dir_.File(std::string("edit_") + CodeName(c.code) + ".txt");
        ASSERT_TRUE(WriteFileBytes(path, Encode(WithLineEnd(SampleText(true), c.end), c.code)));
        AgeFile(path);
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        v.PostChars("ab漢字");
        const int rows = v.RowCount();
        v.Keys({VK_RETURN});
        EXPECT_TRUE(v.WaitFor([&] { return v.RowCount() == rows + 1; }));
        v.PostChars("ソ|");
        const std::string model = "ab漢字\r\nソ|" + SampleText(true);
        EXPECT_EQ(v.Text(), model);
        EXPECT_TRUE(v.Modified());
        ASSERT_TRUE(SaveByKeys(v, path));
        EXPECT_EQ(ReadFileBytes(path), Encode(WithLineEnd(model, c.end), c.code));
        EXPECT_FALSE(v.Modified());
        EXPECT_TRUE(v.Close());
    }
}

TEST_F(Documents, SaveConversionsFromTheSettings)
{
    const struct {
        const char* ini;
        TCode from, to;
        TEnd end;
    } cases[] = {
        {"[JCode]\r\nSaveCvt=4\r\nSaveRetCvt=3\r\n", TCode::Sjis, TCode::Utf16, TEnd::Lf},
        {"[JCode]\r\nSaveCvt=2\r\nSaveRetCvt=2\r\n", TCode::Utf8, TCode::Jis, TEnd::Cr},
        {"[JCode]\r\nSaveCvt=3\r\n", TCode::Utf16, TCode::Euc, TEnd::CrLf},
        {"[JCode]\r\nSaveCvt=6\r\nSaveRetCvt=1\r\n", TCode::Euc, TCode::Utf8N, TEnd::CrLf},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        WriteSettings(c.ini);
        const std::string path = dir_.File("cvt" + std::to_string(++n) + ".txt");
        // The source always has LF, so a kept line end would show.
        ASSERT_TRUE(WriteFileBytes(path, Encode(WithLineEnd(SampleText(true), TEnd::Lf), c.from)));
        AgeFile(path);
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        ASSERT_TRUE(SaveByKeys(v, path));
        const TEnd want = std::string(c.ini).find("SaveRetCvt") == std::string::npos ? TEnd::Lf : c.end;
        EXPECT_EQ(ReadFileBytes(path), Encode(WithLineEnd(SampleText(true), want), c.to));
        EXPECT_TRUE(v.Close());
    }
}

TEST_F(Documents, HiddenFileHardLinkAndSymbolicLinkSurviveASave)
{
    const std::string text = WithLineEnd(SampleText(true), TEnd::CrLf);
    const std::string hidden = dir_.File("hidden.txt");
    const std::string linked = dir_.File("linked.txt"), other = dir_.File("other-name.txt");
    const std::string target = dir_.File("target.txt"), symlink = dir_.File("symlink.txt");
    ASSERT_TRUE(WriteFileBytes(hidden, text));
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileBytes(linked, text));
    ASSERT_TRUE(CreateHardLinkA(other.c_str(), linked.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(target, text));
    const bool haveSymlink = MakeUnixSymlink(target, symlink);
    EXPECT_TRUE(haveSymlink);

    for (const std::string& path : {hidden, linked, haveSymlink ? symlink : std::string()}) {
        if (path.empty()) continue;
        SCOPED_TRACE(path);
        AgeFile(path);
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        v.PostChars("x");
        ASSERT_TRUE(SaveByKeys(v, path));
        EXPECT_EQ(ReadFileBytes(path), "x" + text);
        EXPECT_TRUE(v.Close());
    }
    EXPECT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ReadFileBytes(other), "x" + text) << "the other name of a hard-linked file lost the save";
    if (haveSymlink) {
        EXPECT_EQ(ReadFileBytes(target), "x" + text) << "the save replaced the link instead of its target";
    }
}

TEST_F(Documents, BackupBesideTheFileAndInABackupFolder)
{
    const std::string text = WithLineEnd(SampleText(true), TEnd::CrLf);
    const std::string folder = dir_.File("backups");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const struct {
        std::string backupPath, file, copy;
    } cases[] = {
        {dir_.File("no-such-folder"), dir_.File("doc1.txt"), dir_.File("doc1.bak")},
        {folder, dir_.File("doc2.txt"), folder + "\\doc2.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copy);
        WriteSettings("[Backup]\r\nBackup=1\r\nBackupPath=" + c.backupPath + "\r\n");
        ASSERT_TRUE(WriteFileBytes(c.file, text));
        AgeFile(c.file);
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(c.file)));
        v.PostChars("y");
        ASSERT_TRUE(SaveByKeys(v, c.file));
        EXPECT_EQ(ReadFileBytes(c.file), "y" + text);
        EXPECT_EQ(ReadFileBytes(c.copy), text);
        EXPECT_TRUE(v.Close());
    }
}

} // namespace
} // namespace e2e
