#pragma once
// One declaration per key of the settings file: its section, key, the member
// it fills, how its value is written and read, and its default. Loading,
// saving and the defaults all go through these tables, so every key is
// spelled once.
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "settings/machinedefaults.h"
#include "settings/settings.h"
#include "base/color.h"
#include "base/inifile.h"

namespace vellumo {

enum class TValueKind {
    Int,            // decimal; a value that is not a number reads as the default
    Bool,           // "1"/"0"; any non-zero number reads as true
    Color,          // colour name or "$" and eight hex digits; anything else reads as the default
    String,         // as stored (trimmed)
    PercentString,  // stored between "%" characters, held without them
    RawString       // held as stored, "%" characters included
};

// Defaults that only the machine knows, asked for only when needed.
enum class TMachineValue {
    None,
    WindowLeft,
    WindowTop,
    WindowWidth,
    WindowHeight,
    ToolButtonImages,  // 1 on Windows XP and later, else 0
    DocumentsFolder,
    TempFolder,
    IePath,
    MfPath,
    HistoryNoDirs      // desktop folder ";" program folder
};

enum class TKeyRule {
    None,
    NegativeReadsAsOne,  // a value below 0 reads as 1
    OffWhenOtherEmpty,   // reads as off whenever the string key Other is empty
    DefaultOnWhenOtherAbsent  // default: on when the key Other is absent, off when present
};

template <class Root>
struct TFieldRef {
    int* (*AsInt)(Root&) = nullptr;
    bool* (*AsBool)(Root&) = nullptr;
    std::string* (*AsString)(Root&) = nullptr;
};

template <class Root, class F>
constexpr TFieldRef<Root> MakeFieldRef(F f)
{
    using P = decltype(f(std::declval<Root&>()));
    TFieldRef<Root> r;
    if constexpr (std::is_same_v<P, int*>)
        r.AsInt = +f;
    else if constexpr (std::is_same_v<P, bool*>)
        r.AsBool = +f;
    else {
        static_assert(std::is_same_v<P, std::string*>, "a setting is an int, a bool, a colour or a string");
        r.AsString = +f;
    }
    return r;
}

template <class Root>
struct TSettingDecl {
    const char* Section = "";
    const char* Key = "";
    TValueKind Kind = TValueKind::Int;
    TFieldRef<Root> Field;
    int DefInt = 0;              // Int, Bool and Color defaults
    const char* DefStr = "";     // string defaults
    TMachineValue Machine = TMachineValue::None;
    TKeyRule Rule = TKeyRule::None;
    const char* Other = nullptr; // the key a rule looks at, same section
    bool Written = true;         // false: only read, never written

    constexpr TSettingDecl WithMachine(TMachineValue m) const { auto d = *this; d.Machine = m; return d; }
    constexpr TSettingDecl WithRule(TKeyRule r, const char* other = nullptr) const
    {
        auto d = *this;
        d.Rule = r;
        d.Other = other;
        return d;
    }
    constexpr TSettingDecl ReadOnly() const { auto d = *this; d.Written = false; return d; }
};

// The tables, in file order.
std::span<const TSettingDecl<TAppSettings>> AppSettingDecls();
std::span<const TSettingDecl<TAppIniPrn>> PrintSettingDecls();
std::span<const TSettingDecl<TAppSearchOptions>> SearchOptionDecls();
std::span<const TSettingDecl<TAppWindowPlacement>> WindowPlacementDecls();

// Sections and list keys the store names in code.
inline constexpr char kSecOption[] = "Option";
inline constexpr char kSecColor[] = "Color";
inline constexpr char kSecBrowser[] = "Browser";
inline constexpr char kSecJCode[] = "JCode";
inline constexpr char kSecLeftBarAndRuler[] = "LeftBarAndRuler";
inline constexpr char kSecBackup[] = "Backup";
inline constexpr char kSecFileHistorySet[] = "FileHistorySet";
inline constexpr char kSecOptionEx[] = "OptionEx";
inline constexpr char kSecWrapByteList[] = "WrapByteList";
inline constexpr char kSecPrint[] = "Print";
inline constexpr char kSecSearchOptions[] = "SearchOptions";
inline constexpr char kSecMainWindow[] = "TVellumoMainForm";
inline constexpr char kKeyItemCount[] = "ItemCount";
inline constexpr char kKeyItemPrefix[] = "Item";

// Entries that a full save removes.
struct TObsoleteEntry {
    const char* Section;
    const char* Key;  // nullptr: the whole section
};
std::span<const TObsoleteEntry> ObsoleteEntries();

// A declaration by section and key (ASCII case ignored); nullptr when unknown.
template <class Root>
const TSettingDecl<Root>* FindSettingDecl(std::span<const TSettingDecl<Root>> decls, std::string_view section,
                                          std::string_view key)
{
    const std::string fs = FoldAsciiCase(section), fk = FoldAsciiCase(key);
    for (const auto& d : decls)
        if (FoldAsciiCase(d.Section) == fs && FoldAsciiCase(d.Key) == fk) return &d;
    return nullptr;
}

// Reads every declared key (of one section when section is not empty) from
// ini into root, with the defaults of the declarations for absent, empty
// numbers and invalid values.
template <class Root>
void ReadSettingDecls(std::span<const TSettingDecl<Root>> decls, const TMemIniFile& ini,
                      const TMachineDefaults& machine, Root& root, std::string_view section = {});

// Writes every declared key that is written (of one section when section is not empty).
template <class Root>
void WriteSettingDecls(std::span<const TSettingDecl<Root>> decls, TMemIniFile& ini, const Root& root,
                       std::string_view section = {});

// [SearchOptions] and the main window's placement, through their rows.
// withConfirm: ReplaceConfirm too (the replace dialog's); otherwise the
// file's value stays.
TAppSearchOptions ReadSearchOptionSettings(const TMemIniFile& ini);
void WriteSearchOptionSettings(TMemIniFile& ini, const TAppSearchOptions& options, bool withConfirm);
// A maximised placement leaves the stored bounds as they are.
void WriteWindowPlacementSettings(TMemIniFile& ini, const TAppWindowPlacement& placement);

// The in-memory value of one key as it is written to the file.
template <class Root>
std::string SettingText(const TSettingDecl<Root>& decl, const Root& root);

} // namespace vellumo
