#pragma once
// Which of the editor's colours a token kind is painted in. The editor's own
// painting and whatever draws over its rows read the same mapping.
#include "editor/parser.h"

namespace vellumo {

// A slot of TEditorColors (Bracket: the token's bracket item; Own: the
// editor's own colours).
enum class TTokenColor : unsigned char { Own, Symbol, Str, Int, Bracket, Comment, Ank, Dbcs };

constexpr TTokenColor TokenColorOf(int kind) noexcept
{
    switch (kind) {
    case tkSymbol: return TTokenColor::Symbol;
    case tkString:
    case tkPerlString: return TTokenColor::Str;
    case tkNumber:
    case 4: return TTokenColor::Int;
    case tkBracket: return TTokenColor::Bracket;
    case tkComment:
    case tkPerlComment:
    case tkRubyComment: return TTokenColor::Comment;
    case tkWord:
    case tkHyphenWord: return TTokenColor::Ank;
    case tkDbcsSymbol:
    case tkDbcsDigit:
    case tkDbcsLatin:
    case tkHiragana:
    case tkKatakana:
    case tkKanji:
    case tkKanaSymbol:
    case tkKana: return TTokenColor::Dbcs;
    default: return TTokenColor::Own;  // tabs, links and the rest
    }
}

// Token kinds painted in the keyword colour when the keyword list holds them.
constexpr bool IsKeywordTokenKind(int kind) noexcept
{
    const TTokenColor c = TokenColorOf(kind);
    return c == TTokenColor::Symbol || c == TTokenColor::Ank || c == TTokenColor::Dbcs;
}

} // namespace vellumo
