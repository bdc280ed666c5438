#pragma once
// The settings of the text printing component, kept apart from the printer
// so that the layout can be built and tested without one.
#include <string>

#include "classlib/font.h"

namespace vellumo {

enum TStringsPrinterHeaderAlign { haNone = 0, haLeft = 1, haCenter = 2, haRight = 3 };
enum TStringsPrinterRangeOption { roWhole = 0, roLimited = 1 };
enum TStringsPrinterPageOption { poBoth = 0, poOdd = 1, poEven = 2 };

class TStringsPrinterProps {
public:
    int ColumnCount() const noexcept { return columnCount_; }
    void SetColumnCount(int v) noexcept { SetClamped(columnCount_, v, 1, 3); }
    int ColumnSpace() const noexcept { return columnSpace_; }
    void SetColumnSpace(int v) noexcept { SetClamped(columnSpace_, v, 0, 100); }
    const std::string& FileName() const noexcept { return fileName_; }
    void SetFileName(std::string v) { fileName_ = std::move(v); }
    int FirstLineNumber() const noexcept { return firstLineNumber_; }
    void SetFirstLineNumber(int v) noexcept { SetClamped(firstLineNumber_, v, 1, 999999); }
    int FirstPageNumber() const noexcept { return firstPageNumber_; }
    void SetFirstPageNumber(int v) noexcept { SetClamped(firstPageNumber_, v, 1, 999999); }
    // The print font; setting copies the given font's attributes (nullptr is ignored).
    const TFont& Font() const noexcept { return font_; }
    void SetFont(const TFont* f) { if (f) font_.Assign(*f); }
    const std::string& Footer() const noexcept { return footer_; }
    void SetFooter(std::string v) { footer_ = std::move(v); }
    TStringsPrinterHeaderAlign FooterAlign() const noexcept { return footerAlign_; }
    void SetFooterAlign(TStringsPrinterHeaderAlign v) noexcept { footerAlign_ = v; }
    const std::string& Header() const noexcept { return header_; }
    void SetHeader(std::string v) { header_ = std::move(v); }
    TStringsPrinterHeaderAlign HeaderAlign() const noexcept { return headerAlign_; }
    void SetHeaderAlign(TStringsPrinterHeaderAlign v) noexcept { headerAlign_ = v; }
    int LastLine() const noexcept { return lastLine_; }
    void SetLastLine(int v) noexcept { SetClamped(lastLine_, v, 1, 999999); }
    int LastPage() const noexcept { return lastPage_; }
    void SetLastPage(int v) noexcept { SetClamped(lastPage_, v, 1, 999999); }
    bool LineNumber() const noexcept { return lineNumber_; }
    void SetLineNumber(bool v) noexcept { lineNumber_ = v; }
    TStringsPrinterRangeOption LineRangeOption() const noexcept { return lineRangeOption_; }
    void SetLineRangeOption(TStringsPrinterRangeOption v) noexcept { lineRangeOption_ = v; }
    int MarginBottom() const noexcept { return marginBottom_; }
    void SetMarginBottom(int v) noexcept { SetClamped(marginBottom_, v, 0, 100); }
    int MarginLeft() const noexcept { return marginLeft_; }
    void SetMarginLeft(int v) noexcept { SetClamped(marginLeft_, v, 0, 100); }
    int MarginLine() const noexcept { return marginLine_; }
    void SetMarginLine(int v) noexcept { SetClamped(marginLine_, v, 0, 100); }
    int MarginRight() const noexcept { return marginRight_; }
    void SetMarginRight(int v) noexcept { SetClamped(marginRight_, v, 0, 100); }
    int MarginTop() const noexcept { return marginTop_; }
    void SetMarginTop(int v) noexcept { SetClamped(marginTop_, v, 0, 100); }
    TStringsPrinterPageOption PageOption() const noexcept { return pageOption_; }
    void SetPageOption(TStringsPrinterPageOption v) noexcept { pageOption_ = v; }
    TStringsPrinterRangeOption RangeOption() const noexcept { return rangeOption_; }
    void SetRangeOption(TStringsPrinterRangeOption v) noexcept { rangeOption_ = v; }
    int StartLine() const noexcept { return startLine_; }
    void SetStartLine(int v) noexcept { SetClamped(startLine_, v, 1, 999999); }
    int StartPage() const noexcept { return startPage_; }
    void SetStartPage(int v) noexcept { SetClamped(startPage_, v, 1, 999999); }

    // Copies every value as stored, without clamping.
    void AssignProps(const TStringsPrinterProps& src) { *this = src; }

    bool HasHeader() const noexcept { return headerAlign_ != haNone && !header_.empty(); }
    bool HasFooter() const noexcept { return footerAlign_ != haNone && !footer_.empty(); }

private:
    static void SetClamped(int& field, int v, int lo, int hi) noexcept
    {
        if (field == v) return;
        field = v < lo ? lo : (v > hi ? hi : v);
    }

    int columnCount_ = 1;
    int columnSpace_ = 4;
    std::string fileName_;
    int firstLineNumber_ = 0;
    int firstPageNumber_ = 0;
    TFont font_;
    std::string footer_;
    TStringsPrinterHeaderAlign footerAlign_ = haNone;
    std::string header_;
    TStringsPrinterHeaderAlign headerAlign_ = haNone;
    int lastLine_ = 0;
    int lastPage_ = 999999;
    bool lineNumber_ = false;
    TStringsPrinterRangeOption lineRangeOption_ = roWhole;
    int marginBottom_ = 0;
    int marginLeft_ = 0;
    int marginLine_ = 0;
    int marginRight_ = 0;
    int marginTop_ = 0;
    TStringsPrinterPageOption pageOption_ = poBoth;
    TStringsPrinterRangeOption rangeOption_ = roWhole;
    int startLine_ = 0;
    int startPage_ = 0;
};

} // namespace vellumo
