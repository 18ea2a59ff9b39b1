// A click on the button of a mail window: the save form opens, filled from the
// message's subject and the project list.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "addin/host/version.h"
#include "util/interfaces/IclsOutlook.h"

namespace outlook = platform::outlook;

void clsQuillet::mcbQuilletMenuButton_Click() {
    Guard("QuilletMenuButton_Click()").Run([&] {
        LoadProjectList();

        auto window = Use(Use(gOutlook).App()).ActiveInspector();
        auto item = Use(window).CurrentItem();
        auto mail = std::dynamic_pointer_cast<outlook::MailItem>(item);
        if (!mail) platform::Raise(13, "Type mismatch");
        gOutlook->MailItem(mail);
        std::string subject = Use(gOutlook->MailItem()).Subject();

        // A save form still open from an earlier click closes as Cancel closes it, so
        // that its unload clears the earlier message's project and name.
        if (auto earlier = SaveForm()) {
            earlier->Unload();
            frmQuilletEvent = nullptr;
        }
        // The message being filed is the one of the window whose button was clicked:
        // whether it was sent, and its window's editor, are its own.
        CurrentMailSent_ = mail->Sent();
        mailWindow_ = window;

        frmQuilletEvent = std::make_shared<frmQuillet>();
        frmQuillet& form = Use(SaveForm());
        form.Show(platform::toolkit::vbModeless);
        form.ZOrder(0);

        if (!subject.empty()) {
            if (UsePlexar_) {
                if (!ParseSubjectTag(subject)) MailSubject_ = subject;
            } else {
                MailSubject_ = subject;
            }
            if (!ProjectNumber_.empty()) CheckTypedProject();
        }

        ShowWorkUnitLabels();
        FillProjectList(form.cboQuillet);
        ShowProjectOnSaveForm(form);
        FillingForm_ = false;

        // The "Required" alerts: in Plexar mode new projects are made in Plexar, and
        // the project's alert takes the new-project button's place.
        if (UsePlexar_) {
            form.cmdQuillet(2).SetVisible(false);
            form.lblAlert(2).SetLeft(form.lblAlert(0).Left());
            form.lblAlert(0).SetLeft(form.cmdQuillet(2).Left());
        } else {
            form.lblAlert(0).SetLeft(form.cmdQuillet(2).Left() + form.cmdQuillet(2).Width() + 75);
        }
        form.lblAlert(0).SetTag("required");
        form.lblAlert(0).SetForeColor(255);
        form.lblAlert(0).SetVisible(false);
        form.lblAlert(0).SetCaption("Required");

        if (CurrentMailSent_) form.cmdQuillet(0).SetCaption("Save");
        form.SetCaption(form.Caption() + LibraryVersionText());
        form.SetHeight(5385);
        form.lblWebSite.SetTop(form.Height() - form.lblWebSite.Height());
    });
}
