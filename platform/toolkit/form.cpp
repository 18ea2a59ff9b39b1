#include "platform/toolkit/form.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/errors/frame.h"
#include "platform/toolkit/backend.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/window_handles.h"

namespace platform::toolkit {

namespace {
std::vector<Form*>& ModalStack() {
    static std::vector<Form*> forms;
    return forms;
}

void RaiseFormEvent(const Form& form, const std::function<void()>& handler) {
    if (!handler) return;
    auto keep = form.KeepAlive();
    auto call = handler;
    platform::Contain([&] { call(); });
}
}  // namespace

Form::Form(std::string name) : name_(std::move(name)), hwnd_(detail::Register(*this)) {}

Form::~Form() {
    if (shownToHost_)
        if (auto backend = Installed()) backend->Unloaded(*this);
    std::erase(ModalStack(), this);
    detail::Unregister(hwnd_);
}

const std::vector<Form*>& Form::ModalForms() { return ModalStack(); }

std::shared_ptr<const void> Form::KeepAlive() const { return weak_from_this().lock(); }

void Form::SetClientSize(int32_t width, int32_t height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

void Form::Show(int16_t modal) {
    auto keep = KeepAlive();
    if (modal != vbModal) {
        loaded_ = true;
        visible_ = true;
        shownToHost_ = true;
        if (auto backend = Installed()) backend->ShowModeless(*this);
        return;
    }
    if (visible_ || modal_) platform::Raise(400, "Form already displayed; can't show modally");
    loaded_ = true;
    visible_ = true;
    modal_ = true;
    shownToHost_ = true;
    ModalStack().push_back(this);
    if (auto backend = Installed()) {
        backend->ShowModal(*this);
    } else {
        std::fprintf(stderr, "quillet: no toolkit installed to show form %s modally\n", name_.c_str());
        Unload();
    }
    std::erase(ModalStack(), this);
    modal_ = false;
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (auto backend = Installed()) backend->Hidden(*this);
}

void Form::Unload() {
    if (!loaded_ || unloading_) return;
    auto keep = KeepAlive();
    unloading_ = true;
    RaiseFormEvent(*this, events_.Unload);
    visible_ = false;
    loaded_ = false;
    topMost_ = false;
    active_ = nullptr;
    focusAnnounced_ = true;
    ++focusMoves_;
    unloading_ = false;
    if (shownToHost_) {
        shownToHost_ = false;
        if (auto backend = Installed()) backend->Unloaded(*this);
    }
}

void Form::ZOrder(int16_t /*position*/) {
    if (auto backend = Installed()) backend->WindowPosChanged(*this);
}

void Form::SetTopMost(bool value) {
    topMost_ = value;
    if (auto backend = Installed()) backend->WindowPosChanged(*this);
}

void Form::Activate() {
    auto keep = KeepAlive();
    RaiseFormEvent(*this, events_.Activate);
    if (!loaded_ || !visible_) return;
    if (active_ && active_->CanFocus()) return;
    for (Control* control : tabOrder_)
        if (control->TabStop() && control->CanFocus()) {
            MoveFocus(control);
            return;
        }
}

Control* Form::Find(std::string_view name, int16_t index) const {
    for (Control* control : controls_)
        if (control->Name() == name && control->Index() == index) return control;
    return nullptr;
}

void Form::SetTabOrder(std::initializer_list<Control*> controls) {
    std::vector<Control*> order(controls);
    for (Control* control : tabOrder_)
        if (std::find(order.begin(), order.end(), control) == order.end()) order.push_back(control);
    tabOrder_ = std::move(order);
}

Control* Form::NextInTabOrder() const {
    size_t count = tabOrder_.size();
    size_t start = 0;
    if (active_) {
        auto at = std::find(tabOrder_.begin(), tabOrder_.end(), active_);
        if (at != tabOrder_.end()) start = static_cast<size_t>(at - tabOrder_.begin()) + 1;
    }
    for (size_t k = 0; k < count; ++k) {
        Control* control = tabOrder_[(start + k) % count];
        if (control != active_ && control->TabStop() && control->CanFocus()) return control;
    }
    return nullptr;
}

void Form::MoveFocus(Control* to) {
    if (to == active_) return;
    auto keep = KeepAlive();
    Control* from = focusAnnounced_ ? active_ : nullptr;
    active_ = to;
    focusAnnounced_ = false;
    uint64_t move = ++focusMoves_;
    if (from) from->RaiseLostFocus();
    if (move != focusMoves_) return;  // the lost-focus handler moved the focus on: that move won
    focusAnnounced_ = true;
    if (to) to->RaiseGotFocus();
}

void Form::Register(Control& control) {
    controls_.push_back(&control);
    tabOrder_.push_back(&control);
}

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
    std::erase(tabOrder_, &control);
    if (active_ == &control) active_ = nullptr;
    if (defaultButton_ == &control) defaultButton_ = nullptr;
    if (cancelButton_ == &control) cancelButton_ = nullptr;
}

}  // namespace platform::toolkit
