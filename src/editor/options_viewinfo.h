#pragma once
// Colouring options read by the row tokenizer and the painter: bracket
// regions, comment openers, quotes and link recognition.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/notifypersistent.h"
#include "editor/options_colors.h"

namespace vellumo {

// A region such as a block comment: LeftBracket opens it, RightBracket closes
// it, possibly rows later.
class TEditorBracketItem {
public:
    // Not wired: changing an item's colour directly reports nothing.
    TEditorColor& ItemColor() noexcept { return itemColor_; }
    const TEditorColor& ItemColor() const noexcept { return itemColor_; }
    void SetItemColor(const TEditorColor& v) { itemColor_.Assign(v); }
    const std::string& LeftBracket() const noexcept { return leftBracket_; }
    void SetLeftBracket(std::string v) { leftBracket_ = std::move(v); }
    const std::string& RightBracket() const noexcept { return rightBracket_; }
    void SetRightBracket(std::string v) { rightBracket_ = std::move(v); }

    void Assign(const TEditorBracketItem& source);

private:
    TEditorColor itemColor_;
    std::string leftBracket_;
    std::string rightBracket_;
};

class EEditorBracketLimit : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// At most MaxItems regions: a row keeps its region state in four bits.
class TEditorBracketCollection : public TNotifyPersistent {
public:
    static constexpr int MaxItems = 14;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TEditorBracketItem& Items(int index);
    const TEditorBracketItem& Items(int index) const;
    TEditorBracketItem& operator[](int index) { return Items(index); }
    const TEditorBracketItem& operator[](int index) const { return Items(index); }

    // Throws EEditorBracketLimit when MaxItems are held already.
    TEditorBracketItem& Add();
    void Delete(int index);
    void Clear();

    virtual void SetAllBkColor(TColor v);
    virtual void SetAllColor(TColor v);
    virtual void SetAllStyle(TFontStyles v);

    // Stops with the exception of Add if the source would overflow; the update
    // lock is released in every case.
    void Assign(const TEditorBracketCollection& source);

private:
    template <class F>
    void ForAllColors(F f);

    std::vector<std::unique_ptr<TEditorBracketItem>> items_;
};

class TEditorViewInfo : public TNotifyPersistent {
public:
    TEditorViewInfo();

    TEditorBracketCollection& Brackets() noexcept { return brackets_; }
    const TEditorBracketCollection& Brackets() const noexcept { return brackets_; }
    void SetBrackets(const TEditorBracketCollection& v) { brackets_.Assign(v); }
    TEditorColors& Colors() noexcept { return colors_; }
    const TEditorColors& Colors() const noexcept { return colors_; }
    void SetColors(const TEditorColors& v) { colors_.Assign(v); }

    const std::string& Commenter() const noexcept { return commenter_; }
    void SetCommenter(const std::string& v) { SetField(commenter_, v); }
    const std::string& Commenter2() const noexcept { return commenter2_; }
    void SetCommenter2(const std::string& v) { SetField(commenter2_, v); }
    const std::string& PerlCommenter() const noexcept { return perlCommenter_; }
    void SetPerlCommenter(const std::string& v) { SetField(perlCommenter_, v); }
    const std::string& RubyCommenter() const noexcept { return rubyCommenter_; }
    void SetRubyCommenter(const std::string& v) { SetField(rubyCommenter_, v); }
    bool ControlCode() const noexcept { return controlCode_; }
    void SetControlCode(bool v) { SetField(controlCode_, v); }
    const std::string& HexPrefix() const noexcept { return hexPrefix_; }
    void SetHexPrefix(const std::string& v) { SetField(hexPrefix_, v); }
    bool Mail() const noexcept { return mail_; }
    void SetMail(bool v) { SetField(mail_, v); }
    // The three quotes keep only the first byte of what they are given.
    const std::string& Quotation() const noexcept { return quotation_; }
    void SetQuotation(const std::string& v) { SetField(quotation_, v.substr(0, 1)); }
    const std::string& Quotation2() const noexcept { return quotation2_; }
    void SetQuotation2(const std::string& v) { SetField(quotation2_, v.substr(0, 1)); }
    const std::string& PerlQuotation() const noexcept { return perlQuotation_; }
    void SetPerlQuotation(const std::string& v) { SetField(perlQuotation_, v.substr(0, 1)); }
    bool Url() const noexcept { return url_; }
    void SetUrl(bool v) { SetField(url_, v); }

    // The component that made this object; kept for it, read by nobody here.
    void* Owner() const noexcept { return owner_; }
    void SetOwner(void* owner) noexcept { owner_ = owner; }

    void Assign(const TEditorViewInfo& source);

private:
    TEditorBracketCollection brackets_;
    TEditorColors colors_;
    std::string commenter_;
    std::string commenter2_;
    std::string perlCommenter_;
    std::string rubyCommenter_;
    bool controlCode_ = false;
    std::string hexPrefix_;
    bool mail_ = false;
    std::string quotation_;
    std::string quotation2_;
    std::string perlQuotation_;
    bool url_ = false;
    void* owner_ = nullptr;
};

} // namespace vellumo
