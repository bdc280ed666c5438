#pragma once
// The Tools menu's tool items and the pop-up's tools submenu, made from the
// tool list, and the rule that enables them.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/shortcut.h"
#include "settings/tools.h"

namespace vellumo {

struct TToolMenuItem {
    std::string Caption;  // "-" for a separator
    std::string Hint;
    int Tag = 0;          // ToolTag
    TShortCut ShortCut = scNone;
    bool Visible = true;
};

// The disabled item that stands in for the tools: none in the list, or
// none of them shown.
enum class TToolPlaceholder { None, Unregistered, AllHidden };

struct TToolMenu {
    std::vector<TToolMenuItem> Items;
    TToolPlaceholder Placeholder = TToolPlaceholder::None;
};

inline constexpr const char* kToolsUnregistered = "(ツール未登録)";
inline constexpr const char* kToolsAllHidden = "(ツール非表示)";
inline constexpr int kToolsAllHiddenTag = 12;

// "1", then 1 or 0 for SelOn, then n: tool 3 with SelOn is 113.
int ToolTag(int n, bool selOn);

// Every tool, shown by MainVisible. A tool keeps its key unless it is a
// separator, the key is taken (taken(): the program's own keys) or an
// earlier tool has it: the first owner of a key is the one that runs.
TToolMenu MainToolMenu(const std::vector<TAppTool>& tools, const std::function<bool(TShortCut)>& taken);
// Only the tools shown in the pop-up, without keys.
TToolMenu PopupToolMenu(const std::vector<TAppTool>& tools);

// A tool item may act: tools exist, and its tag neither asks for a
// selection that is missing nor marks the placeholder.
bool ToolItemEnabled(int tag, bool toolsExist, bool selected);

// "|" splits a hint in two: shown as the full-width bar, the bytes of
// double-byte characters (whose trail may be 7C) left alone.
std::string ToolHintText(std::string_view text);

} // namespace vellumo
