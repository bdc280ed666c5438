#include "app/document/docsavelinks.h"

#include "app/document/docopen.h"

namespace vellumo::savelinks {

void SetCurrentFile(const std::string& fileName) { vellumo::SetCurrentFile(fileName); }
void UpdateCaption(const std::string& fileName) { vellumo::UpdateCaption(fileName); }
void UpdateCodeStatus() { vellumo::UpdateCodeStatus(); }
void SetReadOnlyState(bool readOnly, bool locked) { vellumo::SetReadOnlyState(readOnly, locked); }
void SetOutputMode(bool on) { vellumo::SetOutputMode(on); }
bool RefuseUnusablePath(const std::string& path, bool saving) { return vellumo::RefuseUnusablePath(path, saving); }

struct TViewKeeper::TState {
    TViewState View;
};

TViewKeeper::TViewKeeper() : state_(new TState{SaveViewState(true)}) {}

TViewKeeper::~TViewKeeper()
{
    try {
        RestoreViewState(state_->View, true);
    } catch (...) {
    }
    delete state_;
}

} // namespace vellumo::savelinks
