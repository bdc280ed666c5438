#pragma once
// The tool list dialog's own state, kept in [ToolWindow] of the settings file.
#include <array>

namespace vellumo {

class TMemIniFile;

constexpr int kToolListColumnCount = 11;
constexpr std::array<int, kToolListColumnCount> kToolListColumnWidths{150, 200, 200, 200, 150, 100,
                                                                      130, 90,  110, 125, 160};

struct TToolWindowState {
    // The outer size; 0 when the file has none (the designed size then).
    int Width = 0;
    int Height = 0;
    bool Maximized = false;
    std::array<int, kToolListColumnCount> Columns = kToolListColumnWidths;
};

// A column is never read wider than this (nor narrower than 0).
constexpr int kMaxToolListColumnWidth = 4000;

TToolWindowState ReadToolWindowState(const TMemIniFile& ini);
// A maximized dialog writes WindowMax alone, so its restored size stays.
void WriteToolWindowState(TMemIniFile& ini, const TToolWindowState& state);

} // namespace vellumo
