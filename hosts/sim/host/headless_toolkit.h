// The headless toolkit: nothing is drawn; everything shown is recorded, and the
// person (a test or a scenario) answers it and works in the forms.
//
// Which forms are open and active is the window manager's, as for every backend
// (platform/toolkit/backend_window_manager.h). What is headless:
// - A form shown modally is handed to the person (RunModal) until it unloads; one
//   still open when the person is done is a problem (the window manager unloads it).
// - Each form shown gets the toolkit as its change sink, which writes down what a
//   screen would show apart from the model: a combo box's list opening and closing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/sim/host/person.h"
#include "platform/toolkit/backend.h"
#include "platform/toolkit/backend_changes.h"

namespace sim {

class HeadlessToolkit : public platform::toolkit::Backend, private platform::toolkit::ChangeSink {
public:
    explicit HeadlessToolkit(Person& person) : person_(&person) {}
    ~HeadlessToolkit() override;

    int32_t MsgBox(const DialogRequest& request) override;
    std::optional<std::string> InputBox(const DialogRequest& request) override;
    // The person's folder must exist (a real picker offers nothing else) and lie
    // under the root when there is one; it comes back without a trailing backslash
    // except at a drive root.
    std::optional<std::string> BrowseForFolder(const DialogRequest& request) override;

    void Shown(Form& form) override;
    void RunModal(Form& form) override;
    void Hidden(Form& form) override;
    void Unloaded(Form& form) override;
    void ZOrderChanged(Form& form) override;
    void SendingKeys(std::string_view keys) override;
    void MousePointerChanged(int16_t pointer) override;

    // Every dialog shown, in order.
    const std::vector<DialogRequest>& Shown() const { return shown_; }
    struct FormShown {
        std::string name;
        std::string caption;
        bool modal = false;
        platform::toolkit::Hwnd hwnd = 0;
    };
    // Every form shown, in order.
    const std::vector<FormShown>& FormsShown() const { return formsShown_; }
    // Everything the forms' host was asked, in order, one line each: "show frmQuillet",
    // "show modal frmSetup", "hide frmQuillet", "unload frmSetup", "windowpos
    // frmQuillet topmost" (the program placed it in the z-order; without "topmost"
    // once it is not), "sendkeys {TAB}", "dropdown open cboQuillet", "dropdown close
    // cboQuillet", "mousepointer 11", and the dialogs ("msgbox TITLE", "input TITLE",
    // "picker TITLE").
    const std::vector<std::string>& Journal() const { return journal_; }

    // The open form of that name made active last, or nullptr (the window manager's
    // FindForm, for the simulator's steps).
    Form* FindForm(std::string_view name) const;

private:
    void ControlChanged(Control& control, platform::toolkit::Change change, int32_t item) override;
    void FormChanged(Form& form, platform::toolkit::Change change) override;
    void Record(std::string line) { journal_.push_back(std::move(line)); }

    Person* person_;
    std::vector<DialogRequest> shown_;
    std::vector<FormShown> formsShown_;
    std::vector<std::string> journal_;
};

}  // namespace sim
