#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "classlib/clipboard_win.h"

using namespace vellumo;

namespace {

// "日本語テキスト" in code page 932, and the same as UTF-16.
const std::string kJapanese = "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67";
const std::wstring kJapaneseWide = L"\u65E5\u672C\u8A9E\u30C6\u30AD\u30B9\u30C8";

// Another thread holds the clipboard open for a while, as another program would.
struct THolder {
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = nullptr;
    DWORD holdMs = 0;

    explicit THolder(DWORD ms) : holdMs(ms)
    {
        thread = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
        WaitForSingleObject(opened, 5000);
    }
    ~THolder()
    {
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
        CloseHandle(opened);
    }
    static DWORD WINAPI Run(void* p)
    {
        auto* self = static_cast<THolder*>(p);
        const BOOL ok = OpenClipboard(nullptr);
        SetEvent(self->opened);
        Sleep(self->holdMs);
        if (ok) CloseClipboard();
        return 0;
    }
};

// Puts data on the clipboard the way another program does.
void ForeignSet(UINT format, const void* data, std::size_t bytes)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(h), data, bytes);
    GlobalUnlock(h);
    EXPECT_TRUE(SetClipboardData(format, h));
    CloseClipboard();
}

class ClipboardTest : public ::testing::Test {
protected:
    TClipboard clip;
};

TEST_F(ClipboardTest, TextRoundTripsInBothFormats)
{
    ASSERT_TRUE(clip.SetTextBuf("abc\r\ndef"));
    EXPECT_TRUE(clip.HasText());
    EXPECT_TRUE(clip.HasFormat(CF_UNICODETEXT));
    EXPECT_FALSE(clip.HasBoxText());
    EXPECT_EQ(clip.AsText(), "abc\r\ndef");
    EXPECT_EQ(clip.AsWideText(), L"abc\r\ndef");

    ASSERT_TRUE(clip.SetTextBuf(kJapanese + "\r\n$x"));
    EXPECT_EQ(clip.AsText(), kJapanese + "\r\n$x");
    EXPECT_EQ(clip.AsWideText(), kJapaneseWide + L"\r\n$x");
    EXPECT_EQ(clip.AsAnsiText(), kJapanese + "\r\n$x");
    EXPECT_FALSE(clip.IsOpen());
}

TEST_F(ClipboardTest, ABoxCarriesItsMarkerAndPlainTextDropsIt)
{
    const std::string box = "ab\r\n" + kJapanese + "\r\n";
    ASSERT_TRUE(clip.SetBoxText(box));
    EXPECT_NE(TClipboard::BoxFormat(), 0u);
    EXPECT_TRUE(clip.HasBoxText());
    EXPECT_EQ(clip.AsText(), box);
    // The marker's block holds the same bytes and a zero.
    ASSERT_TRUE(clip.Open());
    HANDLE h = GetClipboardData(TClipboard::BoxFormat());
    ASSERT_NE(h, nullptr);
    ASSERT_GE(GlobalSize(h), box.size() + 1);
    const char* p = static_cast<const char*>(GlobalLock(h));
    EXPECT_EQ(std::string(p, box.size() + 1), box + std::string(1, '\0'));
    GlobalUnlock(h);
    clip.Close();
    // The same name registered elsewhere is the same format.
    EXPECT_EQ(RegisterClipboardFormatA("TEditor Box Type"), TClipboard::BoxFormat());

    ASSERT_TRUE(clip.SetTextBuf("plain"));
    EXPECT_FALSE(clip.HasBoxText());
    EXPECT_EQ(clip.AsText(), "plain");
}

TEST_F(ClipboardTest, NestedOpeningsEmptyOnceAndCloseOnce)
{
    ASSERT_TRUE(clip.Open());
    ASSERT_TRUE(clip.Open());
    EXPECT_TRUE(clip.SetTextBuf("one"));
    const char marker[] = "one";
    EXPECT_TRUE(clip.SetAsHandle(TClipboard::BoxFormat(), GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof marker)));
    clip.Close();
    EXPECT_TRUE(clip.IsOpen());
    clip.Close();
    EXPECT_FALSE(clip.IsOpen());
    clip.Close();  // one too many does nothing
    // Both formats went on together: the second write did not empty the first.
    EXPECT_TRUE(clip.HasText());
    EXPECT_TRUE(clip.HasBoxText());
    // Another object can open it now: it was really closed.
    ASSERT_TRUE(OpenClipboard(nullptr));
    CloseClipboard();
}

TEST_F(ClipboardTest, AnEmptyTextLeavesTheClipboardAloneUnlessAllowed)
{
    ASSERT_TRUE(clip.SetTextBuf("keep me"));
    EXPECT_FALSE(clip.SetTextBuf(""));
    EXPECT_FALSE(clip.SetTextBuf(std::string_view("\0tail", 5)));
    EXPECT_FALSE(clip.SetBoxText(""));
    EXPECT_EQ(clip.AsText(), "keep me");
    EXPECT_FALSE(clip.HasBoxText());
    EXPECT_TRUE(clip.SetTextBuf("", true));
    EXPECT_EQ(clip.AsText(), "");
}

TEST_F(ClipboardTest, TextOfferedOnlyAsUnicodeIsReadAndConverted)
{
    const std::wstring w = kJapaneseWide + L" \u00E9\u4E02 end";  // the last two have no code-page form here
    ForeignSet(CF_UNICODETEXT, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    EXPECT_TRUE(clip.HasText());  // the system offers it as CF_TEXT too
    EXPECT_FALSE(clip.HasBoxText());
    EXPECT_EQ(clip.AsWideText(), w);
    const std::string ansi = clip.AsAnsiText();
    EXPECT_EQ(ansi.substr(0, kJapanese.size() + 1), kJapanese + " ");
    EXPECT_EQ(ansi.substr(ansi.size() - 4), " end");

    // A CF_TEXT block without a terminating zero is read only up to its size
    // (the system may also cut its last byte for a zero of its own).
    const char raw[4] = {'a', 'b', 'c', 'd'};
    ForeignSet(CF_TEXT, raw, sizeof raw);
    const std::string t = clip.AsText();
    EXPECT_GE(t.size(), 3u);
    EXPECT_LE(t.size(), 4u);
    EXPECT_EQ(std::string("abcd").compare(0, t.size(), t), 0);
}

TEST_F(ClipboardTest, RetriesWhileAnotherHolderLetsGoAndGivesUpInBoundedTime)
{
    clip.SetRetry(50, 10);
    {
        THolder brief(60);
        EXPECT_TRUE(clip.SetTextBuf("after the wait"));
    }
    EXPECT_EQ(clip.AsText(), "after the wait");

    clip.SetRetry(5, 10);
    THolder longer(1500);
    const DWORD t0 = GetTickCount();
    EXPECT_FALSE(clip.Open());
    EXPECT_FALSE(clip.IsOpen());
    EXPECT_LT(GetTickCount() - t0, 1000u);
    // A block the clipboard could not take is freed, not leaked.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_FALSE(clip.SetAsHandle(TClipboard::BoxFormat(), block));
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_FALSE(clip.SetTextBuf("lost"));
    EXPECT_EQ(clip.AsText(), "");
}

TEST_F(ClipboardTest, ABlockRefusedByAnOpenClipboardIsFreed)
{
    ASSERT_TRUE(clip.Open());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    // Format 0 is no format: the clipboard refuses it.
    EXPECT_FALSE(clip.SetAsHandle(0, block));
    EXPECT_EQ(GlobalSize(block), 0u);
    clip.Close();
    EXPECT_FALSE(clip.SetAsHandle(CF_TEXT, nullptr));
}

} // namespace
