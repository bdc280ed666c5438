#pragma once
// The user's external tools, kept in [Tools] of the settings file.
#include <cstdint>
#include <string>
#include <vector>

namespace vellumo {

class TMemIniFile;

struct TAppTool {
    std::string Title;  // "-" makes the entry a menu separator
    std::string File;
    std::string Param;
    std::string TmpDir;
    int Save = 2;           // 0 save first, 1 ask, 2 do not save
    std::uint16_t Key = 0;  // a menu shortcut (base/shortcut.h), 0 none
    bool SelOn = false;
    bool StartRun = false;
    bool Lock = false;
    bool MainVisible = true;
    bool PopVisible = true;
};

// However large ItemCount is in the file, no more entries than this are read
// (a damaged count must not make start-up or a menu loop for ever).
constexpr int kMaxAppTools = 1000;

// [Tools] ItemCount clamped to 0..kMaxAppTools.
int AppToolCount(const TMemIniFile& ini);
std::vector<TAppTool> ReadAppTools(const TMemIniFile& ini);
// Entry n as stored (whatever ItemCount says).
TAppTool ReadAppTool(const TMemIniFile& ini, int n);
// Erases [Tools] and writes the list as a whole.
void WriteAppTools(TMemIniFile& ini, const std::vector<TAppTool>& tools);

} // namespace vellumo
