#include "settings/settingsstore.h"

#include <algorithm>
#include <stdexcept>

#include "settings/printsettings.h"
#include "settings/settingsdecl.h"
#include "base/inifile.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

const std::string kMsgReadOnlySettings = "設定ファイルが読み取り専用のため、設定を保存できません。\r\n";

} // namespace

TSettingsStore::TSettingsStore(std::string path, const TMachineDefaults& machine)
    : path_(std::move(path)), machine_(machine)
{
}

TIniLocation ReadUserIniMode(const std::string& usrIniPath)
{
    return static_cast<TIniLocation>(TMemIniFile(usrIniPath).ReadInteger("INI", "UserIni", ilAppData));
}

std::vector<int> ReadWrapWidths(const TMemIniFile& ini)
{
    const int n = std::clamp(ini.ReadInteger(kSecWrapByteList, kKeyItemCount, 0), 0, MaxWrapWidths);
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        widths.push_back(ini.ReadInteger(kSecWrapByteList, kKeyItemPrefix + std::to_string(i), DefaultWrapWidth));
    return widths;
}

void WriteWrapWidths(TMemIniFile& ini, const std::vector<int>& widths)
{
    ini.EraseSection(kSecWrapByteList);
    const int n = std::min(static_cast<int>(widths.size()), MaxWrapWidths);
    if (n <= 0) return;
    ini.WriteInteger(kSecWrapByteList, kKeyItemCount, n);
    for (int i = 0; i < n; ++i)
        ini.WriteInteger(kSecWrapByteList, kKeyItemPrefix + std::to_string(i), widths[static_cast<std::size_t>(i)]);
}

bool TSettingsStore::LoadSettings()
{
    const TMemIniFile ini(path_);
    TAppSettings s;
    ReadSettingDecls(AppSettingDecls(), ini, machine_, s);
    s.WrapWidths = ReadWrapWidths(ini);
    Settings = std::move(s);
    error_ = ini.ReadFailed() ? ini.ErrorText() : std::string();
    return !ini.ReadFailed();
}

bool TSettingsStore::Commit(TMemIniFile& ini)
{
    errorReported_ = false;
    if (!ini.UpdateFile()) {
        error_ = ini.ErrorText();
        if (ini.ReadOnlyRefused()) {
            // Every toggle writes: one message for the session is enough.
            if (!readOnlyReported_) ShowMsg(kMsgReadOnlySettings + path_, kMsgCaption, kMsgIconExclamation);
            readOnlyReported_ = true;
            errorReported_ = true;
        }
        return false;
    }
    error_.clear();
    if (OnSaved) OnSaved();
    return true;
}

bool TSettingsStore::SaveSettings()
{
    errorReported_ = false;
    TMemIniFile ini(path_);
    if (ini.ReadFailed()) {
        // Writing now would replace the unread file with our sections alone.
        error_ = ini.ErrorText();
        return false;
    }
    WriteSettingDecls(AppSettingDecls(), ini, Settings);
    WriteWrapWidths(ini, Settings.WrapWidths);
    for (const auto& entry : ObsoleteEntries()) {
        if (entry.Key)
            ini.DeleteKey(entry.Section, entry.Key);
        else
            ini.EraseSection(entry.Section);
    }
    return Commit(ini);
}

TSaveResult TSettingsStore::WriteSingle(const std::function<void(TMemIniFile&)>& write)
{
    errorReported_ = false;
    if (Settings.Option.Menu_NoSaveIni) return TSaveResult::Skipped;
    TMemIniFile ini(path_);
    if (ini.ReadFailed()) {
        error_ = ini.ErrorText();
        return TSaveResult::Failed;
    }
    write(ini);
    return Commit(ini) ? TSaveResult::Saved : TSaveResult::Failed;
}

namespace {

void WriteDeclared(TMemIniFile& ini, const TAppSettings& s, const char* section, std::string_view key)
{
    const auto* d = FindSettingDecl(AppSettingDecls(), section, key);
    if (!d) throw std::logic_error("undeclared setting " + std::string(key));
    ini.WriteString(d->Section, d->Key, SettingText(*d, s));
}

} // namespace

TSaveResult TSettingsStore::SaveWrapSetting()
{
    return WriteSingle([this](TMemIniFile& ini) {
        WriteDeclared(ini, Settings, kSecOption, "WordWrap");
        WriteDeclared(ini, Settings, kSecOption, "WrapCount");
    });
}

TSaveResult TSettingsStore::SaveFontSetting()
{
    return WriteSingle([this](TMemIniFile& ini) {
        WriteDeclared(ini, Settings, kSecOption, "FontName");
        WriteDeclared(ini, Settings, kSecOption, "FontSize");
    });
}

TSaveResult TSettingsStore::SaveOptionBool(std::string_view section, std::string_view key, bool value)
{
    const auto* d = FindSettingDecl(AppSettingDecls(), section, key);
    if (!d || d->Kind != TValueKind::Bool || !d->Written) {
        error_ = "not a stored switch: [" + std::string(section) + "] " + std::string(key);
        return TSaveResult::Failed;
    }
    return WriteSingle([&](TMemIniFile& ini) { ini.WriteBool(d->Section, d->Key, value); });
}

TSaveResult TSettingsStore::SaveOptionInt(std::string_view section, std::string_view key, int value)
{
    const auto* d = FindSettingDecl(AppSettingDecls(), section, key);
    if (!d || d->Kind != TValueKind::Int || !d->Written) {
        error_ = "not a stored number: [" + std::string(section) + "] " + std::string(key);
        return TSaveResult::Failed;
    }
    return WriteSingle([&](TMemIniFile& ini) { ini.WriteInteger(d->Section, d->Key, value); });
}

std::string TSettingsStore::PasteQuoteMark() const
{
    return StripPercentWrap(Settings.Option.PasteInyouhu);
}

TAppWindowPlacement TSettingsStore::LoadWindowPlacement()
{
    const TMemIniFile ini(path_);
    TAppWindowPlacement p;
    ReadSettingDecls(WindowPlacementDecls(), ini, machine_, p);
    return p;
}

void TSettingsStore::ReadPrintSettings()
{
    if (printUnsaved_) return;
    TMemIniFile ini(path_);
    TAppIniPrn p = Print;  // the dialog's own choices stay
    ReadSettingDecls(PrintSettingDecls(), ini, machine_, p, kSecPrint);
    ClampPrintSettings(p);
    Print = p;
    if (ini.ReadFailed() || ini.ReadInteger(kSecPrint, "ColPitch", -1) <= 0) return;
    // Housekeeping only: a file that cannot be written keeps the key unasked.
    ini.DeleteKey(kSecPrint, "ColPitch");
    ini.UpdateFile();
}

bool TSettingsStore::SavePrintSettings()
{
    errorReported_ = false;
    TMemIniFile ini(path_);
    bool ok = !ini.ReadFailed();
    if (ok) {
        WriteSettingDecls(PrintSettingDecls(), ini, Print, kSecPrint);
        ok = ini.UpdateFile();
    }
    if (ok) {
        printUnsaved_ = false;
        error_.clear();
        return true;
    }
    error_ = ini.ErrorText();
    printUnsaved_ = true;
    // One message a run: printing goes on with the values in memory.
    if (ini.ReadOnlyRefused()) {
        if (!readOnlyReported_) ShowMsg(kMsgReadOnlySettings + path_, kMsgCaption, kMsgIconExclamation);
        readOnlyReported_ = true;
    } else if (!printFailureReported_) {
        ShowMsg("印刷設定を保存できませんでした。この実行の間はいまの設定で印刷します。\r\n" + path_, kMsgCaption,
                kMsgIconExclamation);
    }
    printFailureReported_ = true;
    errorReported_ = true;
    return false;
}

} // namespace vellumo
