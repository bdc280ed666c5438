#pragma once
// Colours of the token kinds.
#include "base/color.h"
#include "editor/notifypersistent.h"

namespace vellumo {

class TEditorColor : public TNotifyPersistent {
public:
    TEditorColor() = default;
    TEditorColor(TColor color, TColor bkColor) : bkColor_(bkColor), color_(color) {}

    TColor BkColor() const noexcept { return bkColor_; }
    void SetBkColor(TColor v) { SetField(bkColor_, v); }
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v) { SetField(color_, v); }
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles v) { SetField(style_, v); }

    void Assign(const TEditorColor& source);
    bool SameAs(const TEditorColor& o) const noexcept
    {
        return bkColor_ == o.bkColor_ && color_ == o.color_ && style_ == o.style_;
    }

private:
    TColor bkColor_ = clWindow;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
};

class TEditorColors : public TNotifyPersistent {
public:
    TEditorColors();

    TEditorColor& Ank() noexcept { return ank_; }
    TEditorColor& Comment() noexcept { return comment_; }
    TEditorColor& DBCS() noexcept { return dbcs_; }
    TEditorColor& Int() noexcept { return int_; }
    TEditorColor& Mail() noexcept { return mail_; }
    TEditorColor& Reserve() noexcept { return reserve_; }
    TEditorColor& Select() noexcept { return select_; }
    TEditorColor& Str() noexcept { return str_; }
    TEditorColor& Symbol() noexcept { return symbol_; }
    TEditorColor& Url() noexcept { return url_; }
    const TEditorColor& Ank() const noexcept { return ank_; }
    const TEditorColor& Comment() const noexcept { return comment_; }
    const TEditorColor& DBCS() const noexcept { return dbcs_; }
    const TEditorColor& Int() const noexcept { return int_; }
    const TEditorColor& Mail() const noexcept { return mail_; }
    const TEditorColor& Reserve() const noexcept { return reserve_; }
    const TEditorColor& Select() const noexcept { return select_; }
    const TEditorColor& Str() const noexcept { return str_; }
    const TEditorColor& Symbol() const noexcept { return symbol_; }
    const TEditorColor& Url() const noexcept { return url_; }
    void SetAnk(const TEditorColor& v) { ank_.Assign(v); }
    void SetComment(const TEditorColor& v) { comment_.Assign(v); }
    void SetDBCS(const TEditorColor& v) { dbcs_.Assign(v); }
    void SetInt(const TEditorColor& v) { int_.Assign(v); }
    void SetMail(const TEditorColor& v) { mail_.Assign(v); }
    void SetReserve(const TEditorColor& v) { reserve_.Assign(v); }
    void SetSelect(const TEditorColor& v) { select_.Assign(v); }
    void SetStr(const TEditorColor& v) { str_.Assign(v); }
    void SetSymbol(const TEditorColor& v) { symbol_.Assign(v); }
    void SetUrl(const TEditorColor& v) { url_.Assign(v); }

    // Every element but Select, reported once.
    virtual void SetAllBkColor(TColor v);
    virtual void SetAllColor(TColor v);
    virtual void SetAllStyle(TFontStyles v);

    void Assign(const TEditorColors& source);

private:
    template <class F>
    void ForAllButSelect(F f);

    TEditorColor ank_;
    TEditorColor comment_;
    TEditorColor dbcs_;
    TEditorColor int_;
    TEditorColor mail_;
    TEditorColor reserve_;
    TEditorColor select_{clWhite, clNavy};
    TEditorColor str_;
    TEditorColor symbol_;
    TEditorColor url_;
};

} // namespace vellumo
