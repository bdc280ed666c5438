#include "editor/parser.h"

#include <algorithm>

#include "base/leadbytes.h"
#include "editor/bytefind.h"
#include "editor/options_viewinfo.h"

namespace vellumo {
namespace {

bool IsDigit(unsigned char b) noexcept { return b >= '0' && b <= '9'; }
bool IsAlpha(unsigned char b) noexcept { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
bool IsAlnum(unsigned char b) noexcept { return IsDigit(b) || IsAlpha(b); }
bool IsWordByte(unsigned char b) noexcept { return IsAlnum(b) || b == '_'; }
bool IsHexDigit(unsigned char b) noexcept
{
    return IsDigit(b) || (b >= 'A' && b <= 'F') || (b >= 'a' && b <= 'f');
}
bool IsIn(unsigned char b, std::string_view set) noexcept
{
    return b != 0 && set.find(static_cast<char>(b)) != std::string_view::npos;
}

// Bytes after "%" that cannot open a percent-quoted string in Ruby.
bool IsRubyNonOpener(unsigned char b) noexcept
{
    return b == 0 || b == '\t' || b == '\n' || b == '\r' || b == ' ' || b == '(' || b == '<' || b == '[' ||
           b == '{' || IsAlnum(b);
}

constexpr std::string_view RubyPercentLetters = "QWqrswx";

bool IsRubyBracketOpener(std::string_view l) noexcept
{
    return l == "%Q(" || l == "%Q<" || l == "%Q[" || l == "%Q{";
}

} // namespace

TEditorParser::TEditorParser(std::string_view text, TBlankPolicy blanks)
    : text_(text.substr(0, FindByte(text, '\0'))), blanks_(blanks)
{
    NextToken();
}

TEditorParser::TEditorParser(std::string_view text, const TEditorViewInfo* view, int startState, TBlankPolicy blanks,
                             const TParserSettings* settings)
    : text_(text.substr(0, FindByte(text, '\0'))),
      view_(view),
      settings_(settings ? settings : &GlobalParserSettings()),
      blanks_(blanks),
      state_(startState),
      index_(BracketStateNone)
{
    // A stored state can be older than the view's current brackets.
    if (state_ != BracketStateNone && state_ != BracketStateOutside &&
        (state_ < 0 || !view_ || state_ >= view_->Brackets().Count()))
        state_ = BracketStateOutside;
    NextToken();
}

TEditorParser::TEditorParser(std::string_view text, const TEditorViewInfo* view, int state, std::size_t from,
                             TBlankPolicy blanks, const TParserSettings* settings)
    : text_(text.substr(0, FindByte(text, '\0'))),
      view_(view),
      settings_(settings ? settings : &GlobalParserSettings()),
      blanks_(blanks),
      state_(state),
      index_(BracketStateNone),
      cur_(std::min(from, text_.size()))
{
    if (state_ != BracketStateNone && state_ != BracketStateOutside &&
        (state_ < 0 || !view_ || state_ >= view_->Brackets().Count()))
        state_ = BracketStateOutside;
    NextToken();
}

std::size_t TEditorParser::ReadHorizon() const noexcept
{
    // A token is decided by looking at most at twice the longest pattern
    // (a double-byte stepping match) and a byte or two past its end; a
    // failed mail scan looked on to the end of its run.
    std::size_t longest = 9;  // "prospero:"
    if (view_) {
        for (const std::string* p : {&view_->Commenter(), &view_->Commenter2(), &view_->PerlCommenter(),
                                     &view_->RubyCommenter(), &view_->HexPrefix(), &view_->Quotation(),
                                     &view_->Quotation2(), &view_->PerlQuotation()})
            longest = std::max(longest, p->size());
        for (int i = 0; i < view_->Brackets().Count(); ++i) {
            longest = std::max(longest, view_->Brackets().Items(i).LeftBracket().size());
            longest = std::max(longest, view_->Brackets().Items(i).RightBracket().size());
        }
    }
    return std::max(cur_ + 2 * longest + 4, mailFailEnd_ + 2);
}

std::size_t TEditorParser::CharLen(std::size_t i) const noexcept
{
    return IsLeadByte(At(i)) && !AtRowEnd(i + 1) ? 2 : 1;
}

std::size_t TEditorParser::RowEndFrom(std::size_t i) const noexcept
{
    // The text holds no NUL (it was cut there): the row ends at a CR, an LF or its end.
    if (i >= text_.size()) return i;
    const char* const base = text_.data();
    return static_cast<std::size_t>(FindEither(base + i, base + text_.size(), '\r', '\n') - base);
}

// The pattern must equal the text and end on a character boundary.
bool TEditorParser::MatchPlain(std::size_t pos, std::string_view pattern, std::size_t& end) const noexcept
{
    if (pattern.empty() || pos > text_.size() || text_.size() - pos < pattern.size()) return false;
    if (text_[pos] != pattern[0]) return false;
    if (text_.compare(pos, pattern.size(), pattern) != 0) return false;
    std::size_t p = pos;
    while (p < pos + pattern.size()) p += CharLen(p);
    if (p != pos + pattern.size()) return false;
    end = p;
    return true;
}

// A double-byte character in the text matches only the same two bytes of the
// pattern; one that would run past the pattern's end fails the match. With
// perlPrefixes, "$", "\", "=", "[" or "&" followed by the pattern byte moves
// the cursor onto that byte without consuming it (viaPrefix: no match, but
// the cursor stays there).
bool TEditorParser::MatchDbcsStepping(std::size_t pos, std::string_view pattern, bool perlPrefixes,
                                      std::size_t& end, bool& viaPrefix) const noexcept
{
    viaPrefix = false;
    if (pattern.empty()) return false;
    std::size_t p = pos, i = 0;
    while (i < pattern.size()) {
        if (AtRowEnd(p)) return false;
        const unsigned char c = At(p);
        const unsigned char want = static_cast<unsigned char>(pattern[i]);
        if (IsLeadByte(c)) {
            if (CharLen(p) != 2 || i + 1 >= pattern.size() || want != c ||
                static_cast<unsigned char>(pattern[i + 1]) != At(p + 1))
                return false;
            p += 2;
            i += 2;
            viaPrefix = false;
        } else if (perlPrefixes && IsIn(c, "$\\=[&")) {
            if (AtRowEnd(p + 1) || At(p + 1) != want) return false;
            ++p;
            ++i;
            viaPrefix = true;
        } else if (c == want) {
            ++p;
            ++i;
            viaPrefix = false;
        } else {
            return false;
        }
    }
    end = p;
    return true;
}

std::size_t TEditorParser::SimpleQuoteScan(std::size_t opener, unsigned char quote) const noexcept
{
    std::size_t p = opener + CharLen(opener);
    while (!AtRowEnd(p)) {
        const unsigned char c = At(p);
        if (IsLeadByte(c)) {
            p += CharLen(p);  // a trail byte never closes the string
        } else if (c == quote) {
            ++p;
            if (At(p) != quote) break;
            ++p;  // a doubled quote stays inside
        } else {
            ++p;
        }
    }
    return p;
}

std::size_t TEditorParser::EscapedQuoteScan(std::size_t from, unsigned char delimiter) const noexcept
{
    std::size_t p = from;
    for (;;) {
        const unsigned char c = At(p);
        if (IsLeadByte(c) && !AtRowEnd(p + 1)) {
            p += 2;
            continue;
        }
        if (AtRowEnd(p)) break;
        if (c == delimiter) {
            ++p;
            if (At(p) != delimiter || AtRowEnd(p)) break;
            ++p;
            continue;
        }
        if (c == '\\') {
            ++p;
            if (!AtRowEnd(p)) p += CharLen(p);  // the escaped character, whole
            continue;
        }
        ++p;
    }
    return p;
}

void TEditorParser::SkipBlanks() noexcept
{
    const unsigned char last = blanks_ == TBlankPolicy::KeepSpaces ? 0x1F : 0x20;
    for (;;) {
        const unsigned char c = At(cur_);
        if ((c >= 0x01 && c <= 0x08) || (c >= 0x0A && c <= last))
            ++cur_;
        else
            break;
    }
}

namespace {
thread_local std::size_t tokenizedBytes = 0;
} // namespace

TEditorParser::TSteps::~TSteps() { tokenizedBytes += N; }

std::size_t TEditorParser::TokenizedBytes() noexcept { return tokenizedBytes; }

void TEditorParser::NextToken()
{
    const std::size_t before = cur_;
    ReadToken();
    steps_.N += cur_ - before;
}

void TEditorParser::ReadToken()
{
    SkipBlanks();
    start_ = cur_;
    if (AtRowEnd(cur_)) {
        kind_ = tkEnd;
        return;
    }
    if (view_ && ViewRules()) return;
    ScanCharClass();
}

bool TEditorParser::OpensRegion(int item, std::size_t& end) const
{
    const std::string& l = view_->Brackets().Items(item).LeftBracket();
    // Every opener, the Ruby percent forms too, starts with its own first byte.
    if (l.empty() || At(cur_) != static_cast<unsigned char>(l[0])) return false;
    if ((l == "=begin" || l == "=pod") && cur_ != 0) return false;
    if (settings_->EditMode == emRuby && IsRubyBracketOpener(l)) {
        if (At(cur_) == '%' && IsIn(At(cur_ + 1), RubyPercentLetters) && At(cur_ + 2) == static_cast<unsigned char>(l[2])) {
            end = cur_ + 3;
            return true;
        }
        return false;
    }
    return MatchPlain(cur_, l, end);
}

void TEditorParser::ScanRegionEnd()
{
    const std::string& r = view_->Brackets().Items(state_).RightBracket();
    if (r.empty()) {
        cur_ = RowEndFrom(cur_);
        return;
    }
    const bool wholeRow = r == "=end" || r == "=cut";
    while (!AtRowEnd(cur_)) {
        std::size_t end = 0;
        if ((!wholeRow || cur_ == 0) && MatchPlain(cur_, r, end)) {
            state_ = BracketStateOutside;
            cur_ = wholeRow ? RowEndFrom(end) : end;
            return;
        }
        cur_ += CharLen(cur_);
    }
}

bool TEditorParser::ScanMail()
{
    const TByteSet& set = settings_->MailCharSet;
    const unsigned char first = At(cur_);
    if (first == '@' || !set.Contains(first)) return false;
    if (cur_ < mailFailEnd_) return false;
    std::size_t p = cur_ + CharLen(cur_);
    bool at = false, dot = false;
    while (!AtRowEnd(p) && set.Contains(At(p))) {
        const unsigned char c = At(p);
        if (c == '@')
            at = true;
        else if (c == '.' && at)
            dot = true;
        p += CharLen(p);
    }
    if (at && dot) {
        cur_ = p;
        return true;
    }
    mailFailEnd_ = p;
    return false;
}

bool TEditorParser::ScanUrl()
{
    // Tried in this order, lower case only.
    static constexpr std::string_view schemes[] = {"http:",   "https:",   "ftp:",   "file:",  "gopher:",
                                                   "news:",   "nntp:",    "telnet:", "prospero:", "mailto:"};
    for (std::string_view scheme : schemes) {
        std::size_t end = 0;
        if (At(cur_) != static_cast<unsigned char>(scheme[0]) || !MatchPlain(cur_, scheme, end)) continue;
        std::size_t p = end - 1;  // on the ":"
        if (settings_->UrlEx) {
            const TByteSet& stop = settings_->UrlEndCharSet;
            while (!AtRowEnd(p) && !stop.Contains(At(p))) p += CharLen(p);
        } else {
            const TByteSet& keep = settings_->UrlCharSet;
            while (!AtRowEnd(p) && keep.Contains(At(p))) p += CharLen(p);
        }
        cur_ = p;
        return true;
    }
    return false;
}

bool TEditorParser::ScanVariable()
{
    const bool perl = !view_->PerlCommenter().empty();
    const bool ruby = !view_->RubyCommenter().empty();
    const unsigned char c = At(cur_);
    std::size_t p = cur_ + 1;
    if ((perl || ruby) && c == '$') {
        while (IsWordByte(At(p)) || IsIn(At(p), "\"#'/`")) ++p;
    } else if (!perl) {
        return false;
    } else if (c == '&') {
        while (IsWordByte(At(p)) || At(p) == '\'') ++p;
    } else if (c == '%' || c == '@' || c == '*' || c == '+') {
        while (IsWordByte(At(p))) ++p;
    } else if (c == '/' || c == '\\') {
        while (At(p) == '"' || At(p) == '\'') ++p;
    } else {
        return false;
    }
    cur_ = p;
    return true;
}

bool TEditorParser::ScanRubyQuote()
{
    const unsigned char c = At(cur_);
    if (c == '%') {
        const unsigned char d1 = At(cur_ + 1);
        if (!IsRubyNonOpener(d1) && !IsLeadByte(d1)) {
            cur_ = EscapedQuoteScan(cur_ + 2, d1);
            return true;
        }
        const unsigned char d2 = At(cur_ + 2);
        if (IsIn(d1, RubyPercentLetters) && !IsRubyNonOpener(d2) && !IsLeadByte(d2)) {
            cur_ = EscapedQuoteScan(cur_ + 3, d2);
            return true;
        }
        return false;
    }
    if (c == '`' || (c == '/' && At(cur_ + 1) != ' ')) {
        cur_ = EscapedQuoteScan(cur_ + 1, c);
        return true;
    }
    return false;
}

bool TEditorParser::ViewRules()
{
    const TEditorViewInfo& v = *view_;

    if (state_ >= 0) {
        index_ = state_;
        ScanRegionEnd();
        kind_ = tkBracket;
        return true;
    }
    if (state_ == BracketStateOutside) {
        for (int i = 0; i < v.Brackets().Count(); ++i) {
            std::size_t end = 0;
            if (!OpensRegion(i, end)) continue;
            state_ = index_ = i;
            cur_ = end;
            ScanRegionEnd();
            kind_ = tkBracket;
            return true;
        }
    }
    if (v.Mail() && ScanMail()) {
        kind_ = tkMail;
        return true;
    }
    if (v.Url() && ScanUrl()) {
        kind_ = tkUrl;
        return true;
    }
    for (const std::string* commenter : {&v.Commenter(), &v.Commenter2()}) {
        std::size_t end = 0;
        if (MatchPlain(cur_, *commenter, end)) {
            cur_ = RowEndFrom(end);
            kind_ = tkComment;
            return true;
        }
    }
    {
        std::size_t end = 0;
        bool viaPrefix = false;
        if (MatchDbcsStepping(cur_, v.PerlCommenter(), true, end, viaPrefix)) {
            if (viaPrefix) {
                cur_ = end;  // «$#» and kin: no comment; the later rules start on the "#"
            } else {
                cur_ = RowEndFrom(end);
                kind_ = tkPerlComment;
                return true;
            }
        }
        if (MatchDbcsStepping(cur_, v.RubyCommenter(), false, end, viaPrefix)) {
            cur_ = end;
            if (At(end) != '{') {  // "#{" opens an interpolation, not a comment
                cur_ = RowEndFrom(end);
                kind_ = tkRubyComment;
                return true;
            }
        }
    }
    for (const std::string* quote : {&v.Quotation(), &v.Quotation2()}) {
        if (!quote->empty() && At(cur_) == static_cast<unsigned char>((*quote)[0])) {
            cur_ = SimpleQuoteScan(cur_, At(cur_));
            kind_ = tkString;
            return true;
        }
    }
    if (ScanVariable()) {
        kind_ = tkPerlVariable;
        return true;
    }
    if (!v.PerlQuotation().empty()) {
        const unsigned char pq = static_cast<unsigned char>(v.PerlQuotation()[0]);
        for (unsigned char d : {pq, static_cast<unsigned char>('"')}) {
            if (At(cur_) == d) {
                cur_ = EscapedQuoteScan(cur_ + CharLen(cur_), d);
                kind_ = tkPerlString;
                return true;
            }
        }
        if (settings_->EditMode == emRuby && ScanRubyQuote()) {
            kind_ = tkPerlString;
            return true;
        }
    }
    {
        std::size_t end = 0;
        if (MatchPlain(cur_, v.HexPrefix(), end)) {
            while (IsHexDigit(At(end))) ++end;
            cur_ = end;
            kind_ = tkNumber;
            return true;
        }
    }
    if (v.ControlCode() && At(cur_) == '#') {
        std::size_t p = cur_ + 1;
        if (At(p) == '$') {
            ++p;
            while (IsHexDigit(At(p))) ++p;
        } else {
            while (IsDigit(At(p))) ++p;
        }
        cur_ = p;
        kind_ = tkString;
        return true;
    }
    if (settings_->EditMode == emCss && (IsAlpha(At(cur_)) || At(cur_) == '-')) {
        std::size_t p = cur_;
        while (IsAlpha(At(p)) || At(p) == '-') ++p;
        cur_ = p;
        kind_ = tkHyphenWord;
        return true;
    }
    return false;
}

void TEditorParser::ScanCharClass()
{
    std::size_t p = cur_;
    const unsigned char b = At(p);
    const unsigned char t = CharLen(p) == 2 ? At(p + 1) : 0;
    auto isPair = [this](std::size_t q, unsigned char lead, unsigned char lo, unsigned char hi) {
        return At(q) == lead && At(q + 1) >= lo && At(q + 1) <= hi;
    };
    auto isLongSound = [&isPair](std::size_t q) {  // the long-vowel mark and the full-width minus
        return isPair(q, 0x81, 0x5B, 0x5B) || isPair(q, 0x81, 0x7C, 0x7C);
    };

    TEditorTokenKind kind = tkSymbol;
    if (AtRowEnd(p)) {
        // Only reached after an earlier rule moved the cursor: those bytes form the token.
        kind_ = cur_ > start_ ? tkSymbol : tkEnd;
        return;
    }
    if (b == '\t') {
        kind = tkTab;
        ++p;
    } else if (IsDigit(b)) {
        while (IsDigit(At(p))) ++p;
        if (IsAlpha(At(p))) {
            while (IsAlnum(At(p))) ++p;
            kind = tkWord;
        } else {
            kind = tkNumber;
        }
    } else if (IsAlpha(b) || b == '_') {
        while (IsWordByte(At(p))) ++p;
        kind = tkWord;
    } else if (b == 0x82 && t >= 0x4F && t <= 0x58) {
        p += 2;
        while (isPair(p, 0x82, 0x4F, 0x58) || isPair(p, 0x81, 0x43, 0x44)) p += 2;
        kind = tkDbcsDigit;
    } else if (b == 0x82 && t >= 0x60 && t <= 0x9A) {
        p += 2;
        while (isPair(p, 0x82, 0x60, 0x9A)) p += 2;
        kind = tkDbcsLatin;
    } else if (b == 0x82 && t >= 0x9F && t <= 0xF1) {
        p += 2;
        while (isPair(p, 0x82, 0x9F, 0xF1) || isLongSound(p)) p += 2;
        kind = tkHiragana;
    } else if (b == 0x83 && t >= 0x40 && t <= 0x96) {
        p += 2;
        while (isPair(p, 0x83, 0x40, 0x96) || isLongSound(p)) p += 2;
        kind = tkKatakana;
    } else if (b == 0x83 && t >= 0x9F && t <= 0xF0) {
        p += 2;
        while (isPair(p, 0x83, 0x9F, 0xF0)) p += 2;
        kind = tkDbcsSymbol;
    } else if (b >= 0x84 && b <= 0x87) {
        while (At(p) >= 0x84 && At(p) <= 0x87) p += CharLen(p);
        kind = tkDbcsSymbol;
    } else if ((b >= 0x88 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
        auto kanjiLead = [](unsigned char c) { return (c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); };
        while (kanjiLead(At(p))) p += CharLen(p);
        kind = tkKanji;
    } else if (b == 0x81 || b == 0x82 || b == 0x83) {
        // 81 is a symbol; an unassigned 82/83 code is one whole symbol too, so
        // the row goes on being tokenized after it.
        p += CharLen(p);
        kind = tkDbcsSymbol;
    } else if (b >= 0xA1 && b <= 0xA5) {
        ++p;
        kind = tkKanaSymbol;
    } else if (b >= 0xA6 && b <= 0xDF) {
        while (At(p) >= 0xA6 && At(p) <= 0xDF) ++p;
        kind = tkKana;
    } else {
        ++p;
    }
    cur_ = p;
    kind_ = kind;
}

} // namespace vellumo
