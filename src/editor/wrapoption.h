#pragma once
// Word-wrap options of a row store. Setters store only a changed value and
// report once; Assign reports one change, and only when something differed,
// so re-applying the same settings never re-wraps (which would empty the
// undo history).
#include <string>

#include "editor/notifypersistent.h"

namespace vellumo {

class TEditorWrapOption : public TNotifyPersistent {
public:
    static constexpr int kMinWrapByte = 20;
    static constexpr int kMaxWrapByte = 800;
    static const char* const kDefaultFollowStr;
    static const char* const kDefaultLeadStr;
    static const char* const kDefaultPunctuationStr;

    bool FollowRetMark() const noexcept { return followRetMark_; }
    bool FollowPunctuation() const noexcept { return followPunctuation_; }
    const std::string& FollowStr() const noexcept { return followStr_; }
    bool Leading() const noexcept { return leading_; }
    const std::string& LeadStr() const noexcept { return leadStr_; }
    const std::string& PunctuationStr() const noexcept { return punctuationStr_; }
    bool WordBreak() const noexcept { return wordBreak_; }
    int WrapByte() const noexcept { return wrapByte_; }

    void SetFollowRetMark(bool v) { SetField(followRetMark_, v); }
    void SetFollowPunctuation(bool v) { SetField(followPunctuation_, v); }
    void SetFollowStr(std::string v) { SetField(followStr_, std::move(v)); }
    void SetLeading(bool v) { SetField(leading_, v); }
    void SetLeadStr(std::string v) { SetField(leadStr_, std::move(v)); }
    void SetPunctuationStr(std::string v) { SetField(punctuationStr_, std::move(v)); }
    void SetWordBreak(bool v) { SetField(wordBreak_, v); }
    void SetWrapByte(int v) { SetField(wrapByte_, v < kMinWrapByte ? kMinWrapByte : v > kMaxWrapByte ? kMaxWrapByte : v); }

    void Assign(const TEditorWrapOption& src)
    {
        if (&src == this) return;
        TNotifyUpdate update(*this);
        SetFollowRetMark(src.followRetMark_);
        SetFollowPunctuation(src.followPunctuation_);
        SetFollowStr(src.followStr_);
        SetLeading(src.leading_);
        SetLeadStr(src.leadStr_);
        SetPunctuationStr(src.punctuationStr_);
        SetWordBreak(src.wordBreak_);
        SetWrapByte(src.wrapByte_);
    }

    friend bool operator==(const TEditorWrapOption& a, const TEditorWrapOption& b)
    {
        return a.followRetMark_ == b.followRetMark_ && a.followPunctuation_ == b.followPunctuation_ &&
               a.followStr_ == b.followStr_ && a.leading_ == b.leading_ && a.leadStr_ == b.leadStr_ &&
               a.punctuationStr_ == b.punctuationStr_ && a.wordBreak_ == b.wordBreak_ && a.wrapByte_ == b.wrapByte_;
    }

private:
    bool followRetMark_ = false;
    bool followPunctuation_ = false;
    std::string followStr_ = kDefaultFollowStr;
    bool leading_ = false;
    std::string leadStr_ = kDefaultLeadStr;
    std::string punctuationStr_ = kDefaultPunctuationStr;
    bool wordBreak_ = false;
    int wrapByte_ = 80;
};

} // namespace vellumo
