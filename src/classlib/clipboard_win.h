#pragma once
// The system clipboard (Windows only; GUI thread). Opening nests: the first
// Open opens the clipboard, retrying for a short bounded time while another
// program holds it, and the last Close closes it; the first write of an
// opening empties the clipboard once, so several formats go on together.
#include <windows.h>

#include <string>
#include <string_view>

namespace vellumo {

class TClipboard {
public:
    // The registered format whose presence marks the text as a box.
    static constexpr const char* kBoxFormatName = "TEditor Box Type";
    static UINT BoxFormat();

    TClipboard() = default;
    ~TClipboard();
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // The window that owns what is put on the clipboard; without one the
    // object makes a hidden message window of its own.
    void SetOwner(HWND owner) { owner_ = owner; }
    // Attempts of OpenClipboard and the pause between them.
    void SetRetry(int attempts, DWORD pauseMs);

    bool Open();
    void Close();
    bool IsOpen() const noexcept { return openCount_ > 0; }

    bool HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }
    bool HasText() const { return HasFormat(CF_TEXT); }
    bool HasBoxText() const { return HasFormat(BoxFormat()); }

    // Puts code-page text as CF_TEXT and as CF_UNICODETEXT. An empty text
    // changes nothing (and gives false) unless allowEmpty says it may
    // replace what the clipboard holds.
    bool SetTextBuf(std::string_view text, bool allowEmpty = false);
    // Hands a movable global block over to the clipboard. The block is
    // freed here when the clipboard does not take it, so it never leaks.
    bool SetAsHandle(UINT format, HGLOBAL block);
    // Text plus the box marker (a block with the same bytes and a zero).
    bool SetBoxText(std::string_view text);

    // The CF_TEXT bytes up to their zero (bounded by the block's size).
    std::string AsText();
    // Unicode text when offered, else CF_TEXT through the ANSI code page;
    // empty when neither is there.
    std::wstring AsWideText();
    // AsWideText in the ANSI code page (characters it cannot hold become
    // its default character).
    std::string AsAnsiText();

private:
    bool EmptyOnce();
    HWND OwnerWindow();

    HWND owner_ = nullptr;
    HWND ownWindow_ = nullptr;
    int openCount_ = 0;
    bool emptied_ = false;
    int attempts_ = 20;
    DWORD pauseMs_ = 10;
};

// Holds the clipboard open for a scope (also when it is left by an exception).
class TClipboardOpen {
public:
    explicit TClipboardOpen(TClipboard& c) : c_(c), ok_(c.Open()) {}
    ~TClipboardOpen()
    {
        if (ok_) c_.Close();
    }
    TClipboardOpen(const TClipboardOpen&) = delete;
    TClipboardOpen& operator=(const TClipboardOpen&) = delete;
    bool Ok() const noexcept { return ok_; }

private:
    TClipboard& c_;
    bool ok_;
};

// The process's clipboard object.
TClipboard& Clipboard();

} // namespace vellumo
