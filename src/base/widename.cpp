#include "base/widename.h"

namespace vellumo {

std::string UnrepresentableNamesMessage(const std::vector<std::string>& shownNames, bool saving)
{
    std::string text;
    for (const std::string& name : shownNames) text += "\"" + name + "\"\r\n";
    text += "\r\nファイル名に、シフトJIS で表せない文字が含まれています。\r\n";
    text += saving ? "この名前では保存できません。" : "このファイルは開けません。";
    text += "\r\n（表せない文字は $ と 16 進数 4 桁で示しています。）";
    return text;
}

} // namespace vellumo
