// Another program drives the running program by its window messages: every
// message answers as its table says, and a hostile sender (values out of
// range, negative lengths, buffer sizes for lengths, mappings smaller than
// claimed or only reserved, integer, deleted and long atoms, forged drops, a
// locked document told to become writable) neither stops the program nor
// changes its text.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

constexpr UINT kJumpLine = 0x464, kReloadIni = 0x465, kJumpEnd = 0x466;
constexpr UINT kSave = 0x8190, kOpenFile = 0x8191, kGetEditWnd = 0x8192, kSetStatusText = 0x8193,
               kGetEditMode = 0x8194, kGetSelMode = 0x8195, kSetIniFolder = 0x8196, kGetText = 0x819A,
               kSetText = 0x819B, kGetCaretRow = 0x819C, kGetRowCount = 0x819D, kGetColCount = 0x819E,
               kGetTopRow = 0x819F, kGetLeftCol = 0x81A0, kGetOutputMode = 0x81A1, kSetOutputMode = 0x81A2,
               kSetSel = 0x81A3;

// The sender's side of the text mapping, under the name the program opens.
class TMapping {
public:
    TMapping(HWND program, DWORD size, DWORD protect = PAGE_READWRITE)
    {
        const std::string name = "Vellumo_Map_" + std::to_string(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(program)));
        h_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, protect, 0, size, name.c_str());
        const bool reserved = (protect & SEC_RESERVE) != 0;
        if (h_ && !reserved)
            view_ = static_cast<char*>(MapViewOfFile(h_, FILE_MAP_WRITE, 0, 0, 0));
        size_ = size;
    }
    ~TMapping()
    {
        if (view_) UnmapViewOfFile(view_);
        if (h_) CloseHandle(h_);
    }
    TMapping(const TMapping&) = delete;
    TMapping& operator=(const TMapping&) = delete;
    bool Made() const { return h_ != nullptr; }
    char* View() const { return view_; }
    void Fill(char c) { std::memset(view_, c, size_); }
    void Put(const std::string& bytes) { std::memcpy(view_, bytes.data(), bytes.size()); }
    std::string Taken() const { return std::string(view_, strnlen(view_, size_)); }

private:
    HANDLE h_ = nullptr;
    char* view_ = nullptr;
    DWORD size_ = 0;
};

// A status-bar panel's text, read through the program's memory.
std::string Panel(HWND main, int panel)
{
    const std::string buf = RemoteCall(FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr), SB_GETTEXTA,
                                       static_cast<WPARAM>(panel), 1024);
    const std::string text = buf.substr(0, buf.find('\0'));
    return text.substr(std::min(text.find_first_not_of('\t'), text.size()));
}

class Messages : public TEndToEnd {
protected:
    // The answer; a message not answered within 5 s fails the test.
    static LRESULT Call(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
    {
        DWORD_PTR r = 0;
        const bool answered = SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &r) != 0;
        EXPECT_TRUE(answered) << std::hex << msg << " " << wp << " " << lp;
        return static_cast<LRESULT>(r);
    }
    static LPARAM Atom(const std::string& name) { return static_cast<LPARAM>(GlobalAddAtomA(name.c_str())); }
    static bool AtomGone(const std::string& name) { return GlobalFindAtomA(name.c_str()) == 0; }
    void Close(TVellumo& v)
    {
        PostMessageA(v.MainWindow(), WM_CLOSE, 0, 0);
        if (HWND question = v.WaitDialog(3000)) TVellumo::Answer(question, IDNO);
        EXPECT_TRUE(v.WaitExit());
    }
};

TEST_F(Messages, EveryMessageAnswersAsItsTableSays)
{
    const std::string path = dir_.File("doc.txt"), other = dir_.File("other.txt");
    ASSERT_TRUE(WriteFileBytes(path, "abc\r\ndef\r\nghi\r\n"));
    ASSERT_TRUE(WriteFileBytes(other, "other\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    const HWND w = v.MainWindow();
    const std::string text = v.Text();
    EXPECT_EQ(Call(w, kGetEditWnd), reinterpret_cast<LRESULT>(v.Editor()));
    EXPECT_EQ(Call(w, kGetEditMode), 0);
    EXPECT_EQ(Call(w, kGetOutputMode), 0);
    EXPECT_EQ(Call(w, kSetOutputMode, 1), 0);  // a named document is never output
    EXPECT_EQ(Call(w, kGetOutputMode), 0);
    for (UINT unused = 0x8197; unused <= 0x8199; ++unused) EXPECT_EQ(Call(w, unused, 1, 1), 0);
    EXPECT_GT(Call(w, kGetRowCount), 0);
    EXPECT_GT(Call(w, kGetColCount), 0);
    EXPECT_EQ(Call(w, kGetTopRow), 0);
    EXPECT_EQ(Call(w, kGetLeftCol), 0);

    // Jumps, and the caret row either way with wrapping off.
    EXPECT_EQ(Call(w, kJumpLine, 3, 0), 0);
    EXPECT_EQ(v.CaretRow(), 2);
    EXPECT_EQ(Call(w, kGetCaretRow, 0), 2);
    EXPECT_EQ(Call(w, kGetCaretRow, 1), 2);
    Call(w, kJumpEnd, 1);
    EXPECT_EQ(Call(w, kGetCaretRow), 3);
    Call(w, kJumpLine, 2, 1);  // logical line 2
    EXPECT_EQ(v.CaretRow(), 1);

    // Selection and the text through the mapping.
    {
        TMapping map(w, 4096);
        ASSERT_TRUE(map.Made());
        map.Fill('#');
        EXPECT_EQ(Call(w, kGetText, 0), 1);
        EXPECT_EQ(map.Taken(), text);
        EXPECT_EQ(Call(w, kSetSel, 5, 8), 0);
        EXPECT_EQ(Call(w, kGetSelMode), 0);
        EXPECT_EQ(Call(w, kGetText, 1), 1);
        EXPECT_EQ(map.Taken(), "def");
        Call(w, kSetSel, 5, 2);  // a negative length selects nothing
        EXPECT_EQ(Call(w, kGetSelMode), -1);
        Call(w, kSetSel, 0, static_cast<LPARAM>(-1));
        EXPECT_EQ(Call(w, kGetText, 1), 1);
        EXPECT_EQ(map.Taken(), text);
        Call(w, kSetSel, 0xFFFFFFFFu, 0);  // a 32-bit sender's -1 clears it
        EXPECT_EQ(Call(w, kGetSelMode), -1);

        // At the caret; the text ends at a NUL among the declared bytes.
        Call(w, kSetSel, 3, 3);
        map.Put(std::string("X\0Y", 3));
        EXPECT_EQ(Call(w, kSetText, 1, 3), 1);
        EXPECT_EQ(v.Text(), "abcX\r\ndef\r\nghi\r\n");
        // The whole text replaced as one change that one undo takes back.
        map.Put("new\r\ntext");
        EXPECT_EQ(Call(w, kSetText, 0, 9), 1);
        EXPECT_EQ(v.Text(), "new\r\ntext");
        EXPECT_EQ(Call(v.Editor(), EM_UNDO), TRUE);
        EXPECT_EQ(v.Text(), "abcX\r\ndef\r\nghi\r\n");
        EXPECT_EQ(Call(w, kSetText, 2, 9), 1);
        EXPECT_EQ(v.Text(), "new\r\ntext");
    }

    // The status text comes in an atom, which the program deletes.
    const std::string status = "\x8F\xF3\x91\xD4 status";
    EXPECT_EQ(Call(w, kSetStatusText, 0, Atom(status)), 0);
    EXPECT_EQ(Panel(w, 0), status);
    EXPECT_TRUE(AtomGone(status));
    Call(w, kSetStatusText, 0, Atom("   "));
    EXPECT_EQ(Panel(w, 0), "");

    // Save over the file, then open another one.
    ASSERT_TRUE(v.Modified());
    EXPECT_EQ(Call(w, kSave), 0);
    EXPECT_FALSE(v.Modified());
    EXPECT_EQ(ReadFileBytes(path), "new\r\ntext");
    EXPECT_EQ(Call(w, kOpenFile, 0, Atom(other)), 0);
    EXPECT_EQ(v.FileName(), other);
    EXPECT_EQ(v.Text(), "other\r\n");
    EXPECT_TRUE(AtomGone(other));

    // Another settings folder: its file is read at once.
    const std::string folder = dir_.File("ini2");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder + "\\vellumo.ini", "[Option]\r\nFullPathFileName=1\r\n"));
    char caption[512] = {};
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_EQ(std::string(caption), "other.txt - Vellumo");
    EXPECT_EQ(Call(w, kSetIniFolder, 0, Atom(folder + "\\")), 0);
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_EQ(std::string(caption), other + " - Vellumo");
    Close(v);
}

TEST_F(Messages, HostileValuesNeitherStopTheProgramNorChangeItsText)
{
    const std::string path = dir_.File("doc.txt"), other = dir_.File("other.txt");
    ASSERT_TRUE(WriteFileBytes(path, "one\r\ntwo\r\n"));
    ASSERT_TRUE(WriteFileBytes(other, "other\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    const HWND w = v.MainWindow();
    // A changed text: anything that reached the save question would show a box.
    v.PostChars("x");
    ASSERT_TRUE(v.WaitFor([&] { return v.Modified(); }));
    const std::string text = v.Text();

    // Every message with values no sender should send, and no mapping.
    const std::vector<std::uint64_t> values = {0, 1, 2, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, ~std::uint64_t{0},
                                               0x1'0000'0000, 0xFFFF'FFFF'0000'C000, 0xBFFF, 0x10000};
    std::vector<UINT> messages = {kJumpLine, kReloadIni, kJumpEnd};
    for (UINT m = kOpenFile; m <= kSetSel; ++m) messages.push_back(m);
    for (UINT m : messages)
        for (std::uint64_t wp : values)
            // No value of the string-atom range: that could name some other program's atom.
            for (std::uint64_t lp : {values[0], values[3], values[4], values[5], values[6], values[9], values[10]})
                Call(w, m, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp));
    EXPECT_EQ(v.Text(), text);
    EXPECT_EQ(v.FindDialog(), nullptr);

    // Lengths past the mapping, negative, or in a mapping that is only reserved.
    {
        TMapping map(w, 4096);
        map.Fill('z');
        for (std::uint64_t length : {std::uint64_t{4097}, std::uint64_t{0xFFFFFFFF}, std::uint64_t{0x7FFFFFFF},
                                     std::uint64_t{0x80000000}})
            for (WPARAM how : {0, 1, 2}) EXPECT_EQ(Call(w, kSetText, how, static_cast<LPARAM>(length)), 0) << length;
    }
    EXPECT_EQ(v.Text(), text);
    {
        TMapping reserved(w, 1 << 16, PAGE_READWRITE | SEC_RESERVE);
        ASSERT_TRUE(reserved.Made());
        EXPECT_EQ(Call(w, kSetText, 0, 10), 0);
        EXPECT_EQ(Call(w, kGetText, 0), 0);
    }
    EXPECT_EQ(v.Text(), text);
    {
        // A sender passing its buffer's size: the text ends at its NUL and
        // the garbage behind it stays out.
        TMapping map(w, 4096);
        map.Fill('g');
        map.Put(std::string("sent\0", 5));
        ASSERT_EQ(Call(w, kSetText, 0, 4096), 1);
        EXPECT_EQ(v.Text(), "sent");
        Call(v.Editor(), EM_UNDO);
        ASSERT_EQ(v.Text(), text);
        // A text filling the mapping to its very edge arrives whole.
        map.Fill('e');
        ASSERT_EQ(Call(w, kSetText, 0, 4096), 1);
        EXPECT_EQ(v.Text(), std::string(4096, 'e'));
        Call(v.Editor(), EM_UNDO);
    }
    EXPECT_EQ(v.Text(), text);
    // A text longer than the sender's mapping is not written, not even cut.
    const std::string longText(6000, 'L');
    {
        TMapping big(w, 8192);
        big.Put(longText);
        ASSERT_EQ(Call(w, kSetText, 0, 6000), 1);
    }
    {
        TMapping small(w, 4096);
        small.Fill('#');
        EXPECT_EQ(Call(w, kGetText, 0), 0);
        EXPECT_EQ(std::string(small.View(), 4096), std::string(4096, '#'));
    }
    Call(v.Editor(), EM_UNDO);
    ASSERT_EQ(v.Text(), text);

    // Atoms: integer ones, deleted ones, names that are no plain file.
    const LPARAM integer = Atom("#123");
    ASSERT_EQ(integer, 123);
    Call(w, kOpenFile, 0, integer);
    const LPARAM deleted = Atom(other);
    GlobalDeleteAtom(static_cast<ATOM>(deleted));
    Call(w, kOpenFile, 0, deleted);
    for (const std::string& name : {dir_.Path(), dir_.File("con"), std::string("other.txt"), dir_.File("missing.txt"),
                                    std::string("\\\\.\\pipe\\vellumo"), "C:\\" + std::string(250, 'n')}) {
        Call(w, kOpenFile, 0, Atom(name));
        EXPECT_TRUE(AtomGone(name)) << name;
    }
    EXPECT_EQ(v.FindDialog(), nullptr);
    EXPECT_EQ(v.FileName(), path);
    // A name of 255 characters arrives whole.
    const std::string longest(255, 's');
    Call(w, kSetStatusText, 0, Atom(longest));
    EXPECT_EQ(Panel(w, 0), longest);
    EXPECT_TRUE(AtomGone(longest));
    // No atom, or a value that is none, clears a shown status text.
    for (LPARAM none : {LPARAM{0}, LPARAM{1}, LPARAM{0xBFFF}, LPARAM{0x10000}, static_cast<LPARAM>(0xFFFFFFFFu)}) {
        Call(w, kSetStatusText, 0, Atom("shown"));
        ASSERT_EQ(Panel(w, 0), "shown");
        Call(w, kSetStatusText, 0, none);
        EXPECT_EQ(Panel(w, 0), "") << none;
    }
    // A settings folder that does not exist is never made.
    const std::string missing = dir_.File("no such folder");
    Call(w, kSetIniFolder, 0, Atom(missing));
    Call(w, kSetIniFolder, 0, Atom("relative"));
    EXPECT_FALSE(FileExists(missing));

    // Drop handles made up by another process.
    for (std::uint64_t h : {std::uint64_t{0}, std::uint64_t{0x12345678}, std::uint64_t{0xFFFFFFFF},
                            std::uint64_t{0xFFFF'FFFF'0000'1234}, reinterpret_cast<std::uint64_t>(w)})
        PostMessageA(w, WM_DROPFILES, static_cast<WPARAM>(h), 0);
    v.Sync();
    EXPECT_EQ(v.FileName(), path);
    EXPECT_EQ(WindowsOf(0, "TVellumoMainForm", true).size(), 1u);

    // Still alive and answering, with its text.
    EXPECT_TRUE(v.Running());
    EXPECT_GT(Call(w, kGetRowCount), 0);
    EXPECT_EQ(v.Text(), text);
    Close(v);
}

TEST_F(Messages, ALockedDocumentStaysLockedAndUnchanged)
{
    const std::string path = dir_.File("locked.txt");
    ASSERT_TRUE(WriteFileBytes(path, "locked\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, "/rl " + Quoted(path)));
    const HWND w = v.MainWindow(), ed = v.Editor();
    EXPECT_EQ(Call(ed, EM_SETREADONLY, FALSE), FALSE);
    EXPECT_EQ(Call(ed, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new")), FALSE);
    Call(ed, EM_SETSEL, 0, 0);
    Call(ed, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    Call(ed, WM_PASTE);
    Call(ed, WM_CLEAR);
    {
        TMapping map(w, 4096);
        map.Put("new");
        EXPECT_EQ(Call(w, kSetText, 0, 3), 0);
        EXPECT_EQ(Call(w, kSetText, 1, 3), 0);
    }
    Call(w, kSave);
    EXPECT_EQ(v.Text(), "locked\r\n");
    EXPECT_FALSE(v.Modified());
    Close(v);
    EXPECT_EQ(ReadFileBytes(path), "locked\r\n");
}

} // namespace
} // namespace e2e
