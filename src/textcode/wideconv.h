#pragma once
// Conversion between the ANSI code page and UTF-16/UTF-8 (Windows only).
#include <string>

namespace vellumo {

// The ANSI code page, read once when the process starts.
unsigned GetAnsiCodePage();

// True on the Windows 9x family with minor version 0.
bool IsWindows95();

// codePage 0 means the ANSI code page. The forms with an out-parameter
// return false when the text cannot be converted (out of memory, or the
// system refuses); the others then give an empty string. Texts of any
// size are converted in pieces.
bool AnsiToWide(const std::string& s, unsigned codePage, std::wstring& out);
bool Utf8ToWide(const std::string& s, std::wstring& out);
std::wstring AnsiToWide(const std::string& s, unsigned codePage = 0);
std::wstring Utf8ToWide(const std::string& s);

// Conversion through the system's multi-language library; false when the
// library or its entry point is missing or the call fails.
bool MlangToWide(unsigned codePage, const std::string& s, std::wstring& out);

// True when the ANSI code page cannot hold one of the characters.
bool HasUnmappableChars(const std::wstring& s);

// ANSI text in which every character the code page cannot hold is written
// as "$" and four upper-case hex digits of its UTF-16 unit. When that
// happens, "$" itself is escaped too, so the escapes stay unambiguous; a
// text that converts without loss converts plainly, "$" included. False
// (and an empty out) when the text cannot be converted.
bool WideToAnsiEscaped(const std::wstring& s, std::string& out);
std::string WideToAnsiEscaped(const std::wstring& s);

} // namespace vellumo
