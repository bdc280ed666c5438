#include "app/commands/printcmds.h"

#include "printing/printlayout.h"

namespace vellumo {

const char* const kMsgNoPrinter = "プリンタが見当たりません。プリンタをインストールしてから実行して下さい。";
const char* const kUntitledPrintName = "無題";

void SetUpStringsPrinter(TStringsPrinterProps& p)
{
    p.SetFirstLineNumber(1);
    p.SetFirstPageNumber(1);
    p.SetLastLine(999999);
    p.SetStartLine(1);
    p.SetStartPage(1);
    TFont font;
    font.SetName("ＭＳ Ｐゴシック");
    font.SetHeight(-12);
    font.SetCharset(kShiftJisCharset);
    p.SetFont(&font);
}

void ApplyPrintSettings(const TAppIniPrn& s, TStringsPrinterProps& p, const std::string& documentName)
{
    p.SetRangeOption(s.RangeOption == 1 ? roLimited : roWhole);
    p.SetStartPage(s.StartPage);
    p.SetFirstPageNumber(s.StartPage);
    p.SetLastPage(s.LastPage);
    p.SetMarginLeft(s.LeftMargin);
    p.SetMarginRight(s.RightMargin);
    p.SetMarginTop(s.TopMargin);
    p.SetMarginBottom(s.BottomMargin);
    p.SetLineNumber(s.ColNum);
    p.SetColumnSpace(0);
    p.SetHeader(s.HeaderStr);
    p.SetFooter(s.FooterStr);
    TFont font = p.Font();
    font.SetName(s.FontName);
    font.SetSize(s.FontSize);
    p.SetFont(&font);
    p.SetColumnCount(s.ColumnCount);
    p.SetColumnSpace(s.ColumnSpace);
    if (s.HeaderAlign >= haNone && s.HeaderAlign <= haRight)
        p.SetHeaderAlign(static_cast<TStringsPrinterHeaderAlign>(s.HeaderAlign));
    if (s.FooterAlign >= haNone && s.FooterAlign <= haRight)
        p.SetFooterAlign(static_cast<TStringsPrinterHeaderAlign>(s.FooterAlign));
    p.SetFileName(documentName);
}

std::string PrintDocumentName(const std::string& currentFileName, bool outputMode)
{
    if (!currentFileName.empty()) return currentFileName;
    return outputMode ? "<Output>" : kUntitledPrintName;
}

bool PrintableSize(long long textLength) noexcept { return textLength <= static_cast<long long>(kMaxPrintBytes); }

std::vector<std::string> SelectionLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace vellumo
