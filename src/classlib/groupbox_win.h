#pragma once
// A captioned frame around controls, and a frame holding one choice out of
// a list of radio buttons. Windows only; GUI thread only.
//
//   TRadioGroup Direction{*this, "Direction"};
//   ... in the form's constructor:
//   Direction.SetBounds(8, 80, 120, 60);
//   Direction.SetItems({"&Up", "&Down"});
//   Direction.SetItemIndex(1);
#include <memory>
#include <string>
#include <vector>

#include "classlib/form_win.h"

namespace vellumo {

// The frame only: the controls it surrounds are the form's own, placed
// inside its bounds. Not a tab stop.
class TGroupBox : public TWinControlChild {
public:
    explicit TGroupBox(TForm& form, const std::string& caption = {});

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD ControlStyle() const override { return BS_GROUPBOX | WS_GROUP; }
    // The frame paints no inside: the form, which clips its children,
    // must paint it.
    DWORD ControlExStyle() const override { return WS_EX_TRANSPARENT; }
};

// Items are laid out in rows (column by column when Columns > 1) inside
// the frame (again whenever it is resized). The chosen item is the group's
// one tab stop; the arrow keys move the choice between the enabled items.
class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TForm& form, const std::string& caption = {});
    ~TRadioGroup() override;

    const std::vector<std::string>& Items() const noexcept { return items_; }
    // Chooses nothing.
    void SetItems(const std::vector<std::string>& items);
    // -1: nothing chosen.
    int ItemIndex() const noexcept { return itemIndex_; }
    // An index out of range chooses nothing. Fires no event.
    void SetItemIndex(int index);
    int Columns() const noexcept { return columns_; }
    void SetColumns(int columns);
    // The frame and every item.
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    // One item alone (the frame stays as it is).
    void SetItemEnabled(int index, bool enabled);
    bool ItemEnabled(int index) const;
    // The item's window (the form's windows are made when needed).
    HWND ItemHandle(int index);

    // OnClick: the user chose an item (also the one already chosen);
    // OnChange: the user changed ItemIndex. Neither fires for SetItemIndex.

protected:
    void Created() override;
    void Resized() override;

private:
    class TItem;
    friend class TItem;
    void Layout();
    void Choose(int index, bool focus);
    void Step(int from, int delta);
    int TextHeight();

    std::vector<std::string> items_;
    std::vector<std::unique_ptr<TItem>> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    int textHeight_ = 0;
};

} // namespace vellumo
