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

void TReserveWordList::AddMany(std::vector<std::string> words)
{
    // Into a filled list, or with duplicates refused, each word in turn:
    // the outcome depends on what is already there.
    if (sorted_ && (!items_.empty() || duplicates_ == dupError)) {
        for (std::string& w : words) Add(std::move(w));
        return;
    }
    if (!sorted_ || words.empty()) {
        items_.insert(items_.end(), std::make_move_iterator(words.begin()), std::make_move_iterator(words.end()));
        return;
    }
    // One Add after another puts a later equal word before the earlier
    // ones (duplicates accepted) or drops it (ignored): a stable order of
    // the reversed words or of the words as given gives the same.
    if (duplicates_ == dupAccept) std::reverse(words.begin(), words.end());
    std::vector<signed char> order(words.size() - 1);
    bool ascending = true, descending = true;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const int c = Compare(words[i - 1], words[i]);
        order[i - 1] = static_cast<signed char>(c < 0 ? -1 : (c > 0 ? 1 : 0));
        ascending = ascending && c <= 0;
        descending = descending && c > 0;
    }
    if (descending) {
        std::reverse(words.begin(), words.end());
        for (signed char& o : order) o = -1;
    } else if (!ascending) {
        std::stable_sort(words.begin(), words.end(),
                         [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
        for (std::size_t i = 1; i < words.size(); ++i) {
            const int c = Compare(words[i - 1], words[i]);
            order[i - 1] = static_cast<signed char>(c == 0 ? 0 : -1);
        }
    }
    items_.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i)
        if (i == 0 || duplicates_ == dupAccept || order[i - 1] != 0) items_.push_back(std::move(words[i]));
}

void TReserveWordList::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TReserveWordList index");
    items_.erase(items_.begin() + index);
}

void TReserveWordList::SetText(std::string_view text)
{
    Clear();
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t brk = text.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            words.emplace_back(text.substr(start));
            break;
        }
        words.emplace_back(text.substr(start, brk - start));
        start = brk + ((text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1);
    }
    AddMany(std::move(words));
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
    if (sorted_ && source.sorted_ && compare_ == source.compare_ && duplicates_ == source.duplicates_) {
        items_ = std::move(words);  // already in this list's order, nothing to drop
        return;
    }
    Clear();
    AddMany(std::move(words));
}

bool TReserveWordList::Equals(const TReserveWordList& other) const
{
    return caseSensitive_ == other.caseSensitive_ && items_ == other.items_;
}

} // namespace vellumo
