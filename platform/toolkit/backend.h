// What a host plugs in to show the toolkit's windows: the headless toolkit of the
// simulator and the tests, or a desktop one. Only hosts and tests include this.
//
// The forms' model changes first (visible, unloaded, top-most...), then tells the
// backend; the backend shows it and, for a modal form, lets the person work in it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

class ComboBox;
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

    // Forms. The defaults suit a host that draws nothing.
    //
    // The form is visible now: show it in front and make it the active window
    // (Form::Activate). Returns at once.
    virtual void ShowModeless(Form& form);
    // The form is visible and modal now: show it, make it active and let the person
    // work in it; return only once it is unloaded. The default cannot let anyone work
    // in it: it says so and unloads it.
    virtual void ShowModal(Form& form);
    virtual void Hidden(Form& form);
    // After the form's Unload event; also when a loaded form is destroyed.
    virtual void Unloaded(Form& form);
    // Top-most state, z-order, position or size changed.
    virtual void WindowPosChanged(Form& form);
    // Keystrokes for the active window (window_calls.h); with wait, processed before
    // returning.
    virtual void SendKeys(std::string_view keys, bool wait);
    // The box's list opened or closed (box.DroppedDown()).
    virtual void DropDownChanged(ComboBox& box);
    virtual void MousePointerChanged(int16_t pointer);
};

// Installs the backend for the whole process (both plugins see it); nullptr removes it.
void Install(std::shared_ptr<Backend> backend);
std::shared_ptr<Backend> Installed();

}  // namespace platform::toolkit
