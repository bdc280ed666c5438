#include "classlib/shortcut.h"

#include <cctype>
#include <string_view>

namespace vellumo {

namespace {

struct TKeyName {
    std::uint8_t key;
    const char* name;
};

// Virtual-key codes of the named keys.
const TKeyName kKeyNames[] = {
    {0x08, "BkSp"},  {0x09, "Tab"},    {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
    {0x21, "PgUp"},  {0x22, "PgDn"},   {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},    {0x27, "Right"},  {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
};

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Takes a modifier prefix such as "Ctrl+" off the front of the text.
bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (text.size() > prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix)) {
        text.remove_prefix(prefix.size());
        return true;
    }
    return false;
}

int KeyFromName(std::string_view name)
{
    if (name.size() == 1) {
        unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
        return -1;
    }
    for (const auto& k : kKeyNames)
        if (EqualNoCase(name, k.name))
            return k.key;
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
        int n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i])))
                return -1;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 24)
            return 0x70 + n - 1;
    }
    return -1;
}

} // namespace

TShortCut TextToShortCut(const std::string& text)
{
    std::string_view t(text);
    TShortCut mods = 0;
    for (bool more = true; more;) {
        more = false;
        if (TakePrefix(t, "Shift+")) {
            mods |= scShift;
            more = true;
        } else if (TakePrefix(t, "Ctrl+")) {
            mods |= scCtrl;
            more = true;
        } else if (TakePrefix(t, "Alt+")) {
            mods |= scAlt;
            more = true;
        }
    }
    if (t.empty())
        return scNone;
    int key = KeyFromName(t);
    if (key < 0)
        return scNone;
    return static_cast<TShortCut>(mods | key);
}

std::string ShortCutToText(TShortCut shortcut)
{
    int key = shortcut & 0xFF;
    if (key == 0)
        return {};
    std::string name;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        name = std::string(1, static_cast<char>(key));
    } else if (key >= 0x70 && key < 0x70 + 24) {
        name = "F" + std::to_string(key - 0x70 + 1);
    } else {
        for (const auto& k : kKeyNames)
            if (k.key == key)
                name = k.name;
        if (name.empty())
            return {};
    }
    std::string out;
    if (shortcut & scShift)
        out += "Shift+";
    if (shortcut & scCtrl)
        out += "Ctrl+";
    if (shortcut & scAlt)
        out += "Alt+";
    return out + name;
}

} // namespace vellumo
