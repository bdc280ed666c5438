#pragma once
// What the find and replace dialogs share: measuring captions, placing at
// the active editor, loading a history combo, the selection rule, moving the
// caret to the top and asking before a history is cleared.
#include <cstdint>
#include <string>

#include "classlib/form_win.h"
#include "dialogs/common/history.h"

namespace vellumo {

class TCheckBox;
class TComboBox;
class TRadioGroup;

// The option boxes both dialogs have, read and set as one.
struct TSearchOptionBoxes {
    TCheckBox& MatchCase;
    TCheckBox& WholeWord;
    TCheckBox& Esc;
    TRadioGroup& Direction;  // up, down

    void Show(const TSearchOptions& o) const;
    // The replace dialog's confirmation is not here: ReplaceConfirm stays as given.
    TSearchOptions Read(TSearchOptions o = {}) const;
    // sfMatchCase, sfWholeWord and sfDown as ticked.
    std::uint16_t Flags() const;
};

// The width the text needs in the form's font (access-key "&" not counted).
int CaptionWidth(TForm& form, const std::string& text);

// (24, 24) of the active editor's client area; centred without an editor.
void PlaceAtActiveEditor(TForm& form);

// History combo: list height 16, completion off only for Backspace.
void SetUpHistoryCombo(TComboBox& combo);
// The active editor's selection as the search text (ticking chkEsc when it
// needed escapes), else the newest entry. An empty selection is ended first.
void ApplySelectionRule(TComboBox& combo, TCheckBox& chkEsc);
// A text accepted by a button: to the top of its history and of the combo.
void AcceptIntoHistory(TComboBox& combo, THistory& history, const std::string& text);

// The search then starts at the top going down.
void MoveCaretToTop();

// Asks the question (OK, Cancel) and on OK empties the combo and the history.
void AskAndClearHistory(TComboBox& combo, THistory& history, const char* question, THistoryKind kind);

std::string SettingsPathOfHost();
// The saving of the last dialog's state reached the disk.
void NoteSearchStateSaved(bool saved);

} // namespace vellumo
