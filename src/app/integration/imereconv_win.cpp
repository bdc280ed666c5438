#include "app/integration/imereconv_win.h"

#include <cstring>

#include "classlib/ime_win.h"
#include "editor/editor_win.h"
#include "editor/imereq_win.h"

namespace vellumo {
inline namespace ReConv {

namespace {

// The library is looked for once, and freed when the program ends.
class TReconvertLibrary {
public:
    TReconvertLibrary()
    {
        if (ImeSupportsReconvert()) return;
        char folder[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH - 16) return;
        const std::string path = std::string(folder, n) + "\\atoklib.dll";
        module_ = LoadLibraryA(path.c_str());
        if (reinterpret_cast<UINT_PTR>(module_) <= 32) {
            module_ = nullptr;
            return;
        }
        entry_ = reinterpret_cast<TReconvertEntry>(
            reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(305))));
    }
    ~TReconvertLibrary()
    {
        if (module_) FreeLibrary(module_);
    }
    TReconvertLibrary(const TReconvertLibrary&) = delete;
    TReconvertLibrary& operator=(const TReconvertLibrary&) = delete;
    TReconvertEntry Entry() const noexcept { return entry_; }

private:
    HMODULE module_ = nullptr;
    TReconvertEntry entry_ = nullptr;
};

bool g_entryReplaced = false;
TReconvertEntry g_entry = nullptr;
bool g_running = false;

// A zeroed movable block, locked for its scope.
class TLockedBlock {
public:
    explicit TLockedBlock(std::size_t size)
        : handle_(size ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size) : nullptr),
          data_(handle_ ? GlobalLock(handle_) : nullptr)
    {
    }
    ~TLockedBlock()
    {
        if (data_) GlobalUnlock(handle_);
        if (handle_) GlobalFree(handle_);
    }
    TLockedBlock(const TLockedBlock&) = delete;
    TLockedBlock& operator=(const TLockedBlock&) = delete;
    void* Data() const noexcept { return data_; }

private:
    HGLOBAL handle_;
    void* data_;
};

HWND ImeWindowOf(HWND window) { return window ? InputMethod().GetDefaultIMEWnd(window) : nullptr; }

} // namespace

TReconvertEntry ReconvertEntry()
{
    if (g_entryReplaced) return g_entry;
    static const TReconvertLibrary library;
    return library.Entry();
}

TReconvertEntry SetReconvertEntry(TReconvertEntry entry)
{
    const TReconvertEntry old = g_entryReplaced ? g_entry : nullptr;
    g_entryReplaced = entry != nullptr;
    g_entry = entry;
    return old;
}

int GetImeKind()
{
    if (ImeSupportsReconvert()) return ikSetString;
    if (HWND ime = ImeWindowOf(GetActiveWindow())) {
        DWORD_PTR answer = 0;
        // A hung input method must not hang the menu.
        if (SendMessageTimeoutA(ime, ReconvertMessages().Request, 0x10000000, 0, SMTO_ABORTIFHUNG, 2000, &answer) &&
            static_cast<LONG_PTR>(answer) > 0)
            return ikRequest;
    }
    char description[256] = {};
    const UINT n = InputMethod().GetDescriptionA(GetKeyboardLayout(0), description, 255);
    if (n > 0 && n < sizeof description && std::strstr(description, "ATOK")) return ikLibrary;
    return ikNone;
}

bool SetReconvertString(HWND window, std::string_view text, bool wide, int kind)
{
    const std::size_t size = BuildReconvertString(nullptr, 0, text, wide);
    if (size == 0 || size > MAXDWORD) return false;
    TLockedBlock block(size);
    if (!block.Data() || BuildReconvertString(block.Data(), size, text, wide) != size) return false;
    TImeContext context(window);
    if (!context) return false;
    const DWORD bytes = static_cast<DWORD>(size);
    if (kind == ikSetString) {
        return wide ? InputMethod().SetCompositionStringW(context.Get(), SCS_SETRECONVERTSTRING, block.Data(), bytes)
                    : InputMethod().SetCompositionStringA(context.Get(), SCS_SETRECONVERTSTRING, block.Data(), bytes);
    }
    const TReconvertEntry entry = ReconvertEntry();
    if (!entry) return false;
    InputMethod().SetOpenStatus(context.Get(), true);
    return entry(context.Get(), 1, block.Data(), bytes) != FALSE;
}

void ReconvertSelection(TEditor& control, const std::string& text)
{
    if (text.empty() || g_running) return;
    g_running = true;
    struct TDone {
        ~TDone() { g_running = false; }
    } done;
    const int kind = GetImeKind();
    control.SetFocus();
    if (kind == ikNone) return;
    control.CaretToSelStart();
    HWND window = control.Handle();
    switch (kind) {
    case ikLibrary: SetReconvertString(window, text, true, kind); break;
    case ikRequest:
        if (HWND ime = ImeWindowOf(window))
            PostMessageA(ime, ReconvertMessages().Request, 0, reinterpret_cast<LPARAM>(window));
        break;
    case ikSetString: SetReconvertString(window, text, true, kind); break;  // the NT family: wide
    default: break;
    }
}

} // namespace ReConv
} // namespace vellumo
