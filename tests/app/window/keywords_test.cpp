#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/window/keywords.h"
#include "base/filebytes.h"
#include "base/inifile.h"
#include "dialogs/options/colorpage.h"
#include "support/tempfolder.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

struct TModeCase {
    int mode;
    const char* file;
    int words;
};

// Word counts as the built-in lists are specified.
const TModeCase kModes[] = {
    {kwmode::Perl, "perl.kwd", 225}, {kwmode::Php, "php.kwd", 51},       {kwmode::Css, "css.kwd", 146},
    {kwmode::Ruby, "ruby.kwd", 38},  {kwmode::Bat, "bat.kwd", 42},       {kwmode::Cpp, "cpp.kwd", 121},
    {kwmode::Java, "java.kwd", 47},  {kwmode::JavaScript, "js.kwd", 59}, {kwmode::Vb, "vb.kwd", 39},
    {kwmode::Hsp, "hsp.kwd", 535},   {kwmode::Delphi, "delphi.kwd", 99},
};

TEST(Keywords, ElevenBuiltInListsWithTheirFiles)
{
    for (const auto& m : kModes) {
        TStringList list;
        list.Add("stale");
        ASSERT_TRUE(FillBuiltInKeywords(m.mode, list));
        EXPECT_EQ(list.Count(), m.words) << m.file;
        EXPECT_EQ(KeywordFileName(m.mode), m.file);
        std::set<std::string> distinct(list.Items().begin(), list.Items().end());
        EXPECT_EQ(distinct.size(), list.Items().size()) << m.file;  // no word twice with case
        for (const auto& w : list.Items()) EXPECT_FALSE(w.empty()) << m.file;
    }
    for (int mode : {kwmode::Standard, kwmode::Html, kwmode::Ini, 14, -1}) {
        TStringList list;
        list.Add("stale");
        EXPECT_FALSE(FillBuiltInKeywords(mode, list));
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(KeywordFileName(mode), "");
    }
}

// The colour page's keyword button edits the file the mode reads.
TEST(Keywords, EveryKeywordRowOfTheColourPageNamesItsModesFile)
{
    std::set<int> modes;
    for (const TColorRowInfo& r : kColorRows) {
        if (!r.Bold) continue;
        EXPECT_EQ(KeywordFileName(r.Mode), r.KeywordFile) << r.Caption;
        modes.insert(r.Mode);
    }
    EXPECT_EQ(modes.size(), std::size(kModes));
}

TEST(Keywords, DefaultFilesMatchTheBuiltInListsWithCrLf)
{
    TTempFolder dir;
    for (const auto& m : kModes) {
        const std::string path = KeywordFilePath(m.mode, dir.Path());
        EXPECT_EQ(path, JoinPath(dir.Path(), m.file));
        ASSERT_TRUE(WriteDefaultKeywordFile(m.mode, path)) << m.file;
        TStringList builtIn;
        FillBuiltInKeywords(m.mode, builtIn);
        std::string expected;
        for (const auto& w : builtIn.Items()) expected += w + "\r\n";
        std::string bytes;
        ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
        EXPECT_EQ(bytes, expected) << m.file;

        TStringList loaded;
        EXPECT_EQ(LoadKeywordList(m.mode, dir.Path(), loaded), TKeywordSource::File);
        EXPECT_EQ(loaded.Items(), builtIn.Items()) << m.file;
    }
    EXPECT_EQ(dir.Entries().size(), 11u);
    // Modes without a list write nothing.
    EXPECT_FALSE(WriteDefaultKeywordFile(kwmode::Html, dir.File("html.kwd")));
    EXPECT_EQ(dir.Entries().size(), 11u);
}

TEST(Keywords, AFileReplacesTheBuiltInListAndIsNeverOverwritten)
{
    TTempFolder dir;
    const std::string path = dir.File("ruby.kwd");
    const std::string mine = "foo\r\nbar\n\nbaz\r\nfoo";
    ASSERT_TRUE(ReplaceFileBytes(path, mine));
    TStringList words;
    EXPECT_EQ(LoadKeywordList(kwmode::Ruby, dir.Path(), words), TKeywordSource::File);
    EXPECT_EQ(words.Items(), (std::vector<std::string>{"foo", "bar", "", "baz", "foo"}));

    EXPECT_FALSE(WriteDefaultKeywordFile(kwmode::Ruby, path));
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, mine);

    // An empty file is an empty list, not the built-in one.
    ASSERT_TRUE(ReplaceFileBytes(path, ""));
    EXPECT_EQ(LoadKeywordList(kwmode::Ruby, dir.Path(), words), TKeywordSource::File);
    EXPECT_EQ(words.Count(), 0);
}

TEST(Keywords, MissingOrUnreadableFilesFallBackToTheBuiltInList)
{
    TTempFolder dir;
    TStringList builtIn;
    FillBuiltInKeywords(kwmode::Cpp, builtIn);
    TStringList words;
    EXPECT_EQ(LoadKeywordList(kwmode::Cpp, dir.Path(), words), TKeywordSource::BuiltIn);
    EXPECT_EQ(words.Items(), builtIn.Items());

    // A folder named like the keyword file cannot be read: the built-in list
    // stands in, and no default file can be written over it.
    std::filesystem::create_directory(dir.File("cpp.kwd"));
    words.Clear();
    EXPECT_EQ(LoadKeywordList(kwmode::Cpp, dir.Path(), words), TKeywordSource::BuiltIn);
    EXPECT_EQ(words.Items(), builtIn.Items());
    EXPECT_FALSE(WriteDefaultKeywordFile(kwmode::Cpp, dir.File("cpp.kwd")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("cpp.kwd")));
    EXPECT_FALSE(WriteDefaultKeywordFile(kwmode::Cpp, dir.File("no folder/cpp.kwd")));

    words.Add("stale");
    EXPECT_EQ(LoadKeywordList(kwmode::Standard, dir.Path(), words), TKeywordSource::None);
    EXPECT_EQ(words.Count(), 0);
}

} // namespace

// The sorted list of a file is kept for the next apply, but only while the
// file and the case rule are the same.
TEST(Keywords, ReserveWordsFollowTheFileAndTheCaseRule)
{
    TTempFolder dir;
    const std::string path = dir.File("cpp.kwd");
    ASSERT_TRUE(ReplaceFileBytes(path, "while\r\nIf\r\nif\r\nfor\r\n"));
    TReserveWordList list;
    EXPECT_EQ(LoadReserveWords(kwmode::Cpp, dir.Path(), list), TKeywordSource::File);
    EXPECT_EQ(list.Items(), (std::vector<std::string_view>{"for", "If", "while"}));
    TReserveWordList again;
    LoadReserveWords(kwmode::Cpp, dir.Path(), again);
    EXPECT_EQ(again.Items(), list.Items());

    TReserveWordList cased;
    cased.SetCaseSensitive(true);
    LoadReserveWords(kwmode::Cpp, dir.Path(), cased);
    EXPECT_EQ(cased.Count(), 4);

    ASSERT_TRUE(ReplaceFileBytes(path, "do\r\n"));
    LoadReserveWords(kwmode::Cpp, dir.Path(), list);
    EXPECT_EQ(list.Items(), (std::vector<std::string_view>{"do"}));

    TStringList builtIn;
    FillBuiltInKeywords(kwmode::Java, builtIn);
    EXPECT_EQ(LoadReserveWords(kwmode::Java, dir.Path(), list), TKeywordSource::BuiltIn);
    for (int i = 0; i < builtIn.Count(); ++i) EXPECT_TRUE(list.Contains(builtIn[i])) << builtIn[i];
}
