#include "hosts/desk/app/filing_run.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "hosts/desk/app/mail_window.h"
#include "hosts/desk/toolkit/widget_hands.h"
#include "platform/files/posix/prefix.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/form.h"

namespace desk {

namespace fs = std::filesystem;
namespace tk = platform::toolkit;

namespace {

// The demo's project whose folder is made when its first mail is filed.
constexpr const char* kProject = "05-102";

tk::CommandButton* Button(tk::Form& form, bool cancel) {
    return cancel ? form.CancelButton() : form.DefaultButton();
}

fs::path FindFiled(const fs::path& folder, const std::string& extension) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == extension) return it->path();
    return {};
}

}  // namespace

int32_t FilingStandIn::AnswerMsgBox(const DialogRequest& request) {
    std::printf("message box \"%s\": %s\n", request.title.c_str(), request.text.c_str());
    switch (request.flags & 7) {
        case tk::vbYesNo: return tk::vbYes;
        default: return tk::vbOK;
    }
}

std::optional<std::string> FilingStandIn::AnswerInputBox(const DialogRequest& request) { return request.defaultText; }

std::optional<std::string> FilingStandIn::AnswerPicker(const DialogRequest&) { return std::nullopt; }

void FilingStandIn::RunModal(Form& form) {
    WidgetHands hands(*toolkit_);
    tk::CommandButton* leave = Button(form, form.Name() != "frmFolderMessage");
    if (!leave) leave = Button(form, false);
    if (leave)
        hands.Click(*leave);
    else
        hands.CloseBox(form);
    if (form.Loaded()) hands.CloseBox(form);
}

void FilingStandIn::Unexpected(const std::string& what) { std::fprintf(stderr, "quillet-desk: %s\n", what.c_str()); }

namespace {

// The person types into a line of the message window.
void TypeInto(QLineEdit& line, const QString& typed) {
    for (QChar c : typed) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&line, &press);
    }
}

// The add-in's button on the message's window, a project picked in the save form, and
// "Send and Save"; on the way (`visit`) the project form and the setup form are
// opened from the save form and left. False when something was missing.
bool FileThroughSaveForm(MailWindow& message, QtToolkit& toolkit, bool visit) {
    if (!message.AddinButton()) {
        std::fprintf(stderr, "quillet-desk: the message's window has no add-in button\n");
        return false;
    }
    message.AddinButton()->click();
    tk::Form* save = tk::WindowManager::Get().FindForm("frmQuillet");
    if (!save) {
        std::fprintf(stderr, "quillet-desk: the add-in's button opened no save form\n");
        return false;
    }
    auto keep = save->KeepAlive();
    WidgetHands hands(toolkit);
    auto& projects = static_cast<tk::ComboBox&>(*save->Find("cboQuillet"));
    int32_t entry = -1;
    for (int32_t i = 0; i < projects.ListCount(); ++i)
        if (projects.List(i).find(kProject) != std::string::npos) entry = i;
    if (entry < 0) {
        std::fprintf(stderr, "quillet-desk: project %s is not in the save form's list\n", kProject);
        return false;
    }
    hands.Pick(projects, entry);
    if (visit) {
        hands.Click(*save->Find("cmdQuillet", 2));  // the project form, left with Cancel
        hands.Click(*save->Find("cmdQuillet", 3));  // the setup form
        if (tk::Form* setup = tk::WindowManager::Get().FindForm("frmSetup"); setup && setup->Loaded())
            if (tk::CommandButton* back = setup->DefaultButton()) hands.Click(*back);
        if (!save->Loaded()) {
            std::fprintf(stderr, "quillet-desk: the save form closed before the message was filed\n");
            return false;
        }
        hands.Pick(projects, entry);
    }
    hands.Click(*save->Find("cmdQuillet", 0));  // "Send and Save"
    QApplication::processEvents();
    return true;
}

}  // namespace

int FileOneMessage(MainWindow& window, QtToolkit& toolkit, const fs::path& shots) {
    fs::create_directories(shots);
    toolkit.SaveScreenshotsIn(shots);
    window.show();
    window.ShowFolder("Inbox");
    // A received message is filed; a new one is sent and filed.
    MailWindow* received = window.OpenMessage(0);
    if (!received || !FileThroughSaveForm(*received, toolkit, true)) return 1;
    MailWindow* compose = window.NewMail();
    auto* subject = compose ? compose->findChild<QLineEdit*>(QStringLiteral("subject")) : nullptr;
    if (!subject) {
        std::fprintf(stderr, "quillet-desk: New Mail opened no message to write\n");
        return 1;
    }
    TypeInto(*subject, QStringLiteral("Site photos"));
    if (auto* cc = compose->findChild<QLineEdit*>(QStringLiteral("cc")))
        TypeInto(*cc, QStringLiteral("Tom Reed <tom.reed@example.com>"));
    compose->grab().save(QString::fromStdString((shots / "compose.png").string()));
    if (!FileThroughSaveForm(*compose, toolkit, false)) return 1;

    window.ShowFolder("Outbox");
    window.grab().save(QString::fromStdString((shots / "main.png").string()));
    const fs::path filed = FindFiled(*platform::files::Prefix::HostPath("P:\\Projects\\" + std::string(kProject)), ".msg");
    const fs::path sent = FindFiled(*platform::files::Prefix::HostPath("C:\\Quillet Mail\\Outbox"), ".eml");
    std::printf("filed message:  %s\n", filed.empty() ? "(none)" : filed.c_str());
    std::printf("sent message:   %s\n", sent.empty() ? "(none)" : sent.c_str());
    std::printf("screenshots:    %s (main.png and one per form)\n", shots.c_str());
    return filed.empty() || sent.empty() ? 1 : 0;
}

}  // namespace desk
