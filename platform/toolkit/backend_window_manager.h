// The window manager every backend shares: which forms are open, which one is
// active, their z-order and top-most state, the modal stack, and the window handles.
// Backends and hosts only: the system reaches it through the forms (form.h) and the
// window calls (window_calls.h).
//
// - A form is open from its first Show until it unloads, hidden or not. The window
//   manager keeps an open form alive meanwhile (when it was made by make_shared), as
//   the toolkit's list of open forms does on Windows.
// - The active form is the one made active last: showing a form modeless makes it
//   active unless it is already; a modal form is active while it is shown and, once it
//   unloads, the form below it (the next modal form, else the open form made active
//   last that is still visible) becomes active again. A form that hides or unloads
//   stops being active. Each activation raises the form's Activate event.
// - The z-order runs from the back to the front, top-most forms in front of all the
//   others. Activation brings a form to the front of its band; ZOrder(0) and
//   SetWindowPos(hwnd::Top) do too, ZOrder(1) and SetWindowPos(hwnd::Bottom) send it
//   to the back (Bottom also ends its top-most state).
// - While a modal form is shown, it takes the person's input and no form below it does
//   (input::Refusal tells why a form or control refuses).
//
// The window manager lives as long as the process: forms and controls destroyed while
// the process ends (held by a plugin's module-level objects, or by a host that returns
// from main with forms loaded) still find it and their handles.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

class Backend;
class ChangeSink;
class Control;
class Form;

class WindowManager {
public:
    static WindowManager& Get();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // The form taking the person's input: the innermost modal form, else the active
    // form while it is visible; nullptr when none.
    Form* ActiveForm() const;
    // The forms shown modally now, the innermost last.
    const std::vector<Form*>& ModalForms() const { return modal_; }
    // The open forms, in the order they were last made active.
    std::vector<Form*> OpenForms() const;
    // The open forms from the back to the front.
    const std::vector<Form*>& ZOrder() const { return zOrder_; }
    // The open form of that name made active last, or nullptr.
    Form* FindForm(std::string_view name) const;
    // The form or control with that window handle, or nullptr.
    Form* FindForm(Hwnd hwnd) const;
    Control* FindControl(Hwnd hwnd) const;

    // For a backend: the person brought the form's window to the front. Refused
    // (false) when the form is not open and visible or a modal form is open above it.
    bool Activate(Form& form);
    // For a backend: attaches the sink that hears of the form's changes (nullptr
    // detaches it). The backend keeps the sink alive while it is attached.
    void Attach(Form& form, ChangeSink* sink);

private:
    friend class Control;
    friend class Form;
    friend void Install(std::shared_ptr<Backend> backend);
    friend std::shared_ptr<Backend> Installed();
    friend int32_t SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                                int32_t flags);

    struct Open {
        Form* form;
        std::shared_ptr<Form> hold;  // empty for a form not made by make_shared
    };

    WindowManager();
    ~WindowManager() = default;

    // The forms' side.
    Hwnd Register(Form& form);
    Hwnd Register(Control& control);
    void Unregister(Hwnd hwnd);
    void Show(Form& form);
    void ShowModal(Form& form);
    void Hide(Form& form);
    void Unloaded(Form& form);
    void Destroyed(Form& form);
    void BringToFront(Form& form);
    void SendToBack(Form& form);
    void SetTopMost(Form& form, bool value);
    // Ends the top-most state and sends it to the back.
    void SendToBottom(Form& form);

    void Replace(std::shared_ptr<Backend> backend);
    Open* Find(const Form& form);
    void Keep(Form& form);
    void Forget(Form& form);
    void MakeActive(Form& form);
    void Stack(Form& form, bool front);

    std::shared_ptr<Backend> backend_;
    Hwnd nextHandle_ = 0x20010;  // the first handles of a session belong to the desktop and the host's windows
    std::map<Hwnd, std::variant<Form*, Control*>> handles_;
    std::vector<Open> open_;  // by activation, the last made active last
    std::vector<Form*> zOrder_;
    std::vector<Form*> modal_;
    Form* active_ = nullptr;
};

}  // namespace platform::toolkit
