#include "printing/printlayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vellumo {

const char* const kMsgPrintTooLarge = "テキストが印刷可能なサイズを超えているため実行できません。";
const char* const kMsgPageRangeWrong = "ページ指定に誤りがあります。";
const char* const kMsgColumnTooNarrow =
    "段の幅が狭すぎるため印刷できません。余白、段数、段の間隔または行番号の設定を見直してください。";
const char* const kMsgBodyTooShort =
    "本文の高さが 1 行に足りないため印刷できません。余白、ヘッダ、フッタまたはフォントの設定を見直してください。";
const char* const kMsgPageNotMade = "印刷するページを作成できませんでした。";

int RoundHalfEven(double v) noexcept
{
    double r = std::nearbyint(v);  // the default rounding mode sends halves to even
    if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::nearbyint(v / 2.0);
    return static_cast<int>(r);
}

int MmToDevice(int mm, int dpi) noexcept
{
    return RoundHalfEven(static_cast<double>(mm) * dpi / 25.4);
}

TPrintOffsets ComputePrinterOffsets(int paperWidthMm, int paperHeightMm, bool landscape, int dpi, int pageWidth,
                                    int pageHeight) noexcept
{
    if (landscape) std::swap(paperWidthMm, paperHeightMm);
    const int pw = MmToDevice(paperWidthMm, dpi), ph = MmToDevice(paperHeightMm, dpi);
    TPrintOffsets o;
    o.Left = std::max(0, (pw - pageWidth) / 2);
    o.Top = std::max(0, (ph - pageHeight) / 2);
    o.Right = std::max(0, pw - pageWidth - o.Left);
    o.Bottom = std::max(0, ph - pageHeight - o.Top);
    return o;
}

TPrintLayoutSettings MakeLayoutSettings(const TStringsPrinterProps& p, int dpi, int pageWidth, int pageHeight,
                                        const TPrintOffsets& off, const TPrintMetrics& metrics)
{
    TPrintLayoutSettings s;
    s.PageWidth = pageWidth;
    s.PageHeight = pageHeight;
    s.Body.Left = std::max(0, MmToDevice(p.MarginLeft(), dpi) - off.Left);
    s.Body.Top = std::max(0, MmToDevice(p.MarginTop(), dpi) - off.Top);
    s.Body.Right = std::min(pageWidth, pageWidth + off.Right - MmToDevice(p.MarginRight(), dpi));
    s.Body.Bottom = std::min(pageHeight, pageHeight + off.Bottom - MmToDevice(p.MarginBottom(), dpi));
    s.ColumnSpace = MmToDevice(p.ColumnSpace(), dpi);
    s.RowGap = MmToDevice(p.MarginLine(), dpi);
    s.Metrics = metrics;
    return s;
}

static int DecimalDigits(int n) noexcept
{
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

TPrintColumnGeometry ComputeColumns(const TStringsPrinterProps& p, const TPrintLayoutSettings& s, int lineCount)
{
    const TPrintRect& body = s.Body;
    const int lineH = s.Metrics.LineHeight;
    TPrintColumnGeometry g;
    g.HeaderBand = {body.Left, body.Top, body.Right, p.HasHeader() ? body.Top + 3 * lineH : body.Top};
    g.FooterBand = {body.Left, p.HasFooter() ? body.Bottom - 3 * lineH : body.Bottom, body.Right, body.Bottom};
    const int gutterW = p.LineNumber() ? s.Metrics.CharWidth * (DecimalDigits(lineCount) + 2) : 0;
    g.Gutter = {body.Left, g.HeaderBand.Bottom, body.Left + gutterW, g.FooterBand.Top};
    const int count = p.ColumnCount();
    const int textW = (body.Right - g.Gutter.Right - (s.ColumnSpace + gutterW) * (count - 1)) / count;
    g.Text = {g.Gutter.Right, g.HeaderBand.Bottom, g.Gutter.Right + textW, g.FooterBand.Top};
    g.Step = s.ColumnSpace + gutterW + textW;
    g.WrapWidth = textW - ((p.Font().Style() & fsItalic) ? s.Metrics.CharWidth : 0);
    return g;
}

std::string CheckPrintLayout(const TStringsPrinterProps& p, const TPrintLayoutSettings& s, int lineCount)
{
    const TPrintColumnGeometry g = ComputeColumns(p, s, lineCount);
    const int oneChar = std::max({s.Metrics.DoubleByteWidth, s.Metrics.CharWidth, 1});
    if (g.WrapWidth < oneChar) return kMsgColumnTooNarrow;
    if (s.Metrics.LineHeight < 1 || s.Metrics.LineHeight + s.RowGap > g.Text.Height()) return kMsgBodyTooShort;
    return {};
}

int PrintProgressPercent(int total, int done) noexcept
{
    if (total == 0) total = done = 1;
    if (total < 0 || done <= 0) return 0;
    if (done >= total) return 100;
    // Exact rational rounding: a double quotient such as 5 / 200 * 100 lands
    // just beside the half and would round the wrong way.
    const long long n = static_cast<long long>(done) * 100;
    long long q = n / total;
    const long long twice = 2 * (n % total);
    if (twice > total || (twice == total && (q % 2) != 0)) ++q;
    return static_cast<int>(q);
}

std::size_t JoinedPrintSize(const std::vector<std::string>& lines) noexcept
{
    std::size_t n = 0;
    for (const auto& l : lines) n += l.size() + 2;
    return n;
}

int PageNumberOf(const TStringsPrinterProps& p, int i) noexcept
{
    return p.RangeOption() == roLimited ? i + p.FirstPageNumber() - p.StartPage() + 1 : i + p.FirstPageNumber();
}

bool PageRangeValid(const TStringsPrinterProps& p, int pageCount) noexcept
{
    if (p.RangeOption() != roLimited) return true;
    return p.StartPage() <= pageCount && p.StartPage() <= p.LastPage();
}

std::vector<int> PagesToPrint(const TStringsPrinterProps& p, int pageCount)
{
    std::vector<int> out;
    for (int i = 0; i < pageCount; ++i) {
        if (p.RangeOption() == roLimited && (i + 1 < p.StartPage() || i + 1 > p.LastPage())) continue;
        const int number = PageNumberOf(p, i);
        const bool odd = (number % 2) != 0;
        if (p.PageOption() == poOdd && !odd) continue;
        if (p.PageOption() == poEven && odd) continue;
        out.push_back(i);
    }
    return out;
}

TPrintLayout::TPrintLayout(const TStringsPrinterProps& props, const TPrintLayoutSettings& settings,
                           TPrintMeasurer& measure)
    : props_(props), settings_(settings), measure_(measure)
{
}

bool TPrintLayout::Run(const std::vector<std::string>& lines, std::vector<TPrintPage>& pages)
{
    pages.clear();
    const auto& p = props_;
    const int lineCount = static_cast<int>(lines.size());
    const TPrintColumnGeometry first = ComputeColumns(p, settings_, lineCount);
    const int lineH = settings_.Metrics.LineHeight;
    const int gap = settings_.RowGap;
    const bool limitLines = p.LineRangeOption() == roLimited;

    int counter = p.FirstLineNumber() - 1;
    int pageNumber = p.RangeOption() == roLimited ? p.FirstPageNumber() - p.StartPage() + 1 : p.FirstPageNumber();
    int column = 1;
    TPrintRect gutter = first.Gutter, text = first.Text;
    int rowTop = text.Top;
    pages.push_back({pageNumber, {}});

    std::vector<std::string> rows;
    for (int k = 0; k < lineCount; ++k) {
        if (OnProgress && !OnProgress(k, lineCount - 1)) return false;
        if (limitLines && (k < p.StartLine() - 1 || k > p.LastLine() - 1)) continue;
        ++counter;
        const std::string line = ExpandTabs ? ExpandTabs(lines[k]) : ExpandTabsPlain(lines[k], 8);
        rows.clear();
        WrapPrintLine(measure_, line, first.WrapWidth, true, rows);
        for (std::size_t j = 0; j < rows.size(); ++j) {
            if (rowTop + lineH + gap > first.FooterBand.Top) {
                if (column < p.ColumnCount()) {
                    gutter.Left += first.Step;
                    gutter.Right += first.Step;
                    text.Left += first.Step;
                    text.Right += first.Step;
                    ++column;
                } else {
                    pages.push_back({++pageNumber, {}});
                    gutter = first.Gutter;
                    text = first.Text;
                    column = 1;
                }
                rowTop = text.Top;
            }
            auto& items = pages.back().Items;
            if (j == 0 && p.LineNumber()) {
                items.push_back({TPrintItemKind::LineNumber, {gutter.Left, rowTop, gutter.Right, gutter.Bottom},
                                 std::to_string(counter) + ": ", kDtNoPrefix | kDtSingleLine | kDtRight});
            }
            items.push_back({TPrintItemKind::Row, {text.Left, rowTop, text.Right, text.Bottom}, std::move(rows[j]),
                             kDtNoPrefix | kDtExternalLeading | kDtExpandTabs | kDtSingleLine});
            rowTop += lineH + gap;
        }
    }
    lastPage_ = pageNumber;

    // Headers and footers, now that the last page number is known.
    static const unsigned kAlign[] = {kDtLeft, kDtLeft, kDtCenter, kDtRight};
    TPrintMacroValues values;
    values.LastPageNumber = lastPage_;
    values.FileName = p.FileName();
    values.Now = Now;
    values.TimeText = TimeText;
    for (auto& page : pages) {
        values.PageNumber = page.Number;
        if (p.HasHeader()) {
            page.Items.insert(page.Items.begin(),
                              {TPrintItemKind::Header, first.HeaderBand, ExpandPrintMacros(p.Header(), values),
                               kDtNoPrefix | kDtSingleLine | kAlign[std::clamp(static_cast<int>(p.HeaderAlign()), 0, 3)]});
        }
        if (p.HasFooter()) {
            page.Items.push_back({TPrintItemKind::Footer, first.FooterBand, ExpandPrintMacros(p.Footer(), values),
                                  kDtNoPrefix | kDtSingleLine | kDtBottom | kAlign[std::clamp(static_cast<int>(p.FooterAlign()), 0, 3)]});
        }
    }
    return true;
}

} // namespace vellumo
