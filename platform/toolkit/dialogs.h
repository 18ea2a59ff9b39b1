// The window toolkit's dialogs: the message box, the input box and the folder picker.
// They are modal: each call returns when the person has answered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::toolkit {

using Hwnd = int32_t;  // a window handle; 0 is no window

// Message box buttons, icons and answers.
enum : int32_t {
    vbOKOnly = 0, vbOKCancel = 1, vbYesNo = 4,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
};
enum : int32_t { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// Shows a message box: buttons and icon added together in flags. Returns the answer.
int32_t MsgBox(std::string_view prompt, int32_t flags, std::string_view title);

// Shows an input box; the text typed, or "" when cancelled.
std::string InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText);

// The shell's folder picker owned by a window, with the BIF_ options: the chosen
// folder's Windows path, without a trailing backslash except at a drive root, or ""
// when cancelled. With a root the picker starts there and cannot leave it.
std::string BrowseForFolder(Hwnd owner, std::string_view title, int32_t options,
                            std::optional<std::string> root);

}  // namespace platform::toolkit
