// Loading files of every character code and line end into the editor.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>

#include "support/tempfolder.h"
#include "support/winsupport_win.h"
#include "editor/editorhost.h"
#include "editor_support_win.h"
#include "textcode/jisconv.h"
#include "textcode/wideconv.h"

namespace vellumo::testing {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    CloseHandle(f);
}

std::string Utf16Bytes(const std::string& sjis, bool bom)
{
    const std::wstring w = AnsiToWide(sjis);
    std::string out = bom ? std::string("\xFF\xFE", 2) : std::string();
    out.append(reinterpret_cast<const char*>(w.data()), w.size() * 2);
    return out;
}

std::string Utf8Bytes(const std::wstring& w, bool bom)
{
    std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                                                  0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
    return bom ? "\xEF\xBB\xBF" + out : out;
}

std::string WithBreaks(const std::string& crlfText, const char* brk)
{
    std::string out;
    for (std::size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText.compare(i, 2, "\r\n") == 0) {
            out += brk;
            ++i;
        } else {
            out += crlfText[i];
        }
    }
    return out;
}

// A text as its rows give it back: every CR, LF and CR LF a CR LF.
std::string AsRows(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\r\n";
    }
    return out;
}

// Records the host's lock calls.
struct TLockHost : IEditorHost {
    int released = 0;
    std::vector<std::pair<bool, std::string>> restored;
    void ReleaseFileLock() override { ++released; }
    void RestoreFileLock(bool loaded, const std::string& name) override { restored.emplace_back(loaded, name); }
};

struct TLoad {
    int code = -2;
    bool hadNul = true, writable = false, noAnsi = true;
    TLineEndCode lineEnd = leNone;
};

TLoad Load(TEditor& e, const std::string& path, bool detect = true, int forced = -1)
{
    TLoad r;
    r.code = e.LoadTextFile(path, detect, r.hadNul, r.lineEnd, forced, r.writable, r.noAnsi);
    return r;
}

class EditorLoader : public ::testing::Test {
protected:
    void SetUp() override
    {
        e = MakeEditor();
        old = SetEditorHost(&host);
    }
    void TearDown() override { SetEditorHost(old); }

    TTempFolder folder;
    TLockHost host;
    IEditorHost* old = nullptr;
    std::unique_ptr<TTestEditor> e;
};

// Shift-JIS text with kanji, kana, full-width Latin, a backslash trail byte ("ソ") and ASCII.
const std::string kText = "日本語のテキスト\r\nＡＢＣ ソフト abc\r\n最後の行";
const char* const kRows = "日本語のテキスト|ＡＢＣ ソフト abc|最後の行";

TEST_F(EditorLoader, EveryCodeAndLineEndLoadsTheSameText)
{
    struct TCase {
        const char* name;
        int expect;
        int forced;
        std::string (*encode)(const std::string&);
    };
    const TCase cases[] = {
        {"sjis", ccSjis, -1, [](const std::string& s) { return s; }},
        {"jis", ccJis, -1, [](const std::string& s) { return ConvertSjisToJis(s); }},
        {"euc", ccEuc, -1, [](const std::string& s) { return ConvertSjisToEuc(s); }},
        {"utf16", ccUnicode, -1, [](const std::string& s) { return Utf16Bytes(s, true); }},
        {"utf16-nobom", ccUnicode, ccUnicode, [](const std::string& s) { return Utf16Bytes(s, false); }},
        {"utf8", ccUtf8, -1, [](const std::string& s) { return Utf8Bytes(AnsiToWide(s), true); }},
        {"utf8n", ccUtf8N, -1, [](const std::string& s) { return Utf8Bytes(AnsiToWide(s), false); }},
    };
    const struct {
        const char* brk;
        TLineEndCode code;
    } breaks[] = {{"\r\n", leCrLf}, {"\n", leLf}, {"\r", leCr}};
    for (const TCase& c : cases)
        for (const auto& b : breaks)
            for (int finalBreak = 0; finalBreak < 2; ++finalBreak) {
                SCOPED_TRACE(std::string(c.name) + " " + (b.code == leCrLf ? "crlf" : b.code == leLf ? "lf" : "cr") +
                             (finalBreak ? " final break" : ""));
                const std::string text = finalBreak ? kText + "\r\n" : kText;
                const std::string path = folder.File(std::string(c.name) + ".txt");
                WriteBytes(path, c.encode(WithBreaks(text, b.brk)));
                const TLoad r = Load(*e, path, true, c.forced);
                EXPECT_EQ(r.code, c.expect);
                EXPECT_EQ(r.lineEnd, b.code);
                EXPECT_EQ(Rows(*e), kRows);
                EXPECT_FALSE(r.hadNul);
                EXPECT_FALSE(r.noAnsi);
                EXPECT_TRUE(r.writable);
                EXPECT_EQ(e->Store().GetRowAttribute(2), finalBreak ? raLineBreak : raEof);
                EXPECT_EQ(e->TopRow(), 0);
                EXPECT_EQ(e->LeftCol(), 0);
                EXPECT_EQ(e->CaretHideCount(), 0);
            }
    // Every load released the lock and took it again on the loaded file.
    EXPECT_EQ(host.released, 42);
    ASSERT_EQ(host.restored.size(), 42u);
    EXPECT_TRUE(host.restored.back().first);
}

TEST_F(EditorLoader, EucOrSjisWithLfIsReadAsEuc)
{
    // Bytes that are both valid EUC-JP and valid Shift-JIS ("漢漢" in EUC-JP is B4 C1 B4 C1).
    const std::string both = "\xB4\xC1\xB4\xC1";
    ASSERT_EQ(DetectCharCode(both + "\n"), ccEucOrSjis);
    WriteBytes(folder.File("lf.txt"), both + "\n" + both);
    TLoad r = Load(*e, folder.File("lf.txt"));
    EXPECT_EQ(r.code, ccEuc);
    EXPECT_EQ(r.lineEnd, leLf);
    EXPECT_EQ(Rows(*e), "漢漢|漢漢");

    WriteBytes(folder.File("crlf.txt"), both + "\r\n" + both);
    r = Load(*e, folder.File("crlf.txt"));
    EXPECT_EQ(r.code, ccEucOrSjis);
    EXPECT_EQ(r.lineEnd, leCrLf);
    EXPECT_EQ(Rows(*e), both + "|" + both);
}

TEST_F(EditorLoader, NulsBecomeSpacesAndUnmappableCharactersAreEscaped)
{
    const std::string nul("a\0b\r\n\0", 6);
    WriteBytes(folder.File("zeros.txt"), nul);
    TLoad r = Load(*e, folder.File("zeros.txt"));
    EXPECT_EQ(r.code, ccBinary);
    EXPECT_TRUE(r.hadNul);
    EXPECT_EQ(Rows(*e), "a b| ");

    // U+D55C (Hangul) has no code-page-932 form; "$" is escaped with it.
    WriteBytes(folder.File("wide.txt"), Utf8Bytes(L"$5 \xD55C\r\n", false));
    r = Load(*e, folder.File("wide.txt"));
    EXPECT_EQ(r.code, ccUtf8N);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_FALSE(r.hadNul);
    EXPECT_EQ(Rows(*e), "$00245 $D55C");
    WriteBytes(folder.File("wide16.txt"), std::string("\xFF\xFE\x5C\xD5", 4));
    r = Load(*e, folder.File("wide16.txt"));
    EXPECT_EQ(r.code, ccUnicode);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_EQ(Rows(*e), "$D55C");
}

TEST_F(EditorLoader, AnOddUtf16FileTellsItsLastByteIsLost)
{
    // "ab" and one byte more, which is no character: lost, and said so.
    WriteBytes(folder.File("odd16.txt"), std::string("\xFF\xFE" "a\0b\0" "c", 7));
    TLoad r = Load(*e, folder.File("odd16.txt"));
    EXPECT_EQ(r.code, ccUnicode);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_EQ(Rows(*e), "ab");
    WriteBytes(folder.File("odd16b.txt"), std::string("a\0b\0c", 5));
    r = Load(*e, folder.File("odd16b.txt"), true, ccUnicode);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_EQ(Rows(*e), "ab");
    WriteBytes(folder.File("even16.txt"), std::string("\xFF\xFE" "a\0b\0", 6));
    r = Load(*e, folder.File("even16.txt"));
    EXPECT_FALSE(r.noAnsi);
    EXPECT_EQ(Rows(*e), "ab");
}

// Texts longer than a conversion piece load as their whole conversion: a
// character the code page lacks at the very end still escapes every "$"
// before it, and neither a character nor a broken sequence is cut where
// the pieces meet.
TEST_F(EditorLoader, LongTextsLoadAsTheirWholeConversion)
{
    std::mt19937 rng(11);
    const std::wstring words[] = {L"abc ", L"$", L"\x65E5\x672C\x8A9E", L"\xFF21\xFF22", L"x\x3042", L"\x0001", L"\r\n"};
    std::wstring w;
    while (w.size() < (3u << 20) / 2) w += words[rng() % std::size(words)];
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost ? "a character outside the code page at the end" : "every character in the code page");
        const std::wstring text = lost ? w + L"\xD55C" : w;
        const std::string want = WideToAnsiEscaped(text);
        WriteBytes(folder.File("long8.txt"), Utf8Bytes(text, false));
        TLoad r = Load(*e, folder.File("long8.txt"));
        EXPECT_EQ(r.code, ccUtf8N);
        EXPECT_EQ(r.noAnsi, lost);
        EXPECT_TRUE(e->Lines().Text() == want);
        std::string utf16("\xFF\xFE", 2);
        utf16.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        WriteBytes(folder.File("long16.txt"), utf16);
        r = Load(*e, folder.File("long16.txt"));
        EXPECT_EQ(r.code, ccUnicode);
        EXPECT_EQ(r.noAnsi, lost);
        EXPECT_TRUE(e->Lines().Text() == want);
    }
    // Broken sequences anywhere, a UTF-8 one and an EUC-JP one, as the whole
    // conversions take them.
    std::string u8 = Utf8Bytes(w, false), euc = ConvertSjisToEuc(WideToAnsiEscaped(w));
    for (std::size_t at = 1000; at < u8.size(); at += 1 + rng() % 40000) u8.insert(at, rng() % 2 ? "\xE3\x81" : "\xFF");
    for (std::size_t at = 1000; at < euc.size(); at += 1 + rng() % 40000) euc.insert(at, rng() % 2 ? "\x8F\xA1" : "\xB0");
    WriteBytes(folder.File("broken8.txt"), u8);
    TLoad r = Load(*e, folder.File("broken8.txt"), true, ccUtf8N);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_TRUE(e->Lines().Text() == AsRows(WideToAnsiEscaped(Utf8ToWide(u8))));
    WriteBytes(folder.File("broken-euc.txt"), euc);
    r = Load(*e, folder.File("broken-euc.txt"), true, ccEuc);
    EXPECT_EQ(r.code, ccEuc);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_TRUE(e->Lines().Text() == AsRows(ConvertEucToSjis(euc)));
    // JIS whose shift state runs on over line ends into JIS X 0212
    // characters the internal code lacks.
    std::string jis = ConvertSjisToJis(WideToAnsiEscaped(w));
    for (std::size_t at = 1000; at < jis.size(); at += 1 + rng() % 40000)
        if (jis[at] != '\x1B' && jis[at - 1] != '\x1B') jis.insert(at, "\x1B$(D\r\n\x2B\x57");
    WriteBytes(folder.File("jis0212.txt"), jis);
    r = Load(*e, folder.File("jis0212.txt"), true, ccJis);
    EXPECT_EQ(r.code, ccJis);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_TRUE(e->Lines().Text() == AsRows(ConvertJisToSjis(jis)));
    // Broken lead bytes, each a "〓" of two: the text outgrows the file's bytes.
    WriteBytes(folder.File("short-euc.txt"), "\x8F\n\x8F\n\x8F");
    r = Load(*e, folder.File("short-euc.txt"), true, ccEuc);
    EXPECT_TRUE(r.noAnsi);
    EXPECT_EQ(Rows(*e), "〓|〓|〓");
}

// A file is converted as UTF-8 while it reads as UTF-8; one that turns
// out otherwise far into it loads as if it had been looked at whole.
TEST_F(EditorLoader, FilesThatStopReadingAsUtf8LoadAsTheirBytes)
{
    std::string ascii, utf8;
    while (ascii.size() < (1u << 20)) ascii += "plain words, $1 and more\r\n";
    while (utf8.size() < (1u << 20)) utf8 += Utf8Bytes(L"\x65E5\x672C\x8A9E abc\r\n", false);
    const std::string sjis = "日本語\r\n", jis = ConvertSjisToJis("日本語\r\n");
    // A JIS X 0212 character without a code page 932 form, then JIS X 0208 again.
    const std::string lost = "\x1B$(D\x2B\x57\x1B$B\x30\x21\x1B(B\r\n";
    const struct {
        const char* name;
        std::string bytes;
        int code;
        std::string text;
        bool lost;
    } cases[] = {
        {"ascii-sjis", ascii + sjis + ascii, ccSjis, ascii + sjis + ascii, false},
        {"utf8-sjis", utf8 + sjis + ascii, ccSjis, utf8 + sjis + ascii, false},
        {"ascii-jis", ascii + jis + lost + ascii, ccJis, ascii + sjis + "〓亜\r\n" + ascii, true},
        // JIS designations in a file that is UTF-8 throughout: UTF-8.
        {"ascii-jis-utf8", ascii + jis + utf8, ccUtf8N, ascii + WithBreaks(jis, "\r\n") + AsRows(WideToAnsiEscaped(Utf8ToWide(utf8))), false},
        {"ascii", ascii, ccNone, ascii, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(folder.File("mixed.txt"), c.bytes);
        const TLoad r = Load(*e, folder.File("mixed.txt"));
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.noAnsi, c.lost);
        EXPECT_EQ(r.lineEnd, leCrLf);
        EXPECT_TRUE(e->Lines().Text() == c.text);
    }
}

TEST_F(EditorLoader, EmptyFilesAndDetectionOff)
{
    WriteBytes(folder.File("empty.txt"), "");
    TLoad r = Load(*e, folder.File("empty.txt"));
    EXPECT_EQ(r.code, ccNone);
    EXPECT_EQ(r.lineEnd, leNone);
    EXPECT_EQ(e->Store().Count(), 0);
    r = Load(*e, folder.File("empty.txt"), true, ccJis);
    EXPECT_EQ(r.code, ccJis);
    EXPECT_EQ(r.lineEnd, leLf);

    // Without detection a JIS file stays as it is and counts as CR LF.
    const std::string jis = ConvertSjisToJis("漢字\nかな");
    WriteBytes(folder.File("jis.txt"), jis);
    r = Load(*e, folder.File("jis.txt"), false);
    EXPECT_EQ(r.code, ccSjis);
    EXPECT_EQ(r.lineEnd, leCrLf);
    EXPECT_EQ(e->Lines().Text(), WithBreaks(ConvertSjisToJis("漢字\r\nかな"), "\r\n"));
    // A forced UTF-8 code follows the signature.
    WriteBytes(folder.File("u8.txt"), Utf8Bytes(L"x", true));
    EXPECT_EQ(Load(*e, folder.File("u8.txt"), true, ccUtf8N).code, ccUtf8);
}

TEST_F(EditorLoader, ALockedFileFailsWithTheTextUnchangedAndTheLockRestored)
{
    e->Lines().SetText("before\r\nload");
    e->SetModified(false);
    const std::string path = folder.File("locked.txt");
    WriteBytes(path, "other");
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    TMsgRecorder rec;
    const TLoad r = Load(*e, path);
    CloseHandle(h);
    EXPECT_EQ(r.code, -1);
    EXPECT_EQ(Rows(*e), "before|load");
    EXPECT_FALSE(e->Modified());
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text,
              "\"" + path + "\"\r\nの読み込みに失敗しました。他のプロセスで使用中の可能性があります。");
    EXPECT_EQ(rec.messages[0].flags, kMsgIconExclamation);
    EXPECT_EQ(host.released, 1);
    ASSERT_EQ(host.restored.size(), 1u);
    EXPECT_FALSE(host.restored[0].first);
    EXPECT_EQ(e->CaretHideCount(), 0);

    // A missing file fails the same way.
    TMsgRecorder rec2;
    EXPECT_EQ(Load(*e, folder.File("missing.txt")).code, -1);
    EXPECT_EQ(rec2.messages.size(), 1u);
    EXPECT_EQ(Rows(*e), "before|load");
}

// A file larger than any memory: a sparse one on a memory file system,
// which takes no room. Empty when the system cannot make one.
std::string MakeHugeFile()
{
    const std::string path = "Z:\\dev\\shm\\vellumo-huge-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    size.QuadPart = 1LL << 50;
    const bool ok = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!ok) DeleteFileA(path.c_str());
    return ok ? path : std::string();
}

TEST_F(EditorLoader, AFileTooLargeForMemorySaysSoAndKeepsTheText)
{
    const std::string path = MakeHugeFile();
    if (path.empty()) GTEST_SKIP() << "no sparse file of a petabyte can be made here";
    e->Lines().SetText("kept\r\ntext");
    e->SetModified(true);
    TMsgRecorder rec;
    const TLoad r = Load(*e, path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(r.code, -1);
    EXPECT_EQ(Rows(*e), "kept|text");
    EXPECT_TRUE(e->Modified());
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "\"" + path + "\"\r\nは大きすぎて、使えるメモリーに読み込めません。");
    ASSERT_EQ(host.restored.size(), 1u);
    EXPECT_FALSE(host.restored[0].first);
}

TEST_F(EditorLoader, AReadOnlyFileLoadsNotWritable)
{
    const std::string path = folder.File("ro.txt");
    WriteBytes(path, "read only");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const TLoad r = Load(*e, path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(r.code, ccNone);
    EXPECT_FALSE(r.writable);
    EXPECT_EQ(Rows(*e), "read only");
}

TEST_F(EditorLoader, LoadingEmptiesTheUndoHistoryAndWrapsWhenAsked)
{
    e->Lines().SetText("x");
    e->Store().ReplaceRows(0, 1, "y");
    ASSERT_TRUE(e->CanUndo());
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    WriteBytes(folder.File("long.txt"), std::string(30, 'a') + "\r\n" + "日本語日本語日本語日本語");
    Load(*e, folder.File("long.txt"));
    EXPECT_FALSE(e->CanUndo());
    EXPECT_EQ(Rows(*e), std::string(20, 'a') + "|" + std::string(10, 'a') + "|" + "日本語日本語日本語\x93\xFA" + "|" + "\x96\x7B\x8C\xEA");
    EXPECT_EQ(e->Store().GetRowAttribute(0), raWrapped);
}

double Seconds()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Timed when VELLUMO_BIG_LOAD is set: a 100 MB Shift-JIS file, without and
// with word wrap; prints seconds and the process's peak memory.
TEST_F(EditorLoader, HundredMegabytesTimed)
{
    if (!std::getenv("VELLUMO_BIG_LOAD")) GTEST_SKIP() << "set VELLUMO_BIG_LOAD=1 to time the 100 MB load";
    const std::string path = folder.File("big.txt");
    {
        std::ofstream f(path, std::ios::binary);
        std::string block;
        const std::string line = "日本語のテキストを読み込む速さを測る。ABCabc 0123456789 全角ＡＢＣ and some ASCII words\r\n";
        while (block.size() < (1u << 20)) block += line;
        const std::size_t total = 100u << 20;
        for (std::size_t done = 0; done < total; done += block.size()) f.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    for (int wrap = 0; wrap < 2; ++wrap) {
        e->Lines().Clear();
        e->SetWordWrap(wrap == 1);
        PROCESS_MEMORY_COUNTERS before{};
        GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
        const double t0 = Seconds();
        const TLoad r = Load(*e, path);
        const double t1 = Seconds();
        PROCESS_MEMORY_COUNTERS after{};
        GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
        EXPECT_EQ(r.code, ccSjis);
        std::printf("100 MB load, word wrap %s: %.2f s, %d rows, peak private bytes %.0f MB (before %.0f MB), "
                    "peak working set %.0f MB\n",
                    wrap ? "on" : "off", t1 - t0, e->Store().Count(), after.PeakPagefileUsage / 1048576.0,
                    before.PagefileUsage / 1048576.0, after.PeakWorkingSetSize / 1048576.0);
    }
}

} // namespace
} // namespace vellumo::testing
