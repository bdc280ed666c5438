// Random rows under random options: the tokenizer's invariants hold for all.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/options_viewinfo.h"
#include "editor/parser.h"
#include "editor/parserfactory.h"
#include "model_support.h"
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

// Whatever changes at or after the horizon a scan reports, the tokens up to
// there stay as they were: what the store's resumed scans stand on. Rows
// with long runs of mail characters, and changes right at the horizon.
TEST(ParserProperties, NothingPastTheReadHorizonChangesTheTokensBeforeIt)
{
    struct TToken {
        int pos, kind, state, index;
        std::string_view text;
        bool operator==(const TToken&) const = default;
    };
    auto scan = [](const std::string& row, const TEditorViewInfo& view, int state, const TParserSettings& settings,
                   std::vector<TToken>& tokens, std::vector<std::size_t>* horizons) {
        tokens.clear();
        if (horizons) horizons->clear();
        TEditorParser p = TEditorParser::CreateWithState(row, &view, state, TBlankPolicy::SkipSpaces, &settings);
        for (; p.TokenKind() != tkEnd; p.NextToken()) {
            tokens.push_back({p.TokenPos(), p.TokenKind(), p.BracketState(), p.BracketIndex(), p.TokenText()});
            if (horizons) horizons->push_back(p.ReadHorizon());
        }
    };
    std::mt19937 rng(99);
    TEditorViewInfo view;
    TParserSettings settings;
    std::vector<TToken> before, after;
    std::vector<std::size_t> horizons;
    int checked = 0;
    for (int set = 0; set < 20000; ++set) {
        if (set % 20 == 0) {
            RandomView(rng, view, settings);
            view.SetMail(rng() % 2);
        }
        std::string row = RandomRow(rng) + std::string(rng() % 3 ? 0 : rng() % 40, "a.-"[rng() % 3]) + RandomRow(rng);
        const int state = rng() % 3 ? BracketStateOutside : static_cast<int>(rng() % 4) - 2;
        scan(row, view, state, settings, before, &horizons);
        if (before.empty()) continue;
        const std::size_t k = rng() % before.size();
        const std::size_t at = horizons[k] + rng() % 3;
        if (at > row.size()) continue;
        std::string changed = row.substr(0, at) + (rng() % 2 ? RandomRow(rng) : std::string(1, static_cast<char>(rng())));
        if (rng() % 2) changed += row.substr(std::min(row.size(), at + rng() % 3));
        scan(changed, view, state, settings, after, nullptr);
        ++checked;
        ASSERT_GT(after.size(), k) << ::testing::PrintToString(row) << " changed at " << at;
        for (std::size_t i = 0; i <= k; ++i)
            ASSERT_EQ(after[i], before[i]) << "token " << i << " of " << ::testing::PrintToString(row) << " changed at " << at;
    }
    EXPECT_GT(checked, 5000);
}

// A store whose rows are tokenized by the real tokenizer under a view.
class TParsedView : public TFakeView {
public:
    TParsedView(const TEditorViewInfo& view, const TParserSettings& settings) : factory_(&view, TBlankPolicy::SkipSpaces, &settings)
    {
        regions = view.Brackets().Count();
    }
    const IRowParserFactory* ParserFactory() const override { return &factory_; }

private:
    TEditorParserFactory factory_;
};

// The bracket state at the end of a long row, after random edits, is the one
// a fresh scan of the row gives, though the store takes its scans up where
// earlier ones left marks: edits that turn a mail run, a comment or a region
// far ahead around included, and several edits between two scans. The rows
// hold regions that open and close all along (no comment to the row's end).
TEST(ParserProperties, ScansOfLongRowsTakenUpAfterEditsMatchAFreshScan)
{
    const std::vector<std::string> pieces = {
        "abc ", "x", " ", "/*", "*/", "<!--", "-->", "<!-", "-", "<", ">", "{", "}", "(*", "*)", "'q'", "\"s\"", "/", "*",
        "\x82\xA0", "\x8A\xBF ", "a.b", "@", "x@y.z ", "\x81"};
    std::mt19937 rng(4242);
    for (int set = 0; set < 4; ++set) {
        TEditorViewInfo view;
        TParserSettings settings;
        if (set / 2 == 0) {
            AddBracket(view, "/*", "*/");
            view.SetPerlQuotation("'");
        } else {
            SetupMode(view, emHtml);
            view.SetCommenter("");
        }
        view.SetMail(set % 2 == 1);
        TParsedView fake(view, settings);
        TEditorScreenStrings& s = fake.ScreenStrings();
        auto piece = [&] {
            if (rng() % 40 == 0) return std::string(rng() % 2000, 'a');  // a long run of mail characters
            return pieces[rng() % pieces.size()];
        };
        auto rowText = [&](std::size_t bytes) {
            std::string r;
            while (r.size() < bytes) r += piece();
            return r;
        };
        // One long row among the first (its states are known, so every edit
        // scans it) and one far below them (edits there wait for a scan).
        std::string text = rowText(66000) + "\r\n";
        for (int r = 0; r < 14; ++r) text += rowText(20) + "\r\n";
        text += rowText(66000);
        s.LoadText(text);
        const int rows[] = {0, s.Count() - 1};
        for (int edit = 0; edit < 40; ++edit) {
            const int row = rows[rng() % 2];
            const std::string t(s.Strings(row));
            const std::size_t at = rng() % (t.size() + 1);
            if (rng() % 3) {
                ASSERT_TRUE(s.InsertIntoRow(row, at, piece()));
            } else {
                std::string cut = t.substr(0, at) + t.substr(std::min(t.size(), at + rng() % 400));
                if (s.GetRowAttribute(row) == raLineBreak) cut += "\r\n";
                ASSERT_TRUE(s.ReplaceRows(row, 1, cut.empty() ? "x" : cut));
            }
            if (rng() % 3 == 0) continue;  // the next edit comes before a scan
            for (const int checked : rows) {
                const int start = edit % 4 ? BracketStateOutside : static_cast<int>(rng() % view.Brackets().Count());
                ASSERT_EQ(s.ParseRowBrackets(checked, start), ScanEndState(*fake.ParserFactory(), s.Strings(checked), start))
                    << "set " << set << " edit " << edit << " row " << checked << " from " << start;
            }
        }
    }
}

// A scan taken up at a mark sees changes after the mark that the tokens
// before it depend on (a "." far on makes a run of mail characters an
// address that swallows a comment opener), and two edits between scans
// count as one that spans both.
TEST(ParserProperties, AScanTakenUpSeesWhatTheTokensBeforeItDependOn)
{
    TEditorViewInfo view;
    AddBracket(view, "/*", "*/");
    view.SetMail(true);
    TParserSettings settings;
    std::string pad;
    while (pad.size() < 70000) pad += " b";
    std::string shortRows;
    for (int r = 0; r < 15; ++r) shortRows += "s\r\n";  // the long row lies below the rows with known states

    TParsedView mail(view, settings);
    TEditorScreenStrings& m = mail.ScreenStrings();
    const std::string run = "x@" + std::string(20000, 'a') + "/*" + std::string(100, 'a');
    m.LoadText(shortRows + run + pad);
    const int row = m.Count() - 1;
    EXPECT_EQ(m.ParseRowBrackets(row, BracketStateOutside), 0);
    ASSERT_TRUE(m.InsertIntoRow(row, run.size(), "."));
    EXPECT_EQ(m.ParseRowBrackets(row, BracketStateOutside), BracketStateOutside);

    TParsedView two(view, settings);
    TEditorScreenStrings& t = two.ScreenStrings();
    t.LoadText(shortRows + std::string(30000, 'a') + pad);
    EXPECT_EQ(t.ParseRowBrackets(row, BracketStateOutside), BracketStateOutside);
    ASSERT_TRUE(t.InsertIntoRow(row, 10, "/*"));
    ASSERT_TRUE(t.InsertIntoRow(row, 50000, "z"));
    EXPECT_EQ(t.ParseRowBrackets(row, BracketStateOutside), 0);
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
        TMyParser p = TMyParser::CreateWithState(row, &view, BracketStateOutside, &settings);
        for (; p.TokenKind() != tkEnd; p.NextToken()) joined += p.TokenText();
        ASSERT_EQ(joined, row);
    }
}

} // namespace
