#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/printcanvas.h"

namespace vellumo {
namespace {

// Records what is drawn; fails the call whose index is failAt.
class TRecordingCanvas : public TPrintCanvas {
public:
    bool SelectPrintFont(const TFont&, int) override { return true; }
    TPrintMetrics Metrics() override { return {20, 10, 20}; }
    long long TextWidth(std::string_view text) override { return static_cast<long long>(text.size()) * 10; }
    bool DrawText(const TPrintRect& rect, std::string_view text, unsigned flags) override
    {
        drawn.push_back({TPrintItemKind::Row, rect, std::string(text), flags});
        return static_cast<int>(drawn.size()) - 1 != failAt;
    }
    std::vector<TPrintItem> drawn;
    int failAt = -1;
};

TEST(PrintRender, PageIsDrawnItemByItemAndFailuresAreReported)
{
    TStringsPrinterProps p;
    p.SetFirstLineNumber(1);
    p.SetFirstPageNumber(1);
    p.SetLineNumber(true);
    p.SetHeader("%p");
    p.SetHeaderAlign(haLeft);
    TPrintLayoutSettings s;
    s.PageWidth = s.PageHeight = 500;
    s.Body = {0, 0, 500, 500};
    s.Metrics = {20, 10, 20};
    TRecordingCanvas canvas;
    TPrintLayout layout(p, s, canvas);
    std::vector<TPrintPage> pages;
    ASSERT_TRUE(layout.Run({"one", "", "three"}, pages));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(RenderPrintPage(canvas, pages[0]));
    // The empty row draws nothing; everything else in order.
    std::vector<std::string> texts;
    for (const auto& d : canvas.drawn) texts.push_back(d.Text);
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "1: ", "one", "2: ", "3: ", "three"}));
    EXPECT_EQ(canvas.drawn[2].Rect, pages[0].Items[2].Rect);
    EXPECT_EQ(canvas.drawn[2].Flags, pages[0].Items[2].Flags);
    canvas.drawn.clear();
    canvas.failAt = 1;
    EXPECT_FALSE(RenderPrintPage(canvas, pages[0]));
    EXPECT_EQ(canvas.drawn.size(), 6u);  // the rest of the page is still drawn
}

} // namespace
} // namespace vellumo
