#pragma once
// The per-mode syntax setup the application applies, reduced to what the
// tokenizer reads, so the tests see each mode as the user does.
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "editor/editmode.h"
#include "editor/options_viewinfo.h"
#include "editor/parser.h"

namespace vellumo::test {

inline void AddBracket(TEditorViewInfo& view, const std::string& left, const std::string& right)
{
    TEditorBracketItem& item = view.Brackets().Add();
    item.SetLeftBracket(left);
    item.SetRightBracket(right);
}

inline void SetupMode(TEditorViewInfo& view, TEditMode mode)
{
    TNotifyUpdate update(view);
    const bool links = mode == emStandard || mode == emIni || mode == emBat;
    view.SetUrl(links);
    view.SetMail(links);
    view.Brackets().Clear();
    for (auto setter : {&TEditorViewInfo::SetQuotation, &TEditorViewInfo::SetQuotation2,
                        &TEditorViewInfo::SetCommenter, &TEditorViewInfo::SetCommenter2,
                        &TEditorViewInfo::SetPerlCommenter, &TEditorViewInfo::SetPerlQuotation,
                        &TEditorViewInfo::SetRubyCommenter})
        (view.*setter)("");
    view.SetControlCode(false);
    switch (mode) {
    case emHtml:
        AddBracket(view, "<!--", "-->");
        AddBracket(view, "<%", "%>");
        AddBracket(view, "<?", "?>");
        AddBracket(view, "<![CDATA[", "]]>");
        AddBracket(view, "<", ">");
        break;
    case emPerl:
        AddBracket(view, "=pod", "=cut");
        view.SetPerlCommenter("#");
        view.SetPerlQuotation("'");
        break;
    case emCpp:
    case emJava:
    case emJavaScript:
        AddBracket(view, "/*", "*/");
        view.SetCommenter("//");
        view.SetPerlQuotation("'");
        break;
    case emVb:
        view.SetCommenter("'");
        view.SetQuotation("\"");
        break;
    case emHsp:
        AddBracket(view, "/*", "*/");
        AddBracket(view, "{\"", "\"}");
        view.SetCommenter(";");
        view.SetCommenter2("//");
        view.SetPerlQuotation("'");
        break;
    case emDelphi:
        AddBracket(view, "{", "}");
        AddBracket(view, "(*", "*)");
        view.SetCommenter("//");
        view.SetQuotation("'");
        view.SetControlCode(true);
        break;
    case emRuby:
        AddBracket(view, "=begin", "=end");
        for (const char* pair : {"()", "<>", "[]", "{}"}) AddBracket(view, std::string("%") + pair[0], std::string(1, pair[1]));
        for (const char* pair : {"()", "<>", "[]", "{}"}) AddBracket(view, std::string("%Q") + pair[0], std::string(1, pair[1]));
        view.SetRubyCommenter("#");
        view.SetPerlQuotation("'");
        break;
    case emPhp:
        AddBracket(view, "/*", "*/");
        view.SetCommenter("#");
        view.SetCommenter2("//");
        view.SetPerlQuotation("'");
        break;
    case emCss:
        AddBracket(view, "/*", "*/");
        view.SetPerlQuotation("'");
        break;
    default:
        break;
    }
}

struct Tok {
    TEditorTokenKind kind;
    int pos;
    std::string text;
    bool operator==(const Tok&) const = default;
};

inline void PrintTo(const Tok& t, std::ostream* os)
{
    *os << "{" << int(t.kind) << ", " << t.pos << ", \"";
    for (unsigned char c : t.text) {
        if (c >= 0x20 && c < 0x7F) {
            *os << c;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            *os << buf;
        }
    }
    *os << "\"}";
}

struct RowResult {
    std::vector<Tok> tokens;
    int endState;
    std::vector<int> bracketIndexes;  // BracketIndex after each tkBracket token
};

inline RowResult Tokenize(const std::string& row, const TEditorViewInfo* view, int state,
                          const TParserSettings& settings, TBlankPolicy blanks = TBlankPolicy::SkipSpaces)
{
    RowResult r;
    TEditorParser p = TEditorParser::CreateWithState(row, view, state, blanks, &settings);
    for (std::size_t guard = 0; p.TokenKind() != tkEnd && guard <= row.size(); ++guard) {
        r.tokens.push_back({p.TokenKind(), p.TokenPos(), std::string(p.TokenText())});
        if (p.TokenKind() == tkBracket) r.bracketIndexes.push_back(p.BracketIndex());
        p.NextToken();
    }
    r.endState = p.BracketState();
    return r;
}

} // namespace vellumo::test
