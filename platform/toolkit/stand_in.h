// Someone standing in at the screen for a person (a scenario, a test), for a backend
// that draws real windows: asked for each dialog's answer, which the backend then
// gives on its real dialog (the button pressed, the text typed, the folder chosen),
// and working in each modal form while it is shown. Without one, a backend waits
// for a person.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/toolkit/backend.h"

namespace platform::toolkit {

class Form;

class StandIn {
public:
    virtual ~StandIn() = default;
    virtual int32_t AnswerMsgBox(const DialogRequest& request) = 0;
    virtual std::optional<std::string> AnswerInputBox(const DialogRequest& request) = 0;  // nullopt: cancel
    virtual std::optional<std::string> AnswerPicker(const DialogRequest& request) = 0;    // nullopt: cancel
    // Works in the modal form until it unloads.
    virtual void RunModal(Form& form) = 0;
    // An answer the real dialog cannot give.
    virtual void Unexpected(const std::string& what) = 0;
};

}  // namespace platform::toolkit
