#pragma once
// The colour page without a window: its 54 rows, the colour-settings files
// (".vmc": the [Color] keys of the settings file), and what the controls
// beside the list show for a row. The page's values live in a TAppColors;
// the list view only shows the captions.
#include <array>
#include <string>
#include <vector>

#include "base/color.h"
#include "base/inifile.h"
#include "editor/editmode.h"
#include "settings/settings.h"

namespace vellumo {

struct TColorRowInfo {
    const char* Caption;
    const char* Key;  // its [Color] key
    TColor TAppColors::*Color;
    // Keyword rows only (else nullptr and emStandard): the two switches,
    // the mode whose keywords they are and its keyword file.
    bool TAppColors::*Bold;
    bool TAppColors::*Case;
    TEditMode Mode;
    const char* KeywordFile;
};

constexpr int kColorRowCount = 54;
extern const std::array<TColorRowInfo, kColorRowCount> kColorRows;

bool IsKeywordRow(int row) noexcept;

// The [Color] defaults, as a settings file without the section reads.
TAppColors DefaultColors();

// [Color] of a colour-settings file: a missing key, or one that is no
// colour (or no number for a switch), takes its default.
TAppColors ReadColorFile(const TMemIniFile& ini);
// The 54 colours and 22 switches, row by row, each switch after its row's
// colour; the rest of the file keeps its place and bytes.
void WriteColorFile(TMemIniFile& ini, const TAppColors& colors);

// A row's cells: caption, colour text, and on keyword rows the switches as
// "1"/"0" (empty on other rows).
std::vector<std::string> ColorRowCells(const TAppColors& colors, int row);

// The controls beside the list for the selected row (-1: none).
struct TColorRowControls {
    bool ColorEnabled;    // the colour combo box and "..."
    bool KeywordEnabled;  // the two switches and the keyword button
    bool Bold, Case;      // the switches' ticks
};
TColorRowControls ColorRowControls(const TAppColors& colors, int row);

inline constexpr char kDefaultColorFile[] = "default.vmc";
inline constexpr char kColorFileTitleOpen[] = "色設定ファイルの読み込み";
inline constexpr char kColorFileTitleSave[] = "色設定ファイルの保存";
inline constexpr char kColorFileFilter[] = "Vellumo色設定ファイル(*.vmc)|*.vmc";
inline constexpr char kColorFileExt[] = "vmc";

std::string ResetQuestion(bool defaultFileExists);
std::string KeywordFileQuestion(const std::string& fileName);

} // namespace vellumo
