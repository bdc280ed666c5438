#pragma once
// Properties every tokenization of a row must have, whatever the options:
// shared by the random test and the fuzz target.
#include <string>
#include <vector>

#include "base/leadbytes.h"
#include "editor/options_viewinfo.h"
#include "editor/parser.h"

namespace vellumo::test {

inline bool IsSkippedBlank(unsigned char c, TBlankPolicy blanks)
{
    return (c >= 0x01 && c <= 0x08) || (c >= 0x0A && c <= (blanks == TBlankPolicy::KeepSpaces ? 0x1F : 0x20));
}

inline bool IsProducedKind(int k)
{
    return (k >= 0 && k <= 3) || (k >= 6 && k <= 9) || k == 11 || k == 12 || (k >= 14 && k <= 21) ||
           (k >= 90 && k <= 94);
}

inline bool IsClassKind(int k)
{
    return k == tkSymbol || k == tkNumber || k == tkWord || k == tkTab || k == tkDbcsSymbol || k == tkDbcsDigit ||
           (k >= tkDbcsLatin && k <= tkKana);
}

// "" when every property holds, else what went wrong. endState receives the
// state at the row's end.
inline std::string CheckRowProperties(const std::string& row, const TEditorViewInfo* view, int startState,
                                      TBlankPolicy blanks, const TParserSettings& settings, int* endState = nullptr)
{
    const std::string text = row.substr(0, row.find('\0'));
    const std::size_t n = text.size();
    auto rowEnd = [&](std::size_t i) { return i >= n || text[i] == '\n' || text[i] == '\r'; };
    std::vector<bool> boundary(n + 1, false);
    for (std::size_t i = 0; i < n;) {
        boundary[i] = true;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) && !rowEnd(i + 1) ? 2 : 1;
    }
    boundary[n] = true;

    const int count = view ? view->Brackets().Count() : 0;
    TEditorParser p = TEditorParser::CreateWithState(row, view, startState, blanks, &settings);
    const bool stateless = startState == BracketStateNone || !view;
    std::size_t prevEnd = 0;
    std::string joined;
    for (std::size_t steps = 0;; ++steps) {
        if (steps > n + 1) return "the token loop does not end";
        const int kind = p.TokenKind();
        const std::size_t pos = static_cast<std::size_t>(p.TokenPos());
        const std::string_view tok = p.TokenText();
        const int state = p.BracketState();
        if (!IsProducedKind(kind)) return "unknown token kind " + std::to_string(kind);
        if (state < -2 || state > 13 || state >= count) return "state out of range: " + std::to_string(state);
        if (startState == BracketStateNone && view && state != BracketStateNone) return "state left -2";
        if (pos < prevEnd) return "token starts before the previous one ended at " + std::to_string(pos);
        if (pos > n || tok.size() > n - pos) return "token runs past the row at " + std::to_string(pos);
        if (text.compare(pos, tok.size(), tok) != 0) return "token text is not the row's bytes";
        for (std::size_t i = prevEnd; i < pos; ++i)
            if (!IsSkippedBlank(static_cast<unsigned char>(text[i]), blanks))
                return "byte " + std::to_string(i) + " lost between tokens";
        if (!boundary[pos] || !boundary[pos + tok.size()]) return "token splits a character at " + std::to_string(pos);
        if (kind == tkEnd) {
            if (!tok.empty() || pos != n) return "tkEnd before the row's end at " + std::to_string(pos);
            break;
        }
        if (tok.empty()) return "empty token at " + std::to_string(pos);
        if (!view && !IsClassKind(kind)) return "option rule without a view: kind " + std::to_string(kind);
        if (kind == tkBracket && (stateless || p.BracketIndex() < 0 || p.BracketIndex() >= count))
            return "bad bracket index " + std::to_string(p.BracketIndex());
        joined.append(tok);
        prevEnd = pos + tok.size();
        p.NextToken();
    }
    const int finalState = p.BracketState();
    for (int i = 0; i < 2; ++i) {
        p.NextToken();
        if (p.TokenKind() != tkEnd || static_cast<std::size_t>(p.TokenPos()) != n || p.BracketState() != finalState)
            return "tkEnd does not repeat";
    }
    bool hasSkipped = false;
    for (unsigned char c : text) hasSkipped = hasSkipped || IsSkippedBlank(c, blanks);
    if (blanks == TBlankPolicy::KeepSpaces && !hasSkipped && joined != text) return "joined tokens differ from the row";
    if (endState) *endState = finalState;
    return "";
}

} // namespace vellumo::test
