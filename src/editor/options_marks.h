#pragma once
// End-of-file, line-end and caret-row underline marks.
#include "base/color.h"
#include "editor/notifypersistent.h"

namespace vellumo {

class TEditorMark : public TNotifyPersistent {
public:
    // clNone: the painter uses the text colour.
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v) { SetField(color_, v); }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v) { SetField(visible_, v); }

    void Assign(const TEditorMark& source);

private:
    TColor color_ = clGray;
    bool visible_ = false;
};

class TEditorMarks : public TNotifyPersistent {
public:
    TEditorMarks();

    TEditorMark& EofMark() noexcept { return eofMark_; }
    const TEditorMark& EofMark() const noexcept { return eofMark_; }
    void SetEofMark(const TEditorMark& v) { eofMark_.Assign(v); }
    TEditorMark& RetMark() noexcept { return retMark_; }
    const TEditorMark& RetMark() const noexcept { return retMark_; }
    void SetRetMark(const TEditorMark& v) { retMark_.Assign(v); }
    TEditorMark& Underline() noexcept { return underline_; }
    const TEditorMark& Underline() const noexcept { return underline_; }
    void SetUnderline(const TEditorMark& v) { underline_.Assign(v); }

    void Assign(const TEditorMarks& source);

private:
    TEditorMark eofMark_;
    TEditorMark retMark_;
    TEditorMark underline_;
};

} // namespace vellumo
