// The desktop's unattended run: one sample message filed through the real widgets, as
// a person would file it, with screenshots of the main window and the four forms.
//
// The stand-in at the screen (FilingStandIn) answers what the add-in asks on the way:
// the default button of a message box, the default of an input box, no folder from
// the picker; in a modal form it presses the button that lets the run go on (the
// folder prompt's OK, the other forms' Cancel, or their default button).
#pragma once

#include <filesystem>

#include "hosts/desk/app/main_window.h"
#include "hosts/desk/toolkit/qt_toolkit.h"

namespace desk {

class FilingStandIn : public Operator {
public:
    void Use(QtToolkit& toolkit) { toolkit_ = &toolkit; }
    int32_t AnswerMsgBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerInputBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerPicker(const DialogRequest& request) override;
    void RunModal(Form& form) override;
    void Unexpected(const std::string& what) override;

private:
    QtToolkit* toolkit_ = nullptr;
};

// Opens the first inbox message, clicks the add-in's button, opens the project form
// and the setup form from the save form and leaves them, picks a project whose folder
// does not exist yet and clicks "Send and Save". Screenshots go into `shots`. Prints
// where the filed .msg, the sent .eml and the screenshots are; 0 when both were written.
int FileOneMessage(MainWindow& window, QtToolkit& toolkit, const std::filesystem::path& shots);

}  // namespace desk
