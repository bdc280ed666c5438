#include "app/document/docopen.h"

#include "app/core/appcontext.h"
#include "base/leadbytes.h"
#include "settings/pathnames.h"

namespace vellumo {

namespace {

constexpr char kSuffix[] = " - Vellumo";
bool g_ending = false;

int CodeIndex(TCharCode code) noexcept
{
    switch (code) {
    case ccJis:
    case ccJisOld: return 1;
    case ccEuc: return 2;
    case ccUnicode: return 3;
    case ccUtf8: return 4;
    case ccUtf8N: return 5;
    default: return 0;  // Shift-JIS, and what detection left undecided
    }
}

int LineEndIndex(TLineEndCode le) noexcept { return le == leCr ? 1 : le == leLf ? 2 : 0; }

} // namespace

std::string FileNamePart(const std::string& path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size())
            ++i;
        else if (c == '\\' || c == '/' || c == ':')
            start = i + 1;
    }
    return path.substr(start);
}

TCaptions MakeCaptions(const std::string& fileName, const TCaptionOptions& opt, bool readOnlyAttr, bool modified,
                       bool outputMode, const TAbbreviate& abbreviate)
{
    if (outputMode) return {std::string("<Output>") + kSuffix, std::string("<Output>") + kSuffix};
    std::string shown = "無題", title = "無題";
    if (!fileName.empty()) {
        const std::string bare = FileNamePart(fileName);
        std::string full = fileName;
        if (opt.FullPathCnv && abbreviate) full = abbreviate(fileName);
        shown = opt.FullPathFileName ? full : bare;
        title = opt.ButtonFileName ? bare : shown;
    }
    std::string marks;
    if (readOnlyAttr) marks += " [読み取り専用]";
    if (modified) marks += " *";
    return {shown + marks + kSuffix, title + marks + kSuffix};
}

std::string CodePanelText(TCharCode code, bool simplePanels, int newCode)
{
    static constexpr const char* kNames[] = {"SJIS", "JIS", "EUC", "Unicode", "UTF-8", "UTF-8N"};
    const int i = CodeIndex(code);
    if (simplePanels && i == CodeIndex(NewDocumentCode(newCode))) return {};
    return kNames[i];
}

std::string LineEndPanelText(TLineEndCode le, bool simplePanels, int newRetCode)
{
    static constexpr const char* kNames[] = {"CRLF", "CR", "LF"};
    const int i = LineEndIndex(le);
    if (simplePanels && i == LineEndIndex(NewDocumentLineEnd(newRetCode))) return {};
    return kNames[i];
}

std::string ReadOnlyPanelText(bool readOnly, bool locked)
{
    if (!readOnly) return {};
    return locked ? "書禁" : "(書禁)";
}

TCharCode NewDocumentCode(int newCode) noexcept
{
    switch (newCode) {
    case 1: return ccJis;
    case 2: return ccEuc;
    case 3: return ccUnicode;
    case 4: return ccUtf8;
    case 5: return ccUtf8N;
    default: return ccSjis;
    }
}

TLineEndCode NewDocumentLineEnd(int newRetCode) noexcept
{
    return newRetCode == 1 ? leCr : newRetCode == 2 ? leLf : leCrLf;
}

bool EmptyFileTakesNewCode(bool noLines, int forcedCode, TCharCode loaded) noexcept
{
    return noLines && forcedCode < 0 && loaded != ccUnicode && loaded != ccUtf8;
}

bool RestoreReadOnlyAfterReload(bool chkReadOnlyFile, bool attrBefore, bool attrAfter, bool loadLocked) noexcept
{
    if (chkReadOnlyFile && attrBefore != attrAfter) return false;
    return !loadLocked;
}

constexpr char kEditWarning[] =
    "[はい]で編集可能な状態になりますが元の状態での保存は不可能ですので注意して下さい。\r\n"
    "[いいえ]で書き換え禁止をセットします。\r\n\r\nこのファイルの編集を行いますか？";

std::string NulFileQuestion()
{
    return std::string("Null文字を含むファイルです。Null文字は半角スペースへ変換しました。\r\n\r\n") + kEditWarning;
}

std::string LoadLossQuestion(TCharCode code, bool droppedOddByte, bool escapedChars)
{
    std::string text;
    if (code == ccJis || code == ccJisOld || code == ccEuc || code == ccEucOrSjis) {
        text = "この文字コードとして読み取れない文字を含むファイルです。\r\n該当する文字は〓へ置き換えました。\r\n";
    } else {
        const bool odd = code == ccUnicode && droppedOddByte;
        if (escapedChars || !odd)
            text = "扱いできないなユニコード文字を含むファイルです。\r\n該当する文字は文字コード$[4桁16進数]へ変換しました。\r\n";
        if (odd) text += "ファイルの末尾に文字として読み取れない1バイトがあり、読み込みませんでした。\r\n";
    }
    return text + "\r\n" + kEditWarning;
}

std::string PathRefusalMessage(const std::string& path, bool saving)
{
    switch (PathRefusal(path)) {
    case TPathRefusal::Device:
        return "\"" + path + "\"\r\nは装置の名前のため、ファイルとして開くことも保存することもできません。";
    case TPathRefusal::TooLong:
        return "\"" + path + "\"\r\nはファイルパスの長さが限界(" + std::to_string(kMaxPathBytes) + ")を超えているため" +
               (saving ? "保存できません。" : "開けません。");
    case TPathRefusal::None: break;
    }
    return {};
}

bool ApplicationEnding() noexcept { return g_ending; }
void ResetApplicationEnding() noexcept { g_ending = false; }

void EndApplicationWithoutShowing()
{
    if (g_ending) return;
    g_ending = true;
    if (IMainWindow* form = MainForm()) form->EndWithoutShowing();
}

} // namespace vellumo
