#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <map>
#include <random>
#include <stdexcept>

#include "base/filebytes.h"
#include "base/inifile.h"
#include "support/tempfolder.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok) << path;
    return bytes;
}

void WriteRaw(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

TEST(TMemIniFile, NamesIgnoreAsciiCaseButNotDoubleByteCharacters)
{
    // 83 41 and 83 61 are two different katakana whose trail bytes look like
    // "A" and "a"; folding them would make the two keys one.
    const std::string text =
        "[Option]\r\n"
        "StatusBar=1\r\n"
        "\x83\x41=upper\r\n"
        "\x83\x61=lower\r\n"
        "[\x83\x5D]\r\n"       // trail byte 5D is no closing bracket...
        "k=in katakana section\r\n"
        "[\x83\x5D\r\n"        // ...so this line is no header
        "j=still there\r\n";
    auto ini = TMemIniFile::FromText("x.ini", text);
    EXPECT_EQ(ini.ReadString("OPTION", "statusbar", ""), "1");
    EXPECT_EQ(ini.ReadString("option", "\x83\x41", ""), "upper");
    EXPECT_EQ(ini.ReadString("option", "\x83\x61", ""), "lower");
    EXPECT_EQ(ini.ReadString("\x83\x5D", "k", ""), "in katakana section");
    EXPECT_EQ(ini.ReadString("\x83\x5D", "j", ""), "still there");
    EXPECT_TRUE(ini.SectionExists("\x83\x5D"));
    EXPECT_FALSE(ini.SectionExists("\x83\x7D"));
}

TEST(TMemIniFile, ValuesAreRawBytesTrimmedOfControlBytesOnly)
{
    const std::string text =
        "[S]\n"
        "a = \t value with inner  blanks \t\r\n"
        "b=\x81\x40wide blanks stay\x81\x40\n"          // full-width blank 81 40
        "c=\x95\x5C=\x83\x5C\n"                           // trail bytes 5C and "=" in the value
        "d=\n"
        "first=1\n"
        "First=2\n"
        "; comment=not a key\n"
        "no equals sign\n"
        "=no key\n";
    auto ini = TMemIniFile::FromText("x.ini", text);
    EXPECT_EQ(ini.ReadString("s", "a", "?"), "value with inner  blanks");
    EXPECT_EQ(ini.ReadString("s", "b", "?"), "\x81\x40wide blanks stay\x81\x40");
    EXPECT_EQ(ini.ReadString("s", "c", "?"), "\x95\x5C=\x83\x5C");
    EXPECT_TRUE(ini.ValueExists("s", "d"));
    EXPECT_EQ(ini.ReadString("s", "d", "?"), "");
    EXPECT_EQ(ini.ReadString("s", "FIRST", "?"), "1");  // the first duplicate wins
    EXPECT_FALSE(ini.ValueExists("s", "; comment"));
    EXPECT_FALSE(ini.ValueExists("s", "no equals sign"));
    EXPECT_EQ(ini.ReadString("s", "missing", "dflt"), "dflt");
    TStringList keys;
    ini.ReadSection("S", keys);
    EXPECT_EQ(keys.Text(), "a\r\nb\r\nc\r\nd\r\nfirst\r\n");
    EXPECT_EQ(ini.Text(), text);  // nothing written: the same bytes
}

TEST(TMemIniFile, NumbersAndSwitches)
{
    auto ini = TMemIniFile::FromText("x.ini",
                                     "[N]\r\na=12\r\nb= -3 \r\nc=$1F\r\nd=abc\r\ne=99999999999\r\nf=\r\n"
                                     "t=2\r\nz=0\r\ny=yes\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "a", 7), 12);
    EXPECT_EQ(ini.ReadInteger("N", "b", 7), -3);
    EXPECT_EQ(ini.ReadInteger("N", "c", 7), 31);
    EXPECT_EQ(ini.ReadInteger("N", "d", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "e", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "f", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "none", 7), 7);
    EXPECT_TRUE(ini.ReadBool("N", "t", false));
    EXPECT_FALSE(ini.ReadBool("N", "z", true));
    EXPECT_TRUE(ini.ReadBool("N", "y", true));
    EXPECT_FALSE(ini.ReadBool("N", "y", false));
}

TEST(TMemIniFile, WritesKeepEveryOtherLineAndItsLineEnd)
{
    const std::string text =
        "; leading comment\n"
        "[A]\r\n"
        "x = 1\r\n"
        "dup=first\r\n"
        "dup=second\r\n"
        "\r\n"
        "; about B\r\n"
        "[B]\n"
        "y=2";  // no line end at the end of the file
    auto ini = TMemIniFile::FromText("x.ini", text);
    ini.WriteString("a", "X", "1");  // same value: the line keeps its spacing
    EXPECT_EQ(ini.Text(), text);

    ini.WriteString("A", "dup", "changed");
    ini.WriteString("A", "new", "n");
    ini.WriteString("b", "z", "3");
    ini.WriteString("C", "w", "4");
    EXPECT_EQ(ini.Text(),
              "; leading comment\n"
              "[A]\r\n"
              "x = 1\r\n"
              "dup=changed\r\n"
              "dup=second\r\n"
              "new=n\r\n"
              "\r\n"
              "; about B\r\n"
              "[B]\n"
              "y=2\r\n"
              "z=3\r\n"
              "\r\n"
              "[C]\r\n"
              "w=4\r\n");

    ini.DeleteKey("a", "DUP");  // every line of the key
    EXPECT_FALSE(ini.ValueExists("A", "dup"));
    ini.EraseSection("b");
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_EQ(ini.Text(), "; leading comment\n[A]\r\nx = 1\r\nnew=n\r\n\r\n; about B\r\n[C]\r\nw=4\r\n");
}

TEST(TMemIniFile, DuplicateSectionsReadAsOne)
{
    auto ini = TMemIniFile::FromText("x.ini", "[A]\r\na=1\r\n[B]\r\nb=2\r\n[a]\r\na=shadowed\r\nc=3\r\n");
    EXPECT_EQ(ini.ReadString("A", "a", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "c", ""), "3");
    TStringList names;
    ini.ReadSections(names);
    EXPECT_EQ(names.Text(), "A\r\nB\r\n");
    ini.EraseSection("A");
    EXPECT_EQ(ini.Text(), "[B]\r\nb=2\r\n");
}

TEST(TMemIniFile, ValuesCannotInjectLinesAndBadNamesAreRefused)
{
    auto ini = TMemIniFile::FromText("x.ini", "");
    ini.WriteString("S", "k", std::string("a\r\n[Evil]\nz=1\0tail", 18));
    const auto again = TMemIniFile::FromText("x.ini", ini.Text());
    EXPECT_FALSE(again.SectionExists("Evil"));
    EXPECT_FALSE(again.ValueExists("S", "z"));
    EXPECT_EQ(again.ReadString("S", "k", ""), "a  [Evil] z=1 tail");
    EXPECT_EQ(ini.Text(), "[S]\r\nk=a  [Evil] z=1 tail\r\n");

    EXPECT_THROW(ini.WriteString("S", "a=b", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", "", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", ";c", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", " k", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S\r\n[T]", "k", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("", "k", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("A\x95", "k", "v"), std::invalid_argument);
    ini.WriteString("\x95\x5D", "k", "v");  // a whole character ending in 5D is fine
    EXPECT_EQ(TMemIniFile::FromText("x.ini", ini.Text()).ReadString("\x95\x5D", "k", ""), "v");
}

// Random writes, deletions and erasures against a plain model; after every
// step the written text, read back, must give the model's values.
TEST(TMemIniFile, RandomEditsMatchAModelThroughReparsing)
{
    std::mt19937 rng(1234);
    const std::vector<std::string> sections = {"Sec", "sec", "SEC2", "\x95\x5C", "Other"};
    const std::vector<std::string> keys = {"k", "K", "key2", "\x83\x41", "\x83\x61", "\x95\x5Cx"};
    const std::vector<std::string> pieces = {"a", " ", "\x81\x40", "=", "\x95\x5C", "%", "[x]", ";", "\t", "Z"};
    auto fold = [](const std::string& s) { return FoldAsciiCase(s); };
    std::map<std::string, std::map<std::string, std::string>> model;
    auto ini = TMemIniFile::FromText("x.ini", "; header comment\r\n");
    for (int step = 0; step < 3000; ++step) {
        const std::string& sec = sections[rng() % sections.size()];
        const std::string& key = keys[rng() % keys.size()];
        const int op = static_cast<int>(rng() % 10);
        if (op < 7) {
            std::string v;
            for (int n = static_cast<int>(rng() % 5); n > 0; --n) v += pieces[rng() % pieces.size()];
            ini.WriteString(sec, key, v);
            model[fold(sec)][fold(key)] = std::string(TrimBlanks(v));
        } else if (op < 9) {
            ini.DeleteKey(sec, key);
            auto it = model.find(fold(sec));
            if (it != model.end()) it->second.erase(fold(key));
        } else {
            ini.EraseSection(sec);
            model.erase(fold(sec));
        }
        const auto reread = TMemIniFile::FromText("x.ini", ini.Text());
        for (const auto& s : sections)
            for (const auto& k : keys) {
                auto sit = model.find(fold(s));
                const bool exists = sit != model.end() && sit->second.count(fold(k));
                ASSERT_EQ(reread.ValueExists(s, k), exists) << "step " << step;
                if (exists) {
                    ASSERT_EQ(reread.ReadString(s, k, "?"), sit->second.at(fold(k))) << "step " << step;
                }
            }
    }
}

// Any bytes at all, read and written back without a change, come out the
// same; a write of one key then leaves every other line as it was.
TEST(TMemIniFile, ArbitraryBytesSurviveAnUnchangedRewrite)
{
    std::mt19937 rng(4321);
    const std::vector<std::string> atoms = {"[", "]", "=", ";", "\r", "\n", "\r\n", " ", "\t", std::string(1, '\0'),
                                            "a", "K", "\x95\x5C", "\x83\x5D", "\x81", "\xFC", "[S]", "k=v", "%"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 40); n > 0; --n) text += atoms[rng() % atoms.size()];
        auto ini = TMemIniFile::FromText("x.ini", text);
        ASSERT_EQ(ini.Text(), text) << "round " << round;
        TStringList sections;
        ini.ReadSections(sections);
        for (const auto& sec : sections.Items()) {
            TStringList keys;
            ini.ReadSection(sec, keys);
            for (const auto& key : keys.Items()) ini.WriteString(sec, key, ini.ReadString(sec, key, ""));
        }
        ASSERT_EQ(ini.Text(), text) << "round " << round;
        ini.WriteString("S", "k", "new");
        const auto reread = TMemIniFile::FromText("x.ini", ini.Text());
        ASSERT_EQ(reread.ReadString("S", "k", ""), "new") << "round " << round;
    }
}

TEST(TMemIniFile, MissingFileIsEmptyAndAppearsOnlyOnUpdate)
{
    TTempFolder dir;
    const std::string path = dir.File("new.ini");
    TMemIniFile ini(path);
    EXPECT_FALSE(ini.ReadFailed());
    EXPECT_EQ(ini.Text(), "");
    ini.WriteInteger("S", "n", 5);
    EXPECT_FALSE(PathExists(path));
    ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorText();
    EXPECT_EQ(ReadAll(path), "[S]\r\nn=5\r\n");
    // A second update replaces the existing file; no temporary file is left.
    ini.WriteInteger("S", "n", 6);
    ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorText();
    EXPECT_EQ(ReadAll(path), "[S]\r\nn=6\r\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"new.ini"});
    EXPECT_EQ(TMemIniFile(path).ReadInteger("s", "N", 0), 6);
}

TEST(TMemIniFile, UnreadableFileIsNotWipedByAWrite)
{
    TTempFolder dir;
    // A folder stands where the file should be: it exists but cannot be read.
    const std::string path = dir.File("settings.ini");
    std::filesystem::create_directory(path);
    WriteRaw(dir.File("settings.ini/inside.txt"), "keep");
    TMemIniFile ini(path);
    EXPECT_TRUE(ini.ReadFailed());
    EXPECT_EQ(ini.ReadString("S", "k", "dflt"), "dflt");
    ini.WriteString("S", "k", "v");
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_FALSE(ini.ErrorText().empty());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ReadAll(dir.File("settings.ini/inside.txt")), "keep");
}

TEST(TMemIniFile, Utf8SignatureIsNoPartOfTheFirstSectionAndIsKept)
{
    TTempFolder dir;
    const std::string path = dir.File("sig.ini");
    WriteRaw(path, "\xEF\xBB\xBF[Option]\r\nA=1\r\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Option", "A", ""), "1");
    ini.WriteString("Option", "B", "2");
    ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorText();
    EXPECT_EQ(ReadAll(path), "\xEF\xBB\xBF[Option]\r\nA=1\r\nB=2\r\n");
    // Only a leading signature is one: elsewhere the bytes are a value's.
    auto inner = TMemIniFile::FromText("x.ini", "[S]\r\nv=\xEF\xBB\xBF\r\n");
    EXPECT_EQ(inner.ReadString("S", "v", ""), "\xEF\xBB\xBF");
    EXPECT_EQ(inner.Text().substr(0, 3), "[S]");
}

TEST(TMemIniFile, FailedUpdateReportsAndLeavesNoTrace)
{
    TTempFolder dir;
    TMemIniFile ini(dir.File("no such folder/settings.ini"));
    EXPECT_FALSE(ini.ReadFailed());
    ini.WriteString("S", "k", "v");
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_FALSE(ini.ErrorText().empty());
    EXPECT_TRUE(dir.Entries().empty());
}

} // namespace

// A section of many keys: every read finds its key without walking the
// section (the whole test would take minutes so), the first of duplicate
// keys still wins, and the index follows new keys, deletions and erasures.
TEST(TMemIniFile, ManyKeysInOneSection)
{
    constexpr int kKeys = 200'000;
    std::string text = "[Big]\r\n";
    for (int i = 0; i < kKeys; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
    text += "key5=shadowed\r\n; tail comment\r\n[big]\r\nKEY6=also shadowed\r\nextra=x\r\n";
    auto ini = TMemIniFile::FromText("x.ini", text);
    const std::clock_t start = std::clock();
    for (int i = 0; i < kKeys; ++i) ASSERT_EQ(ini.ReadInteger("BIG", "key" + std::to_string(i), -1), i * 7) << i;
    EXPECT_LT(std::clock() - start, 10 * CLOCKS_PER_SEC);
    EXPECT_EQ(ini.ReadString("big", "extra", ""), "x");
    EXPECT_FALSE(ini.ValueExists("Big", "Key" + std::to_string(kKeys)));

    TStringList keys;
    ini.ReadSection("Big", keys);
    ASSERT_EQ(keys.Count(), kKeys + 1);
    EXPECT_EQ(keys[5], "Key5");
    EXPECT_EQ(keys[kKeys], "extra");

    // A new key goes after the first block's last key, before its comment.
    ini.WriteString("Big", "new", "n");
    EXPECT_EQ(ini.ReadString("Big", "NEW", ""), "n");
    EXPECT_NE(ini.Text().find("key5=shadowed\r\nnew=n\r\n; tail comment"), std::string::npos);
    ini.WriteString("Fresh", "a", "1");
    EXPECT_EQ(ini.ReadString("fresh", "A", ""), "1");

    ini.DeleteKey("Big", "Key5");
    EXPECT_FALSE(ini.ValueExists("Big", "key5"));
    EXPECT_EQ(ini.ReadString("Big", "key6", ""), "42");
    EXPECT_EQ(ini.ReadString("Big", "new", ""), "n");
    ini.EraseSection("big");
    EXPECT_FALSE(ini.SectionExists("Big"));
    EXPECT_FALSE(ini.ValueExists("Big", "key7"));
    EXPECT_EQ(ini.ReadString("Fresh", "a", ""), "1");
}

// Objects read from the same bytes share what was read: a change to one is
// not seen by the other, and a file changed on disk is read afresh.
TEST(TMemIniFile, ObjectsOfOneFileStayApart)
{
    TTempFolder dir;
    const std::string path = dir.File("s.ini");
    WriteRaw(path, "[A]\r\nk=1\r\n");
    TMemIniFile first(path);
    const TMemIniFile second(path);
    EXPECT_EQ(first.ReadString("A", "k", ""), "1");
    first.WriteString("A", "k", "2");
    first.WriteString("A", "new", "n");
    EXPECT_EQ(first.ReadString("A", "k", ""), "2");
    EXPECT_EQ(second.ReadString("A", "k", ""), "1");
    EXPECT_FALSE(second.ValueExists("A", "new"));
    const TMemIniFile copy = first;
    first.DeleteKey("A", "new");
    EXPECT_TRUE(copy.ValueExists("A", "new"));
    EXPECT_EQ(TMemIniFile(path).Text(), "[A]\r\nk=1\r\n");

    ASSERT_TRUE(first.UpdateFile());
    EXPECT_EQ(TMemIniFile(path).ReadString("A", "k", ""), "2");
    EXPECT_FALSE(TMemIniFile(path).ValueExists("A", "new"));
}
