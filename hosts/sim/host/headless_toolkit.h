// The headless toolkit: nothing is drawn; everything shown is recorded, and the
// person (a test or a scenario) answers it and works in the forms.
//
// - A form shown modeless becomes the active form at once (it raises Activate).
// - A form shown modally becomes active and is handed to the person (RunModal) until
//   it unloads; one still open when the person is done is a problem, and the toolkit
//   unloads it. Then the form below it becomes active again.
// - SendKeys goes to the active form at once, so it is processed when the call
//   returns.
// - Loaded forms that were shown are kept alive until they unload, as the toolkit's
//   list of open forms does on Windows.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/sim/host/person.h"
#include "platform/toolkit/backend.h"

namespace sim {

class HeadlessToolkit : public platform::toolkit::Backend {
public:
    explicit HeadlessToolkit(Person& person) : person_(&person) {}
    ~HeadlessToolkit() override;

    int32_t MsgBox(const DialogRequest& request) override;
    std::optional<std::string> InputBox(const DialogRequest& request) override;
    // The person's folder must exist (a real picker offers nothing else) and lie
    // under the root when there is one; it comes back without a trailing backslash
    // except at a drive root.
    std::optional<std::string> BrowseForFolder(const DialogRequest& request) override;

    void ShowModeless(Form& form) override;
    void ShowModal(Form& form) override;
    void Hidden(Form& form) override;
    void Unloaded(Form& form) override;
    void WindowPosChanged(Form& form) override;
    void SendKeys(std::string_view keys, bool wait) override;
    void DropDownChanged(platform::toolkit::ComboBox& box) override;
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
    // frmQuillet topmost" (or without "topmost" once it is not), "sendkeys {TAB}",
    // "dropdown open cboQuillet", "dropdown close cboQuillet", "mousepointer 11", and
    // the dialogs ("msgbox TITLE", "input TITLE", "picker TITLE").
    const std::vector<std::string>& Journal() const { return journal_; }

    // The form taking the person's input: the innermost modal form, else the form
    // made active last while it is still visible; nullptr when none.
    Form* ActiveForm() const;
    // The loaded forms that were shown, in the order they were last made active.
    std::vector<Form*> OpenForms() const;
    // The open form of that name made active last, or nullptr.
    Form* FindForm(std::string_view name) const;

private:
    struct Open {
        Form* form;
        std::shared_ptr<Form> hold;  // empty for a form not made by make_shared
    };
    void MakeActive(Form& form);
    void Record(std::string line) { journal_.push_back(std::move(line)); }

    Person* person_;
    std::vector<DialogRequest> shown_;
    std::vector<FormShown> formsShown_;
    std::vector<std::string> journal_;
    std::vector<Open> open_;
    Form* active_ = nullptr;
};

}  // namespace sim
