#include "app/commands/toolcmds.h"

#include <algorithm>
#include <string>

#include "app/core/appfuncs.h"
#include "base/leadbytes.h"
#include "settings/pathnames.h"

namespace vellumo {

namespace {

std::string JoinHint(const std::string& program, const std::string& params)
{
    return ToolHintText(program.empty() ? params : program + " " + params);
}

} // namespace

int ToolTag(int n, bool selOn) { return std::stoi(std::string(selOn ? "11" : "10") + std::to_string(n)); }

TToolMenu MainToolMenu(const std::vector<TAppTool>& tools, const std::function<bool(TShortCut)>& taken)
{
    TToolMenu menu;
    if (tools.empty()) {
        menu.Placeholder = TToolPlaceholder::Unregistered;
        return menu;
    }
    std::vector<TShortCut> used;
    bool anyShown = false;
    for (std::size_t n = 0; n < tools.size(); ++n) {
        const TAppTool& t = tools[n];
        TToolMenuItem item;
        item.Caption = t.Title;
        item.Hint = JoinHint(t.File, t.Param);
        item.Tag = ToolTag(static_cast<int>(n), t.SelOn);
        item.Visible = t.MainVisible;
        const bool free = t.Key != scNone && (!taken || !taken(t.Key)) &&
                          std::find(used.begin(), used.end(), t.Key) == used.end();
        if (t.Title != "-" && free) {
            item.ShortCut = t.Key;
            used.push_back(t.Key);
        }
        anyShown = anyShown || t.MainVisible;
        menu.Items.push_back(std::move(item));
    }
    if (!anyShown) menu.Placeholder = TToolPlaceholder::AllHidden;
    return menu;
}

TToolMenu PopupToolMenu(const std::vector<TAppTool>& tools)
{
    TToolMenu menu;
    if (tools.empty()) {
        menu.Placeholder = TToolPlaceholder::Unregistered;
        return menu;
    }
    for (std::size_t n = 0; n < tools.size(); ++n) {
        const TAppTool& t = tools[n];
        if (!t.PopVisible) continue;
        TToolMenuItem item;
        item.Caption = t.Title;
        item.Hint = JoinHint(t.File.empty() ? std::string() : ExtractFileName(t.File), t.Param);
        item.Tag = ToolTag(static_cast<int>(n), t.SelOn);
        menu.Items.push_back(std::move(item));
    }
    if (menu.Items.empty()) menu.Placeholder = TToolPlaceholder::AllHidden;
    return menu;
}

bool ToolItemEnabled(int tag, bool toolsExist, bool selected)
{
    if (!toolsExist) return false;
    const int selOn = SelOnFromTag(tag);
    return selOn == 0 || (selOn == 1 && selected);
}

std::string ToolHintText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == '|') {
            out += "｜";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vellumo
