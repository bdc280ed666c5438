#pragma once
// Cuts one row of code-page-932 text into tokens for syntax colouring.
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "editor/parsersettings.h"

namespace vellumo {

class TEditorViewInfo;

enum TEditorTokenKind : unsigned char {
    tkEnd = 0,
    tkSymbol = 1,
    tkString = 2,
    tkNumber = 3,
    tkBracket = 6,
    tkComment = 7,
    tkWord = 8,
    tkTab = 9,
    tkDbcsSymbol = 11,
    tkDbcsDigit = 12,
    tkDbcsLatin = 14,
    tkHiragana = 15,
    tkKatakana = 16,
    tkKanji = 17,
    tkKanaSymbol = 18,
    tkKana = 19,
    tkUrl = 20,
    tkMail = 21,
    tkPerlComment = 90,
    tkPerlString = 91,
    tkPerlVariable = 92,
    tkRubyComment = 93,
    tkHyphenWord = 94,
};

// Which bytes between tokens are dropped. SkipSpaces drops 01..08 and 0A..20;
// KeepSpaces drops 01..08 and 0A..1F, so each space is a token of its own
// (the tokenizer TMyParser below).
enum class TBlankPolicy { SkipSpaces, KeepSpaces };

// Bracket-region states kept per row.
constexpr int BracketStateNone = -2;     // regions are not recognised
constexpr int BracketStateOutside = -1;  // outside every region

// A short-lived tokenizer over one row. The text is not copied: the caller
// keeps it alive while the parser lives. The first token is read at once;
// use TokenKind/TokenPos/TokenText and call NextToken until tkEnd, which
// then repeats. A NUL in the text ends the row there.
class TEditorParser {
public:
    // Only the character classes apply: no comments, strings, regions or links.
    explicit TEditorParser(std::string_view text, TBlankPolicy blanks = TBlankPolicy::SkipSpaces);
    // The view decides the option-dependent rules; startState is the region
    // state at the row's start (-2, -1 or a bracket index). A state that
    // names no bracket item of the view is taken as -1. settings defaults
    // to the process-wide values.
    static TEditorParser CreateWithState(std::string_view text, const TEditorViewInfo* view, int startState,
                                         TBlankPolicy blanks = TBlankPolicy::SkipSpaces,
                                         const TParserSettings* settings = nullptr)
    {
        return TEditorParser(text, view, startState, blanks, settings);
    }

    // A scan taken up at from, where an earlier scan of the same text in
    // state ended a token: it reads the tokens after from as that scan did.
    TEditorParser(std::string_view text, const TEditorViewInfo* view, int state, std::size_t from,
                  TBlankPolicy blanks = TBlankPolicy::SkipSpaces, const TParserSettings* settings = nullptr);

    // A temporary string would not outlive the parser.
    template <class S, class... Rest>
        requires(std::is_same_v<S, std::string>)
    TEditorParser(S&&, Rest&&...) = delete;
    template <class S, class... Rest>
        requires(std::is_same_v<S, std::string>)
    static TEditorParser CreateWithState(S&&, Rest&&...) = delete;

    void NextToken();
    // Bytes stepped over, blanks included, by the tokenizers of this thread
    // that are gone: how much of a row a paint reads, for the tests.
    static std::size_t TokenizedBytes() noexcept;

    TEditorTokenKind TokenKind() const noexcept { return kind_; }
    int TokenPos() const noexcept { return static_cast<int>(start_); }
    std::string_view TokenText() const noexcept { return text_.substr(start_, cur_ - start_); }
    // State after the tokens read so far; at tkEnd, the state the next row starts in.
    int BracketState() const noexcept { return state_; }
    // Bracket item of the last region token (-2 before the first one).
    int BracketIndex() const noexcept { return index_; }
    const TEditorViewInfo* View() const noexcept { return view_; }
    TBlankPolicy Blanks() const noexcept { return blanks_; }
    // Every byte looked at so far (the row's end included) lies before this
    // offset; a bound, not the exact figure.
    std::size_t ReadHorizon() const noexcept;

protected:
    TEditorParser(std::string_view text, const TEditorViewInfo* view, int startState, TBlankPolicy blanks,
                  const TParserSettings* settings);

private:
    unsigned char At(std::size_t i) const noexcept
    {
        return i < text_.size() ? static_cast<unsigned char>(text_[i]) : 0;
    }
    static bool IsRowEndByte(unsigned char b) noexcept { return b == 0 || b == '\n' || b == '\r'; }
    bool AtRowEnd(std::size_t i) const noexcept { return IsRowEndByte(At(i)); }
    // A lead byte with a byte after it is one character of two bytes.
    std::size_t CharLen(std::size_t i) const noexcept;
    std::size_t RowEndFrom(std::size_t i) const noexcept;
    bool MatchPlain(std::size_t pos, std::string_view pattern, std::size_t& end) const noexcept;
    bool MatchDbcsStepping(std::size_t pos, std::string_view pattern, bool perlPrefixes, std::size_t& end,
                           bool& viaPrefix) const noexcept;
    std::size_t SimpleQuoteScan(std::size_t opener, unsigned char quote) const noexcept;
    std::size_t EscapedQuoteScan(std::size_t from, unsigned char delimiter) const noexcept;

    void ReadToken();
    void SkipBlanks() noexcept;
    bool ViewRules();  // true when a token was produced
    bool OpensRegion(int item, std::size_t& end) const;
    void ScanRegionEnd();
    bool ScanMail();
    bool ScanUrl();
    bool ScanVariable();
    bool ScanRubyQuote();
    void ScanCharClass();

    std::string_view text_;
    const TEditorViewInfo* view_ = nullptr;
    const TParserSettings* settings_ = nullptr;
    TBlankPolicy blanks_;
    int state_ = BracketStateNone;
    int index_ = 0;
    std::size_t start_ = 0;
    std::size_t cur_ = 0;
    // A mail scan that failed from some start fails from every later start
    // before this position (the same run of mail characters).
    std::size_t mailFailEnd_ = 0;
    TEditorTokenKind kind_ = tkEnd;
    // Counted per parser and handed to the thread's total when it goes; a
    // copy counts only its own steps.
    struct TSteps {
        std::size_t N = 0;
        TSteps() = default;
        TSteps(const TSteps&) noexcept {}
        TSteps& operator=(const TSteps&) noexcept { return *this; }
        ~TSteps();
    } steps_;
};

// The main window's tokenizer: each space is a token of its own, which its
// blank marks and attribute values need.
class TMyParser : public TEditorParser {
public:
    explicit TMyParser(std::string_view text) : TEditorParser(text, TBlankPolicy::KeepSpaces) {}
    static TMyParser CreateWithState(std::string_view text, const TEditorViewInfo* view, int startState,
                                     const TParserSettings* settings = nullptr)
    {
        return TMyParser(text, view, startState, settings);
    }

    template <class S, class... Rest>
        requires(std::is_same_v<S, std::string>)
    TMyParser(S&&, Rest&&...) = delete;
    template <class S, class... Rest>
        requires(std::is_same_v<S, std::string>)
    static TMyParser CreateWithState(S&&, Rest&&...) = delete;

private:
    TMyParser(std::string_view text, const TEditorViewInfo* view, int startState, const TParserSettings* settings)
        : TEditorParser(text, view, startState, TBlankPolicy::KeepSpaces, settings)
    {
    }
};

} // namespace vellumo
