#pragma once
// A tool bar of buttons with images and tool tips, on a form or any other
// window. A press runs the button's OnClick (the bar's WM_COMMAND, handed on
// by the parent); OnMouseDown tells the owner before that when the press
// came from the mouse on that button, so that a command can insist on a real
// press. The short part of a button's hint is its tool tip: the system shows
// it from the button's text, which the bar never draws, or asks the parent
// (TTN_GETDISPINFO, answered here). Windows only; GUI thread only.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/commoncontrol_win.h"
#include "classlib/control_win.h"

namespace vellumo {

class TImageList;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

class TToolButton {
public:
    TToolButton(TToolBar& bar, TToolButtonStyle style, int command);
    TToolButton(const TToolButton&) = delete;
    TToolButton& operator=(const TToolButton&) = delete;

    TToolBar& ToolBar() const { return bar_; }
    TToolButtonStyle Style() const { return style_; }
    // The command identifier the bar reports for the button.
    int Command() const { return command_; }
    // The logical index in the bar (hidden buttons keep theirs).
    int Index() const;

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // "short|long": the short part is the tool tip, the long part the
    // application's hint while the mouse is over the button.
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    // Pressed in: a check button's state (a click flips it).
    bool Down() const;
    void SetDown(bool on);
    // Width of a separator in pixels.
    int Width() const { return width_; }
    void SetWidth(int width);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // The rectangle in the bar's client area (empty when hidden or no window).
    RECT BoundsRect() const;

    // What a press does: OnClick, when enabled.
    void Click();
    std::function<void(TToolButton&)> OnClick;
    // The left mouse button went down on the button.
    std::function<void(TToolButton&, TMouseButton, TShiftState, int x, int y)> OnMouseDown;

private:
    friend class TToolBar;
    TToolBar& bar_;
    TToolButtonStyle style_;
    int command_;
    int imageIndex_ = -1;
    std::string hint_;
    std::string text_;  // the short hint, as the window holds it
    bool enabled_ = true;
    bool visible_ = true;
    bool down_ = false;
    int width_ = 8;
    int tag_ = 0;
};

class TToolBar : public TCommonControl {
public:
    TToolBar();

    TToolButton& AddButton(int imageIndex, const std::string& hint, std::function<void(TToolButton&)> onClick = nullptr);
    TToolButton& AddCheckButton(int imageIndex, const std::string& hint,
                                std::function<void(TToolButton&)> onClick = nullptr);
    TToolButton& AddSeparator(int width = 8);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton& Buttons(int index) { return *buttons_.at(static_cast<std::size_t>(index)); }
    TToolButton* FindButton(int command) const;
    // The button under a client point (nullptr for none or a separator).
    TToolButton* ButtonAt(POINT client);

    // The command of the first button (1 unless set); the others follow it
    // in order, so that a parent can keep them apart from its menus'.
    int FirstCommand() const { return firstCommand_; }
    void SetFirstCommand(int command);

    // Not owned.
    void SetImages(TImageList* images);
    void SetDisabledImages(TImageList* images);
    void SetHotImages(TImageList* images);
    TImageList* Images() const { return images_; }

    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    // Space before the first button, in pixels.
    int Indent() const { return indent_; }
    void SetIndent(int indent);
    bool ShowToolTips() const { return showTips_; }
    void SetShowToolTips(bool on);
    // Paints through an off-screen buffer (on while the window is sized).
    void SetDoubleBuffered(bool on);

    // The size of one button as the bar lays it out.
    SIZE ButtonSize() const;

protected:
    const char* WindowClass() const override;
    DWORD ControlStyle() const override;
    void Created() override;
    void Command(WPARAM wParam) override;
    bool NotifyMessage(NMHDR& hdr, LRESULT& result) override;
    bool OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class TToolButton;
    TToolButton& AddNew(TToolButtonStyle style, int imageIndex, const std::string& hint,
                        std::function<void(TToolButton&)> onClick);
    void PushButtons();
    void PushButtonState(TToolButton& b);
    void PushButtonText(TToolButton& b);

    std::vector<std::unique_ptr<TToolButton>> buttons_;
    TImageList* images_ = nullptr;
    TImageList* disabledImages_ = nullptr;
    TImageList* hotImages_ = nullptr;
    int firstCommand_ = 1;
    bool flat_ = true;
    bool showTips_ = true;
    bool doubleBuffered_ = false;
    int indent_ = 0;
};

} // namespace vellumo
