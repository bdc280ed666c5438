#include "app/core/appfuncs.h"

#include <algorithm>

#include "settings/pathnames.h"
#include "settings/settings.h"
#include "base/leadbytes.h"
#include "editor/vlines.h"

namespace vellumo {

namespace {
unsigned char U(char c) { return static_cast<unsigned char>(c); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
} // namespace

std::string StringReplaceEach(const std::vector<std::pair<std::string, std::string>>& pairs, std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        for (const auto& [key, value] : pairs) {
            if (!key.empty() && text.compare(i, key.size(), key) == 0) {
                out += value;
                i += key.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

std::string StringReplaceAll(std::string_view find, std::string_view replacement, std::string_view text)
{
    return StringReplaceEach({{std::string(find), std::string(replacement)}}, text);
}

std::string EscapeSearchText(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLeadByte(U(c)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeSearchText(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLeadByte(U(c)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == '\\' && i + 1 < text.size()) {
            const char n = text[i + 1];
            if (n == '\\') {
                out += '\\';
                ++i;
            } else if (n == 'n') {
                out += "\r\n";
                ++i;
            } else if (n == 't') {
                out += '\t';
                ++i;
            } else {
                out += c;  // kept; the next character is copied on its own turn
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string SearchTextFromSelection(std::string_view selection, bool& escaped)
{
    escaped = false;
    if (selection.empty()) return {};
    std::size_t n = std::min<std::size_t>(selection.size(), 250);
    if (selection.size() > 250) {
        // Byte 250 (the last kept) must not be a CR cut from its LF nor a lead byte cut from its trail.
        std::size_t i = 0;
        bool lastIsLead = false;
        while (i < 250) {
            lastIsLead = IsLeadByte(U(selection[i])) && i == 249;
            i += IsLeadByte(U(selection[i])) ? 2 : 1;
        }
        if (i > 250 || lastIsLead || selection[249] == '\r') n = 249;
    }
    std::string text(selection.substr(0, n));
    escaped = text.find("\r\n") != std::string::npos || text.find('\t') != std::string::npos;
    for (std::size_t i = 0; !escaped && i < text.size(); ++i) {
        if (IsLeadByte(U(text[i])))
            ++i;
        else if (text[i] == '\\')
            escaped = true;
    }
    return escaped ? EscapeSearchText(text) : text;
}

std::string TrimLeftBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t')
            ++i;
        else if (i + 1 < text.size() && U(text[i]) == 0x81 && U(text[i + 1]) == 0x40)
            i += 2;
        else
            break;
    }
    return std::string(text.substr(i));
}

std::string FontSizeToText(int size) { return size == -14 ? "10.5" : std::to_string(size); }

bool EndsWithCrLf(std::string_view text) { return text.size() >= 2 && text.substr(text.size() - 2) == "\r\n"; }

std::string WithoutFinalCrLf(std::string_view text)
{
    return EndsWithCrLf(text) ? std::string(text.substr(0, text.size() - 2)) : std::string();
}

bool IsConsoleCommand(std::string_view cmd)
{
    // The program path as the user typed it, blanks around it included.
    while (!cmd.empty() && static_cast<unsigned char>(cmd.front()) <= ' ') cmd.remove_prefix(1);
    while (!cmd.empty() && static_cast<unsigned char>(cmd.back()) <= ' ') cmd.remove_suffix(1);
    std::string low;
    for (char c : cmd) low += AsciiLower(c);
    std::size_t i = 0;
    if (low.rfind("cmd.exe", 0) == 0)
        i = 7;
    else if (low.rfind("command.com", 0) == 0)
        i = 11;
    else if (low.rfind("cmd", 0) == 0)
        i = 3;
    else
        return false;
    const std::size_t blanks = i;
    while (i < low.size() && low[i] == ' ') ++i;
    if (i == blanks || i + 1 >= low.size() + 0 || (low[i] != '/' && low[i] != '-')) return false;
    if (low[i + 1] != 'c') return false;
    return i + 2 == low.size() || low[i + 2] == ' ';
}

int ToolNumberFromTag(int tag)
{
    const std::string s = std::to_string(tag);
    return s.size() < 3 ? -1 : std::stoi(s.substr(2));
}

int SelOnFromTag(int tag)
{
    const std::string s = std::to_string(tag);
    return s.size() < 2 || tag < 0 ? -1 : s[1] - '0';
}

int WindowWrapWidth(int visibleCols) { return visibleCols >= 23 ? std::min(visibleCols - 3, 250) : 20; }

int CentredTopRow(int caretRow, int topRow, int visibleRows)
{
    const int d = caretRow - topRow;
    if (d > visibleRows * 4 / 5 || d < visibleRows / 5) return std::max(0, caretRow - visibleRows / 3);
    return -1;
}

int LeftColForCaret(int caretCol, int leftCol, int visibleCols, int maxCols)
{
    const int w = std::max(visibleCols, 1);
    if (caretCol < leftCol) return std::max(0, std::min(caretCol, leftCol - w / 4));
    if (caretCol >= leftCol + w)
        return std::max(0, std::min(std::max(caretCol - w + 1, leftCol + w / 4), maxCols - w / 2));
    return leftCol;
}

std::string ExpandEnvInPath(const std::string& path, const TEnvLookup& env, const TPathExists& exists)
{
    if (path.empty() || (exists && exists(path))) return path;
    // '%' (25) is never a trail byte, so a byte search finds only real ones.
    const std::size_t a = path.find('%');
    if (a == std::string::npos) return path;
    const std::size_t b = path.find('%', a + 1);
    if (b == std::string::npos || b == a + 1) return path;
    const std::string ref = path.substr(a, b - a + 1);
    std::string value;
    if (!env || !env(ref.substr(1, ref.size() - 2), value) || value.size() > 255) return path;
    // The first occurrence of the reference, ignoring case, is replaced.
    const std::string lowPath = LowerCasePath(path), lowRef = LowerCasePath(ref);
    const std::size_t at = lowPath.find(lowRef);
    if (at == std::string::npos) return path;
    return path.substr(0, at) + value + path.substr(at + ref.size());
}

bool PathLengthOk(std::string_view path)
{
    while (!path.empty() && U(path.front()) <= ' ') path.remove_prefix(1);
    while (!path.empty() && U(path.back()) <= ' ') path.remove_suffix(1);
    return path.size() < 260;
}

bool IsPlainLink(std::string_view link)
{
    std::string low;
    for (char c : link.substr(0, 10)) low += AsciiLower(c);
    for (std::string_view scheme : {"http://", "https://", "ftp://", "mailto:"})
        if (low.rfind(scheme, 0) == 0) return true;
    return false;
}

TToolBarState ComputeToolBarState(const TToolBarInputs& in)
{
    TToolBarState s;
    if (!in.Enabled) return s;
    const bool writable = !in.ReadOnly;
    s.Save = writable && !(in.ModifiedOnFileSave && !in.Modified);
    s.Cut = in.Selection && writable;
    s.Copy = in.Selection;
    s.Paste = in.ClipboardText && writable;
    s.Undo = in.CanUndo && writable;
    s.Redo = in.CanRedo && writable;
    s.InternetExplorer = in.IePath;
    s.Firefox = in.MfPath;
    return s;
}

} // namespace vellumo

namespace vellumo {

void FillGuideLines(TVerticalLines& lines, const TAppSettings& s)
{
    lines.BeginUpdate();
    lines.Clear();
    TVerticalLine& wrap = lines.Add();
    wrap.SetPosition(s.Option.WrapCount);
    wrap.SetColor(s.Color.WrapLine);
    wrap.SetVisible(s.Option.WordWrap && s.Option.WrapLine);
    TVerticalLine& col = lines.Add();
    col.SetPosition(s.Option.ColLineByte);
    col.SetColor(s.Color.ColLine);
    col.SetVisible(s.Option.ColLine && (!s.Option.WordWrap || s.Option.ColLineByte < s.Option.WrapCount));
    lines.EndUpdate();
}

} // namespace vellumo
