#include "app/integration/toolrunner.h"

#include <algorithm>
#include <cstring>

#include "app/core/appfuncs.h"
#include "base/leadbytes.h"

namespace vellumo {

const char* const kToolTempFailed = "テンポラリファイルの作成に失敗しました。";
const char* const kToolSaveQuestion = "編集中のファイルを上書き保存します。";
const char* const kToolReadCancelledQuestion =
    "ツールを中止しました。\r\n一時ファイルは途中まで書き換えられている可能性があります。\r\n読み込みますか？";
const char* const kToolSelectionChanged =
    "ツールの終了を待つ間にテキストが変更されたため、\r\nツールでの処理を取り消しました。";
const char* const kToolWaitPrefix = "[待機中] ";
const char* const kToolErrorCut = "(以下省略)";

namespace {

unsigned char U(char c) { return static_cast<unsigned char>(c); }

// Characters a file name may hold, a blank aside (it ends the extension).
bool ExtensionByte(unsigned char c)
{
    return c > 0x20 && c != 0x7F && std::strchr("\"\\/:*?<>|", c) == nullptr;
}

} // namespace

std::string TempExtension(std::string_view p)
{
    // "%" is never a trail byte, so a byte search finds only real ones.
    std::size_t i = 0;
    while (i < p.size()) {
        if (p[i] != '%') {
            ++i;
            continue;
        }
        if (p.compare(i, 3, "%t.") != 0) {
            i += 2;
            continue;
        }
        std::size_t j = i + 3;
        while (j < p.size()) {
            if (IsLeadByte(U(p[j])) && j + 1 < p.size())
                j += 2;
            else if (ExtensionByte(U(p[j])))
                ++j;
            else
                break;
        }
        return std::string(p.substr(i + 3, j - i - 3));
    }
    return {};
}

std::string ExpandToolParams(std::string_view params, const TToolValues& v, const std::string& tempPath,
                             const std::string& extension)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!extension.empty()) pairs.emplace_back("%t." + extension, tempPath);
    pairs.insert(pairs.end(), {{"%t", tempPath},
                               {"%f", v.DocPath},
                               {"%F", v.DocShortPath},
                               {"%n", v.DocName},
                               {"%N", v.DocShortName},
                               {"%b", v.DocBase},
                               {"%B", v.DocShortBase},
                               {"%d", v.DocFolder},
                               {"%D", v.DocShortFolder},
                               {"%w", v.Window},
                               {"%s", v.Selection},
                               {"%m", v.ModeSwitch},
                               {"%e", v.ProgramShortPath},
                               {"%p", v.ProgramFolder},
                               {"%P", v.ProgramShortFolder}});
    return StringReplaceEach(pairs, params);
}

std::string ExpandToolFolder(std::string_view folder, const TToolPlaceholders& v)
{
    return StringReplaceEach({{"%d", v.DocFolder},
                              {"%D", v.DocShortFolder},
                              {"%p", v.ProgramFolder},
                              {"%P", v.ProgramShortFolder}},
                             folder);
}

std::string ExpandToolProgram(std::string_view program, const TToolPlaceholders& v)
{
    return StringReplaceEach(
        {{"%e", v.ProgramShortPath}, {"%p", v.ProgramFolder}, {"%P", v.ProgramShortFolder}}, program);
}

std::string ToolSelectionText(std::string_view s)
{
    constexpr std::size_t kMax = 256;
    if (s.size() <= kMax) return std::string(s);
    std::size_t i = 0;
    while (i < kMax) i += IsLeadByte(U(s[i])) ? 2 : 1;
    return std::string(s.substr(0, i > kMax ? kMax - 1 : kMax));
}

std::string QuoteProgramPath(const std::string& program, const std::function<bool(const std::string&)>& isFile)
{
    if (program.empty() || program.front() == '"' || program.find(' ') == std::string::npos ||
        IsConsoleCommand(program))
        return program;
    if (isFile && (isFile(program) || isFile(program + ".exe"))) return "\"" + program + "\"";
    return program;
}

std::string ToolCommandLine(const std::string& program, const std::string& params)
{
    if (params.empty()) return program;
    if (program.empty()) return params;
    return program + " " + params;
}

TToolSaveStep ToolSaveStep(int save, bool named, bool modified)
{
    if (named && !modified) return TToolSaveStep::None;
    if (save == 0) return TToolSaveStep::Save;
    if (save == 1) return TToolSaveStep::Ask;
    return TToolSaveStep::None;
}

TReadBack DecideReadBack(const TFileStamp& written, bool exists, const TFileStamp& now, bool cancelled,
                         bool abandoned)
{
    if (abandoned) return TReadBack::Nothing;
    if (!exists) return TReadBack::Missing;
    if (now == written) return TReadBack::Nothing;
    return cancelled ? TReadBack::Ask : TReadBack::Read;
}

std::string ReadBackText(std::string bytes)
{
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    return bytes;
}

void TToolErrorText::Append(std::string_view bytes)
{
    if (more_ || bytes.empty()) return;
    const std::size_t room = kMaxToolErrorText - text_.size();
    if (bytes.size() <= room) {
        text_.append(bytes);
        return;
    }
    text_.append(bytes.substr(0, room));
    more_ = true;
    // A double-byte character cut at the limit is dropped whole.
    std::size_t i = 0;
    while (i < text_.size()) i += IsLeadByte(U(text_[i])) ? 2 : 1;
    if (i > text_.size()) text_.pop_back();
}

std::string ConsoleErrorMessage(std::string_view errorText, bool more)
{
    std::string_view shown = errorText;
    std::size_t lines = 0, end = 0;
    while (end < shown.size() && lines < kMaxToolErrorLines) {
        const std::size_t lf = shown.find('\n', end);
        if (lf == std::string_view::npos) break;
        end = lf + 1;
        ++lines;
    }
    if (lines == kMaxToolErrorLines && end < shown.size()) {
        shown = shown.substr(0, end);
        more = true;
    } else if (more && end > 0) {
        shown = shown.substr(0, end);  // not the start of a line that goes on
    }
    std::string text = EndsWithCrLf(shown) ? WithoutFinalCrLf(shown) : std::string(shown);
    if (more) text += std::string("\r\n") + kToolErrorCut;
    return "コンソールエラー:\r\n\r\n" + text;
}

void SweepPendingDeletes(std::vector<TPendingDelete>& pending,
                         const std::function<bool(std::uintptr_t tool)>& running,
                         const std::function<bool(const std::string& path)>& tryDelete)
{
    std::erase_if(pending, [&](TPendingDelete& p) {
        if (p.Tool && running(p.Tool)) return false;
        p.Tool = 0;
        return tryDelete(p.Path) || --p.TriesLeft <= 0;
    });
}

std::string StartFailureMessage(const std::string& commandLine)
{
    return "\"" + commandLine + "\"\r\nの起動に失敗しました。";
}

std::string MissingTempMessage(const std::string& path)
{
    return "一時ファイル\r\n\"" + path + "\"\r\nが見当たりません。\r\nツールでの処理を取り消しました。";
}

std::string UnreadableTempMessage(const std::string& path)
{
    return "一時ファイル\r\n\"" + path + "\"\r\nを読み込めませんでした。\r\nツールでの処理を取り消しました。";
}

} // namespace vellumo
