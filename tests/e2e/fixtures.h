#pragma once
// Files as the program writes them: a CP932 text with CR LF line ends turned
// into each character code and line end.
#include <string>

namespace e2e {

enum class TCode { Sjis, Jis, Euc, Utf16, Utf8, Utf8N };
enum class TEnd { CrLf, Cr, Lf };

const char* CodeName(TCode code);
const char* EndName(TEnd end);
// The line ends of a CR LF text replaced.
std::string WithLineEnd(const std::string& crlf, TEnd end);
// The bytes of the file holding the CP932 text (line ends already final).
std::string Encode(const std::string& cp932, TCode code);

// Japanese lines whose trail bytes include 5C and 7C, with a half-width
// katakana, NEC row-13 characters and ASCII punctuation.
std::string SampleText(bool finalBreak);

} // namespace e2e
