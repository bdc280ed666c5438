#include "editor/options_caret.h"

#include <algorithm>

namespace vellumo {

void TEditorCursors::Assign(const TEditorCursors& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(defaultCursor_, source.defaultCursor_);
    SetField(dragSelCursor_, source.dragSelCursor_);
    SetField(dragSelCopyCursor_, source.dragSelCopyCursor_);
    SetField(inSelCursor_, source.inSelCursor_);
    SetField(leftMarginCursor_, source.leftMarginCursor_);
}

void TEditorCaret::SetTabSpaceCount(int v)
{
    SetField(tabSpaceCount_, std::clamp(v, 1, 8));
}

void TEditorCaret::Assign(const TEditorCaret& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(autoCursor_, source.autoCursor_);
    SetField(autoIndent_, source.autoIndent_);
    SetField(backSpaceUnIndent_, source.backSpaceUnIndent_);
    cursors_.Assign(source.cursors_);
    SetField(freeCaret_, source.freeCaret_);
    SetField(inTab_, source.inTab_);
    SetField(keepCaret_, source.keepCaret_);
    SetField(lockScroll_, source.lockScroll_);
    SetField(nextLine_, source.nextLine_);
    SetField(prevSpaceIndent_, source.prevSpaceIndent_);
    SetField(rowSelect_, source.rowSelect_);
    SetField(selDragMode_, source.selDragMode_);
    SetField(selMove_, source.selMove_);
    SetField(softTab_, source.softTab_);
    SetField(style_, source.style_);
    SetField(tabIndent_, source.tabIndent_);
    // Copied as it stands: a source holds only values its own setter allowed.
    SetField(tabSpaceCount_, source.tabSpaceCount_);
}

} // namespace vellumo
