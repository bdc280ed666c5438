#pragma once
// Thin vertical lines drawn at given text columns over the editor's text
// (a wrap or print width, for example). Portable: the editor draws them.
#include <functional>
#include <memory>
#include <vector>

#include "base/color.h"

namespace vellumo {

class TVerticalLines;

class TVerticalLine {
public:
    explicit TVerticalLine(TVerticalLines* owner = nullptr) : owner_(owner) {}

    // The text column at whose left edge the line stands; negative values are ignored.
    int Position() const noexcept { return position_; }
    void SetPosition(int v);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v);

    void Assign(const TVerticalLine& source);

private:
    void Changed();

    TVerticalLines* owner_;
    int position_ = 0;
    TColor color_ = clBlack;
    bool visible_ = true;
};

class TVerticalLines {
public:
    TVerticalLines() = default;
    TVerticalLines(const TVerticalLines&) = delete;
    TVerticalLines& operator=(const TVerticalLines&) = delete;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TVerticalLine& Items(int index) { return *items_.at(static_cast<std::size_t>(index)); }
    const TVerticalLine& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    // A new line at position 0, black, visible.
    TVerticalLine& Add();
    void Delete(int index);
    void Clear();
    // Copies every line; reports once.
    void Assign(const TVerticalLines& source);

    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();

    // After any change (the editor repaints).
    std::function<void()> OnUpdate;

private:
    friend class TVerticalLine;
    void Changed();

    std::vector<std::unique_ptr<TVerticalLine>> items_;
    int updateCount_ = 0;
    bool pending_ = false;
};

} // namespace vellumo
