// Token tables of rows in each edit mode's setup, and the rules that cross rows.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "editor/options_viewinfo.h"
#include "editor/parser.h"
#include "syntax_modes.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

class ParserModes : public ::testing::Test {
protected:
    RowResult Run(TEditMode mode, const std::string& row, int state = BracketStateOutside,
                  TBlankPolicy blanks = TBlankPolicy::SkipSpaces)
    {
        SetupMode(view, mode);
        settings.EditMode = mode;
        return Tokenize(row, &view, state, settings, blanks);
    }

    TEditorViewInfo view;
    TParserSettings settings;
};

using Toks = std::vector<Tok>;

TEST_F(ParserModes, CBlockCommentCarriedAcrossRows)
{
    auto r1 = Run(emCpp, "int a = 0x1F; /* start");
    EXPECT_EQ(r1.tokens, (Toks{{tkWord, 0, "int"}, {tkWord, 4, "a"}, {tkSymbol, 6, "="}, {tkWord, 8, "0x1F"},
                               {tkSymbol, 12, ";"}, {tkBracket, 14, "/* start"}}));
    EXPECT_EQ(r1.endState, 0);
    EXPECT_EQ(r1.bracketIndexes, std::vector<int>{0});

    auto r2 = Run(emCpp, "still */ b = \"x\\\"y\"; // c", r1.endState);
    EXPECT_EQ(r2.tokens, (Toks{{tkBracket, 0, "still */"}, {tkWord, 9, "b"}, {tkSymbol, 11, "="},
                               {tkPerlString, 13, "\"x\\\"y\""}, {tkSymbol, 19, ";"}, {tkComment, 21, "// c"}}));
    EXPECT_EQ(r2.endState, -1);

    // A row wholly inside the region keeps the state; an unstarted state sees no region at all.
    EXPECT_EQ(Run(emCpp, "  middle ", 0).tokens, (Toks{{tkBracket, 2, "middle "}}));
    EXPECT_EQ(Run(emCpp, "  middle ", 0).endState, 0);
    auto none = Run(emCpp, "/* x */", BracketStateNone);
    EXPECT_EQ(none.tokens, (Toks{{tkSymbol, 0, "/"}, {tkSymbol, 1, "*"}, {tkWord, 3, "x"}, {tkSymbol, 5, "*"},
                                 {tkSymbol, 6, "/"}}));
    EXPECT_EQ(none.endState, BracketStateNone);

    // Both quote kinds are escaped strings; a trail byte 5C inside is no backslash.
    EXPECT_EQ(Run(emJava, "'a\\'b' \"\x95\x5C\" \"\\\x95\x5C\" x").tokens,
              (Toks{{tkPerlString, 0, "'a\\'b'"}, {tkPerlString, 7, "\"\x95\x5C\""},
                    {tkPerlString, 12, "\"\\\x95\x5C\""}, {tkWord, 18, "x"}}));
    EXPECT_EQ(Run(emJavaScript, "x = 'a' // c").tokens,
              (Toks{{tkWord, 0, "x"}, {tkSymbol, 2, "="}, {tkPerlString, 4, "'a'"}, {tkComment, 8, "// c"}}));
}

TEST_F(ParserModes, PerlVariablesCommentsAndPod)
{
    EXPECT_EQ(Run(emPerl, "$#list = @a; # note").tokens,
              (Toks{{tkSymbol, 0, "$#"}, {tkWord, 2, "list"}, {tkSymbol, 7, "="}, {tkPerlVariable, 9, "@a"},
                    {tkSymbol, 11, ";"}, {tkPerlComment, 13, "# note"}}));
    EXPECT_EQ(Run(emPerl, "print \"a$b\" . 'c\\'d';").tokens,
              (Toks{{tkWord, 0, "print"}, {tkPerlString, 6, "\"a$b\""}, {tkSymbol, 12, "."},
                    {tkPerlString, 14, "'c\\'d'"}, {tkSymbol, 20, ";"}}));
    EXPECT_EQ(Run(emPerl, "%h / $x &f \\'").tokens,
              (Toks{{tkPerlVariable, 0, "%h"}, {tkPerlVariable, 3, "/"}, {tkPerlVariable, 5, "$x"},
                    {tkPerlVariable, 8, "&f"}, {tkPerlVariable, 11, "\\'"}}));
    // A kanji before a string stays a token of its own.
    EXPECT_EQ(Run(emPerl, "\x8A\xBF\"s\"").tokens, (Toks{{tkKanji, 0, "\x8A\xBF"}, {tkPerlString, 2, "\"s\""}}));

    auto open = Run(emPerl, "=pod x");
    EXPECT_EQ(open.tokens, (Toks{{tkBracket, 0, "=pod x"}}));
    EXPECT_EQ(open.endState, 0);
    auto indented = Run(emPerl, " =cut", 0);  // closes only at byte 0
    EXPECT_EQ(indented.tokens, (Toks{{tkBracket, 1, "=cut"}}));
    EXPECT_EQ(indented.endState, 0);
    auto close = Run(emPerl, "=cut y", 0);  // the rest of the row belongs to the region
    EXPECT_EQ(close.tokens, (Toks{{tkBracket, 0, "=cut y"}}));
    EXPECT_EQ(close.endState, -1);
    auto notOpen = Run(emPerl, "  =pod");
    EXPECT_EQ(notOpen.tokens, (Toks{{tkSymbol, 2, "="}, {tkWord, 3, "pod"}}));
    EXPECT_EQ(notOpen.endState, -1);
}

TEST_F(ParserModes, RubyPercentFormsInterpolationAndBegin)
{
    auto r = Run(emRuby, "%w[a b] #{x} # c");
    EXPECT_EQ(r.tokens, (Toks{{tkBracket, 0, "%w[a b]"}, {tkSymbol, 8, "#{"}, {tkWord, 10, "x"}, {tkSymbol, 11, "}"},
                              {tkRubyComment, 13, "# c"}}));
    EXPECT_EQ(r.bracketIndexes, std::vector<int>{7});
    EXPECT_EQ(r.endState, -1);

    auto q = Run(emRuby, "%!x! %(a) /re/ `ls` $stdout");
    EXPECT_EQ(q.tokens, (Toks{{tkPerlString, 0, "%!x!"}, {tkBracket, 5, "%(a)"}, {tkPerlString, 10, "/re/"},
                              {tkPerlString, 15, "`ls`"}, {tkPerlVariable, 20, "$stdout"}}));
    EXPECT_EQ(q.bracketIndexes, std::vector<int>{1});

    // The percent forms with "Q" and kin are regions only in Ruby mode.
    auto open = Run(emRuby, "%q{a");
    EXPECT_EQ(open.tokens, (Toks{{tkBracket, 0, "%q{a"}}));
    EXPECT_EQ(open.endState, 8);
    SetupMode(view, emRuby);
    settings.EditMode = emStandard;
    auto other = Tokenize("%q{a", &view, -1, settings);
    EXPECT_EQ(other.tokens, (Toks{{tkSymbol, 0, "%"}, {tkWord, 1, "q"}, {tkSymbol, 2, "{"}, {tkWord, 3, "a"}}));

    EXPECT_EQ(Run(emRuby, "=begin").endState, 0);
    auto inside = Run(emRuby, "x =end", 0);
    EXPECT_EQ(inside.tokens, (Toks{{tkBracket, 0, "x =end"}}));
    EXPECT_EQ(inside.endState, 0);
    auto end = Run(emRuby, "=end tail", 0);
    EXPECT_EQ(end.tokens, (Toks{{tkBracket, 0, "=end tail"}}));
    EXPECT_EQ(end.endState, -1);
    auto late = Run(emRuby, " =begin");
    EXPECT_EQ(late.tokens, (Toks{{tkSymbol, 1, "="}, {tkWord, 2, "begin"}}));
    EXPECT_EQ(late.endState, -1);
}

TEST_F(ParserModes, CssHyphenWords)
{
    auto r = Run(emCss, "a.b-c{margin-top:10px;_x:'s'} /* c");
    EXPECT_EQ(r.tokens, (Toks{{tkHyphenWord, 0, "a"}, {tkSymbol, 1, "."}, {tkHyphenWord, 2, "b-c"},
                              {tkSymbol, 5, "{"}, {tkHyphenWord, 6, "margin-top"}, {tkSymbol, 16, ":"},
                              {tkWord, 17, "10px"}, {tkSymbol, 21, ";"}, {tkWord, 22, "_x"}, {tkSymbol, 24, ":"},
                              {tkPerlString, 25, "'s'"}, {tkSymbol, 28, "}"}, {tkBracket, 30, "/* c"}}));
    EXPECT_EQ(r.endState, 0);
}

TEST_F(ParserModes, HtmlRegionsKeepTheirIndexes)
{
    auto r = Run(emHtml, "<!-- c --> <a href=\"x\">t</a> <% y %>");
    EXPECT_EQ(r.tokens, (Toks{{tkBracket, 0, "<!-- c -->"}, {tkBracket, 11, "<a href=\"x\">"}, {tkWord, 23, "t"},
                              {tkBracket, 24, "</a>"}, {tkBracket, 29, "<% y %>"}}));
    EXPECT_EQ(r.bracketIndexes, (std::vector<int>{0, 4, 4, 1}));
    EXPECT_EQ(r.endState, -1);

    auto open = Run(emHtml, "x <div");
    EXPECT_EQ(open.endState, 4);
    auto next = Run(emHtml, "id=1> <![CDATA[ a ]]> y", open.endState);
    EXPECT_EQ(next.tokens, (Toks{{tkBracket, 0, "id=1>"}, {tkBracket, 6, "<![CDATA[ a ]]>"}, {tkWord, 22, "y"}}));
    EXPECT_EQ(next.bracketIndexes, (std::vector<int>{4, 3}));
}

TEST_F(ParserModes, DelphiVbHspPhpStrings)
{
    auto d = Run(emDelphi, "{ c } x := #13#$0A'it''s'; (* y");
    EXPECT_EQ(d.tokens, (Toks{{tkBracket, 0, "{ c }"}, {tkWord, 6, "x"}, {tkSymbol, 8, ":"}, {tkSymbol, 9, "="},
                              {tkString, 11, "#13"}, {tkString, 14, "#$0A"}, {tkString, 18, "'it''s'"},
                              {tkSymbol, 25, ";"}, {tkBracket, 27, "(* y"}}));
    EXPECT_EQ(d.endState, 1);

    EXPECT_EQ(Run(emVb, "x = \"a\"\"b\" ' note").tokens,
              (Toks{{tkWord, 0, "x"}, {tkSymbol, 2, "="}, {tkString, 4, "\"a\"\"b\""}, {tkComment, 11, "' note"}}));

    auto h1 = Run(emHsp, "mes {\"multi");
    EXPECT_EQ(h1.tokens, (Toks{{tkWord, 0, "mes"}, {tkBracket, 4, "{\"multi"}}));
    EXPECT_EQ(h1.endState, 1);
    auto h2 = Run(emHsp, "line\"} ; c", 1);
    EXPECT_EQ(h2.tokens, (Toks{{tkBracket, 0, "line\"}"}, {tkComment, 7, "; c"}}));
    EXPECT_EQ(Run(emHsp, "a // b").tokens, (Toks{{tkWord, 0, "a"}, {tkComment, 2, "// b"}}));

    // PHP has no variable rule: "#" is a plain comment opener there.
    EXPECT_EQ(Run(emPhp, "$a = 1; # c").tokens, (Toks{{tkSymbol, 0, "$"}, {tkWord, 1, "a"}, {tkSymbol, 3, "="},
                                                      {tkNumber, 5, "1"}, {tkSymbol, 6, ";"}, {tkComment, 8, "# c"}}));
}

TEST_F(ParserModes, NumbersWordsAndHexPrefix)
{
    EXPECT_EQ(Run(emIni, "123abc 123_ 45").tokens,
              (Toks{{tkWord, 0, "123abc"}, {tkNumber, 7, "123"}, {tkWord, 10, "_"}, {tkNumber, 12, "45"}}));
    SetupMode(view, emDelphi);
    view.SetHexPrefix("$");
    settings.EditMode = emDelphi;
    EXPECT_EQ(Tokenize("$FFz $ #$1f", &view, -1, settings).tokens,
              (Toks{{tkNumber, 0, "$FF"}, {tkWord, 3, "z"}, {tkNumber, 5, "$"}, {tkString, 7, "#$1f"}}));
    view.SetHexPrefix("0x");
    EXPECT_EQ(Tokenize("0x1Fg", &view, -1, settings).tokens, (Toks{{tkNumber, 0, "0x1F"}, {tkWord, 4, "g"}}));
}

TEST_F(ParserModes, UrlsAndMailWithUrlExOffAndOn)
{
    const std::string row = "see http://ex.com/a b mail me@ex.jp now";
    EXPECT_EQ(Run(emStandard, row).tokens,
              (Toks{{tkWord, 0, "see"}, {tkUrl, 4, "http://ex.com/a"}, {tkWord, 20, "b"}, {tkWord, 22, "mail"},
                    {tkMail, 27, "me@ex.jp"}, {tkWord, 36, "now"}}));
    settings.UrlEx = true;
    EXPECT_EQ(Run(emStandard, row).tokens,
              (Toks{{tkWord, 0, "see"}, {tkUrl, 4, "http://ex.com/a b mail me@ex.jp now"}}));
    EXPECT_EQ(Run(emBat, "https://a/b c<d").tokens, (Toks{{tkUrl, 0, "https://a/b c"}, {tkSymbol, 13, "<"},
                                                         {tkWord, 14, "d"}}));
    // A terminator that is also a trail byte (ポ is 83 7C) does not cut the character.
    settings.SetNotUrlChars("|");
    EXPECT_EQ(Run(emStandard, "ftp://x/\x83\x7C|y").tokens,
              (Toks{{tkUrl, 0, "ftp://x/\x83\x7C"}, {tkSymbol, 10, "|"}, {tkWord, 11, "y"}}));
    settings.UrlEx = false;

    EXPECT_EQ(Run(emStandard, "HTTP://x").tokens, (Toks{{tkWord, 0, "HTTP"}, {tkSymbol, 4, ":"}, {tkSymbol, 5, "/"},
                                                       {tkSymbol, 6, "/"}, {tkWord, 7, "x"}}));
    EXPECT_EQ(Run(emStandard, "mailto:me@x.jp").tokens, (Toks{{tkUrl, 0, "mailto:me@x.jp"}}));
    EXPECT_EQ(Run(emStandard, "a@b @x.y a.b@c.d x@y.z,").tokens,
              (Toks{{tkWord, 0, "a"}, {tkSymbol, 1, "@"}, {tkWord, 2, "b"}, {tkSymbol, 4, "@"}, {tkWord, 5, "x"},
                    {tkSymbol, 6, "."}, {tkWord, 7, "y"}, {tkMail, 9, "a.b@c.d"}, {tkMail, 17, "x@y.z"},
                    {tkSymbol, 22, ","}}));
    // Links are off outside the standard, INI and BAT modes.
    EXPECT_EQ(Run(emHtml, "me@ex.jp").tokens,
              (Toks{{tkWord, 0, "me"}, {tkSymbol, 2, "@"}, {tkWord, 3, "ex"}, {tkSymbol, 5, "."}, {tkWord, 6, "jp"}}));
    // Characters added by the user join the mail set.
    settings.AddMailChars("+");
    EXPECT_EQ(Run(emStandard, "a+b@c.d").tokens, (Toks{{tkMail, 0, "a+b@c.d"}}));
}

TEST_F(ParserModes, FullWidthAndHalfWidthClasses)
{
    EXPECT_EQ(Run(emStandard, "\x82\x50\x82\x51\x81\x43\x82\x52\x81\x44\x81\x42").tokens,
              (Toks{{tkDbcsDigit, 0, "\x82\x50\x82\x51\x81\x43\x82\x52\x81\x44"}, {tkDbcsSymbol, 10, "\x81\x42"}}));
    EXPECT_EQ(Run(emStandard, "\x82\xA0\x81\x5B\x83\x4A\x83\x5E\x81\x7C\x82\x60\x82\x9A\x83\xBF\x84\x9F\x84\xA0"
                              "\x8A\xBF\x8E\x9A")
                  .tokens,
              (Toks{{tkHiragana, 0, "\x82\xA0\x81\x5B"}, {tkKatakana, 4, "\x83\x4A\x83\x5E\x81\x7C"},
                    {tkDbcsLatin, 10, "\x82\x60\x82\x9A"}, {tkDbcsSymbol, 14, "\x83\xBF"},
                    {tkDbcsSymbol, 16, "\x84\x9F\x84\xA0"}, {tkKanji, 20, "\x8A\xBF\x8E\x9A"}}));
    EXPECT_EQ(Run(emStandard, "\xA2\xB1\xB2\xA3\xDF\xA0\x80").tokens,
              (Toks{{tkKanaSymbol, 0, "\xA2"}, {tkKana, 1, "\xB1\xB2"}, {tkKanaSymbol, 3, "\xA3"},
                    {tkKana, 4, "\xDF"}, {tkSymbol, 5, "\xA0"}, {tkSymbol, 6, "\x80"}}));
    // Unassigned codes are one symbol each and the row goes on after them.
    EXPECT_EQ(Run(emStandard, "\x82\x40" "a\x83\x97\x82\xF2\x82\x20" "b").tokens,
              (Toks{{tkDbcsSymbol, 0, "\x82\x40"}, {tkWord, 2, "a"}, {tkDbcsSymbol, 3, "\x83\x97"},
                    {tkDbcsSymbol, 5, "\x82\xF2"}, {tkDbcsSymbol, 7, "\x82\x20"}, {tkWord, 9, "b"}}));
    EXPECT_EQ(Run(emStandard, "a\tb").tokens, (Toks{{tkWord, 0, "a"}, {tkTab, 1, "\t"}, {tkWord, 2, "b"}}));
}

TEST_F(ParserModes, LoneLeadByteAtRowEndInEveryContext)
{
    struct Case {
        TEditMode mode;
        bool urlEx;
        std::string row;
        Toks want;
        int endState;
    };
    const Case cases[] = {
        {emStandard, false, "a\x82", {{tkWord, 0, "a"}, {tkDbcsSymbol, 1, "\x82"}}, -1},
        {emStandard, false, "\x8A\xBF\x88", {{tkKanji, 0, "\x8A\xBF\x88"}}, -1},
        {emStandard, false, "\x82\x50\x82", {{tkDbcsDigit, 0, "\x82\x50"}, {tkDbcsSymbol, 2, "\x82"}}, -1},
        {emStandard, false, "\x84\x9F\x84", {{tkDbcsSymbol, 0, "\x84\x9F\x84"}}, -1},
        {emStandard, false, "http://a\x82", {{tkUrl, 0, "http://a"}, {tkDbcsSymbol, 8, "\x82"}}, -1},
        {emStandard, true, "http://a\x82", {{tkUrl, 0, "http://a\x82"}}, -1},
        {emStandard, false, "a@b.c\x82", {{tkMail, 0, "a@b.c"}, {tkDbcsSymbol, 5, "\x82"}}, -1},
        {emCpp, false, "/* x\x82", {{tkBracket, 0, "/* x\x82"}}, 0},
        {emCpp, false, "// \x82", {{tkComment, 0, "// \x82"}}, -1},
        {emCpp, false, "\"ab\x82", {{tkPerlString, 0, "\"ab\x82"}}, -1},
        {emCpp, false, "'a\\\x82", {{tkPerlString, 0, "'a\\\x82"}}, -1},
        {emVb, false, "\"ab\x82", {{tkString, 0, "\"ab\x82"}}, -1},
        {emPerl, false, "# \x82", {{tkPerlComment, 0, "# \x82"}}, -1},
        {emPerl, false, "$\x82", {{tkPerlVariable, 0, "$"}, {tkDbcsSymbol, 1, "\x82"}}, -1},
        {emPerl, false, "\x88", {{tkKanji, 0, "\x88"}}, -1},
        {emRuby, false, "# \x82", {{tkRubyComment, 0, "# \x82"}}, -1},
        {emRuby, false, "%\x82", {{tkSymbol, 0, "%"}, {tkDbcsSymbol, 1, "\x82"}}, -1},
        {emRuby, false, "%q\x82", {{tkSymbol, 0, "%"}, {tkWord, 1, "q"}, {tkDbcsSymbol, 2, "\x82"}}, -1},
        {emRuby, false, "/\x82", {{tkPerlString, 0, "/\x82"}}, -1},
        {emHtml, false, "<a \x82", {{tkBracket, 0, "<a \x82"}}, 4},
    };
    for (const Case& c : cases) {
        settings.UrlEx = c.urlEx;
        const auto r = Run(c.mode, c.row);
        EXPECT_EQ(r.tokens, c.want) << "mode " << c.mode << " row " << ::testing::PrintToString(c.row);
        EXPECT_EQ(r.endState, c.endState) << "mode " << c.mode;
        // The same row with the state carried: the region swallows the lone byte too.
        if (c.endState >= 0) {
            EXPECT_EQ(Run(c.mode, c.row, c.endState).tokens.back().text.back(), '\x82');
        }
    }
}

TEST(Parser, WithoutAViewOnlyCharacterClassesApply)
{
    const std::string row = "/* a */ \"s\" // x http://e.jp m@e.jp";
    TEditorParser p(row);
    EXPECT_EQ(p.BracketIndex(), 0);
    std::vector<TEditorTokenKind> kinds;
    for (; p.TokenKind() != tkEnd; p.NextToken()) kinds.push_back(p.TokenKind());
    for (TEditorTokenKind k : kinds) EXPECT_TRUE(k == tkSymbol || k == tkWord) << int(k);
    EXPECT_EQ(kinds.size(), 23u);
}

TEST(Parser, TMyParserGivesEachSpaceAsASymbol)
{
    const std::string row = " a  b\x01";
    TMyParser keep(row);
    std::vector<Tok> got;
    for (; keep.TokenKind() != tkEnd; keep.NextToken())
        got.push_back({keep.TokenKind(), keep.TokenPos(), std::string(keep.TokenText())});
    EXPECT_EQ(got, (Toks{{tkSymbol, 0, " "}, {tkWord, 1, "a"}, {tkSymbol, 2, " "}, {tkSymbol, 3, " "},
                         {tkWord, 4, "b"}}));
    EXPECT_EQ(keep.TokenPos(), 6);  // control bytes are still skipped

    // The same with a view, from the first token on; no region token read yet.
    TEditorViewInfo view;
    SetupMode(view, emCpp);
    TParserSettings settings;
    EXPECT_EQ(Tokenize(" x", &view, -1, settings, TBlankPolicy::KeepSpaces).tokens,
              (Toks{{tkSymbol, 0, " "}, {tkWord, 1, "x"}}));
    const std::string tag = "<a b>";
    TMyParser inner = TMyParser::CreateWithState(tag, &view, BracketStateNone, &settings);
    EXPECT_EQ(inner.BracketIndex(), BracketStateNone);
    inner.NextToken();
    inner.NextToken();
    EXPECT_EQ(inner.TokenText(), " ");
}

TEST(Parser, EndRepeatsAndEmptyOrNulRows)
{
    TEditorParser empty("");
    EXPECT_EQ(empty.TokenKind(), tkEnd);
    const std::string withNul("ab\0cd", 5);
    TEditorParser p(withNul);
    EXPECT_EQ(p.TokenText(), "ab");
    for (int i = 0; i < 3; ++i) {
        p.NextToken();
        EXPECT_EQ(p.TokenKind(), tkEnd);
        EXPECT_EQ(p.TokenPos(), 2);
        EXPECT_EQ(p.TokenText(), "");
    }
    // Line breaks inside a row end comments and strings; blanks skip over them.
    TEditorViewInfo view;
    SetupMode(view, emCpp);
    TParserSettings settings;
    EXPECT_EQ(Tokenize("// a\nb 'c\rd'", &view, -1, settings).tokens,
              (Toks{{tkComment, 0, "// a"}, {tkWord, 5, "b"}, {tkPerlString, 7, "'c"}, {tkWord, 10, "d"},
                    {tkPerlString, 11, "'"}}));
}

TEST(Parser, StaleOrInvalidStartStatesAreOutside)
{
    TEditorViewInfo view;
    SetupMode(view, emCpp);  // one bracket item
    TParserSettings settings;
    for (int state : {1, 5, 13, 14, 99, -3, -100}) {
        auto r = Tokenize("a */ b", &view, state, settings);
        EXPECT_EQ(r.tokens.size(), 4u) << state;  // a * / b, no region token
        EXPECT_EQ(r.endState, -1) << state;
    }
    EXPECT_EQ(Tokenize("x", nullptr, 0, settings).endState, -1);
}

TEST(Parser, EmptyPatternsNeverMatch)
{
    TEditorViewInfo view;
    AddBracket(view, "", "x");
    AddBracket(view, "(", "");
    TParserSettings settings;
    // All commenters and quotes are empty: plain tokens, no comment.
    auto r = Tokenize("a b ( c", &view, -1, settings);
    EXPECT_EQ(r.tokens, (Toks{{tkWord, 0, "a"}, {tkWord, 2, "b"}, {tkBracket, 4, "( c"}}));
    EXPECT_EQ(r.bracketIndexes, std::vector<int>{1});
    EXPECT_EQ(r.endState, 1);  // an empty closer never closes
    EXPECT_EQ(Tokenize("x ) y", &view, 1, settings).tokens, (Toks{{tkBracket, 0, "x ) y"}}));
}

TEST(Parser, DoubleBytePatternsCompareWholeCharacters)
{
    TEditorViewInfo view;
    view.SetPerlCommenter("\x81\x94");  // full-width number sign
    TParserSettings settings;
    EXPECT_EQ(Tokenize("\x81\x94 c", &view, -1, settings).tokens, (Toks{{tkPerlComment, 0, "\x81\x94 c"}}));
    // Another double-byte character is not the commenter.
    EXPECT_EQ(Tokenize("\x81\x95 c", &view, -1, settings).tokens,
              (Toks{{tkDbcsSymbol, 0, "\x81\x95"}, {tkWord, 3, "c"}}));
    view.SetPerlCommenter("");
    view.SetRubyCommenter("#");
    EXPECT_EQ(Tokenize("\x8A\xBF#x", &view, -1, settings).tokens,
              (Toks{{tkKanji, 0, "\x8A\xBF"}, {tkRubyComment, 2, "#x"}}));
}

TEST(Parser, MailScanIsLinearOnLongRunsOfMailCharacters)
{
    TEditorViewInfo view;
    view.SetMail(true);
    TParserSettings settings;
    std::string row;
    for (int i = 0; i < 100000; ++i) row += "-.";
    const std::clock_t t0 = std::clock();
    auto r = Tokenize(row, &view, -1, settings);
    const double seconds = double(std::clock() - t0) / CLOCKS_PER_SEC;
    EXPECT_EQ(r.tokens.size(), row.size());
    EXPECT_LT(seconds, 5.0);  // a rescan per token would take minutes
}

} // namespace
