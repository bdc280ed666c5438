#pragma once
// A status bar of panels (text, width, alignment, bevel), or one simple
// panel, along the bottom of its parent: the bar places itself there, as
// high as its font needs, when told the parent's size changed (Realign).
// With AutoHint on it shows the application's hint: in the simple panel
// while SimplePanel is on, else in panel 0. Windows only; GUI thread only.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/commoncontrol_win.h"

namespace vellumo {

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusAlignment { saLeft, saCenter, saRight };

class TStatusPanel {
public:
    TStatusPanel(TStatusBar& bar, int width) : bar_(bar), width_(width) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TStatusAlignment Alignment() const { return alignment_; }
    void SetAlignment(TStatusAlignment a);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel b);

private:
    friend class TStatusBar;
    TStatusBar& bar_;
    std::string text_;
    int width_;
    TStatusAlignment alignment_ = saLeft;
    TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusBar : public TCommonControl {
public:
    TStatusBar();
    ~TStatusBar() override;

    TStatusPanel& AddPanel(int width, TStatusAlignment alignment = saLeft, TStatusPanelBevel bevel = pbLowered);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    TStatusPanel& Panels(int index) { return *panels_.at(static_cast<std::size_t>(index)); }
    const TStatusPanel& Panels(int index) const { return *panels_.at(static_cast<std::size_t>(index)); }
    // Panel changes between BeginUpdate and the outermost EndUpdate reach the
    // window once, at EndUpdate.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    bool SimplePanel() const { return simple_; }
    void SetSimplePanel(bool on);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);

    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool on);
    // The grip at the right end (on by default).
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool on);

    // The bar's own font, made from a logical font (the bar keeps the handle
    // until it goes).
    void SetFontFrom(const LOGFONTA& font);
    HFONT FontHandle() const { return font_; }

    // Places the bar along the bottom of its parent again.
    void Realign();

    // The text the window shows in a part (for checks); empty without window.
    std::string PartText(int part) const;
    // The right edges of the window's parts (for checks).
    std::vector<int> PartEdges() const;

protected:
    // A panel's text was set (also by AutoHint).
    virtual void PanelTextSet(int /*index*/) {}
    const char* WindowClass() const override;
    DWORD ControlStyle() const override;
    void Created() override;

private:
    friend class TStatusPanel;
    void PanelsChanged();
    void PanelTextChanged(const TStatusPanel& panel);
    void PushPanels();
    void HintChanged(const std::string& hint);

    std::vector<std::unique_ptr<TStatusPanel>> panels_;
    int updating_ = 0;
    bool pending_ = false;
    bool simple_ = false;
    std::string simpleText_;
    bool autoHint_ = false;
    int hintListener_ = 0;
    bool sizeGrip_ = true;
    HFONT font_ = nullptr;
};

} // namespace vellumo
