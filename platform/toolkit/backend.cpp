#include <cstdio>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/form.h"

namespace platform::toolkit {

void Backend::ShowModeless(Form& form) { form.Activate(); }

void Backend::ShowModal(Form& form) {
    std::fprintf(stderr, "quillet: nobody can work in modal form %s; it is unloaded\n", form.Name().c_str());
    form.Unload();
}

void Backend::Hidden(Form&) {}
void Backend::Unloaded(Form&) {}
void Backend::WindowPosChanged(Form&) {}
void Backend::SendKeys(std::string_view, bool) {}
void Backend::DropDownChanged(ComboBox&) {}
void Backend::MousePointerChanged(int16_t) {}

}  // namespace platform::toolkit
