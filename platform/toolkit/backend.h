// What a host plugs in to show the toolkit's windows: the headless toolkit of the
// simulator and the tests, or a desktop one. Only hosts and tests include this.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

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
};

// Installs the backend for the whole process (both plugins see it); nullptr removes it.
void Install(std::shared_ptr<Backend> backend);
std::shared_ptr<Backend> Installed();

}  // namespace platform::toolkit
