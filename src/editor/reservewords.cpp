#include "editor/reservewords.h"

#include <algorithm>
#include <atomic>
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

const std::vector<std::string_view>& TReserveWordList::Items() const noexcept
{
    static const std::vector<std::string_view> none;
    return store_ ? store_->items : none;
}

std::string_view TReserveWordList::Strings(int index) const
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TReserveWordList index");
    return store_->items[static_cast<std::size_t>(index)];
}

TReserveWordList::TWordStore& TReserveWordList::Mutable()
{
    if (!store_) {
        store_ = std::make_shared<TWordStore>();
    } else if (store_.use_count() > 1) {
        store_ = std::make_shared<TWordStore>(*store_);
    } else {
        // The other owners' last reads happen before their release of it.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    return *store_;
}

void TReserveWordList::SetSorted(bool v)
{
    if (v == sorted_) return;
    if (v && Count() > 1) {
        std::vector<std::string_view>& items = Mutable().items;
        std::stable_sort(items.begin(), items.end(),
                         [this](std::string_view a, std::string_view b) { return Compare(a, b) < 0; });
    }
    sorted_ = v;
}

bool TReserveWordList::Find(std::string_view word, int& index) const
{
    const std::vector<std::string_view>& items = Items();
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = static_cast<int>((static_cast<unsigned>(lo) + static_cast<unsigned>(hi)) >> 1);
        const int c = Compare(items[static_cast<std::size_t>(mid)], word);
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
    const std::vector<std::string_view>& items = Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (Compare(items[i], word) == 0) return static_cast<int>(i);
    return -1;
}

bool TReserveWordList::KeptOut(std::string_view word, int& index) const
{
    index = Count();
    if (!sorted_ || !Find(word, index)) return false;
    if (duplicates_ == dupError) throw std::invalid_argument("String list does not allow duplicates");
    return duplicates_ == dupIgnore;
}

int TReserveWordList::Add(std::string word)
{
    int index = 0;
    if (KeptOut(word, index)) return index;
    TWordStore& s = Mutable();
    s.texts.push_back(std::make_shared<const std::string>(std::move(word)));
    s.items.insert(s.items.begin() + index, std::string_view(*s.texts.back()));
    return index;
}

int TReserveWordList::AddView(std::string_view word)
{
    int index = 0;
    if (KeptOut(word, index)) return index;
    std::vector<std::string_view>& items = Mutable().items;
    items.insert(items.begin() + index, word);
    return index;
}

void TReserveWordList::AddMany(const std::vector<std::string>& words)
{
    if (words.empty()) return;
    // One buffer for all of them, the words views into it.
    std::size_t total = 0;
    for (const std::string& w : words) total += w.size();
    auto text = std::make_shared<std::string>();
    text->reserve(total);
    for (const std::string& w : words) *text += w;
    std::vector<std::string_view> views;
    views.reserve(words.size());
    std::size_t at = 0;
    for (const std::string& w : words) {
        views.emplace_back(text->data() + at, w.size());
        at += w.size();
    }
    Mutable().texts.push_back(std::move(text));
    AddViews(std::move(views));
}

void TReserveWordList::AddViews(std::vector<std::string_view> words)
{
    // Into a filled list, or with duplicates refused, each word in turn:
    // the outcome depends on what is already there.
    if (sorted_ && (Count() > 0 || duplicates_ == dupError)) {
        for (std::string_view w : words) AddView(w);
        return;
    }
    if (words.empty()) return;
    std::vector<std::string_view>& items = Mutable().items;
    if (!sorted_) {
        items.insert(items.end(), words.begin(), words.end());
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
                         [this](std::string_view a, std::string_view b) { return Compare(a, b) < 0; });
        for (std::size_t i = 1; i < words.size(); ++i)
            order[i - 1] = static_cast<signed char>(Compare(words[i - 1], words[i]) == 0 ? 0 : -1);
    }
    // The list is empty here: the kept words become it, in place.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (i == 0 || duplicates_ == dupAccept || order[i - 1] != 0) words[kept++] = words[i];
    words.resize(kept);
    items = std::move(words);
}

void TReserveWordList::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("TReserveWordList index");
    std::vector<std::string_view>& items = Mutable().items;
    items.erase(items.begin() + index);
}

void TReserveWordList::SetText(std::string_view text)
{
    SetText(std::make_shared<const std::string>(text));
}

void TReserveWordList::SetText(std::shared_ptr<const std::string> text)
{
    Clear();
    const std::string_view all(*text);
    std::vector<std::string_view> words;
    words.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
    const char* const base = all.data();
    const std::size_t size = all.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = base[i];
        if (c != '\r' && c != '\n') continue;
        words.emplace_back(base + start, i - start);
        if (c == '\r' && i + 1 < size && base[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < size) words.emplace_back(base + start, size - start);
    Mutable().texts.push_back(std::move(text));
    AddViews(std::move(words));
}

bool TReserveWordList::LoadFromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    SetText(std::make_shared<const std::string>(std::move(text)));
    return true;
}

void TReserveWordList::Assign(const TReserveWordList& source)
{
    if (&source == this) return;
    caseSensitive_ = source.caseSensitive_;
    // Unsorted, or sorted just as the source: its words as they stand.
    if (!sorted_ || (source.sorted_ && compare_ == source.compare_ && duplicates_ == source.duplicates_)) {
        store_ = source.store_;
        return;
    }
    const std::shared_ptr<TWordStore> words = source.store_;  // held: a failing Add leaves us consistent
    Clear();
    if (!words) return;
    Mutable().texts = words->texts;
    AddViews(words->items);
}

bool TReserveWordList::Equals(const TReserveWordList& other) const
{
    return caseSensitive_ == other.caseSensitive_ && (store_ == other.store_ || Items() == other.Items());
}

} // namespace vellumo
