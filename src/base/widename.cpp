#include "base/widename.h"

namespace vellumo {

std::string UnrepresentableNamesMessage(const std::vector<std::string>& shownNames, bool saving)
{
    std::string text;
    for (const std::string& name : shownNames) text += "\"" + name + "\"\r\n";
    text += "\r\nファイル名にシフトJISで表せない文字があります。\r\n";
    text += saving ? "この名前では保存できません。" : "このファイルは開けません。";
    text += "\r\n\r\n※ 表せない文字は $ と16進数4桁で示しています。";
    return text;
}

} // namespace vellumo
