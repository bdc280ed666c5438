#include "classlib/statusbar_win.h"

#include <commctrl.h>

#include <cstddef>
#include <string>

#include "classlib/application_win.h"

namespace vellumo {

namespace {

const char* StatusClassName()
{
    static const bool ready = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)ready;
    return STATUSCLASSNAMEA;
}

// The bar centres text after one TAB and right-aligns it after two.
std::string AlignedText(const std::string& text, TStatusAlignment a)
{
    if (a == saCenter)
        return "\t" + text;
    if (a == saRight)
        return "\t\t" + text;
    return text;
}

WPARAM BevelFlags(TStatusPanelBevel b)
{
    return b == pbNone ? SBT_NOBORDERS : b == pbRaised ? SBT_POPOUT : 0;
}

} // namespace

void TStatusPanel::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    bar_.PanelTextChanged(*this);
}

void TStatusPanel::SetWidth(int width)
{
    if (width < 0)
        width = 0;
    if (width == width_)
        return;
    width_ = width;
    bar_.PanelsChanged();
}

void TStatusPanel::SetAlignment(TStatusAlignment a)
{
    if (a == alignment_)
        return;
    alignment_ = a;
    bar_.PanelsChanged();
}

void TStatusPanel::SetBevel(TStatusPanelBevel b)
{
    if (b == bevel_)
        return;
    bevel_ = b;
    bar_.PanelsChanged();
}

TStatusBar::TStatusBar() : TCommonControl(100, 19) {}

TStatusBar::~TStatusBar()
{
    if (hintListener_)
        Application().RemoveHintListener(hintListener_);
    if (font_) {
        Send(WM_SETFONT, 0, FALSE);
        DeleteObject(font_);
    }
}

const char* TStatusBar::WindowClass() const { return StatusClassName(); }

DWORD TStatusBar::ControlStyle() const
{
    // No CCS_NORESIZE: the bar takes its place and height itself.
    return sizeGrip_ ? SBARS_SIZEGRIP : 0;
}

void TStatusBar::Created()
{
    if (font_)
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    PushPanels();
}

TStatusPanel& TStatusBar::AddPanel(int width, TStatusAlignment alignment, TStatusPanelBevel bevel)
{
    panels_.push_back(std::make_unique<TStatusPanel>(*this, width < 0 ? 0 : width));
    TStatusPanel& p = *panels_.back();
    p.alignment_ = alignment;
    p.bevel_ = bevel;
    PanelsChanged();
    return p;
}

void TStatusBar::EndUpdate()
{
    if (updating_ > 0 && --updating_ == 0 && pending_)
        PushPanels();
}

void TStatusBar::PanelsChanged()
{
    if (updating_ > 0)
        pending_ = true;
    else
        PushPanels();
}

void TStatusBar::PanelTextChanged(const TStatusPanel& panel)
{
    for (std::size_t i = 0; i < panels_.size(); ++i)
        if (panels_[i].get() == &panel) PanelTextSet(static_cast<int>(i));
    // Texts change with every caret move: only the one part is sent.
    if (updating_ > 0 || pending_) {
        pending_ = true;
        return;
    }
    if (!HandleAllocated() || simple_)
        return;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (panels_[i].get() != &panel)
            continue;
        std::string text = AlignedText(panel.Text(), panel.Alignment());
        Send(SB_SETTEXTA, i | BevelFlags(panel.Bevel()), reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TStatusBar::PushPanels()
{
    pending_ = false;
    if (!HandleAllocated())
        return;
    if (simple_ || panels_.empty()) {
        Send(SB_SIMPLE, TRUE);
        Send(SB_SETTEXTA, 255 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    Send(SB_SIMPLE, FALSE);
    std::vector<int> edges;
    int right = 0;
    for (auto& p : panels_) {
        right += p->Width();
        edges.push_back(right);
    }
    edges.back() = -1;  // the last panel takes the rest of the bar
    Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const TStatusPanel& p = *panels_[i];
        std::string text = AlignedText(p.Text(), p.Alignment());
        Send(SB_SETTEXTA, i | BevelFlags(p.Bevel()), reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TStatusBar::SetSimplePanel(bool on)
{
    if (on == simple_)
        return;
    simple_ = on;
    PushPanels();
}

void TStatusBar::SetSimpleText(const std::string& text)
{
    simpleText_ = text;
    if (simple_ || panels_.empty())
        PushPanels();
}

void TStatusBar::SetAutoHint(bool on)
{
    if (on == autoHint_)
        return;
    autoHint_ = on;
    if (on)
        hintListener_ = Application().AddHintListener([this](const std::string& hint) { HintChanged(hint); });
    else if (hintListener_) {
        Application().RemoveHintListener(hintListener_);
        hintListener_ = 0;
    }
}

void TStatusBar::HintChanged(const std::string& hint)
{
    if (!autoHint_)
        return;
    if (simple_ || panels_.empty())
        SetSimpleText(hint);
    else
        panels_[0]->SetText(hint);
}

void TStatusBar::SetSizeGrip(bool on)
{
    sizeGrip_ = on;
    RestyleWindow();
}

void TStatusBar::SetFontFrom(const LOGFONTA& font)
{
    HFONT made = CreateFontIndirectA(&font);
    if (!made)
        return;
    HFONT old = font_;
    font_ = made;
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old)
        DeleteObject(old);
}

void TStatusBar::Realign()
{
    // The bar measures its parent on any WM_SIZE.
    Send(WM_SIZE);
}

std::string TStatusBar::PartText(int part) const
{
    if (!HandleAllocated() || part < 0 || part > 255)
        return {};
    // The length may count characters, not bytes, and the call takes no
    // buffer size: room for two bytes a character.
    LRESULT len = Send(SB_GETTEXTLENGTHA, static_cast<WPARAM>(part));
    std::string s(static_cast<std::size_t>(LOWORD(len)) * 2 + 2, '\0');
    Send(SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(s.data()));
    s.resize(std::char_traits<char>::length(s.c_str()));
    return s;
}

std::vector<int> TStatusBar::PartEdges() const
{
    if (!HandleAllocated())
        return {};
    int n = static_cast<int>(Send(SB_GETPARTS, 0, 0));
    std::vector<int> edges(static_cast<std::size_t>(n > 0 ? n : 0));
    if (n > 0)
        Send(SB_GETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
}

} // namespace vellumo
