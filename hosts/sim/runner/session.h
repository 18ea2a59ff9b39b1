// One scenario played: a fresh prefix, the simulated Outlook, the headless toolkit,
// the real add-in and utility libraries registered and loaded as Outlook loads them,
// and the person at the keyboard reading the scenario's steps. The system's dialogs
// and modal forms take the steps that follow them, as a person answers what is shown.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/sim/host/headless_toolkit.h"
#include "platform/toolkit/backend.h"
#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/person.h"
#include "hosts/sim/host/shell_recorder.h"
#include "hosts/sim/runner/scenario.h"
#include "hosts/sim/runner/step_kinds.h"

namespace sim::runner {

// Where the forms are shown: the headless toolkit, or real windows (Qt's widgets here,
// the system's own on Windows), optionally saving each form's window as it closes
// (Qt only).
struct Screen {
    bool widgets = false;
    std::optional<std::filesystem::path> screenshots;
};

class Session final : public Person {
public:
    // libraries: the folder holding the plugins (machine.h names their files). The
    // prefix is made in `keep` when given (an empty or new folder) and stays there;
    // otherwise in a temporary folder dropped with the session. On Windows the machine
    // is the one this runs on.
    Session(std::vector<scenario::Step> steps, std::filesystem::path libraries,
            std::optional<std::filesystem::path> keep = std::nullopt, Screen screen = {});
    ~Session() override;

    // Plays every step; the first failure ends the scenario.
    std::optional<Failure> Play();

    // What the system shows, answered by the next step.
    int32_t AnswerMsgBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerInputBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerPicker(const DialogRequest& request) override;
    void RunModal(Form& form) override;
    void Unexpected(const std::string& what) override;

private:
    // Runs the next step; false when there is none.
    bool RunNext();
    void Fail(const std::string& what);
    void Fail(int line, const std::string& what);
    bool Failed() const { return failure_.has_value(); }
    // The next step when it is a dialog step of this kind ("msgbox", "input",
    // "picker"), taken; otherwise the dialog is unexpected.
    const scenario::Step* TakeDialogStep(const char* kind, const DialogRequest& request);

    void Dispatch(const scenario::Step& step);
    void Machine(const scenario::Step& step);
    void OutlookStep(const scenario::Step& step);
    void PersonStep(const scenario::Step& step);
    void Expect(const scenario::Step& step);
    void ExpectControl(const scenario::Step& step, const std::string& reference);
    void ExpectForm(const scenario::Step& step);
    void ExpectMail(const scenario::Step& step, const std::shared_ptr<SimMailItem>& mail, size_t at);
    // expect file "X.msg" msg ..., expect outbox ...
    void ExpectMessageFile(const scenario::Step& step);
    void ExpectOutbox(const scenario::Step& step);

    // A control named as on the forms: "cboQuillet", "cmdQuillet(0)", on the active
    // form (the topmost modal form, else the save form), or "frmSetup.txtSetup(0)".
    Control& ResolveControl(const std::string& reference);
    Form* ActiveForm() const;
    std::filesystem::path HostPath(const std::string& windowsPath) const;
    void RegisterLibraries();
    std::filesystem::path AddinLibrary() const;
    // The add-in's state by name, through its diagnostic entry point.
    std::optional<std::string> Diagnostic(const std::string& name);

    std::vector<scenario::Step> steps_;
    size_t next_ = 0;
    const scenario::Step* current_ = nullptr;
    std::filesystem::path libraries_;
    std::filesystem::path prefix_;
    bool keep_ = false;
    std::optional<Failure> failure_;
    std::shared_ptr<platform::toolkit::Backend> toolkit_;
    std::unique_ptr<Hands> hands_;
    std::shared_ptr<ShellRecorder> shell_ = std::make_shared<ShellRecorder>();
    std::unique_ptr<Outlook> outlook_;
};

// A step's words do not make a step of the language.
struct BadStep : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace sim::runner
