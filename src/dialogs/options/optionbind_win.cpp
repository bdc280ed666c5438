#include "dialogs/options/optionbind_win.h"

#include <stdexcept>
#include <string>

namespace vellumo {

namespace {

template <class... F>
struct TOverload : F... {
    using F::operator()...;
};

bool KindFits(const TSettingDecl<TAppSettings>& d, const TOptionBindings::TControl& c)
{
    if (std::holds_alternative<TCheckBox*>(c)) return d.Field.AsBool != nullptr;
    if (std::holds_alternative<TEdit*>(c)) return d.Field.AsString != nullptr;
    return d.Field.AsInt != nullptr && d.Kind == TValueKind::Int;
}

} // namespace

void TOptionBindings::Add(std::string_view section, std::string_view key, TControl control)
{
    const auto* d = FindSettingDecl(AppSettingDecls(), section, key);
    if (!d || !KindFits(*d, control))
        throw std::logic_error("no such setting for this control: [" + std::string(section) + "] " + std::string(key));
    bindings_.push_back({d, control});
}

void TOptionBindings::Check(std::string_view section, std::string_view key, TCheckBox& box) { Add(section, key, &box); }
void TOptionBindings::Number(std::string_view section, std::string_view key, TUpDown& upDown)
{
    Add(section, key, &upDown);
}
void TOptionBindings::List(std::string_view section, std::string_view key, TComboBox& list) { Add(section, key, &list); }
void TOptionBindings::Text(std::string_view section, std::string_view key, TEdit& edit) { Add(section, key, &edit); }

void TOptionBindings::Load(const TAppSettings& settings) const
{
    // The declarations reach members through a mutable root; reading only.
    auto& s = const_cast<TAppSettings&>(settings);
    for (const TBinding& b : bindings_) {
        const auto& f = b.Decl->Field;
        std::visit(TOverload{
                       [&](TCheckBox* c) { c->SetChecked(*f.AsBool(s)); },
                       [&](TUpDown* c) { c->SetPosition(*f.AsInt(s)); },
                       [&](TComboBox* c) { c->SetItemIndex(*f.AsInt(s)); },
                       [&](TEdit* c) { c->SetText(*f.AsString(s)); },
                   },
                   b.Control);
    }
}

void TOptionBindings::Store(TAppSettings& s) const
{
    for (const TBinding& b : bindings_) {
        const auto& f = b.Decl->Field;
        std::visit(TOverload{
                       [&](TCheckBox* c) { *f.AsBool(s) = c->Checked(); },
                       [&](TUpDown* c) { *f.AsInt(s) = c->Position(); },
                       [&](TComboBox* c) {
                           if (c->ItemIndex() >= 0) *f.AsInt(s) = c->ItemIndex();
                       },
                       [&](TEdit* c) { *f.AsString(s) = c->Text(); },
                   },
                   b.Control);
    }
}

const TOptionBindings::TBinding* TOptionBindings::Find(std::string_view section, std::string_view key) const
{
    const auto* d = FindSettingDecl(AppSettingDecls(), section, key);
    for (const TBinding& b : bindings_)
        if (b.Decl == d) return &b;
    return nullptr;
}

} // namespace vellumo
