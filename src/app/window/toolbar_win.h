#pragma once
// The main window's tool bar, made from the button table with pictures
// drawn at run time. Windows only.
#include <windows.h>

#include <string_view>

#include "classlib/imagelist_win.h"
#include "classlib/toolbar_win.h"

namespace vellumo {

class TMainToolBar : public TToolBar {
public:
    TMainToolBar();
    ~TMainToolBar() override;

    // Button i of the table gets the command firstCommand + i.
    void Create(HWND parent, UINT firstCommand);
    // Keeps the bar at the top of the parent's client area.
    void Resize();
    // The table row of a command, or -1.
    int ButtonOfCommand(UINT id) const;
    void SetButtonVisible(std::string_view name, bool on);
    void SetButtonEnabled(std::string_view name, bool on);
    bool ButtonEnabled(std::string_view name);
    // The pictures for [Option] ToolBtnImg (0: 16 colours, 1: 256 colours,
    // with hot pictures on a flat bar when hot is set); any other kind
    // changes nothing. The pictures are drawn, one set for every kind.
    void ApplyToolBarImages(int imageKind, bool flat, bool hot);

private:
    TImageList images_;
};

// Draws tool-bar picture index (16 x 16) on a context filled with the
// transparent colour.
void DrawToolImage(HDC dc, int index);

} // namespace vellumo
