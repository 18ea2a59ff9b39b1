// The headless toolkit's forms: showing, activation, modal forms handed to the
// person, and the window calls, all recorded.
#include <algorithm>

#include "hosts/sim/host/headless_toolkit.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/input.h"

namespace sim {

void HeadlessToolkit::MakeActive(Form& form) {
    auto it = std::find_if(open_.begin(), open_.end(), [&](const Open& o) { return o.form == &form; });
    Open entry = it != open_.end() ? std::move(*it) : Open{&form, form.weak_from_this().lock()};
    if (it != open_.end()) open_.erase(it);
    open_.push_back(std::move(entry));
    active_ = &form;
}

void HeadlessToolkit::ShowModeless(Form& form) {
    formsShown_.push_back({form.Name(), form.Caption(), false, form.hWnd()});
    Record("show " + form.Name());
    if (active_ == &form) return;
    MakeActive(form);
    form.Activate();
}

void HeadlessToolkit::ShowModal(Form& form) {
    formsShown_.push_back({form.Name(), form.Caption(), true, form.hWnd()});
    Record("show modal " + form.Name());
    MakeActive(form);
    form.Activate();
    person_->RunModal(form);
    if (form.Loaded()) {
        person_->Unexpected("modal form " + form.Name() + " \"" + form.Caption() +
                            "\" was still open when the person was done; it was unloaded");
        form.Unload();
    }
    // The form below takes over: the next modal form, else the form active before.
    Form* below = nullptr;
    for (Form* modal : Form::ModalForms())
        if (modal != &form) below = modal;
    if (!below)
        for (const Open& entry : open_)
            if (entry.form != &form && entry.form->Visible()) below = entry.form;
    if (below) {
        MakeActive(*below);
        below->Activate();
    }
}

void HeadlessToolkit::Hidden(Form& form) {
    Record("hide " + form.Name());
    if (active_ == &form) active_ = nullptr;
}

void HeadlessToolkit::Unloaded(Form& form) {
    Record("unload " + form.Name());
    if (active_ == &form) active_ = nullptr;
    auto it = std::find_if(open_.begin(), open_.end(), [&](const Open& o) { return o.form == &form; });
    if (it == open_.end()) return;
    auto hold = std::move(it->hold);  // let go once this call is over
    open_.erase(it);
}

void HeadlessToolkit::WindowPosChanged(Form& form) {
    Record("windowpos " + form.Name() + (form.TopMost() ? " topmost" : ""));
}

void HeadlessToolkit::SendKeys(std::string_view keys, bool /*wait*/) {
    Record("sendkeys " + std::string(keys));
    if (Form* form = ActiveForm()) platform::toolkit::input::Keys(*form, keys);
}

void HeadlessToolkit::DropDownChanged(platform::toolkit::ComboBox& box) {
    Record(std::string(box.DroppedDown() ? "dropdown open " : "dropdown close ") + box.DisplayName());
}

void HeadlessToolkit::MousePointerChanged(int16_t pointer) { Record("mousepointer " + std::to_string(pointer)); }

Form* HeadlessToolkit::ActiveForm() const {
    const auto& modal = Form::ModalForms();
    if (!modal.empty()) return modal.back();
    return active_ && active_->Visible() ? active_ : nullptr;
}

std::vector<Form*> HeadlessToolkit::OpenForms() const {
    std::vector<Form*> forms;
    for (const Open& entry : open_) forms.push_back(entry.form);
    return forms;
}

Form* HeadlessToolkit::FindForm(std::string_view name) const {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (it->form->Name() == name) return it->form;
    return nullptr;
}

}  // namespace sim
