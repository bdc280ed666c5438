#include "app/window/linedraw.h"

#include <algorithm>

#include "base/leadbytes.h"
#include "editor/options_viewinfo.h"
#include "editor/parser.h"
#include "editor/tokencolor.h"

namespace vellumo {

namespace {

constexpr int kHtmlTagItem = 4;   // the "<" .. ">" region of the HTML mode
constexpr int kHspStringItem = 1; // the double-quoted multi-line string of the HSP mode

unsigned char Byte(std::string_view s, std::size_t i) noexcept
{
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}

// Length of the character at i: a lead byte with a byte after it is two.
std::size_t CharLength(std::string_view s, std::size_t i) noexcept
{
    return IsLeadByte(Byte(s, i)) && i + 1 < s.size() ? 2 : 1;
}

bool IsFullWidthSpace(std::string_view s, std::size_t i) noexcept
{
    return Byte(s, i) == 0x81 && i + 1 < s.size() && Byte(s, i + 1) == 0x40;
}

std::string LowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsPropertyDirective(std::string_view lower) noexcept
{
    return lower == "index" || lower == "read" || lower == "write" || lower == "readonly" || lower == "writeonly";
}

bool IsRegionOrComment(int kind) noexcept { return kind == tkBracket || kind == tkComment; }

// The kinds that are looked up in the keyword list.
bool IsKeywordToken(const TEditorParser& p) noexcept { return IsKeywordTokenKind(p.TokenKind()); }

// Builds one plan; every walk makes its own tokenizer.
class TPlanner {
public:
    TPlanner(const TLineDrawInput& in, const TLineDrawSettings& s)
        : in_(in), opt_(*s.Option), col_(*s.Color), pasteMark_(s.PasteMark), line_(in.LineStr),
          first_(FirstCharacter(in.LineStr)), w_(std::max(1, in.CellWidth))
    {
    }

    TLineDrawPlan Run()
    {
        if (!in_.Selected) ModeOverlay();
        DrawLineExtras();
        return std::move(plan_);
    }

private:
    // ---- tokenizers
    TEditorParser RowParser() const
    {
        if (!in_.View) return TEditorParser(line_);
        return TEditorParser::CreateWithState(line_, in_.View, in_.StartState);
    }
    bool Keyword(const TEditorParser& p) const
    {
        return IsKeywordToken(p) && in_.IsKeyword && in_.IsKeyword(p.TokenText());
    }
    int LineX(int pos) const { return in_.X + pos * w_; }

    void Add(int x, std::string_view text, bool setColors, TColor color, TOverlayStyle style)
    {
        if (text.empty()) return;
        plan_.Texts.push_back({x, std::string(text), setColors, color, style});
    }
    void Colour(const TEditorParser& p, TColor c, TOverlayStyle st = TOverlayStyle::Keep)
    {
        Add(LineX(p.TokenPos()), p.TokenText(), true, c, st);
    }
    void Restyle(const TEditorParser& p, TOverlayStyle st) { Add(LineX(p.TokenPos()), p.TokenText(), false, clBlack, st); }

    template <class F>
    static void EachToken(TEditorParser p, F f)
    {
        for (; p.TokenKind() != tkEnd; p.NextToken()) f(p);
    }
    // Up to the first token that starts right of the row rectangle: what is
    // drawn from there on would be clipped away whole.
    template <class F>
    void EachVisibleToken(TEditorParser p, F f) const
    {
        for (; p.TokenKind() != tkEnd && LineX(p.TokenPos()) <= in_.RectRight; p.NextToken()) f(p);
    }

    const std::string& Stored()
    {
        if (!plan_.StoredTextRead) {
            plan_.StoredTextRead = true;
            if (in_.StoredText) stored_ = in_.StoredText();
        }
        return stored_;
    }

    // Walks the stored row with each token's display cell (tabs expanded).
    template <class F>
    void EachStoredToken(TEditorParser p, F f)
    {
        const int tab = std::max(1, in_.TabWidth);
        int extra = 0;  // cells the tabs before the token added
        for (; p.TokenKind() != tkEnd; p.NextToken()) {
            const int cell = p.TokenPos() + extra;
            const int x = in_.TextLeft + cell * w_ - in_.HorzOffset;
            if (x > in_.RectRight) break;  // clipped away, as is every later one
            f(p, x);
            if (p.TokenKind() == tkTab) extra += tab - cell % tab - 1;
        }
    }

    // ---- overlays by mode
    void ModeOverlay()
    {
        switch (in_.Mode) {
        case emHtml: HtmlAttributes(); break;
        case emIni: Ini(); DrawLinkTokens(); break;
        case emBat: Bat(); DrawLinkTokens(); break;
        case emVb: Vb(); break;
        case emHsp: Hsp(); break;
        case emDelphi: Delphi(TOverlayStyle::Plain, true); break;
        case emStandard: Quotation(); DrawLinkTokens(); break;
        default: break;
        }
    }

    void HtmlAttributes()
    {
        if (!in_.View) return;
        EachToken(RowParser(), [&](const TEditorParser& tag) {
            if (tag.TokenKind() != tkBracket || tag.BracketIndex() != kHtmlTagItem) return;
            AttributeValues(tag.TokenText(), tag.TokenPos());
        });
    }

    // Quoted values with their quotes, unquoted ones up to the next space; ">" never.
    void AttributeValues(std::string_view tag, int base)
    {
        TMyParser p = TMyParser::CreateWithState(tag, in_.View, BracketStateNone);
        auto draw = [&] { Add(LineX(base + p.TokenPos()), p.TokenText(), true, col_.Html_Option, TOverlayStyle::Keep); };
        bool value = false;
        while (p.TokenKind() != tkEnd) {
            if (!value && p.TokenText() == "=") {
                value = true;
                p.NextToken();
                if (p.TokenKind() == tkEnd) break;
                const std::string_view q = p.TokenText();
                if (q == "\"" || q == "'") {
                    const std::string quote(q);
                    int count = 0;
                    while (p.TokenKind() != tkEnd && p.TokenText() != ">") {
                        if (p.TokenText() == quote) ++count;
                        draw();
                        if (count > 1) {
                            value = false;
                            break;
                        }
                        p.NextToken();
                    }
                    if (p.TokenKind() == tkEnd) break;
                }
            }
            if (p.TokenText() == " ")
                value = false;
            else if (value && p.TokenText() != ">")
                draw();
            p.NextToken();
        }
    }

    void Ini()
    {
        if (first_ == ";" || first_ == "#") {
            EachToken(TEditorParser(line_), [&](const TEditorParser& p) { Colour(p, col_.Ini_Comment); });
        } else if (first_ == "[") {
            EachToken(TEditorParser(line_), [&](const TEditorParser& p) { Colour(p, col_.Ini_Sec); });
        } else {
            const std::size_t eq = FindAsciiChar(line_, '=');
            if (eq != std::string_view::npos && eq + 1 < line_.size())
                Add(LineX(static_cast<int>(eq + 1)), line_.substr(eq + 1), true, col_.Ini_Key, TOverlayStyle::Keep);
        }
    }

    void BoldKeywords(TColor c)
    {
        EachToken(RowParser(), [&](const TEditorParser& p) {
            if (Keyword(p)) Colour(p, c, TOverlayStyle::Bold);
        });
    }

    void Bat()
    {
        if (IsRemLine(line_))
            EachToken(RowParser(), [&](const TEditorParser& p) { Colour(p, col_.Bat_Comment); });
        else if (first_ == ":")
            EachToken(RowParser(), [&](const TEditorParser& p) { Colour(p, col_.Bat_Label); });
        else if (col_.Bat_KeyWord_Bold)
            BoldKeywords(col_.Bat_KeyWord);
    }

    void Vb()
    {
        if (IsRemLine(line_))
            EachToken(RowParser(), [&](const TEditorParser& p) { Colour(p, col_.Vb_Comment); });
        else if (col_.Vb_KeyWord_Bold)
            BoldKeywords(col_.Vb_KeyWord);
    }

    bool HspLabelLine() const { return first_ == "*" && !IsRegionOrComment(RowParser().TokenKind()); }

    void Hsp()
    {
        const TEditorParser firstToken = RowParser();
        if (HspLabelLine()) {
            EachToken(RowParser(), [&](const TEditorParser& p) {
                if (!IsRegionOrComment(p.TokenKind())) Colour(p, col_.Hsp_Label);
            });
        } else if (firstToken.TokenKind() == tkBracket && firstToken.BracketIndex() == kHspStringItem) {
            const std::size_t semi = FindAsciiChar(line_, ';');
            if (semi != std::string_view::npos)
                Add(LineX(static_cast<int>(semi)), line_.substr(semi), true, col_.Hsp_Comment, TOverlayStyle::Keep);
        } else if (col_.Hsp_KeyWord_Bold) {
            BoldKeywords(col_.Hsp_KeyWord);
        }
    }

    // The directive words are keywords only on property lines.
    void Delphi(TOverlayStyle style, bool colour)
    {
        bool property = false;
        EachToken(RowParser(), [&](const TEditorParser& p) {
            if (!IsRegionOrComment(p.TokenKind()) && IsKeywordToken(p) && LowerAscii(p.TokenText()) == "property")
                property = true;
        });
        if (property) return;
        EachToken(RowParser(), [&](const TEditorParser& p) {
            if (IsRegionOrComment(p.TokenKind()) || !IsKeywordToken(p)) return;
            if (!IsPropertyDirective(LowerAscii(p.TokenText()))) return;
            if (colour)
                Colour(p, col_.Font, style);
            else
                Restyle(p, style);
        });
    }

    void Quotation()
    {
        if (!opt_.InyouRow || !IsQuotedLine(line_, opt_.Inyouhu, pasteMark_)) return;
        EachVisibleToken(TEditorParser(line_), [&](const TEditorParser& p) { Colour(p, col_.Inyou); });
    }

    void DrawLinkTokens()
    {
        if (!opt_.LinkWord || !in_.View) return;
        const std::string& row = Stored();
        const TOverlayStyle st = opt_.LinkUnderline ? TOverlayStyle::Underline : TOverlayStyle::Keep;
        EachStoredToken(TEditorParser::CreateWithState(row, in_.View, BracketStateNone), [&](const TEditorParser& p, int x) {
            if (p.TokenKind() == tkUrl || p.TokenKind() == tkMail) Add(x, p.TokenText(), true, col_.Link, st);
        });
    }

    void UnderlineLinkTokens()
    {
        if (!opt_.LinkWord || !opt_.LinkUnderline || !in_.View) return;
        const std::string& row = Stored();
        EachStoredToken(TEditorParser::CreateWithState(row, in_.View, BracketStateNone), [&](const TEditorParser& p, int x) {
            if (p.TokenKind() == tkUrl || p.TokenKind() == tkMail)
                Add(x, p.TokenText(), false, clBlack, TOverlayStyle::Underline);
        });
    }

    // The style pass while the editor has a selection, then the blank marks.
    void DrawLineExtras()
    {
        if (in_.EditorHasSelection) StylePass();
        BlankMarks();
    }

    // ---- while a selection exists: styles again, colours as the canvas has them
    void StylePass()
    {
        switch (in_.Mode) {
        case emBat:
            if (IsRemLine(line_) || first_ == ":")
                EachToken(RowParser(), [&](const TEditorParser& p) { Restyle(p, TOverlayStyle::Keep); });
            else if (col_.Bat_KeyWord_Bold)
                EachToken(RowParser(), [&](const TEditorParser& p) {
                    if (Keyword(p)) Restyle(p, TOverlayStyle::Bold);
                });
            UnderlineLinkTokens();
            break;
        case emVb:
            if (IsRemLine(line_))
                EachToken(RowParser(), [&](const TEditorParser& p) { Restyle(p, TOverlayStyle::Keep); });
            else if (col_.Vb_KeyWord_Bold)
                EachToken(RowParser(), [&](const TEditorParser& p) {
                    if (Keyword(p)) Restyle(p, TOverlayStyle::Bold);
                });
            break;
        case emHsp:
            if (HspLabelLine())
                EachToken(RowParser(), [&](const TEditorParser& p) {
                    if (!IsRegionOrComment(p.TokenKind())) Restyle(p, TOverlayStyle::Keep);
                });
            else if (col_.Hsp_KeyWord_Bold)
                EachToken(RowParser(), [&](const TEditorParser& p) {
                    if (Keyword(p)) Restyle(p, TOverlayStyle::Bold);
                });
            break;
        case emDelphi: Delphi(TOverlayStyle::Plain, false); break;
        default: UnderlineLinkTokens(); break;
        }
    }

    // A mark is drawn when its cell starts inside the row and at most a
    // quarter of it would pass the right edge.
    bool MarkFits(int x) const
    {
        return x >= in_.RectLeft && (in_.RectRight - w_ >= x || in_.RectRight - w_ / 4 >= x);
    }

    void BlankMarks()
    {
        if (!opt_.TabMark && !opt_.SpMark && !opt_.HSpMark) return;
        const std::string& row = Stored();
        bool blanks = false;
        for (std::size_t i = 0; i < row.size() && !blanks; i += CharLength(row, i))
            blanks = row[i] == ' ' || row[i] == '\t' || IsFullWidthSpace(row, i);
        if (!blanks) return;
        EachStoredToken(TMyParser(row), [&](const TEditorParser& p, int x) {
            const std::string_view t = p.TokenText();
            if (p.TokenKind() == tkTab) {
                if (opt_.TabMark && MarkFits(x)) plan_.Marks.push_back({TMarkKind::Tab, x});
            } else if (t == " ") {
                if (opt_.HSpMark && MarkFits(x)) plan_.Marks.push_back({TMarkKind::Space, x});
            } else if (t == "\x81\x40" && opt_.SpMark) {
                // Each half is tested at its own cell, so a half past the edge is not drawn.
                if (MarkFits(x)) plan_.Marks.push_back({TMarkKind::FullSpaceLeft, x});
                if (MarkFits(x + w_)) plan_.Marks.push_back({TMarkKind::FullSpaceRight, x + w_});
            }
        });
    }

    const TLineDrawInput& in_;
    const TAppIni& opt_;
    const TAppColors& col_;
    const std::string& pasteMark_;
    std::string_view line_;
    std::string_view first_;
    int w_;
    std::string stored_;
    TLineDrawPlan plan_;
};

} // namespace

std::string_view TrimLineStart(std::string_view s) noexcept
{
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || s[i] == '\t')
            ++i;
        else if (IsFullWidthSpace(s, i))
            i += 2;
        else
            break;
    }
    return s.substr(i);
}

std::string_view FirstCharacter(std::string_view s) noexcept
{
    const std::string_view t = TrimLineStart(s);
    return t.empty() ? t : t.substr(0, CharLength(t, 0));
}

bool IsRemLine(std::string_view s) noexcept
{
    const std::string_view t = TrimLineStart(s);
    if (t.size() < 3) return false;
    for (std::size_t i = 0; i < 3; ++i)
        if ((t[i] | 0x20) != "rem"[i]) return false;
    return t.size() == 3 || t[3] == ' ' || t[3] == '\t';
}

bool CharInList(std::string_view ch, std::string_view list) noexcept
{
    if (ch.empty()) return false;
    for (std::size_t i = 0; i < list.size();) {
        const std::size_t n = CharLength(list, i);
        if (list.substr(i, n) == ch) return true;
        i += n;
    }
    return false;
}

std::size_t FindAsciiChar(std::string_view s, char c) noexcept
{
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
        if (s[i] == c) return i;
    return std::string_view::npos;
}

bool IsQuotedLine(std::string_view s, std::string_view marks, std::string_view pasteMark) noexcept
{
    if (CharInList(FirstCharacter(s), marks)) return true;
    // An empty paste mark would make every line a quotation.
    return !pasteMark.empty() && s.substr(0, pasteMark.size()) == pasteMark;
}

TLineDrawPlan PlanLineDraw(const TLineDrawInput& in, const TLineDrawSettings& settings)
{
    if (!settings.Option || !settings.Color) return {};
    return TPlanner(in, settings).Run();
}

} // namespace vellumo
