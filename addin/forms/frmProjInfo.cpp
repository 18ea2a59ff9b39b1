#include "addin/forms/frmProjInfo.h"

#include "addin/forms/web_addresses.h"

frmProjInfo::frmProjInfo() : forms::Form("frmProjInfo") {
    Design();
    Wire();
}

void frmProjInfo::Design() {
    SetCaption(" ");
    SetClientSize(11250, 4905);

    lblFormTitle.SetCaption("Quillet Project Information");
    lblFormTitle.Move(4343, 180, 2565, 195);

    lblFieldLabel(1).SetCaption("Project Name: ");
    lblFieldLabel(1).SetToolTipText(
        "The Name Assigned to the Project. This will appear as part of the Email Subject Line.");
    lblFieldLabel(1).Move(375, 570, 1050, 195);
    txtProjInfo(1).SetTag("required");
    txtProjInfo(1).Move(1500, 480, 8430, 675);
    lblAlert(1).SetCaption("Required");
    lblAlert(1).SetVisible(false);
    lblAlert(1).Move(10005, 510, 780, 195);

    lblFieldLabel(0).SetCaption("Project Number: ");
    lblFieldLabel(0).Move(240, 1410, 1185, 195);
    txtProjInfo(0).SetToolTipText(
        "The Number Assigned to the Project. This will appear as part of the Email Subject Line.");
    txtProjInfo(0).Move(1500, 1320, 8430, 315);
    lblAlert(0).SetCaption("Optional");
    lblAlert(0).Move(9990, 1350, 720, 195);

    lblFieldLabel(2).SetCaption("Project Folder: ");
    lblFieldLabel(2).Move(360, 1845, 1065, 195);
    txtProjInfo(2).SetToolTipText("The Folder Used for the Project FIles and Email Sub-Folder. "
                                  "Click the Folder button to browse for folders.");
    txtProjInfo(2).SetTag("required");
    txtProjInfo(2).Move(1500, 1785, 8430, 675);
    cmdBrowse(0).SetPicture(forms::kFolderPicture);
    cmdBrowse(0).SetToolTipText("Browse for a Project Root Folder");
    cmdBrowse(0).Move(9990, 1785, 330, 300);
    lblAlert(2).SetCaption("Required");
    lblAlert(2).SetVisible(false);
    lblAlert(2).Move(10380, 1845, 780, 195);

    chkProjActive.SetCaption("Active:  ");
    chkProjActive.SetToolTipText("Select this to Activate or De-Activate the Project");
    chkProjActive.Move(825, 2595, 870, 225);

    cmdProjInfo(0).SetCaption("Save");
    cmdProjInfo(0).SetDefault(true);
    cmdProjInfo(0).Move(3617, 2910, 1215, 375);
    cmdProjInfo(1).SetCaption("Cancel");
    cmdProjInfo(1).SetCancel(true);
    cmdProjInfo(1).Move(5019, 2910, 1215, 375);
    cmdProjInfo(2).SetCaption("Help");
    cmdProjInfo(2).Move(6418, 2910, 1215, 375);

    lblWebSite.SetCaption(QuilletWebAddress);
    lblWebSite.SetForeColor(forms::kLinkColor);
    lblWebSite.Move(4523, 3375, 2205, 195);
    rtfFieldHints.Move(1410, 3615, 8430, 1095);
    rtfFieldHints.SetTabStop(false);

    for (auto* alert : lblAlert.Items()) alert->SetForeColor(forms::kAlertColor);

    SetTabOrder({&cmdBrowse(0), &chkProjActive, &cmdProjInfo(0), &cmdProjInfo(1), &cmdProjInfo(2), &txtProjInfo(2),
                 &txtProjInfo(0), &txtProjInfo(1)});
}

void frmProjInfo::Wire() {
    using Events = frmProjInfoEvents;
    for (auto* button : cmdProjInfo.Items()) {
        button->Events().Click = [this, button] { Raise([&](Events& e) { e.ButtonClicked(button->Index()); }); };
        button->Events().MouseDown = [this, button](int16_t mouseButton, int16_t shift, float x, float y) {
            Raise([&](Events& e) { e.ButtonMouseDown(button->Index(), mouseButton, shift, x, y); });
        };
    }
    for (auto* button : cmdBrowse.Items())
        button->Events().Click = [this, button] { Raise([&](Events& e) { e.BrowseClicked(button->Index()); }); };
    for (auto* box : txtProjInfo.Items()) {
        auto& events = box->Events();
        events.Change = [this, box] { Raise([&](Events& e) { e.ProjInfoFieldChange(box->Index()); }); };
        events.GotFocus = [this, box] { Raise([&](Events& e) { e.ProjInfoFieldGotFocus(box->Index()); }); };
        events.LostFocus = [this, box] { Raise([&](Events& e) { e.ProjInfoFieldLostFocus(box->Index()); }); };
    }
    lblWebSite.Events().Click = [this] { Raise([&](Events& e) { e.ProjInfoWebLabelClick(lblWebSite.Caption()); }); };
    chkProjActive.Events().Click = [this] { Raise([](Events& e) { e.ProjActiveClicked(); }); };
    Form::Events().Activate = [this] { Raise([](Events& e) { e.FormActivate(); }); };
}
