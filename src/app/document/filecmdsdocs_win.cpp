// The document functions the main window's File commands run.
#include "app/document/docopen.h"
#include "app/document/docsave.h"
#include "app/window/mainform_win.h"
#include "app/startup/instances.h"

namespace vellumo {

void ConnectDocumentFunctions(TVellumoMainForm& form)
{
    TDocumentFunctions& d = form.Documents;
    d.OpenFile = [](const std::string& name) { return OpenFile(name, true); };
    d.SaveFile = [](const std::string& name, bool wrap) { return SaveFile(name, wrap, false); };
    d.SaveFileAs = [](bool wrap) { return SaveFileAs(wrap); };
    d.NeedsSaveAs = [] { return NeedsSaveAs(); };
    d.QuerySaveChanges = [] {
        const int answer = QuerySaveChanges();
        return answer == kAnswerYes ? TSaveAnswer::Yes : answer == kAnswerNo ? TSaveAnswer::No : TSaveAnswer::Cancel;
    };
    d.StartNewInstance = [](const std::string& arguments) { StartNewInstance(arguments); };
    d.ReloadCommand = [] { return ReloadCommand(); };
    d.ReloadWithCode = [](TCharCode code) { return ReloadWithCode(code); };
}

} // namespace vellumo
