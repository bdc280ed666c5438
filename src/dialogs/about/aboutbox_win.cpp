#include "dialogs/about/aboutbox_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "base/filebytes.h"
#include "dialogs/about/aboutbox.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/jump/jumpeditor_win.h"

namespace vellumo {

namespace {

// The user's name from the system; false when it gives none.
bool SystemUserName(std::string& name)
{
    char buf[257] = {};
    DWORD size = sizeof buf;
    if (!GetUserNameA(buf, &size)) return false;
    name = buf;
    return true;
}

// An edit the user can select and copy from, looking like a label.
void ShowAsText(TEdit& edit)
{
    edit.SetReadOnly(true);
    edit.SetBorder(false);
    edit.SetTabStop(false);
}

} // namespace

TIconImage::TIconImage(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

void TIconImage::Created()
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

TBevelLine::TBevelLine(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

TAboutBox::TAboutBox() : TForm(MainWindow())
{
    SetCaption("バージョン情報");
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetClientSize(340, 262);
    Image1.SetBounds(16, 16, 32, 32);
    AppName.SetBounds(64, 14, 260, 18);
    AppName.SetCaption(kProductName);
    VerNo.SetBounds(64, 36, 260, 16);
    VerNo.SetCaption(kDesignedVersion);
    Label2.SetBounds(64, 56, 260, 16);
    Label2.SetCaption(kDesignedNotice);
    Label2.SetShowAccelChar(false);
    Bevel1.SetBounds(12, 82, 316, 2);
    LabelUser.SetBounds(16, 94, 56, 16);
    Edit_usr.SetBounds(76, 94, 248, 16);
    ShowAsText(Edit_usr);
    LabelIni.SetBounds(16, 116, 56, 16);
    Edit_ini.SetBounds(76, 116, 248, 16);
    ShowAsText(Edit_ini);
    const std::vector<std::string> captions = AboutLinkCaptions();
    int top = 144;
    for (int i = 0; i < 4; ++i, top += 20) {
        TURLLabel& link = *Links()[static_cast<std::size_t>(i)];
        link.SetBounds(16, top, 308, 18);
        link.SetCaption(captions[static_cast<std::size_t>(i)]);
        link.SetShowAccelChar(false);
        link.SetExecutable(false);
        link.SetFontColor(clNavy);
        link.SetHotColor(clBlue);
        link.OnClick = [this, i] { OpenLink(i + 1); };
    }
    Button1.SetBounds(133, 228, 75, 25);
    Button1.SetDefault(true);
    Button1.SetCancel(true);
    SetActiveControl(&Button1);
    Handle();
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

void TAboutBox::DoShow()
{
    const auto& upper = DialogHost().UpperEditor;
    HWND over = EditorWindowOf(upper ? upper() : nullptr);
    PlaceWindowInWorkArea(over ? over : MainWindow(), Handle(), 24, 24);
    AppName.SetCaption(kProductName);
    std::vector<std::string> strings;
    const bool missing = DialogHost().VersionStrings ? DialogHost().VersionStrings(strings) : true;
    const TAboutTexts texts = AboutTextsFromVersion(strings, missing);
    VerNo.SetCaption(texts.Version);
    Label2.SetCaption(texts.Notice);
    std::string user;
    const bool obtained = SystemUserName(user);
    Edit_usr.SetText(UserNameText(obtained, user));
    Edit_ini.SetText(DialogHost().SettingsPath ? ExtractFileDir(DialogHost().SettingsPath()) : std::string());
    TForm::DoShow();
}

void TAboutBox::OpenLink(int link)
{
    const std::string target = AboutLinkTarget(link, Links()[static_cast<std::size_t>(link - 1)]->Caption());
    if (DialogHost().OpenLink)
        DialogHost().OpenLink(target);
    else
        ShellExecuteA(Handle(), "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

bool ShowAboutBox()
{
    TAboutBox box;
    return box.ShowModal() == mrOk;
}

} // namespace vellumo
