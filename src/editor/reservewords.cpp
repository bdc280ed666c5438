#include "editor/reservewords.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vellumo {
namespace {

unsigned char FoldAscii(unsigned char c) noexcept { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

} // namespace

int AsciiFoldCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (!caseSensitive) {
            x = FoldAscii(x);
            y = FoldAscii(y);
        }
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int WordCompareFromSystem(int systemResult, std::string_view a, std::string_view b, bool caseSensitive) noexcept
{
    if (systemResult < 1 || systemResult > 3) return AsciiFoldCompare(a, b, caseSensitive);
    return systemResult - 2;
}

#ifndef _WIN32
int SystemWordCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept
{
    return AsciiFoldCompare(a, b, caseSensitive);
}
#endif

const std::string& TReserveWordList::Strings(int index) const
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TReserveWordList index");
    return items_[static_cast<std::size_t>(index)];
}

void TReserveWordList::SetSorted(bool v)
{
    if (v == sorted_) return;
    if (v)
        std::stable_sort(items_.begin(), items_.end(),
                         [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
    sorted_ = v;
}

bool TReserveWordList::Find(std::string_view word, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = static_cast<int>((static_cast<unsigned>(lo) + static_cast<unsigned>(hi)) >> 1);
        const int c = Compare(items_[static_cast<std::size_t>(mid)], word);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int TReserveWordList::IndexOf(std::string_view word) const
{
    if (sorted_) {
        int index = 0;
        return Find(word, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(items_[static_cast<std::size_t>(i)], word) == 0) return i;
    return -1;
}

int TReserveWordList::Add(std::string word)
{
    if (!sorted_) {
        items_.push_back(std::move(word));
        return Count() - 1;
    }
    int index = 0;
    if (Find(word, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw std::invalid_argument("String list does not allow duplicates");
    }
    items_.insert(items_.begin() + index, std::move(word));
    return index;
}

void TReserveWordList::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TReserveWordList index");
    items_.erase(items_.begin() + index);
}

void TReserveWordList::SetText(std::string_view text)
{
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t brk = text.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            break;
        }
        Add(std::string(text.substr(start, brk - start)));
        start = brk + ((text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1);
    }
}

bool TReserveWordList::LoadFromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    SetText(text);
    return true;
}

void TReserveWordList::Assign(const TReserveWordList& source)
{
    if (&source == this) return;
    caseSensitive_ = source.caseSensitive_;
    std::vector<std::string> words = source.items_;  // copy first: a failing Add leaves us consistent
    Clear();
    for (std::string& w : words) Add(std::move(w));
}

bool TReserveWordList::Equals(const TReserveWordList& other) const
{
    return caseSensitive_ == other.caseSensitive_ && items_ == other.items_;
}

} // namespace vellumo
