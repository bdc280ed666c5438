#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vellumo {

// An ordered list of byte strings. Changes made between BeginUpdate and the
// matching EndUpdate are reported once, when the outermost update ends.
class TStringList {
public:
    std::function<void()> OnChange;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const;
    void SetStrings(int index, std::string s);
    const std::string& operator[](int index) const { return Strings(index); }

    int Add(std::string s);
    void Insert(int index, std::string s);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& s) const;

    // Lines joined with CR LF after each, as a text.
    std::string Text() const;

    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const noexcept { return updateCount_; }

    const std::vector<std::string>& Items() const noexcept { return items_; }

private:
    void Changed();

    std::vector<std::string> items_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

// Keeps a list in update mode for a scope, also when the scope is left by an exception.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStringList& list) : list_(list) { list_.BeginUpdate(); }
    ~TStringsUpdate() { list_.EndUpdate(); }
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStringList& list_;
};

} // namespace vellumo
