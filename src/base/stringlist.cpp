#include "base/stringlist.h"

#include <stdexcept>

namespace vellumo {

const std::string& TStringList::Strings(int index) const
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TStringList index");
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::SetStrings(int index, std::string s)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TStringList index");
    items_[static_cast<std::size_t>(index)] = std::move(s);
    Changed();
}

int TStringList::Add(std::string s)
{
    items_.push_back(std::move(s));
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, std::string s)
{
    if (index < 0 || index > Count()) throw std::out_of_range("TStringList index");
    items_.insert(items_.begin() + index, std::move(s));
    Changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TStringList index");
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TStringList::IndexOf(const std::string& s) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == s) return static_cast<int>(i);
    return -1;
}

std::string TStringList::Text() const
{
    std::size_t n = 0;
    for (const auto& s : items_) n += s.size() + 2;
    std::string out;
    out.reserve(n);
    for (const auto& s : items_) {
        out += s;
        out += "\r\n";
    }
    return out;
}

void TStringList::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        if (OnChange) OnChange();
    }
}

void TStringList::Changed()
{
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (OnChange) OnChange();
}

} // namespace vellumo
