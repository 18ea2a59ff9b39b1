// The headless toolkit's forms: what is shown and placed, recorded; modal forms
// handed to the person.
#include "hosts/sim/host/headless_toolkit.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"

namespace sim {

using platform::toolkit::Change;
using platform::toolkit::WindowManager;

void HeadlessToolkit::Shown(Form& form) {
    formsShown_.push_back({form.Name(), form.Caption(), form.Modal(), form.hWnd()});
    Record((form.Modal() ? "show modal " : "show ") + form.Name());
    WindowManager::Get().Attach(form, this);
}

void HeadlessToolkit::RunModal(Form& form) {
    person_->RunModal(form);
    if (form.Loaded())
        person_->Unexpected("modal form " + form.Name() + " \"" + form.Caption() +
                            "\" was still open when the person was done; it was unloaded");
}

void HeadlessToolkit::Hidden(Form& form) { Record("hide " + form.Name()); }

void HeadlessToolkit::Unloaded(Form& form) {
    Record("unload " + form.Name());
    WindowManager::Get().Attach(form, nullptr);
}

void HeadlessToolkit::ZOrderChanged(Form& form) {
    Record("windowpos " + form.Name() + (form.TopMost() ? " topmost" : ""));
}

void HeadlessToolkit::SendingKeys(std::string_view keys) { Record("sendkeys " + std::string(keys)); }

void HeadlessToolkit::MousePointerChanged(int16_t pointer) { Record("mousepointer " + std::to_string(pointer)); }

void HeadlessToolkit::ControlChanged(Control& control, Change change, int32_t /*item*/) {
    if (change != Change::DroppedDown) return;
    auto& box = static_cast<platform::toolkit::ComboBox&>(control);
    Record(std::string(box.DroppedDown() ? "dropdown open " : "dropdown close ") + box.DisplayName());
}

void HeadlessToolkit::FormChanged(Form&, Change) {}

Form* HeadlessToolkit::FindForm(std::string_view name) const { return WindowManager::Get().FindForm(name); }

}  // namespace sim
