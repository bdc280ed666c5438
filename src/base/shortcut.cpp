#include "base/shortcut.h"

#include <cstdio>

namespace vellumo {

namespace {

struct TKeyName {
    unsigned key;
    const char* name;
};

// The first name of a key is the one written; later ones are accepted too.
constexpr TKeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0D, "Enter"}, {0x0D, "Return"},
    {0x13, "Pause"},
    {0x1B, "Esc"}, {0x1B, "Escape"},
    {0x20, "Space"},
    {0x21, "PgUp"}, {0x21, "PageUp"},
    {0x22, "PgDn"}, {0x22, "PageDown"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2D, "Ins"}, {0x2D, "Insert"},
    {0x2E, "Del"}, {0x2E, "Delete"},
    {0x5D, "Apps"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6D, "Num -"},
    {0x6E, "Num ."},
    {0x6F, "Num /"},
    // The bracket keys and the yen key between them, as a Japanese keyboard labels them.
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
};

char Lower(char c) noexcept
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool SameText(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string_view TrimSpaces(std::string_view s) noexcept
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

int HexValue(char c) noexcept
{
    c = Lower(c);
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// 0 when the name is no key.
unsigned KeyFromName(std::string_view name) noexcept
{
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= '0' && c <= '9') return static_cast<unsigned char>(c);
        if (Lower(c) >= 'a' && Lower(c) <= 'z') return static_cast<unsigned char>(Lower(c) - 32);
    }
    for (const auto& k : kKeyNames)
        if (SameText(name, k.name)) return k.key;
    if (name.size() >= 2 && name.size() <= 3 && Lower(name[0]) == 'f') {
        int n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9') return 0;
            n = n * 10 + (name[i] - '0');
        }
        if (name[1] != '0' && n >= 1 && n <= 24) return 0x70 + static_cast<unsigned>(n) - 1;
        return 0;
    }
    if (name.size() == 5 && SameText(name.substr(0, 4), "Num ") && name[4] >= '0' && name[4] <= '9')
        return 0x60 + static_cast<unsigned>(name[4] - '0');
    if (name.size() >= 4 && name.size() <= 5 && SameText(name.substr(0, 3), "VK_")) {
        unsigned v = 0;
        for (std::size_t i = 3; i < name.size(); ++i) {
            const int d = HexValue(name[i]);
            if (d < 0) return 0;
            v = v * 16 + static_cast<unsigned>(d);
        }
        return v;
    }
    return 0;
}

std::string KeyName(unsigned key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
    if (key >= 0x60 && key <= 0x69) return "Num " + std::to_string(key - 0x60);
    for (const auto& k : kKeyNames)
        if (k.key == key) return k.name;
    char buf[8];
    std::snprintf(buf, sizeof buf, "VK_%02X", key & 0xFF);
    return buf;
}

} // namespace

std::string ShortCutToText(TShortCut shortCut)
{
    const unsigned key = shortCut & 0xFF;
    if (key == 0) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + KeyName(key);
}

TShortCut TextToShortCut(std::string_view text) noexcept
{
    struct TModifier {
        const char* name;
        TShortCut bit;
    };
    static constexpr TModifier kModifiers[] = {
        {"Shift", scShift}, {"Ctrl", scCtrl}, {"Control", scCtrl}, {"Alt", scAlt}};
    TShortCut mods = 0;
    std::string_view rest = TrimSpaces(text);
    for (;;) {
        // A modifier is a word followed by "+"; "Num +" is a key, not a split.
        const std::size_t plus = rest.find('+');
        if (plus == std::string_view::npos || plus + 1 >= rest.size()) break;
        const std::string_view word = TrimSpaces(rest.substr(0, plus));
        TShortCut bit = 0;
        for (const auto& m : kModifiers)
            if (SameText(word, m.name)) bit = m.bit;
        if (bit == 0) break;
        mods |= bit;
        rest = TrimSpaces(rest.substr(plus + 1));
    }
    const unsigned key = KeyFromName(rest);
    return key == 0 ? scNone : ShortCut(key, mods);
}

} // namespace vellumo
