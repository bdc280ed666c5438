#include "app/window/keywords.h"

#include <memory>
#include <mutex>

#include "base/filebytes.h"
#include "editor/sjisutil.h"

namespace vellumo {

namespace {

struct TKeywordMode {
    int mode;
    const char* fileName;
    void (*fill)(TStringList&);
};

constexpr TKeywordMode kKeywordModes[] = {
    {kwmode::Perl, "perl.kwd", FillPerlKeywords},
    {kwmode::Bat, "bat.kwd", FillBatKeywords},
    {kwmode::Cpp, "cpp.kwd", FillCppKeywords},
    {kwmode::Java, "java.kwd", FillJavaKeywords},
    {kwmode::Vb, "vb.kwd", FillVbKeywords},
    {kwmode::Hsp, "hsp.kwd", FillHspKeywords},
    {kwmode::Delphi, "delphi.kwd", FillDelphiKeywords},
    {kwmode::Ruby, "ruby.kwd", FillRubyKeywords},
    {kwmode::Php, "php.kwd", FillPhpKeywords},
    {kwmode::Css, "css.kwd", FillCssKeywords},
    {kwmode::JavaScript, "js.kwd", FillJsKeywords},
};

const TKeywordMode* FindMode(int mode)
{
    for (const auto& m : kKeywordModes)
        if (m.mode == mode) return &m;
    return nullptr;
}


} // namespace

void ClearKeywordList(TStringList& list)
{
    list.Clear();
}

std::string KeywordFileName(int mode)
{
    const TKeywordMode* m = FindMode(mode);
    return m ? m->fileName : "";
}

std::string KeywordFilePath(int mode, const std::string& settingsFolder)
{
    const std::string name = KeywordFileName(mode);
    return name.empty() ? name : JoinPath(settingsFolder, name);
}

bool FillBuiltInKeywords(int mode, TStringList& list)
{
    const TKeywordMode* m = FindMode(mode);
    if (!m) {
        ClearKeywordList(list);
        return false;
    }
    m->fill(list);
    return true;
}

TKeywordSource LoadKeywordList(int mode, const std::string& settingsFolder, TStringList& words)
{
    const TKeywordMode* m = FindMode(mode);
    if (!m) {
        ClearKeywordList(words);
        return TKeywordSource::None;
    }
    std::string bytes;
    // An unreadable file (a folder of that name, no access) must not stop the
    // mode from working: the built-in list stands in, as for a missing file.
    if (ReadFileBytes(KeywordFilePath(mode, settingsFolder), bytes) == TReadStatus::Ok) {
        TextToStrings(bytes, words);
        return TKeywordSource::File;
    }
    m->fill(words);
    return TKeywordSource::BuiltIn;
}

TKeywordSource LoadReserveWords(int mode, const std::string& settingsFolder, TReserveWordList& list)
{
    list.SetSorted(true);
    list.SetDuplicates(dupIgnore);
    list.Clear();
    const TKeywordMode* m = FindMode(mode);
    if (!m) return TKeywordSource::None;
    std::string bytes;
    if (ReadFileBytes(KeywordFilePath(mode, settingsFolder), bytes) != TReadStatus::Ok) {
        TStringList words;
        m->fill(words);
        list.AddMany(words.Items());
        return TKeywordSource::BuiltIn;
    }
    // The lines end at a NUL, as everywhere text is split into lines.
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    static std::mutex lastMutex;
    static std::shared_ptr<const std::string> lastText;
    static TReserveWordList last;  // empty until a file has been read
    const std::lock_guard<std::mutex> lock(lastMutex);
    if (lastText && *lastText == bytes && last.CaseSensitive() == list.CaseSensitive() && last.Comparer() == list.Comparer()) {
        list.Assign(last);
        return TKeywordSource::File;
    }
    // The list keeps its words in the file's own bytes.
    auto text = std::make_shared<const std::string>(std::move(bytes));
    list.SetText(text);
    last = TReserveWordList(list.Comparer());
    last.SetSorted(true);
    last.SetDuplicates(dupIgnore);
    last.Assign(list);
    lastText = std::move(text);
    return TKeywordSource::File;
}

bool WriteDefaultKeywordFile(int mode, const std::string& fileName)
{
    TStringList list;
    if (!FillBuiltInKeywords(mode, list)) return false;
    return CreateFileBytes(fileName, list.Text());
}

} // namespace vellumo
