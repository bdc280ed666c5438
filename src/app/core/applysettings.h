#pragma once
// Applying the settings to the main window, its editors and the process-wide
// values the editor reads. The staging into the settings holder and the value
// clamping are portable; ApplySettings and ApplyEditorProp, which reach the
// window and its editors, are in applysettings_win.cpp.
#include <string>

#include "settings/settings.h"
#include "editor/editorhost.h"
#include "editor/editortypes.h"

namespace vellumo {

class TEditorProp;
class TVerticalLines;
struct TParserSettings;

// ---- ranges of the keys that no option setter clamps
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 300;
constexpr int kHalfPointFontSize = -14;  // stands for 10.5 points
constexpr int kMaxLinePitch = 10;
constexpr int kMaxCharPitch = 5;
constexpr int kMaxTextMargin = 100;
constexpr int kMaxColLineByte = 1000;
constexpr int kMinWindowSize = 100;

// The part of the screen a window may take (the virtual screen).
struct TScreenArea {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// A window rectangle as stored in the settings.
struct TWindowBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Size kept between kMinWindowSize and the area, position so the whole
// window lies inside the area. An empty area leaves the box alone.
TWindowBox ClampWindowBox(TWindowBox box, const TScreenArea& area);

// Font size, line and character pitch, margins, the column line and the
// user's window size and position put into their ranges; DefEditMode,
// NewCode and NewRetCode outside theirs read as 0.
void ClampAppliedSettings(TAppSettings& s, const TScreenArea& area);
void ClampWindowPlacement(TAppWindowPlacement& p, const TScreenArea& area);

// -14 is 10.5 points: the font height at the given pixels per inch.
int HalfPointFontHeight(int pixelsPerInch) noexcept;
// 10 when index is not 0, else 8.
int RulerGaugeSpacing(int index) noexcept;
TScrollStyle ScrollStyleFor(bool vertical, bool horizontal) noexcept;
// Stages the scroll bars ScrollBar_Tate (vertical) and ScrollBar_Yoko
// (horizontal) ask for.
void ApplyScrollBars(TEditorProp& prop, const TAppIni& option);
// The quoted paste's mark: PasteInyouhu without its wrapping "%" characters
// (a value that is not wrapped is used whole).
std::string PasteQuoteMark(const TAppIni& option);

// The edit-mode, code and line-end defaults of a new document, each used
// at start-up only when the command line did not set it.
struct TStartupOverrides {
    bool EditMode = false;
    bool Code = false;
    bool LineEnd = false;
};

// Values the editor control reads from its host: NoLButtonImeEnter,
// RetRowIndent, ImeReConv (the operating-system flags and the output mode
// belong to others and are left as they are).
void ApplyHostValues(TEditorHostValues& host, const TAppSettings& s);
// URL and mail characters only ever grow; the URL terminators are replaced.
void ApplyParserValues(TParserSettings& parser, const TAppSettings& s);

// Stages every setting the holder carries (caret, wrap, font, tab, marks,
// margins, colours, left bar, ruler, scroll bars, guide lines) on top of what
// it holds. The edit mode's syntax is staged separately.
void StageEditorSettings(TEditorProp& prop, const TAppSettings& s, int pixelsPerInch);

// The two guide lines: the wrap line (index 0) at WrapCount, shown with
// WordWrap and WrapLine; the column line (index 1) at ColLineByte, shown with
// ColLine unless it stands at or beyond the wrap column while wrapping.
void StageGuideLines(TVerticalLines& lines, const TAppSettings& s);

// What the main window applies of the settings itself (see
// IMainWindow::ApplyWindowSettings). Placing the window at start-up
// (StartWindow) takes its sizes from these clamped settings, or from
// ClampWindowPlacement for the placement of the last exit.
struct TWindowSettings {
    const TAppSettings* Settings = nullptr;  // clamped
    bool AtStartup = false;
    std::string OpenFilter, SaveFilter;  // the file dialogs' filter lists
    bool SetInitialDir = false;          // untitled document with DefDirOn
    std::string InitialDir;              // DefDir with its environment references expanded
};

#ifdef _WIN32
// The whole settings of this process applied to the window and both editors.
// redetectMode: the edit mode follows the document's extension again. Never
// throws; a failure is reported with ShowMsg.
void ApplySettings(bool redetectMode, bool atStartup, const TStartupOverrides& given = {});
// The staged holder copied to the split editor (when split), then to Editor1.
void ApplyEditorProp();
// PasteQuoteMark of this process's settings (the quoted paste, the line drawing).
std::string PasteQuoteMark();
// The area window positions are kept inside (the virtual screen).
TScreenArea VirtualScreenArea();

// The editor's upward calls answered by the main window: the undo list's
// clear hook and the editors' state changes refresh the tool bar. Installed
// once at start-up; the methods of other concerns keep the defaults until
// their owners override them in a derived host.
class TAppEditorHost : public IEditorHost {
public:
    void RefreshToolBar() override;
    bool DocumentBusy() const override;
    bool ReadOnlyLocked() const override;
};
// Installs one TAppEditorHost for the process (idempotent).
void InstallAppEditorHost();
#endif

} // namespace vellumo
