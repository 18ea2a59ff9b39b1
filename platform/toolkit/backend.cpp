#include "platform/toolkit/backend.h"

#include <cstdio>

#include "platform/toolkit/form.h"

namespace platform::toolkit {

Backend::~Backend() = default;

void Backend::Shown(Form&) {}
void Backend::Activated(Form&) {}

void Backend::RunModal(Form& form) {
    std::fprintf(stderr, "quillet: nobody can work in modal form %s; it is unloaded\n", form.Name().c_str());
}

void Backend::Hidden(Form&) {}
void Backend::Unloaded(Form&) {}
void Backend::ZOrderChanged(Form&) {}
void Backend::SendingKeys(std::string_view) {}
void Backend::MousePointerChanged(int16_t) {}

}  // namespace platform::toolkit
