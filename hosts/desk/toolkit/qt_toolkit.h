// The toolkit's forms and dialogs in real windows (Qt 6 Widgets).
//
// Which forms are open and active is the window manager's, as for every backend
// (platform/toolkit/backend_window_manager.h); this backend draws them and turns the
// person's keys and clicks into the toolkit's input (control_widgets.h).
//
// A person at the screen answers the dialogs and works in modal forms in their own
// event loops. Without one (a scenario, a test) an Operator stands in: it is asked
// for each dialog's answer, which it then gives on the real dialog (the button
// clicked, the text typed, the folder chosen in the tree), and it works in each
// modal form while the form is shown.
#pragma once

#include <QPointer>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "hosts/desk/toolkit/form_window.h"
#include "platform/toolkit/backend.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/stand_in.h"

class QEventLoop;

namespace desk {

using platform::toolkit::DialogRequest;
using platform::toolkit::Form;

using Operator = platform::toolkit::StandIn;

class QtToolkit : public platform::toolkit::Backend, private platform::toolkit::ChangeSink {
public:
    // A QApplication must exist while the toolkit does.
    explicit QtToolkit(Operator* stand_in = nullptr);
    ~QtToolkit() override;

    int32_t MsgBox(const DialogRequest& request) override;
    std::optional<std::string> InputBox(const DialogRequest& request) override;
    // Browses the prefix's drives and shares; gives a Windows path.
    std::optional<std::string> BrowseForFolder(const DialogRequest& request) override;

    void Shown(Form& form) override;
    void Activated(Form& form) override;
    void RunModal(Form& form) override;
    void Hidden(Form& form) override;
    void Unloaded(Form& form) override;
    void ZOrderChanged(Form& form) override;
    void MousePointerChanged(int16_t pointer) override;

    // The window drawing an open form, or nullptr.
    FormWindow* Window(const Form& form) const;
    // The screen's logical resolution the forms are drawn at.
    int32_t Dpi() const { return dpi_; }
    // Each form's window is saved there as NAME.png as it hides or unloads, as the
    // person last saw it.
    void SaveScreenshotsIn(std::filesystem::path folder) { screenshots_ = std::move(folder); }

private:
    void ControlChanged(platform::toolkit::Control& control, platform::toolkit::Change change,
                        int32_t item) override;
    void FormChanged(Form& form, platform::toolkit::Change change) override;
    // The window dialogs are owned by: the active form's, else none.
    QWidget* DialogOwner(platform::toolkit::Hwnd owner = 0) const;
    void Screenshot(const Form& form);

    Operator* standIn_;
    int32_t dpi_;
    std::map<const Form*, QPointer<FormWindow>> windows_;
    std::map<const Form*, QEventLoop*> loops_;
    bool waiting_ = false;
    std::optional<std::filesystem::path> screenshots_;
};

}  // namespace desk
