#include "settings/settingsdecl.h"

#include "base/colorcodec.h"
#include "base/numtext.h"

namespace vellumo {

std::string StripPercentWrap(std::string_view value)
{
    if (value == "%") return {};  // its own first and last character
    if (value.size() >= 2 && value.front() == '%' && value.back() == '%')
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

std::string WrapPercent(std::string_view value)
{
    std::string s;
    s.reserve(value.size() + 2);
    s += '%';
    s += value;
    s += '%';
    return s;
}

namespace {

int MachineInt(TMachineValue m, const TMachineDefaults& machine, int fallback)
{
    switch (m) {
    case TMachineValue::WindowLeft: return machine.MainWindowBounds().Left;
    case TMachineValue::WindowTop: return machine.MainWindowBounds().Top;
    case TMachineValue::WindowWidth: return machine.MainWindowBounds().Width;
    case TMachineValue::WindowHeight: return machine.MainWindowBounds().Height;
    case TMachineValue::ToolButtonImages: return machine.IsWindowsXpOrLater() ? 1 : 0;
    default: return fallback;
    }
}

std::string MachineString(TMachineValue m, const TMachineDefaults& machine, const char* fallback)
{
    switch (m) {
    case TMachineValue::DocumentsFolder: return machine.DocumentsFolder();
    case TMachineValue::TempFolder: return machine.TempFolder();
    case TMachineValue::IePath: return machine.BrowserPath(kIeAppPathsKey);
    case TMachineValue::MfPath: return machine.BrowserPath(kMfAppPathsKey);
    case TMachineValue::HistoryNoDirs: return machine.DesktopFolder() + ";" + machine.ProgramFolder();
    default: return fallback;
    }
}

template <class Root>
int DefaultInt(const TSettingDecl<Root>& d, const TMemIniFile& ini, const TMachineDefaults& machine)
{
    if (d.Rule == TKeyRule::DefaultOnWhenOtherAbsent) return ini.ValueExists(d.Section, d.Other) ? 0 : 1;
    return MachineInt(d.Machine, machine, d.DefInt);
}

template <class Root>
void ReadOne(const TSettingDecl<Root>& d, const TMemIniFile& ini, const TMachineDefaults& machine, Root& root)
{
    const bool present = ini.ValueExists(d.Section, d.Key);
    const std::string text = present ? ini.ReadString(d.Section, d.Key, "") : std::string();
    switch (d.Kind) {
    case TValueKind::Int: {
        int v = 0;
        if (!present || !TryStrToInt(text, v)) v = DefaultInt(d, ini, machine);
        if (d.Rule == TKeyRule::NegativeReadsAsOne && v < 0) v = 1;
        *d.Field.AsInt(root) = v;
        break;
    }
    case TValueKind::Bool: {
        int v = 0;
        if (!present || !TryStrToInt(text, v)) v = DefaultInt(d, ini, machine);
        *d.Field.AsBool(root) = v != 0;
        break;
    }
    case TValueKind::Color: {
        TColor c = 0;
        if (!present || !TryStringToColor(text, c)) c = DefaultInt(d, ini, machine);
        *d.Field.AsInt(root) = c;
        break;
    }
    case TValueKind::String:
    case TValueKind::RawString:
        // Present and empty stays empty: only an absent key takes the default.
        *d.Field.AsString(root) = present ? text : MachineString(d.Machine, machine, d.DefStr);
        break;
    case TValueKind::PercentString:
        *d.Field.AsString(root) = present ? StripPercentWrap(text) : MachineString(d.Machine, machine, d.DefStr);
        break;
    }
}

bool SameSection(const char* a, std::string_view b)
{
    return FoldAsciiCase(a) == FoldAsciiCase(b);
}

} // namespace

template <class Root>
void ReadSettingDecls(std::span<const TSettingDecl<Root>> decls, const TMemIniFile& ini,
                      const TMachineDefaults& machine, Root& root, std::string_view section)
{
    for (const auto& d : decls)
        if (section.empty() || SameSection(d.Section, section)) ReadOne(d, ini, machine, root);
    // Rules that depend on another key's value, once every value is in.
    for (const auto& d : decls) {
        if (d.Rule != TKeyRule::OffWhenOtherEmpty) continue;
        if (!section.empty() && !SameSection(d.Section, section)) continue;
        const auto* other = FindSettingDecl(decls, d.Section, d.Other);
        if (other && other->Field.AsString && other->Field.AsString(root)->empty()) *d.Field.AsBool(root) = false;
    }
}

template <class Root>
std::string SettingText(const TSettingDecl<Root>& d, const Root& root)
{
    Root& r = const_cast<Root&>(root);  // the accessors only take the member's address
    switch (d.Kind) {
    case TValueKind::Int: return std::to_string(*d.Field.AsInt(r));
    case TValueKind::Bool: return *d.Field.AsBool(r) ? "1" : "0";
    case TValueKind::Color: return ColorToString(*d.Field.AsInt(r));
    case TValueKind::String:
    case TValueKind::RawString: return *d.Field.AsString(r);
    case TValueKind::PercentString: return WrapPercent(*d.Field.AsString(r));
    }
    return {};
}

template <class Root>
void WriteSettingDecls(std::span<const TSettingDecl<Root>> decls, TMemIniFile& ini, const Root& root,
                       std::string_view section)
{
    for (const auto& d : decls)
        if (d.Written && (section.empty() || SameSection(d.Section, section)))
            ini.WriteString(d.Section, d.Key, SettingText(d, root));
}

namespace {

class TNoMachine : public TMachineDefaults {
public:
    TWindowBounds MainWindowBounds() const override { return {}; }
    bool IsWindowsXpOrLater() const override { return true; }
    std::string DocumentsFolder() const override { return {}; }
    std::string DesktopFolder() const override { return {}; }
    std::string TempFolder() const override { return {}; }
    std::string ProgramFolder() const override { return {}; }
    std::string BrowserPath(std::string_view) const override { return {}; }
};

} // namespace

const TMachineDefaults& NoMachineDefaults()
{
    static const TNoMachine machine;
    return machine;
}

TAppSearchOptions ReadSearchOptionSettings(const TMemIniFile& ini)
{
    TAppSearchOptions o;
    ReadSettingDecls(SearchOptionDecls(), ini, NoMachineDefaults(), o);
    return o;
}

void WriteSearchOptionSettings(TMemIniFile& ini, const TAppSearchOptions& options, bool withConfirm)
{
    for (const auto& d : SearchOptionDecls()) {
        // Only the replace dialog asks the question; the find dialog leaves it.
        if (!withConfirm && std::string_view(d.Key) == "ReplaceConfirm") continue;
        ini.WriteString(d.Section, d.Key, SettingText(d, options));
    }
}

void WriteWindowPlacementSettings(TMemIniFile& ini, const TAppWindowPlacement& placement)
{
    for (const auto& d : WindowPlacementDecls()) {
        // A maximised window leaves the bounds it had before as they are.
        if (placement.WindowMax && !d.Field.AsBool) continue;
        ini.WriteString(d.Section, d.Key, SettingText(d, placement));
    }
}

#define VELLUMO_SETTINGS_ROOT(Root)                                                                          \
    template void ReadSettingDecls<Root>(std::span<const TSettingDecl<Root>>, const TMemIniFile&,            \
                                         const TMachineDefaults&, Root&, std::string_view);                  \
    template void WriteSettingDecls<Root>(std::span<const TSettingDecl<Root>>, TMemIniFile&, const Root&,    \
                                          std::string_view);                                                 \
    template std::string SettingText<Root>(const TSettingDecl<Root>&, const Root&);

VELLUMO_SETTINGS_ROOT(TAppSettings)
VELLUMO_SETTINGS_ROOT(TAppIniPrn)
VELLUMO_SETTINGS_ROOT(TAppSearchOptions)
VELLUMO_SETTINGS_ROOT(TAppWindowPlacement)

} // namespace vellumo
