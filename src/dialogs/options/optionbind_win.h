#pragma once
// Controls of the options dialog tied to the keys they edit: a check box to a
// switch, an up-down to a number (its position, which the up-down keeps in
// range), a drop-down list to a number (its item index), an edit to a string.
// Values go in and out through the keys' declarations, so a control names
// its key once and can only reach a key of its own kind.
#include <string_view>
#include <variant>
#include <vector>

#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

class TOptionBindings {
public:
    using TControl = std::variant<TCheckBox*, TUpDown*, TComboBox*, TEdit*>;
    struct TBinding {
        const TSettingDecl<TAppSettings>* Decl;
        TControl Control;
    };

    // Each throws std::logic_error for an undeclared key or one of another kind.
    void Check(std::string_view section, std::string_view key, TCheckBox& box);
    void Number(std::string_view section, std::string_view key, TUpDown& upDown);
    void List(std::string_view section, std::string_view key, TComboBox& list);
    void Text(std::string_view section, std::string_view key, TEdit& edit);

    void Load(const TAppSettings& s) const;
    // A list that shows no item (its value was none of the items) leaves
    // the value as it was.
    void Store(TAppSettings& s) const;

    const std::vector<TBinding>& All() const noexcept { return bindings_; }
    const TBinding* Find(std::string_view section, std::string_view key) const;

private:
    void Add(std::string_view section, std::string_view key, TControl control);

    std::vector<TBinding> bindings_;
};

} // namespace vellumo
