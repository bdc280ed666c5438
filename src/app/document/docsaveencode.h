#pragma once
// Turning the document's text into the bytes of a file: line ends, the
// character code and the check that reading the bytes back gives the text.
#include <functional>
#include <string>
#include <string_view>

#include "textcode/charcode.h"

namespace vellumo {

// The ANSI-to-wide conversion and its inverse as the loader applies it (UTF-16
// code units in a wide string); Windows code installs the system's.
struct TWideCodec {
    std::function<std::wstring(const std::string&)> ToWide;
    std::function<std::string(const std::wstring&)> FromWide;
};

// How [JCode] SaveCvt and the save-with-code command number the codes; a new
// document's code is stored one lower ([JCode] NewCode, from Shift-JIS as 0).
enum TSaveCode : int { scKeep = 0, scSjis = 1, scJis = 2, scEuc = 3, scUnicode = 4, scUtf8 = 5, scUtf8N = 6 };

// [JCode] SaveCvt to the code saved; scKeep and anything out of range keep
// the current code.
TCharCode CodeForSaveCvt(int saveCvt, TCharCode current) noexcept;
// [JCode] SaveRetCvt to the line end saved: 1 CR LF, 2 CR, 3 LF; else current.
TLineEndCode LineEndForSaveRetCvt(int saveRetCvt, TLineEndCode current) noexcept;

// The CR LF text with the line end applied: CR drops every LF, LF every CR.
std::string ConvertLineEnds(std::string_view crlfText, TLineEndCode lineEnd);
// The same in place (a save's text can be as large as the file).
void ConvertLineEndsInPlace(std::string& text, TLineEndCode lineEnd);

struct TEncodedText {
    std::string Bytes;
    // Reading the bytes back would not give the text (characters the code
    // cannot hold, or pairs the wide conversion does not know).
    bool Lossy = false;
};

// The file's bytes: FF FE and UTF-16LE for Unicode, EF BB BF and UTF-8 for
// UTF-8, UTF-8 alone for UTF-8N, ISO-2022-JP for JIS, EUC-JP for EUC, the
// text itself for every other code (never checked: nothing is converted).
// The text is taken over (moved into the bytes where nothing is converted).
TEncodedText EncodeDocumentText(std::string text, TCharCode code, const TWideCodec& codec);
// The same with the project's code page 932 tables: the system's results for
// code page 932, each character converted once and its loss seen then.
TEncodedText EncodeDocumentText(std::string text, TCharCode code);

// UTF-16 code units as UTF-8 (a lone surrogate becomes EF BF BD).
std::string Utf16ToUtf8(const std::wstring& units);

} // namespace vellumo
