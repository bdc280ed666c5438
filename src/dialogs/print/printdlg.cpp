#include "dialogs/print/printdlg.h"

#include <algorithm>

#include "base/leadbytes.h"
#include "base/numtext.h"

namespace vellumo {

namespace {

constexpr TPrintMacroItem kMacros[kPrintMacroCount] = {
    {"&1: ページ番号 [%p]", "%p"},       {"&2: 総ページ数 [%P]", "%P"},
    {"&3: ファイル名パス付き [%f]", "%f"}, {"&4: ファイル名パスなし [%F]", "%F"},
    {"&5: 年 [%y]", "%y"},               {"&6: 月 [%m]", "%m"},
    {"&7: 日 [%d]", "%d"},               {"&8: 時間 [%t]", "%t"},
};

} // namespace

TPrintFormValues PrintFormValuesOf(const TAppIniPrn& s)
{
    TPrintFormValues v;
    v.LeftMargin = s.LeftMargin;
    v.RightMargin = s.RightMargin;
    v.TopMargin = s.TopMargin;
    v.BottomMargin = s.BottomMargin;
    v.ColumnSpace = s.ColumnSpace;
    v.ColNum = s.ColNum;
    v.HeaderStr = s.HeaderStr;
    v.FooterStr = s.FooterStr;
    v.HeaderAlign = s.HeaderAlign;
    v.FooterAlign = s.FooterAlign;
    v.FontName = s.FontName;
    v.FontSizeText = std::to_string(s.FontSize);
    v.ColumnIndex = std::clamp(s.ColumnCount, 1, 3) - 1;
    return v;
}

void StorePrintFormValues(const TPrintFormValues& v, TAppIniPrn& s)
{
    s.LeftMargin = v.LeftMargin;
    s.RightMargin = v.RightMargin;
    s.TopMargin = v.TopMargin;
    s.BottomMargin = v.BottomMargin;
    s.ColumnSpace = v.ColumnSpace;
    s.ColNum = v.ColNum;
    s.HeaderStr = v.HeaderStr;
    s.FooterStr = v.FooterStr;
    s.HeaderAlign = v.HeaderAlign;
    s.FooterAlign = v.FooterAlign;
    s.FontName = v.FontName;
    int size = 0;
    if (TryStrToInt(v.FontSizeText, size)) s.FontSize = size;
    s.ColumnCount = v.ColumnIndex + 1;
    s.RangeOption = v.PrintAll ? 0 : 1;
    s.StartPage = v.StartPage;
    s.LastPage = v.LastPage;
    s.SelectionOnly = v.PrintSelect;
}

TPrintFormEnabling PrintFormEnabling(int headerAlign, int footerAlign, int columnIndex) noexcept
{
    return {headerAlign != 0, footerAlign != 0, columnIndex != 0};
}

TPageFields CouplePageFields(TPageFields p, bool startWasEdited) noexcept
{
    if (p.Last < p.Start) {
        if (startWasEdited)
            p.Last = p.Start;
        else
            p.Start = p.Last;
    }
    return p;
}

std::string PrintDialogFontSizeText(int size)
{
    return std::to_string(std::clamp(size, 1, kPrintDialogFontSizeMax));
}

std::string CutPrinterName(std::string_view name, std::size_t max)
{
    std::size_t end = 0;
    while (end < name.size()) {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(name[end])) && end + 1 < name.size() ? 2 : 1;
        if (end + width > max) break;
        end += width;
    }
    return std::string(name.substr(0, end));
}

const TPrintMacroItem* PrintMacroItems() noexcept { return kMacros; }

} // namespace vellumo
