#include "editor/options_colors.h"

namespace vellumo {

void TEditorColor::Assign(const TEditorColor& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(bkColor_, source.bkColor_);
    SetField(color_, source.color_);
    SetField(style_, source.style_);
}

TEditorColors::TEditorColors()
{
    for (TEditorColor* c : {&ank_, &comment_, &dbcs_, &int_, &mail_, &reserve_, &select_, &str_, &symbol_, &url_})
        Own(*c);
}

template <class F>
void TEditorColors::ForAllButSelect(F f)
{
    TNotifyUpdate update(*this);
    for (TEditorColor* c : {&ank_, &comment_, &dbcs_, &int_, &mail_, &reserve_, &str_, &symbol_, &url_})
        f(*c);
}

void TEditorColors::SetAllBkColor(TColor v)
{
    ForAllButSelect([v](TEditorColor& c) { c.SetBkColor(v); });
}

void TEditorColors::SetAllColor(TColor v)
{
    ForAllButSelect([v](TEditorColor& c) { c.SetColor(v); });
}

void TEditorColors::SetAllStyle(TFontStyles v)
{
    ForAllButSelect([v](TEditorColor& c) { c.SetStyle(v); });
}

void TEditorColors::Assign(const TEditorColors& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    ank_.Assign(source.ank_);
    comment_.Assign(source.comment_);
    dbcs_.Assign(source.dbcs_);
    int_.Assign(source.int_);
    mail_.Assign(source.mail_);
    str_.Assign(source.str_);
    symbol_.Assign(source.symbol_);
    reserve_.Assign(source.reserve_);
    url_.Assign(source.url_);
    select_.Assign(source.select_);
}

} // namespace vellumo
