#pragma once
// Running an external tool of the Tools menu: the document saved when the
// tool asks for it, a temporary file holding the text, the process started
// and waited for with the main window locked, the error output of a
// console tool shown, and a changed temporary file read back. Windows only.

namespace vellumo {

class TVellumoMainForm;

// Tool n of [Tools], read afresh from the settings file. Nothing runs while
// another tool is waited for or a document operation pumps messages, nor
// for a tool that needs a selection when there is none.
void RunTool(TVellumoMainForm& form, int n);
// The tool of a menu item's tag ("1", the SelOn digit, n).
void RunToolOfTag(TVellumoMainForm& form, int tag);

} // namespace vellumo
