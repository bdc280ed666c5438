#include "settings/toolwindow.h"

#include <algorithm>
#include <string>

#include "base/inifile.h"

namespace vellumo {

namespace {
constexpr const char* kSection = "ToolWindow";
std::string ColumnKey(int i) { return "ListViewColumn" + std::to_string(i); }
} // namespace

TToolWindowState ReadToolWindowState(const TMemIniFile& ini)
{
    TToolWindowState s;
    s.Width = std::max(0, ini.ReadInteger(kSection, "WindowWidth", 0));
    s.Height = std::max(0, ini.ReadInteger(kSection, "WindowHeight", 0));
    s.Maximized = ini.ReadInteger(kSection, "WindowMax", 0) == 1;
    for (int i = 0; i < kToolListColumnCount; ++i) {
        const auto n = static_cast<std::size_t>(i);
        // Negative widths mean "fit the text" to the list control: never from the file.
        s.Columns[n] = std::clamp(ini.ReadInteger(kSection, ColumnKey(i), kToolListColumnWidths[n]), 0,
                                  kMaxToolListColumnWidth);
    }
    return s;
}

void WriteToolWindowState(TMemIniFile& ini, const TToolWindowState& s)
{
    if (s.Maximized) {
        ini.WriteInteger(kSection, "WindowMax", 1);
    } else {
        ini.WriteInteger(kSection, "WindowWidth", s.Width);
        ini.WriteInteger(kSection, "WindowHeight", s.Height);
        ini.WriteInteger(kSection, "WindowMax", 0);
    }
    for (int i = 0; i < kToolListColumnCount; ++i)
        ini.WriteInteger(kSection, ColumnKey(i), s.Columns[static_cast<std::size_t>(i)]);
}

} // namespace vellumo
