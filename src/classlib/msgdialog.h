#pragma once
// The confirmation with an "All" button that the replace loop asks before
// each replacement.
#include <functional>
#include <string>

namespace vellumo {

inline constexpr unsigned kMsgYesNoCancelAll = 0x0E;  // message type (low nibble), never a system one
inline constexpr int kAnswerAll = 8;
inline constexpr unsigned kMsgIconQuestion = 0x20;
inline constexpr const char* kConfirmCaption = "確認";

struct TDialogPoint {
    int X, Y;
};

using TDialogPlacer = std::function<TDialogPoint(int width, int height)>;

// A question with Yes, No, Cancel and All; place(width, height) gives the top-left
// on screen. Goes through ShowMsg's sink (flags kMsgYesNoCancelAll | MB_ICONQUESTION,
// so tests answer it like any message); the system sink shows the program's own form.
// Returns IDYES 6, IDNO 7, IDCANCEL 2 or kAnswerAll.
int ShowConfirmAllDialog(const std::string& text, const TDialogPlacer& place);

// The placement of the confirmation being asked (empty when none): the
// system sink's form reads it.
const TDialogPlacer& PendingConfirmPlacer();

// The system sink's form: Yes, No, Cancel and All under a question icon,
// placed by PendingConfirmPlacer. Windows only.
int ShowConfirmAllForm(const std::string& text, const std::string& caption);

} // namespace vellumo
