#include "platform/toolkit/form.h"

#include <algorithm>
#include <utility>

#include "platform/errors/frame.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/controls.h"

namespace platform::toolkit {

namespace {
void RaiseFormEvent(const Form& form, const std::function<void()>& handler) {
    if (!handler) return;
    auto keep = form.KeepAlive();
    auto call = handler;
    platform::Contain([&] { call(); });
}
}  // namespace

Form::Form(std::string name) : name_(std::move(name)), hwnd_(WindowManager::Get().Register(*this)) {}

Form::~Form() { WindowManager::Get().Destroyed(*this); }

const std::vector<Form*>& Form::ModalForms() { return WindowManager::Get().ModalForms(); }

std::shared_ptr<const void> Form::KeepAlive() const { return weak_from_this().lock(); }

void Form::Notify(Change change) {
    if (sink_) sink_->FormChanged(*this, change);
}

void Form::Notify(Control& control, Change change, int32_t item) {
    if (sink_) sink_->ControlChanged(control, change, item);
}

void Form::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    Notify(Change::Caption);
}

void Form::SetLeft(int32_t value) { SetPosition(value, top_, clientWidth_, clientHeight_); }
void Form::SetTop(int32_t value) { SetPosition(left_, value, clientWidth_, clientHeight_); }
void Form::SetWidth(int32_t value) { SetPosition(left_, top_, value - kFrameWidth, clientHeight_); }
void Form::SetHeight(int32_t value) { SetPosition(left_, top_, clientWidth_, value - kFrameHeight); }
void Form::SetClientSize(int32_t width, int32_t height) { SetPosition(left_, top_, width, height); }
void Form::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    SetPosition(left, top, width - kFrameWidth, height - kFrameHeight);
}

void Form::SetPosition(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight) {
    if (left == left_ && top == top_ && clientWidth == clientWidth_ && clientHeight == clientHeight_) return;
    left_ = left;
    top_ = top;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    Notify(Change::Position);
}

void Form::Show(int16_t modal) {
    auto keep = KeepAlive();
    if (modal != vbModal) {
        loaded_ = true;
        visible_ = true;
        WindowManager::Get().Show(*this);
        return;
    }
    if (visible_ || modal_) platform::Raise(400, "Form already displayed; can't show modally");
    loaded_ = true;
    visible_ = true;
    modal_ = true;
    WindowManager::Get().ShowModal(*this);
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    WindowManager::Get().Hide(*this);
}

void Form::Unload() {
    if (!loaded_ || unloading_) return;
    auto keep = KeepAlive();
    unloading_ = true;
    RaiseFormEvent(*this, events_.Unload);
    visible_ = false;
    loaded_ = false;
    topMost_ = false;
    SetActiveControl(nullptr);
    focusAnnounced_ = true;
    ++focusMoves_;
    unloading_ = false;
    WindowManager::Get().Unloaded(*this);
}

void Form::ZOrder(int16_t position) {
    if (position == 1)
        WindowManager::Get().SendToBack(*this);
    else
        WindowManager::Get().BringToFront(*this);
}

void Form::SetTopMost(bool value) { WindowManager::Get().SetTopMost(*this, value); }

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
    SetActiveControl(to);
    focusAnnounced_ = false;
    uint64_t move = ++focusMoves_;
    if (from) from->RaiseLostFocus();
    if (move != focusMoves_) return;  // the lost-focus handler moved the focus on: that move won
    focusAnnounced_ = true;
    if (to) to->RaiseGotFocus();
}

void Form::SetActiveControl(Control* control) {
    if (control == active_) return;
    active_ = control;
    Notify(Change::Focus);
}

void Form::SetDefaultButton(CommandButton* button) {
    if (button == defaultButton_) return;
    defaultButton_ = button;
    Notify(Change::DefaultButton);
}

void Form::SetCancelButton(CommandButton* button) {
    if (button == cancelButton_) return;
    cancelButton_ = button;
    Notify(Change::CancelButton);
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
