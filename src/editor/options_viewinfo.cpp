#include "editor/options_viewinfo.h"

#include <string>

namespace vellumo {

void TEditorBracketItem::Assign(const TEditorBracketItem& source)
{
    if (&source == this) return;
    itemColor_.Assign(source.itemColor_);
    leftBracket_ = source.leftBracket_;
    rightBracket_ = source.rightBracket_;
}

TEditorBracketItem& TEditorBracketCollection::Items(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TEditorBracketCollection index");
    return *items_[static_cast<std::size_t>(index)];
}

const TEditorBracketItem& TEditorBracketCollection::Items(int index) const
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TEditorBracketCollection index");
    return *items_[static_cast<std::size_t>(index)];
}

TEditorBracketItem& TEditorBracketCollection::Add()
{
    if (Count() >= MaxItems)
        throw EEditorBracketLimit("TEditorBracketCollection\r\nYou can not add item over " + std::to_string(MaxItems));
    items_.push_back(std::make_unique<TEditorBracketItem>());
    TEditorBracketItem& item = *items_.back();
    Changed();
    return item;
}

void TEditorBracketCollection::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TEditorBracketCollection index");
    items_.erase(items_.begin() + index);
    Changed();
}

void TEditorBracketCollection::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

template <class F>
void TEditorBracketCollection::ForAllColors(F f)
{
    TNotifyUpdate update(*this);
    for (auto& item : items_) {
        TEditorColor& c = item->ItemColor();
        const TColor bk = c.BkColor(), fg = c.Color();
        const TFontStyles st = c.Style();
        f(c);
        // The item colours are not wired, so the change is reported from here.
        if (bk != c.BkColor() || fg != c.Color() || st != c.Style()) Changed();
    }
}

void TEditorBracketCollection::SetAllBkColor(TColor v)
{
    ForAllColors([v](TEditorColor& c) { c.SetBkColor(v); });
}

void TEditorBracketCollection::SetAllColor(TColor v)
{
    ForAllColors([v](TEditorColor& c) { c.SetColor(v); });
}

void TEditorBracketCollection::SetAllStyle(TFontStyles v)
{
    ForAllColors([v](TEditorColor& c) { c.SetStyle(v); });
}

void TEditorBracketCollection::Assign(const TEditorBracketCollection& source)
{
    if (&source == this) return;
    // Compare first, so that copying an equal collection reports nothing.
    bool same = Count() == source.Count();
    for (int i = 0; same && i < Count(); ++i) {
        const TEditorBracketItem& a = *items_[static_cast<std::size_t>(i)];
        const TEditorBracketItem& b = *source.items_[static_cast<std::size_t>(i)];
        same = a.LeftBracket() == b.LeftBracket() && a.RightBracket() == b.RightBracket() &&
               a.ItemColor().SameAs(b.ItemColor());
    }
    if (same) return;
    TNotifyUpdate update(*this);
    Clear();
    for (const auto& item : source.items_) Add().Assign(*item);
}

TEditorViewInfo::TEditorViewInfo()
{
    Own(brackets_);
    Own(colors_);
}

void TEditorViewInfo::Assign(const TEditorViewInfo& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    brackets_.Assign(source.brackets_);
    colors_.Assign(source.colors_);
    // Strings are copied as they stand, quotes included.
    SetField(commenter_, source.commenter_);
    SetField(commenter2_, source.commenter2_);
    SetField(perlCommenter_, source.perlCommenter_);
    SetField(rubyCommenter_, source.rubyCommenter_);
    SetField(controlCode_, source.controlCode_);
    SetField(hexPrefix_, source.hexPrefix_);
    SetField(mail_, source.mail_);
    SetField(quotation_, source.quotation_);
    SetField(quotation2_, source.quotation2_);
    SetField(perlQuotation_, source.perlQuotation_);
    SetField(url_, source.url_);
}

} // namespace vellumo
