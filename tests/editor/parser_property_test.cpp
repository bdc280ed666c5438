// Random rows under random options: the tokenizer's invariants hold for all.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/options_viewinfo.h"
#include "editor/parser.h"
#include "parser_properties.h"
#include "syntax_modes.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

const char* const Pieces[] = {
    "/*", "*/", "//", "#", "$#", "\\#", "=#", "[#", "&#", "#{", "=begin", "=end", "=pod", "=cut", "%w[", "%Q{",
    "%(", "%!", "<!--", "-->", "<%", "%>", "<", ">", "{\"", "\"}", "(*", "*)", "'", "\"", "`", "\\", "\\\"", "''",
    "http://", "https:", "mailto:", "ftp:", "@", ".", "a@b.c", "-", "_", "0x", "$", "#$", "#1", "abc", "Zz9",
    "123", " ", "  ", "\t", "\n", "\r", "" /* a NUL */, "\x82\xA0", "\x82\x50", "\x81\x43",
    "\x81\x5B", "\x83\x4A", "\x83\xBF", "\x84\x9F", "\x8A\xBF", "\x95\x5C", "\x83\x7C", "\x82\x40", "\x83\x97",
    "\xA2", "\xB1", "\x80", "\xFD", "\x82", "\xE0", "\x01", "\x1F", "|", ",", ":", ";", "!", "?", "~"};

std::string RandomRow(std::mt19937& rng)
{
    std::string row;
    const int parts = std::uniform_int_distribution<int>(0, 14)(rng);
    for (int i = 0; i < parts; ++i) {
        if (rng() % 8 == 0) {
            row += static_cast<char>(rng() % 256);  // any byte, lone lead bytes included
        } else {
            const char* piece = Pieces[rng() % std::size(Pieces)];
            row += piece[0] ? std::string(piece) : std::string(1, '\0');
        }
    }
    return row;
}

std::string RandomPattern(std::mt19937& rng)
{
    static const char* const patterns[] = {"", "", "", "#", "//", ";", "'", "\"", "\x81\x94", "\x82", "$", "=",
                                           "%", "{", "ab", "\\"};
    return patterns[rng() % std::size(patterns)];
}

void RandomView(std::mt19937& rng, TEditorViewInfo& view, TParserSettings& settings)
{
    const auto mode = static_cast<TEditMode>(rng() % EditModeCount);
    SetupMode(view, mode);
    settings.EditMode = rng() % 4 == 0 ? static_cast<TEditMode>(rng() % EditModeCount) : mode;
    settings.UrlEx = rng() % 2;
    settings.SetNotUrlChars(rng() % 3 == 0 ? "|\\" : "<>,");
    if (rng() % 3 == 0) {
        view.SetUrl(rng() % 2);
        view.SetMail(rng() % 2);
        view.SetControlCode(rng() % 2);
        view.SetHexPrefix(rng() % 2 ? "" : "0x");
    }
    if (rng() % 4 == 0) {
        view.SetCommenter(RandomPattern(rng));
        view.SetCommenter2(RandomPattern(rng));
        view.SetPerlCommenter(RandomPattern(rng));
        view.SetRubyCommenter(RandomPattern(rng));
        view.SetQuotation(RandomPattern(rng));
        view.SetQuotation2(RandomPattern(rng));
        view.SetPerlQuotation(RandomPattern(rng));
    }
    if (rng() % 5 == 0 && view.Brackets().Count() < TEditorBracketCollection::MaxItems)
        AddBracket(view, RandomPattern(rng), RandomPattern(rng));
}

TEST(ParserProperties, HoldForRandomRowsAndOptions)
{
    std::mt19937 rng(20261208);
    TEditorViewInfo view;
    TParserSettings settings;
    int failures = 0, rows = 0, regionRows = 0;
    for (int set = 0; set < 2000 && failures < 5; ++set) {
        RandomView(rng, view, settings);
        const bool noView = rng() % 10 == 0;
        // A run of rows, each starting in the state the previous one ended in.
        int state = rng() % 5 == 0 ? BracketStateNone : BracketStateOutside;
        if (rng() % 10 == 0) state = static_cast<int>(rng() % 40) - 20;  // stale or invalid stored state
        for (int r = 0; r < 50 && failures < 5; ++r, ++rows) {
            const std::string row = RandomRow(rng);
            const TBlankPolicy blanks = rng() % 2 ? TBlankPolicy::KeepSpaces : TBlankPolicy::SkipSpaces;
            int end = 0;
            const std::string err = CheckRowProperties(row, noView ? nullptr : &view, state, blanks, settings, &end);
            if (!err.empty()) {
                ++failures;
                ADD_FAILURE() << err << "\nrow " << ::testing::PrintToString(row) << " state " << state;
            }
            regionRows += end >= 0;
            state = end;
        }
    }
    EXPECT_GE(rows, 100000);
    EXPECT_GT(regionRows, 1000);  // the random rows do reach the region rules
}

// Tokens of a row read in KeepSpaces mode give it back exactly, for rows of
// printable bytes and double-byte characters.
TEST(ParserProperties, KeptBlanksJoinToTheRow)
{
    std::mt19937 rng(7);
    TEditorViewInfo view;
    TParserSettings settings;
    for (int i = 0; i < 20000; ++i) {
        if (i % 50 == 0) RandomView(rng, view, settings);
        std::string row;
        for (int k = std::uniform_int_distribution<int>(0, 30)(rng); k > 0; --k) {
            const char* piece = Pieces[rng() % std::size(Pieces)];
            if (!piece[0]) continue;
            for (const char* c = piece; *c; ++c)
                if (!IsSkippedBlank(static_cast<unsigned char>(*c), TBlankPolicy::KeepSpaces)) row += *c;
        }
        std::string joined;
        TEditorParser p(row, &view, BracketStateOutside, TBlankPolicy::KeepSpaces, &settings);
        for (; p.TokenKind() != tkEnd; p.NextToken()) joined += p.TokenText();
        ASSERT_EQ(joined, row);
    }
}

} // namespace
