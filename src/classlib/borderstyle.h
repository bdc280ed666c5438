#pragma once
// Border styles shared by controls and forms: a control has none or a single
// line; a form may also be sizeable or a dialog frame. One enumeration, so
// the editor and the forms can be used in one file.

namespace vellumo {

enum TFormBorderStyle : unsigned char { bsNone = 0, bsSingle = 1, bsSizeable = 2, bsDialog = 3 };

} // namespace vellumo
