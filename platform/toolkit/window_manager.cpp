#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/form.h"

namespace platform::toolkit {

namespace {
constexpr Hwnd kHandleStep = 4;
}  // namespace

WindowManager& WindowManager::Get() {
    // Made once and never destroyed, so that it outlives every form and control
    // whatever the order in which the process ends destroys them.
    static WindowManager* manager = new WindowManager;
    return *manager;
}

void Install(std::shared_ptr<Backend> backend) { WindowManager::Get().Replace(std::move(backend)); }
std::shared_ptr<Backend> Installed() { return WindowManager::Get().backend_; }

WindowManager::WindowManager() : backend_(SystemBackend()) {}

void WindowManager::Replace(std::shared_ptr<Backend> backend) {
    auto previous = std::exchange(backend_, std::move(backend));
    auto open = std::exchange(open_, {});
    zOrder_.clear();
    active_ = nullptr;
    for (const Open& entry : open) entry.form->sink_ = nullptr;
    open.clear();  // the forms nobody else holds go now, before the backend that showed them
}

Form* WindowManager::ActiveForm() const {
    if (!modal_.empty()) return modal_.back();
    return active_ && active_->Visible() ? active_ : nullptr;
}

std::vector<Form*> WindowManager::OpenForms() const {
    std::vector<Form*> forms;
    for (const Open& entry : open_) forms.push_back(entry.form);
    return forms;
}

Form* WindowManager::FindForm(std::string_view name) const {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (it->form->Name() == name) return it->form;
    return nullptr;
}

Form* WindowManager::FindForm(Hwnd hwnd) const {
    auto it = handles_.find(hwnd);
    if (it == handles_.end() || !std::holds_alternative<Form*>(it->second)) return nullptr;
    return std::get<Form*>(it->second);
}

Control* WindowManager::FindControl(Hwnd hwnd) const {
    auto it = handles_.find(hwnd);
    if (it == handles_.end() || !std::holds_alternative<Control*>(it->second)) return nullptr;
    return std::get<Control*>(it->second);
}

bool WindowManager::Activate(Form& form) {
    if (!Find(form) || !form.Loaded() || !form.Visible()) return false;
    if (!modal_.empty() && modal_.back() != &form) return false;
    if (active_ == &form) return true;
    auto keep = form.KeepAlive();
    MakeActive(form);
    return true;
}

void WindowManager::Attach(Form& form, ChangeSink* sink) { form.sink_ = sink; }

Hwnd WindowManager::Register(Form& form) {
    Hwnd hwnd = nextHandle_;
    nextHandle_ += kHandleStep;
    handles_.emplace(hwnd, &form);
    return hwnd;
}

Hwnd WindowManager::Register(Control& control) {
    Hwnd hwnd = nextHandle_;
    nextHandle_ += kHandleStep;
    handles_.emplace(hwnd, &control);
    return hwnd;
}

void WindowManager::Unregister(Hwnd hwnd) { handles_.erase(hwnd); }

void WindowManager::Show(Form& form) {
    Keep(form);
    if (backend_) backend_->Shown(form);
    if (active_ != &form) MakeActive(form);
}

void WindowManager::ShowModal(Form& form) {
    modal_.push_back(&form);
    Keep(form);
    if (backend_) backend_->Shown(form);
    MakeActive(form);
    if (backend_)
        backend_->RunModal(form);
    else
        std::fprintf(stderr, "quillet: no toolkit installed to show form %s modally\n", form.Name().c_str());
    if (form.Loaded()) form.Unload();
    std::erase(modal_, &form);
    form.modal_ = false;
    // The form below takes over: the next modal form, else the open form made active
    // last that is still visible.
    Form* below = modal_.empty() ? nullptr : modal_.back();
    if (!below)
        for (const Open& entry : open_)
            if (entry.form != &form && entry.form->Visible()) below = entry.form;
    if (below) MakeActive(*below);
}

void WindowManager::Hide(Form& form) {
    if (active_ == &form) active_ = nullptr;
    if (backend_) backend_->Hidden(form);
}

void WindowManager::Unloaded(Form& form) {
    if (active_ == &form) active_ = nullptr;
    Open* entry = Find(form);
    if (!entry) return;
    auto hold = std::move(entry->hold);  // let go once the backend has heard of it
    Forget(form);
    if (backend_) backend_->Unloaded(form);
}

void WindowManager::Destroyed(Form& form) {
    if (Find(form)) {
        Forget(form);
        if (backend_) backend_->Unloaded(form);
    }
    std::erase(modal_, &form);
    if (active_ == &form) active_ = nullptr;
    Unregister(form.hWnd());
}

void WindowManager::BringToFront(Form& form) {
    if (Find(form)) Stack(form, true);
    if (backend_) backend_->ZOrderChanged(form);
}

void WindowManager::SendToBack(Form& form) {
    if (Find(form)) Stack(form, false);
    if (backend_) backend_->ZOrderChanged(form);
}

void WindowManager::SetTopMost(Form& form, bool value) {
    form.topMost_ = value;
    if (Find(form)) Stack(form, true);
    if (backend_) backend_->ZOrderChanged(form);
}

void WindowManager::SendToBottom(Form& form) {
    form.topMost_ = false;
    SendToBack(form);
}

WindowManager::Open* WindowManager::Find(const Form& form) {
    auto it = std::find_if(open_.begin(), open_.end(), [&](const Open& entry) { return entry.form == &form; });
    return it == open_.end() ? nullptr : &*it;
}

void WindowManager::Keep(Form& form) {
    if (Find(form)) return;
    open_.push_back({&form, form.weak_from_this().lock()});
    Stack(form, true);
}

void WindowManager::Forget(Form& form) {
    std::erase_if(open_, [&](const Open& entry) { return entry.form == &form; });
    std::erase(zOrder_, &form);
}

void WindowManager::MakeActive(Form& form) {
    auto it = std::find_if(open_.begin(), open_.end(), [&](const Open& entry) { return entry.form == &form; });
    if (it != open_.end()) std::rotate(it, it + 1, open_.end());
    active_ = &form;
    if (Find(form)) Stack(form, true);
    if (backend_) backend_->Activated(form);
    form.Activate();
}

void WindowManager::Stack(Form& form, bool front) {
    std::erase(zOrder_, &form);
    auto firstTopMost = std::find_if(zOrder_.begin(), zOrder_.end(), [](const Form* f) { return f->TopMost(); });
    if (form.TopMost())
        zOrder_.insert(front ? zOrder_.end() : firstTopMost, &form);
    else
        zOrder_.insert(front ? firstTopMost : zOrder_.begin(), &form);
}

}  // namespace platform::toolkit
