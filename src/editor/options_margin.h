#pragma once
// Pixel margins around the editor's character grid.
#include "editor/notifypersistent.h"

namespace vellumo {

class TEditorMargin : public TNotifyPersistent {
public:
    static constexpr int MaxMargin = 100;

    int Character() const noexcept { return character_; }
    void SetCharacter(int v);
    int Left() const noexcept { return left_; }
    void SetLeft(int v);
    int Line() const noexcept { return line_; }
    void SetLine(int v);
    int Top() const noexcept { return top_; }
    void SetTop(int v);
    // Set by the editor from Marks.Underline.Visible as part of its reaction
    // to the marks, so it does not report on its own.
    int Underline() const noexcept { return underline_; }
    void SetUnderline(int v) noexcept { underline_ = v != 0 ? 1 : 0; }

    void Assign(const TEditorMargin& source);

private:
    int character_ = 0;
    int left_ = 19;
    int line_ = 0;
    int top_ = 2;
    int underline_ = 0;
};

} // namespace vellumo
