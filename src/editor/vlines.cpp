#include "editor/vlines.h"

namespace vellumo {

void TVerticalLine::Changed()
{
    if (owner_) owner_->Changed();
}

void TVerticalLine::SetPosition(int v)
{
    if (v < 0 || v == position_) return;
    position_ = v;
    Changed();
}

void TVerticalLine::SetColor(TColor v)
{
    if (v == color_) return;
    color_ = v;
    Changed();
}

void TVerticalLine::SetVisible(bool v)
{
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

void TVerticalLine::Assign(const TVerticalLine& source)
{
    if (&source == this) return;
    SetPosition(source.position_);
    SetColor(source.color_);
    SetVisible(source.visible_);
}

TVerticalLine& TVerticalLines::Add()
{
    items_.push_back(std::make_unique<TVerticalLine>(this));
    Changed();
    return *items_.back();
}

void TVerticalLines::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    Changed();
}

void TVerticalLines::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TVerticalLines::Assign(const TVerticalLines& source)
{
    if (&source == this) return;
    // Not a guard object: the closing report runs a handler that may raise,
    // and a raising destructor would end the process.
    BeginUpdate();
    try {
        Clear();
        for (const auto& item : source.items_) Add().Assign(*item);
    } catch (...) {
        try {
            EndUpdate();
        } catch (...) {
        }
        throw;
    }
    EndUpdate();
}

void TVerticalLines::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && pending_) {
        pending_ = false;
        if (OnUpdate) OnUpdate();
    }
}

void TVerticalLines::Changed()
{
    if (updateCount_ > 0) {
        pending_ = true;
        return;
    }
    if (OnUpdate) OnUpdate();
}

} // namespace vellumo
