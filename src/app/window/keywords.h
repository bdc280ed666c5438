#pragma once
// Keyword lists of the edit modes that colour keywords: built-in lists, and
// keyword files beside the settings file that replace them.
#include <string>

#include "base/stringlist.h"
#include "editor/reservewords.h"

namespace vellumo {

// Edit-mode numbers as the keyword lists use them (the editor's edit-mode
// numbering).
namespace kwmode {
constexpr int Standard = 0;
constexpr int Html = 1;
constexpr int Perl = 2;
constexpr int Ini = 3;
constexpr int Bat = 4;
constexpr int Cpp = 5;
constexpr int Java = 6;
constexpr int Vb = 7;
constexpr int Hsp = 8;
constexpr int Delphi = 9;
constexpr int Ruby = 10;
constexpr int Php = 11;
constexpr int Css = 12;
constexpr int JavaScript = 13;
} // namespace kwmode

// Each clears the list, then adds the words in their built-in order.
void FillPerlKeywords(TStringList& list);
void FillPhpKeywords(TStringList& list);
void FillCssKeywords(TStringList& list);
void FillRubyKeywords(TStringList& list);
void FillBatKeywords(TStringList& list);
void FillCppKeywords(TStringList& list);
void FillJavaKeywords(TStringList& list);
void FillJsKeywords(TStringList& list);
void FillVbKeywords(TStringList& list);
void FillHspKeywords(TStringList& list);
void FillDelphiKeywords(TStringList& list);
void ClearKeywordList(TStringList& list);

// "perl.kwd" and the like; "" for a mode without keywords.
std::string KeywordFileName(int mode);
// The keyword file of a mode in the folder of the settings file; "" for a
// mode without keywords.
std::string KeywordFilePath(int mode, const std::string& settingsFolder);
// Fills list with the built-in words of a mode; false (and an empty list) for
// a mode without them.
bool FillBuiltInKeywords(int mode, TStringList& list);

enum class TKeywordSource {
    None,     // the mode has no keywords: the list is empty
    File,     // the mode's keyword file
    BuiltIn   // the built-in list: no file, or one that could not be read
};

// The words of a mode, one per line of its keyword file when that file can be
// read, else the built-in list. The words come as written: sorting and
// dropping duplicates under the mode's case rule is the keyword list's work.
TKeywordSource LoadKeywordList(int mode, const std::string& settingsFolder, TStringList& words);

// The same words put into a sorted keyword list, under the list's own case
// rule, duplicates ignored. The sorted words of the last file are kept:
// applying a mode again with the same file (and case rule) does not sort
// its words anew, which for millions of words would take seconds.
TKeywordSource LoadReserveWords(int mode, const std::string& settingsFolder, TReserveWordList& list);

// Writes the built-in list of a mode to fileName, each word followed by CR LF.
// Never overwrites: false when the file exists, when the mode has no list or
// when writing failed.
bool WriteDefaultKeywordFile(int mode, const std::string& fileName);

} // namespace vellumo
