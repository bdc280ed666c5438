#pragma once
// A drop-down list of named colours, each drawn with a swatch before its
// name. Entry 0 ("(カスタム)") holds any colour the list does not name.
#include <windows.h>

#include "base/color.h"
#include "classlib/form_win.h"

namespace vellumo {

// The colour combo box keeps to a namespace of its own, CCB; the rest of the
// program names it through the using-declaration below.
namespace CCB {

class TColorComboBox : public TComboBox {
public:
    static constexpr int kEntryCount = 42;

    explicit TColorComboBox(TForm& form);

    // The colour of entry 0. A new value while entry 0 is selected becomes
    // the selected colour and fires OnChange once.
    TColor CustomColor() const noexcept { return custom_; }
    void SetCustomColor(TColor color);
    // The selected colour. Setting it selects the first listed entry of that
    // exact value, else entry 0 with the colour as the custom one; OnChange
    // fires once.
    TColor SelectColor() const noexcept { return select_; }
    void SetSelectColor(TColor color);

    // An entry's colour: entry 0 gives CustomColor, no entry the control's own (clWindow).
    TColor ColorOfIndex(int index) const noexcept;
    // The first entry 1..41 of exactly that value, else 0 when it is the custom colour, else -1.
    int IndexOfColor(TColor color) const noexcept;
    static const char* EntryCaption(int index) noexcept;

    // Shows no entry; nothing is reported.
    void ClearSelection();

protected:
    DWORD ExtraComboStyle() const override { return CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; }
    void Notify(WORD code) override;
    bool MeasureItem(MEASUREITEMSTRUCT& mis) override;
    bool DrawItem(const DRAWITEMSTRUCT& dis) override;

private:
    TColor custom_ = clBlack;
    TColor select_ = clBlack;  // entry 0 is selected at first, holding black
};

} // namespace CCB

using CCB::TColorComboBox;

} // namespace vellumo
