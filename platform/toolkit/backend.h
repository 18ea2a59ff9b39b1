// What a host plugs in to show the toolkit's windows: the headless toolkit of the
// simulator and the tests, or one that draws. Backends and hosts only: the system
// never includes this.
//
// The model is the one truth. Forms and controls hold every value; the window manager
// (backend_window_manager.h), which every backend shares, decides which forms are
// open, which one is active, their z-order and the modal stack. It changes the model
// first, then tells the backend through the calls below; changes inside a form reach
// the change sink the backend attached to it (backend_changes.h). A person's actions
// come back through platform/toolkit/input.h, and WindowManager::Activate when the
// person brings another form to the front.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

class Form;

struct DialogRequest {
    enum class Kind { MsgBox, InputBox, FolderPicker } kind = Kind::MsgBox;
    std::string title;
    std::string text;         // the message box's text, the input box's prompt
    int32_t flags = 0;        // message box: buttons + icon; picker: options
    std::string defaultText;  // input box
    std::optional<std::string> root;  // picker
    Hwnd owner = 0;           // picker
};

class Backend {
public:
    virtual ~Backend();
    virtual int32_t MsgBox(const DialogRequest& request) = 0;
    // nullopt: the person cancelled.
    virtual std::optional<std::string> InputBox(const DialogRequest& request) = 0;
    virtual std::optional<std::string> BrowseForFolder(const DialogRequest& request) = 0;

    // Forms. Each call comes after the model changed; the defaults suit a host that
    // draws nothing.
    //
    // The form is visible now, modeless or modal (form.Modal()): draw it and attach a
    // change sink to it. Activation follows (Activated).
    virtual void Shown(Form& form);
    // The form became the active window: bring it to the front and give it the
    // keyboard. It is the active form already; its Activate event follows.
    virtual void Activated(Form& form);
    // The modal form is shown and active: let the person work in it (a nested event
    // loop) and return once it is unloaded. A form still loaded on return is unloaded
    // by the window manager. The default cannot let anyone work in it and says so.
    virtual void RunModal(Form& form);
    virtual void Hidden(Form& form);
    // After the form's Unload event, or when a form still shown is destroyed: drop
    // its window and detach its sink.
    virtual void Unloaded(Form& form);
    // The program asked for the form's place in the z-order or its top-most state
    // (ZOrder, SetWindowPos); WindowManager::ZOrder() holds the order.
    virtual void ZOrderChanged(Form& form);
    // Keystrokes the program sends to the active form (window_calls.h); the window
    // manager delivers them to the model right after this call.
    virtual void SendingKeys(std::string_view keys);
    virtual void MousePointerChanged(int16_t pointer);
};

// Installs the backend for the whole process (both plugins see it); nullptr removes it.
// The forms the previous backend showed are forgotten: they are no longer open, their
// sinks are detached, and the window manager lets go of them.
void Install(std::shared_ptr<Backend> backend);
std::shared_ptr<Backend> Installed();

// The platform's own backend, installed until a host installs another: the system's
// windows on Windows; none here, where every host brings its own.
std::shared_ptr<Backend> SystemBackend();

}  // namespace platform::toolkit
