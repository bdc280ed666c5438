#pragma once
// The dialogs and files the Search menu's commands ask, behind one seam:
// the program uses the real dialogs (which tests script through
// TForm::SetModalScript); a test may put its own functions in place.
// Windows only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vellumo {

struct TSearchDialogs {
    // The find dialog: text and flags on OK (direction 0 up, 1 down, other: the saved one).
    std::function<bool(std::string& text, std::uint16_t& flags, int direction)> Find;
    std::function<bool(std::string& findText, std::string& replaceText, std::uint16_t& flags)> Replace;
    // The jump dialog: the number (0 when not a number), the logical choice and the text as typed.
    std::function<bool(int& line, bool& logical, std::vector<std::string>& history, std::string& typed)> Jump;
    // The replace question with Yes, No, Cancel and All (IDYES, IDNO, IDCANCEL, 8); place
    // moves the question's window before it shows (width and height in, left and top out).
    std::function<int(const std::string& text, const std::function<void(int& left, int& top, int width, int height)>& place)>
        ConfirmAll;
    // Whether the last dialog's history and options were written.
    std::function<bool()> LastSearchStateSaved;
    // The first line of the search history file.
    std::function<std::string()> LastSearchText;
};

TSearchDialogs& SearchDialogs();

} // namespace vellumo
