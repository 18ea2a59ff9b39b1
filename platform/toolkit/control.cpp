#include "platform/toolkit/control.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/errors/frame.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"

namespace platform::toolkit {

namespace {
bool IsBox(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox || kind == ControlKind::RichTextBox;
}
}  // namespace

Control::Control(Form& form, ControlKind kind, std::string name, int16_t index)
    : form_(&form),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      hwnd_(WindowManager::Get().Register(*this)),
      tabStop_(kind != ControlKind::Label && kind != ControlKind::Frame),
      backColor_(IsBox(kind) ? vbWindowBackground : vbButtonFace),
      foreColor_(IsBox(kind) ? vbWindowText : vbButtonText) {
    form_->Register(*this);
}

Control::~Control() {
    form_->Unregister(*this);
    WindowManager::Get().Unregister(hwnd_);
}

std::string Control::DisplayName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Notify(Change change, int32_t item) { form_->Notify(*this, change, item); }

void Control::SetVisible(bool value) { Update(visible_, value, Change::Visible); }
void Control::SetEnabled(bool value) { Update(enabled_, value, Change::Enabled); }
void Control::SetBackColor(Color value) { Update(backColor_, value, Change::BackColor); }
void Control::SetForeColor(Color value) { Update(foreColor_, value, Change::ForeColor); }
void Control::SetToolTipText(const std::string& value) { Update(toolTip_, value, Change::ToolTip); }
void Control::SetContainer(Frame* frame) { Update(container_, frame, Change::Position); }

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(Change::Position);
}

int32_t Control::FormLeft() const { return left_ + (container_ ? container_->FormLeft() : 0); }
int32_t Control::FormTop() const { return top_ + (container_ ? container_->FormTop() : 0); }

bool Control::Shown() const { return visible_ && (!container_ || container_->Shown()); }
bool Control::Usable() const { return enabled_ && (!container_ || container_->Usable()); }

bool Control::TakesFocus() const { return kind_ != ControlKind::Label && kind_ != ControlKind::Frame; }

bool Control::CanFocus() const {
    return TakesFocus() && Shown() && Usable() && form_->Loaded() && form_->Visible();
}

bool Control::HasFocus() const { return form_->ActiveControl() == this; }

void Control::SetFocus() {
    if (!CanFocus()) platform::Raise(5, "Invalid procedure call or argument");
    form_->MoveFocus(this);
}

int16_t Control::TabIndex() const {
    const auto& order = form_->TabOrder();
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] == this) return static_cast<int16_t>(i);
    return 0;
}

void Control::SetTabIndex(int16_t position) {
    auto& order = form_->tabOrder_;
    std::erase(order, this);
    size_t at = position < 0 ? 0 : std::min(static_cast<size_t>(position), order.size());
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), this);
}

template <class F>
void Control::Raise(const F& handler) {
    if (!handler) return;
    auto keep = form_->KeepAlive();
    auto call = handler;  // the handler may replace itself while it runs
    platform::Contain([&] { call(); });
}

void Control::RaiseClick() { Raise(events_.Click); }
void Control::RaiseChange() { Raise(events_.Change); }
void Control::RaiseGotFocus() { Raise(events_.GotFocus); }
void Control::RaiseLostFocus() { Raise(events_.LostFocus); }

void Control::RaiseKeyPress(int16_t& keyAscii) {
    if (!events_.KeyPress) return;
    auto keep = form_->KeepAlive();
    auto call = events_.KeyPress;
    platform::Contain([&] { call(keyAscii); });
}

void Control::RaiseMouseDown(int16_t button, int16_t shift, float x, float y) {
    if (!events_.MouseDown) return;
    auto keep = form_->KeepAlive();
    auto call = events_.MouseDown;
    platform::Contain([&] { call(button, shift, x, y); });
}

}  // namespace platform::toolkit
