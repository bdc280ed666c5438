#pragma once
// The keywords of the current edit mode, kept sorted by one comparison that
// both orders the list and finds words in it.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// Negative, zero or positive as a sorts before, equal to or after b.
using TWordCompare = int (*)(std::string_view a, std::string_view b, bool caseSensitive);

// ASCII letters folded when not case-sensitive, then bytes compared.
int AsciiFoldCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept;
// The system's comparison for the user's locale on Windows (falling back to
// bytes should the system call fail); AsciiFoldCompare elsewhere.
int SystemWordCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept;
// Turns the system's 1/2/3 answer into -1/0/1; 0 (the call failed) is not
// "less" but falls back to AsciiFoldCompare.
int WordCompareFromSystem(int systemResult, std::string_view a, std::string_view b, bool caseSensitive) noexcept;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TReserveWordList {
public:
    explicit TReserveWordList(TWordCompare compare = SystemWordCompare) : compare_(compare) {}

    bool CaseSensitive() const noexcept { return caseSensitive_; }
    // Does not re-sort: set it before the words are loaded.
    void SetCaseSensitive(bool v) noexcept { caseSensitive_ = v; }
    bool Sorted() const noexcept { return sorted_; }
    void SetSorted(bool v);
    TDuplicates Duplicates() const noexcept { return duplicates_; }
    void SetDuplicates(TDuplicates v) noexcept { duplicates_ = v; }
    TWordCompare Comparer() const noexcept { return compare_; }

    int Count() const noexcept { return static_cast<int>(Items().size()); }
    std::string_view Strings(int index) const;
    std::string_view operator[](int index) const { return Strings(index); }
    const std::vector<std::string_view>& Items() const noexcept;

    // Sorted: in order, and per Duplicates (dupError throws std::invalid_argument);
    // returns the index, or the present word's index when ignored.
    int Add(std::string word);
    // Leaves the list as Add of each word in turn would, without inserting
    // into the middle once per word: a keyword file of millions of words,
    // sorted either way, takes one comparison per word.
    void AddMany(const std::vector<std::string>& words);
    void Delete(int index);
    void Clear() noexcept { store_.reset(); }
    // Binary search; index is where word is or would go.
    bool Find(std::string_view word, int& index) const;
    int IndexOf(std::string_view word) const;
    bool Contains(std::string_view word) const { return IndexOf(word) >= 0; }

    // Each line of text (CR, LF or CR LF breaks) is one word, empty lines included.
    void SetText(std::string_view text);
    // The same, the words kept in text itself rather than in a copy.
    void SetText(std::shared_ptr<const std::string> text);
    // False when the file cannot be read; the list is then left as it was.
    bool LoadFromFile(const std::string& path);

    // The flag first, so the words are added under the source's comparison.
    // A list of the same kind shares the source's words until either changes.
    void Assign(const TReserveWordList& source);
    // Same flag and same words in the same order.
    bool Equals(const TReserveWordList& other) const;
    friend bool operator==(const TReserveWordList& a, const TReserveWordList& b) { return a.Equals(b); }

private:
    // The words are views into texts held beside them: a keyword file of
    // millions of words is one buffer and one array, not millions of strings.
    // Lists copied from one another share one store; a change copies it first.
    struct TWordStore {
        std::vector<std::string_view> items;
        std::vector<std::shared_ptr<const std::string>> texts;
    };

    int Compare(std::string_view a, std::string_view b) const { return compare_(a, b, caseSensitive_); }
    TWordStore& Mutable();
    // Where word goes; true when an equal word keeps it out (dupError throws).
    bool KeptOut(std::string_view word, int& index) const;
    // word lies in a text the store already holds.
    int AddView(std::string_view word);
    // Leaves the list as AddView of each word in turn would.
    void AddViews(std::vector<std::string_view> words);

    TWordCompare compare_;
    std::shared_ptr<TWordStore> store_;  // null while empty
    bool caseSensitive_ = false;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

} // namespace vellumo
