#include "app/integration/browserpreview.h"

#include "base/filebytes.h"
#include "base/leadbytes.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

constexpr TBrowserRow kRows[] = {
    {"mIE", "tbIE", {"IEFrame", nullptr}, "Iexplore",
     "Internet Explorer の起動に失敗しました。パスの設定を確認して下さい。"},
    {"mNN", "tbNN", {"MozillaUIWindowClass", "MozillaWindowClass"}, "Firefox",
     "Mozilla Firefox の起動に失敗しました。パスの設定を確認して下さい。"},
};

constexpr unsigned kOkCancel = 0x01;
constexpr int kAnswerOkButton = 1;

bool IsSecond(TPreviewBrowser b) noexcept { return b == TPreviewBrowser::Second; }

// Byte offset just past the last path separator ("\" or "/" as a whole
// character), or 0.
std::size_t NameStart(std::string_view path) noexcept
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto b = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(b) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (b == '\\' || b == '/') start = i + 1;
    }
    return start;
}

char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

const TBrowserRow& BrowserRow(TPreviewBrowser browser) noexcept { return kRows[IsSecond(browser) ? 1 : 0]; }

const std::string& BrowserPath(const TAppIniBw& s, TPreviewBrowser browser) noexcept
{
    return IsSecond(browser) ? s.MfPath : s.IePath;
}

bool BrowserDde(const TAppIniBw& s, TPreviewBrowser browser) noexcept { return IsSecond(browser) ? s.MfDde : s.IeDde; }

std::string LowerAsciiPath(std::string_view path)
{
    std::string out(path);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < out.size()) {
            ++i;  // the trail stays what it is
            continue;
        }
        out[i] = AsciiLower(out[i]);
    }
    return out;
}

std::string WithoutExe(std::string_view path)
{
    const std::size_t start = NameStart(path);
    std::string out(path.substr(0, start));
    const std::string_view name = path.substr(start);
    for (std::size_t i = 0; i < name.size();) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b == '.' && i + 4 <= name.size() && AsciiLower(name[i + 1]) == 'e' && AsciiLower(name[i + 2]) == 'x' &&
            AsciiLower(name[i + 3]) == 'e') {
            i += 4;
            continue;
        }
        const std::size_t n = IsLeadByte(b) && i + 1 < name.size() ? 2 : 1;
        out.append(name.substr(i, n));
        i += n;
    }
    return out;
}

std::string OpenUrlItem(TPreviewBrowser browser, const std::string& fileName)
{
    if (IsSecond(browser)) return "\"file:///" + fileName + "\",,0xFFFFFFFF,0x3,,,";
    return "\"file:" + fileName + "\",,-1,,,,,";
}

std::string ServiceProgram(TPreviewBrowser browser, const std::string& programPath, const std::string& fileName)
{
    const std::string program = "\"" + WithoutExe(LowerAsciiPath(programPath)) + "\"";
    if (IsSecond(browser)) return program + " \"file:///" + fileName + "\"";
    return program + " -nohome";
}

std::string ShellParameters(const std::string& fileName) { return "\"" + fileName + "\""; }

std::string ShellFolder(const std::string& fileName)
{
    std::string folder = ExtractFileDir(fileName);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // "C:" alone means that drive's current folder
    return folder;
}

TBrowserMenuState BrowserMenuState(const TAppIniBw& b, bool htmlMode, bool htmlDocFilterSet) noexcept
{
    TBrowserMenuState s;
    s.Shown = b.Menu == 0 ? htmlMode && htmlDocFilterSet : b.Menu == 1;
    s.FirstEnabled = s.Shown && !b.IePath.empty();
    s.SecondEnabled = s.Shown && !b.MfPath.empty();
    s.ButtonsShown = (htmlMode && b.Menu == 0) || b.Menu == 1;
    return s;
}

TPreviewSave PreviewSaveAction(int saveRule, bool named, bool modified, bool needsSaveAs) noexcept
{
    if (named && !modified) return TPreviewSave::Go;
    switch (saveRule) {
    case 1: return TPreviewSave::AskThenSave;
    case 0:
        if (needsSaveAs) return TPreviewSave::SaveAs;
        return modified ? TPreviewSave::Save : TPreviewSave::Go;
    default: return TPreviewSave::Go;
    }
}

bool SaveBeforePreview(const TAppIniBw& settings, const TPreviewDocument& doc)
{
    const bool named = doc.CurrentFileName && !doc.CurrentFileName().empty();
    // Asked only when a save is possible at all: a named unchanged document goes on.
    const bool needsSaveAs = doc.NeedsSaveAs && doc.NeedsSaveAs();
    auto run = [](const std::function<bool()>& f) { return f && f(); };
    switch (PreviewSaveAction(settings.Save, named, doc.Modified, needsSaveAs)) {
    case TPreviewSave::Go: return true;
    case TPreviewSave::Save: return run(doc.Save);
    case TPreviewSave::SaveAs: return run(doc.SaveAs);
    case TPreviewSave::AskThenSave:
        if (ShowMsg(kPreviewSaveQuestion, kMsgCaption, kOkCancel | kMsgIconInformation) != kAnswerOkButton)
            return false;
        return needsSaveAs ? run(doc.SaveAs) : run(doc.Save);
    }
    return false;
}

bool OpenOverDde(TPreviewBrowser browser, const std::string& programPath, const std::string& fileName,
                 IDdeConversation& c)
{
    c.SetServiceApplication(ServiceProgram(browser, programPath, fileName));
    const char* service = BrowserRow(browser).DdeService;
    if (!c.SetLink(service, kOpenUrlTopic) || !c.RequestData(OpenUrlItem(browser, fileName))) {
        c.CloseLink();
        return false;
    }
    // The file is open; bringing the browser forward may fail unseen.
    if (c.SetLink(service, kActivateTopic)) c.RequestData(kActivateItem);
    c.CloseLink();
    return true;
}

void PreviewInBrowser(TPreviewBrowser browser, const TAppIniBw& settings, bool itemVisible, const TPreviewDocument& doc,
                      const TPreviewShell& shell)
{
    const std::string& program = BrowserPath(settings, browser);
    if (program.empty()) {
        SoundBeep();
        return;
    }
    const TBrowserRow& row = BrowserRow(browser);
    if (itemVisible && shell.FileExists && !shell.FileExists(program)) {
        ShowMsg(row.StartFailure, kMsgCaption, kMsgIconError);
        return;
    }
    if (!SaveBeforePreview(settings, doc)) return;
    const std::string file = doc.CurrentFileName ? doc.CurrentFileName() : std::string();
    if (file.empty()) return;  // nothing on disk to show
    if (BrowserDde(settings, browser) && shell.FindBrowserWindow) {
        if (void* window = shell.FindBrowserWindow(row)) {
            if (shell.BringForward) shell.BringForward(window);
            std::unique_ptr<IDdeConversation> c = shell.NewConversation ? shell.NewConversation() : nullptr;
            if (c && OpenOverDde(browser, program, file, *c)) return;
            // A browser that does not answer is started with the file instead.
        }
    }
    const std::intptr_t result = shell.ShellOpen ? shell.ShellOpen(program, ShellParameters(file), ShellFolder(file)) : 0;
    if (result <= 32) ShowMsg(row.StartFailure, kMsgCaption, kMsgIconError);
}

} // namespace vellumo
