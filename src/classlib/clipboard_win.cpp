#include "classlib/clipboard_win.h"

#include <cstring>

namespace vellumo {

namespace {

// A movable block holding the bytes and a terminating zero of the given width.
HGLOBAL MakeBlock(const void* data, std::size_t bytes, std::size_t zeroBytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes + zeroBytes);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    if (bytes) std::memcpy(p, data, bytes);
    std::memset(static_cast<char*>(p) + bytes, 0, zeroBytes);
    GlobalUnlock(h);
    return h;
}

// The data of a clipboard block, never read past the block's size.
template <typename Char>
std::basic_string<Char> ReadBlock(HANDLE h)
{
    std::basic_string<Char> out;
    if (!h) return out;
    const SIZE_T size = GlobalSize(h);
    const auto* p = static_cast<const Char*>(GlobalLock(h));
    if (!p) return out;
    const std::size_t n = size / sizeof(Char);
    std::size_t len = 0;
    while (len < n && p[len] != 0) ++len;
    out.assign(p, len);
    GlobalUnlock(h);
    return out;
}

} // namespace

UINT TClipboard::BoxFormat()
{
    static const UINT format = RegisterClipboardFormatA(kBoxFormatName);
    return format;
}

TClipboard::~TClipboard()
{
    if (openCount_ > 0) {
        openCount_ = 0;
        CloseClipboard();
    }
    if (ownWindow_) DestroyWindow(ownWindow_);
}

void TClipboard::SetRetry(int attempts, DWORD pauseMs)
{
    attempts_ = attempts < 1 ? 1 : attempts;
    pauseMs_ = pauseMs;
}

HWND TClipboard::OwnerWindow()
{
    if (owner_ && IsWindow(owner_)) return owner_;
    if (!ownWindow_)
        ownWindow_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                     nullptr);
    return ownWindow_;
}

bool TClipboard::Open()
{
    if (openCount_ > 0) {
        ++openCount_;
        return true;
    }
    const HWND owner = OwnerWindow();
    // Another program may hold the clipboard for a moment; never wait long.
    for (int i = 0; i < attempts_; ++i) {
        if (i > 0) Sleep(pauseMs_);
        if (OpenClipboard(owner)) {
            openCount_ = 1;
            emptied_ = false;
            return true;
        }
    }
    return false;
}

void TClipboard::Close()
{
    if (openCount_ == 0) return;
    if (--openCount_ == 0) CloseClipboard();
}

bool TClipboard::EmptyOnce()
{
    if (emptied_) return true;
    if (!EmptyClipboard()) return false;
    emptied_ = true;
    return true;
}

bool TClipboard::SetAsHandle(UINT format, HGLOBAL block)
{
    if (!block) return false;
    TClipboardOpen open(*this);
    if (!open.Ok() || !EmptyOnce() || !SetClipboardData(format, block)) {
        GlobalFree(block);
        return false;
    }
    return true;
}

bool TClipboard::SetTextBuf(std::string_view text, bool allowEmpty)
{
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    if (text.empty() && !allowEmpty) return false;
    std::wstring wide;
    if (!text.empty()) {
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        if (n > 0) {
            wide.resize(static_cast<std::size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        }
    }
    TClipboardOpen open(*this);
    if (!open.Ok()) return false;
    HGLOBAL ansi = MakeBlock(text.data(), text.size(), 1);
    if (!SetAsHandle(CF_TEXT, ansi)) return false;
    HGLOBAL uni = MakeBlock(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t));
    return SetAsHandle(CF_UNICODETEXT, uni);
}

bool TClipboard::SetBoxText(std::string_view text)
{
    TClipboardOpen open(*this);
    if (!open.Ok() || !SetTextBuf(text)) return false;
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    return SetAsHandle(BoxFormat(), MakeBlock(text.data(), text.size(), 1));
}

std::string TClipboard::AsText()
{
    TClipboardOpen open(*this);
    if (!open.Ok()) return {};
    return ReadBlock<char>(GetClipboardData(CF_TEXT));
}

std::wstring TClipboard::AsWideText()
{
    TClipboardOpen open(*this);
    if (!open.Ok()) return {};
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) return ReadBlock<wchar_t>(GetClipboardData(CF_UNICODETEXT));
    if (!IsClipboardFormatAvailable(CF_TEXT)) return {};
    const std::string ansi = ReadBlock<char>(GetClipboardData(CF_TEXT));
    std::wstring wide;
    if (ansi.empty()) return wide;
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0) return wide;
    wide.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

std::string TClipboard::AsAnsiText()
{
    const std::wstring wide = AsWideText();
    std::string out;
    if (wide.empty()) return out;
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    if (n <= 0) return out;
    out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

TClipboard& Clipboard()
{
    static TClipboard clipboard;
    return clipboard;
}

} // namespace vellumo
