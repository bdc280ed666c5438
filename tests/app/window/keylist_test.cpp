#include <gtest/gtest.h>

#include <string>

#include "app/window/menus.h"
#include "base/filebytes.h"
#include "base/shortcut.h"

using namespace vellumo;

namespace {

// The caption as the key list shows it: no access key, no trailing dots.
std::string PlainCaption(std::string c)
{
    if (auto p = c.find("(&"); p != std::string::npos && c.find(')', p) == p + 3) c.erase(p, 4);
    if (auto p = c.find('&'); p != std::string::npos) c.erase(p, 1);
    while (!c.empty() && c.back() == '.') c.pop_back();
    return c;
}

} // namespace

// The Help menu's key list ships beside the program: every shortcut of the
// menus and the actions must be in it, as "key<TAB>caption".
TEST(KeyList, NamesEveryShortcutOfTheMenusAndActions)
{
    std::string text;
#ifdef _WIN32
    const std::string path = std::string("Z:") + VELLUMO_KEYLIST_FILE;
#else
    const std::string path = VELLUMO_KEYLIST_FILE;
#endif
    ASSERT_EQ(ReadFileBytes(path, text), TReadStatus::Ok) << path;

    std::string missing;
    for (auto table : {MainMenuTable(), ActionTable()})
        for (const TMenuEntry& e : table) {
            if (e.ShortCut == 0 || e.IsSeparator()) continue;
            // The key starts a line; the caption follows when the item has a fixed one.
            const std::string key = "\r\n" + ShortCutToText(e.ShortCut) + "\t";
            const std::string caption = PlainCaption(e.Caption);
            const bool fixed = !caption.empty() && caption.find('*') == std::string::npos;
            if (text.find(fixed ? key + caption + "\r\n" : key) == std::string::npos)
                missing += key.substr(2) + caption + "\r\n";
        }
    EXPECT_EQ(missing, "");
}
