// The real tokenizer carrying bracket regions through the row store.
#include <gtest/gtest.h>

#include <string>

#include "editor/lines.h"
#include "editor/options_viewinfo.h"
#include "editor/parserfactory.h"
#include "editor/rowstore.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

class TTokenizingView : public TFakeView {
public:
    TTokenizingView()
    {
        auto& item = info.Brackets().Add();
        item.SetLeftBracket("/*");
        item.SetRightBracket("*/");
        auto& doc = info.Brackets().Add();
        doc.SetLeftBracket("=begin");
        doc.SetRightBracket("=end");
        info.SetQuotation("\"");
        regions = info.Brackets().Count();
        screenHeight = rowHeight * 20;
    }
    const IRowParserFactory* ParserFactory() const override { return &factory; }

    TEditorViewInfo info;
    TEditorParserFactory factory{&info};
};

class RealParser : public ::testing::Test {
protected:
    TTokenizingView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};

    std::vector<int> States()
    {
        std::vector<int> out;
        for (int r = 0; r < s.Count(); ++r) out.push_back(s.GetBracketState(r));
        return out;
    }
};

TEST_F(RealParser, CommentsAndQuotesCarryAcrossRows)
{
    lines.SetText("int a; /* open\r\nstill\r\nend */ b;\r\nc = \"/*\";\r\n=begin x\r\n=end\r\nz\r\n");
    EXPECT_EQ(States(), (std::vector<int>{-1, 0, 0, -1, -1, 1, -1}));
}

TEST_F(RealParser, EditsRepropagateUntilStatesMatch)
{
    lines.SetText("a\r\nb\r\nc */\r\nd\r\n");
    EXPECT_EQ(States(), (std::vector<int>{-1, -1, -1, -1}));
    ASSERT_TRUE(s.ReplaceRows(0, 1, "a /*\r\n"));
    EXPECT_EQ(States(), (std::vector<int>{-1, 0, 0, -1}));
    ASSERT_TRUE(s.ReplaceRows(1, 1, "b */\r\n"));
    EXPECT_EQ(States(), (std::vector<int>{-1, 0, -1, -1}));
    s.Undo();
    EXPECT_EQ(States(), (std::vector<int>{-1, 0, 0, -1}));
}

TEST_F(RealParser, DoubleByteTextInsideARegionKeepsItsState)
{
    // A trail byte 5C or 2A never closes or opens anything.
    lines.SetText("/* \x95\x5C\x83\x2A\r\n\x95\x5C/\r\n*/ \x82\xA0\r\n");
    EXPECT_EQ(States(), (std::vector<int>{-1, 0, 0}));
}

} // namespace
