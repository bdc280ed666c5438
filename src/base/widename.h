#pragma once
// File names the system hands over in UTF-16 (command line, dropped files,
// file dialogs) taken into the ANSI code page only when they convert
// exactly. A near match would name another file ("e.txt" for "é.txt", a
// wildcard "?" for a character with no code), so such a name is refused,
// never replaced. The conversions are Windows only; the message is portable.
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// The name in the ANSI code page, exactly: false (and out empty) when a
// character has no code there, would be written as a look-alike, or does
// not come back as itself; also for a NUL inside the name.
bool WideNameToAnsi(std::wstring_view name, std::string& out);

// ANSI text (a title, a filter, a folder) for a call that takes UTF-16.
std::wstring AnsiToWideName(std::string_view text);

// The name as a message can show it: a character without a code as "$" and
// the four upper-case hex digits of its UTF-16 unit, and then "$" itself
// as $0024, so the escapes stay unambiguous.
std::string WideNameForMessage(std::wstring_view name);

// The one message that refuses names (already in their shown form).
std::string UnrepresentableNamesMessage(const std::vector<std::string>& shownNames, bool saving);

// Shows that message, with the exclamation icon, for the names.
void RefuseUnrepresentableNames(const std::vector<std::wstring>& names, bool saving);

} // namespace vellumo
