#include "settings/tools.h"

#include <algorithm>

#include "base/inifile.h"
#include "base/shortcut.h"

namespace vellumo {

namespace {
constexpr const char* kSection = "Tools";

std::string Key(const char* name, int n) { return name + std::to_string(n); }

// Param is written between "%" so that blanks at either end survive.
std::string Unwrap(const std::string& s)
{
    return s.size() >= 2 ? s.substr(1, s.size() - 2) : std::string();
}
} // namespace

int AppToolCount(const TMemIniFile& ini)
{
    return std::clamp(ini.ReadInteger(kSection, "ItemCount", 0), 0, kMaxAppTools);
}

TAppTool ReadAppTool(const TMemIniFile& ini, int n)
{
    TAppTool t;
    t.Title = ini.ReadString(kSection, Key("Title", n), "");
    t.File = ini.ReadString(kSection, Key("File", n), "");
    t.Param = Unwrap(ini.ReadString(kSection, Key("Param", n), "%%"));
    t.TmpDir = ini.ReadString(kSection, Key("TmpDir", n), "");
    // Anything but "save" and "ask" means "do not save": a damaged value
    // must not make a tool save the document.
    const int save = ini.ReadInteger(kSection, Key("Save", n), 2);
    t.Save = save == 0 || save == 1 ? save : 2;
    t.Key = TextToShortCut(ini.ReadString(kSection, Key("Key", n), ""));
    t.SelOn = ini.ReadBool(kSection, Key("SelOn", n), false);
    t.StartRun = ini.ReadBool(kSection, Key("StartRun", n), false);
    t.Lock = ini.ReadBool(kSection, Key("Lock", n), false);
    t.MainVisible = ini.ReadBool(kSection, Key("MainVisible", n), true);
    t.PopVisible = ini.ReadBool(kSection, Key("PopVisible", n), true);
    return t;
}

std::vector<TAppTool> ReadAppTools(const TMemIniFile& ini)
{
    std::vector<TAppTool> tools;
    const int count = AppToolCount(ini);
    tools.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) tools.push_back(ReadAppTool(ini, n));
    return tools;
}

void WriteAppTools(TMemIniFile& ini, const std::vector<TAppTool>& tools)
{
    ini.EraseSection(kSection);
    ini.WriteInteger(kSection, "ItemCount", static_cast<int>(tools.size()));
    for (int n = 0; n < static_cast<int>(tools.size()); ++n) {
        const TAppTool& t = tools[static_cast<std::size_t>(n)];
        ini.WriteString(kSection, Key("Title", n), t.Title);
        ini.WriteString(kSection, Key("File", n), t.File);
        ini.WriteString(kSection, Key("Param", n), "%" + t.Param + "%");
        ini.WriteString(kSection, Key("TmpDir", n), t.TmpDir);
        ini.WriteInteger(kSection, Key("Save", n), t.Save);
        ini.WriteString(kSection, Key("Key", n), ShortCutToText(t.Key));
        ini.WriteBool(kSection, Key("SelOn", n), t.SelOn);
        ini.WriteBool(kSection, Key("StartRun", n), t.StartRun);
        ini.WriteBool(kSection, Key("Lock", n), t.Lock);
        ini.WriteBool(kSection, Key("MainVisible", n), t.MainVisible);
        ini.WriteBool(kSection, Key("PopVisible", n), t.PopVisible);
    }
}

} // namespace vellumo
