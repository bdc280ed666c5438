#pragma once
// Showing the document in one of two browsers: the document is saved first
// (by the [Browser] Save rule), then a running browser is asked to open it
// over DDE, or the browser program is started with it. What the system does
// (windows, DDE, starting programs, files) comes through TPreviewShell, which
// tests replace. Portable.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace vellumo {

// The two browsers: the browser (menu item mIE, [Browser] IePath, IeDde) and
// the second browser (mNN, MfPath, MfDde).
enum class TPreviewBrowser { First, Second };

struct TBrowserRow {
    const char* MenuItem;
    const char* Button;
    std::array<const char*, 2> WindowClasses;  // a null second: one class
    const char* DdeService;
    const char* StartFailure;  // the message when the program cannot be started
};
const TBrowserRow& BrowserRow(TPreviewBrowser browser) noexcept;
const std::string& BrowserPath(const TAppIniBw& settings, TPreviewBrowser browser) noexcept;
bool BrowserDde(const TAppIniBw& settings, TPreviewBrowser browser) noexcept;

// ASCII letters lower-cased; the bytes of a double-byte character (whose
// trail may be "A".."Z") are left as they are.
std::string LowerAsciiPath(std::string_view path);
// ".exe" (any case) taken out of the last component only: a folder named
// "x.exe" keeps its name.
std::string WithoutExe(std::string_view path);

// The WWW_OpenURL item for a file, and the program line the DDE client
// starts when no server answers.
std::string OpenUrlItem(TPreviewBrowser browser, const std::string& fileName);
std::string ServiceProgram(TPreviewBrowser browser, const std::string& programPath, const std::string& fileName);
inline constexpr const char* kOpenUrlTopic = "WWW_OpenURL";
inline constexpr const char* kActivateTopic = "WWW_Activate";
inline constexpr const char* kActivateItem = "0xFFFFFFFF,0x0";

// ShellExecute's parameters for a file: the file in double quotes, and its
// folder as the working folder, bare (the call takes no quotes there); a
// file at a root keeps its "\".
std::string ShellParameters(const std::string& fileName);
std::string ShellFolder(const std::string& fileName);

// Visibility and enabling of the browser commands (UpdateBrowserMenus).
struct TBrowserMenuState {
    bool Shown = false;                          // both items and their separator
    bool FirstEnabled = false, SecondEnabled = false;
    bool ButtonsShown = false;                   // both buttons and their separator
    bool operator==(const TBrowserMenuState&) const = default;
};
TBrowserMenuState BrowserMenuState(const TAppIniBw& browser, bool htmlMode, bool htmlDocFilterSet) noexcept;

// The save before a preview.
enum class TPreviewSave {
    Go,         // nothing to save
    Save,       // over the current file
    SaveAs,     // a new name
    AskThenSave // ask first (OK: Save or SaveAs by NeedsSaveAs)
};
TPreviewSave PreviewSaveAction(int saveRule, bool named, bool modified, bool needsSaveAs) noexcept;
inline constexpr const char* kPreviewSaveQuestion = "編集中のファイルを上書き保存します。";

// A DDE conversation of the class library's kind, as the preview uses it.
class IDdeConversation {
public:
    virtual ~IDdeConversation() = default;
    virtual void SetServiceApplication(const std::string& commandLine) = 0;
    virtual bool SetLink(const std::string& service, const std::string& topic) = 0;
    // A request transaction with a 10 s time-out; false when it failed.
    virtual bool RequestData(const std::string& item) = 0;
    virtual void CloseLink() = 0;
};

// What the preview needs of the system.
struct TPreviewShell {
    std::function<bool(const std::string& path)> FileExists;
    // The first window, in the system's order, of one of the classes that is
    // visible and enabled; null when there is none.
    std::function<void*(const TBrowserRow& row)> FindBrowserWindow;
    std::function<void(void* window)> BringForward;
    std::function<std::unique_ptr<IDdeConversation>()> NewConversation;
    // ShellExecute "open", SW_SHOWNORMAL: its result (32 or less: failed).
    std::function<std::intptr_t(const std::string& program, const std::string& parameters,
                                const std::string& folder)>
        ShellOpen;
};

// The document as the preview sees it; the save steps are the document functions.
struct TPreviewDocument {
    bool Modified = false;
    std::function<bool()> NeedsSaveAs;
    std::function<bool()> Save;    // over the current file
    std::function<bool()> SaveAs;
    // The document's name now (a Save As gives a new one); empty: untitled.
    std::function<std::string()> CurrentFileName;
};

// SaveBeforePreview: whether to go on with the preview.
bool SaveBeforePreview(const TAppIniBw& settings, const TPreviewDocument& doc);

// The command: settings, whether its menu item is visible, the document.
void PreviewInBrowser(TPreviewBrowser browser, const TAppIniBw& settings, bool itemVisible, const TPreviewDocument& doc,
                      const TPreviewShell& shell);

// Asks the running browser to open the file; false when the exchange failed
// (the caller then starts the program).
bool OpenOverDde(TPreviewBrowser browser, const std::string& programPath, const std::string& fileName,
                 IDdeConversation& conversation);

} // namespace vellumo
