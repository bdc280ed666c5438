#pragma once
// Runs a script inside every modal loop for the length of a scope.
#include <utility>

#include "classlib/form_win.h"

namespace vellumo::testing {

class TScript {
public:
    explicit TScript(TForm::TModalScript s) : old_(TForm::SetModalScript(std::move(s))) {}
    ~TScript() { TForm::SetModalScript(std::move(old_)); }
    TScript(const TScript&) = delete;
    TScript& operator=(const TScript&) = delete;

private:
    TForm::TModalScript old_;
};

} // namespace vellumo::testing
