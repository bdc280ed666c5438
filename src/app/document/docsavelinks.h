#pragma once
// What a save changes in the rest of the document state (name, caption,
// panels, read-only state, view), kept in one place so that the save code
// names each effect once.
#include <string>

namespace vellumo::savelinks {

void SetCurrentFile(const std::string& fileName);
void UpdateCaption(const std::string& fileName);
void UpdateCodeStatus();
void SetReadOnlyState(bool readOnly, bool locked);
void SetOutputMode(bool on);
bool RefuseUnusablePath(const std::string& path, bool saving);

// Keeps the view of both editors for the length of a scope (redraw off).
class TViewKeeper {
public:
    TViewKeeper();
    ~TViewKeeper();
    TViewKeeper(const TViewKeeper&) = delete;
    TViewKeeper& operator=(const TViewKeeper&) = delete;

private:
    struct TState;
    TState* state_;
};

} // namespace vellumo::savelinks
