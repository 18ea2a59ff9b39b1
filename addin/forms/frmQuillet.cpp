#include "addin/forms/frmQuillet.h"

#include "addin/forms/web_addresses.h"

frmQuillet::frmQuillet() : forms::Form("frmQuillet") {
    Design();
    Wire();
}

void frmQuillet::Design() {
    SetCaption("Quillet ");
    SetClientSize(11250, 4905);

    lblFormTitle.SetCaption("Quillet Project Email and File Location");
    lblFormTitle.Move(3818, 165, 3615, 195);

    lblFieldLabel(0).SetCaption("Project: ");
    lblFieldLabel(0).Move(885, 675, 585, 195);
    cboQuillet.SetToolTipText("Select a project to associate this E-mail with.");
    cboQuillet.SetHelpContextID(0);
    cboQuillet.Move(1455, 615, 8430, 315);
    cmdQuillet(2).SetPicture(forms::kNewPicture);
    cmdQuillet(2).SetToolTipText("Create a new Project.");
    cmdQuillet(2).Move(9975, 615, 330, 300);
    cmdQuillet(8).SetPicture(forms::kEditPicture);
    cmdQuillet(8).SetToolTipText("Edit This Project's Information.");
    cmdQuillet(8).SetVisible(false);
    cmdQuillet(8).Move(10320, 615, 330, 300);
    lblAlert(0).SetCaption("Required");
    lblAlert(0).Move(10380, 675, 780, 195);

    lblFieldLabel(1).SetCaption("Save to Folder: ");
    lblFieldLabel(1).Move(345, 1155, 1125, 195);
    txtSaveFolder.SetToolTipText(
        "Enter the Path to save this E-mail in. Click the folder button to browse for folders.");
    txtSaveFolder.SetTag("required");
    txtSaveFolder.SetHelpContextID(1);
    txtSaveFolder.Move(1455, 1095, 8430, 675);
    cmdQuillet(1).SetPicture(forms::kFolderPicture);
    cmdQuillet(1).SetToolTipText("Browse for a Folder to save the E-mail in");
    cmdQuillet(1).SetDefault(true);
    cmdQuillet(1).Move(9975, 1125, 330, 300);
    lblAlert(1).SetCaption("Required");
    lblAlert(1).Move(10380, 1155, 780, 195);

    lblFieldLabel(2).SetCaption("Email File Name: ");
    lblFieldLabel(2).Move(255, 1875, 1215, 255);
    txtSaveAsName.SetToolTipText("Enter the File Name this E-mail will be saved as.");
    txtSaveAsName.SetTag("required");
    txtSaveAsName.SetHelpContextID(2);
    txtSaveAsName.Move(1455, 1875, 8430, 675);
    lblAlert(2).SetCaption("Required");
    lblAlert(2).Move(9990, 1935, 780, 195);

    cmdQuillet(0).SetCaption("Send and Save");
    cmdQuillet(0).SetToolTipText("Save the Email and attachments to the current folder");
    cmdQuillet(0).Move(3045, 2730, 1215, 480);
    cmdQuillet(3).SetCaption("Set Defaults");
    cmdQuillet(3).SetToolTipText("Open Quillet setup form");
    cmdQuillet(3).Move(4365, 2730, 1215, 480);
    cmdQuillet(4).SetCaption("Cancel");
    cmdQuillet(4).SetToolTipText("Cancel Quillet and return to Email");
    cmdQuillet(4).SetCancel(true);
    cmdQuillet(4).Move(5670, 2730, 1215, 480);
    cmdQuillet(5).SetCaption("Help");
    cmdQuillet(5).Move(6990, 2730, 1215, 480);

    rtfFieldHints.Move(1455, 3255, 8310, 780);
    rtfFieldHints.SetTabStop(false);
    lblWebSite.SetCaption(QuilletWebAddress);
    lblWebSite.SetForeColor(forms::kLinkColor);
    lblWebSite.Move(8700, 4620, 2205, 195);

    for (auto* alert : lblAlert.Items()) alert->SetForeColor(forms::kAlertColor);

    SetTabOrder({&cboQuillet, &cmdQuillet(2), &cmdQuillet(8), &txtSaveFolder, &cmdQuillet(1), &txtSaveAsName,
                 &cmdQuillet(0), &cmdQuillet(3), &cmdQuillet(4), &cmdQuillet(5)});
}

void frmQuillet::Wire() {
    using Events = frmQuilletEvents;
    for (auto* button : cmdQuillet.Items())
        button->Events().Click = [this, button] {
            Raise([&](Events& e) { e.ButtonClicked(button->Index()); });
        };
    Form::Events().Unload = [this] { Raise([](Events& e) { e.FormUnload(0); }); };
    Form::Events().Activate = [this] { Raise([](Events& e) { e.FormActivate(); }); };

    auto& combo = cboQuillet.Events();
    combo.Change = [this] { Raise([&](Events& e) { e.ProjectComboChange(cboQuillet.Text()); }); };
    combo.Click = [this] {
        Raise([&](Events& e) { e.ProjectComboClick(cboQuillet.List(cboQuillet.ListIndex()), cboQuillet.ListIndex()); });
    };
    combo.GotFocus = [this] {
        Raise([&](Events& e) { e.ProjectComboGotFocus(static_cast<int16_t>(cboQuillet.HelpContextID())); });
    };
    combo.KeyPress = [this](int16_t& key) {
        Raise([&](Events& e) { e.ProjectComboKeyPress(cboQuillet.Text(), key); });
    };
    combo.LostFocus = [this] { Raise([](Events& e) { e.ProjectComboLostFocus(); }); };

    auto& name = txtSaveAsName.Events();
    name.Change = [this] { Raise([](Events& e) { e.SaveAsNameChanged(); }); };
    name.GotFocus = [this] {
        Raise([&](Events& e) { e.SaveAsNameGotFocus(static_cast<int16_t>(txtSaveAsName.HelpContextID())); });
    };
    name.LostFocus = [this] { Raise([](Events& e) { e.SaveAsNameLostFocus(); }); };

    auto& folder = txtSaveFolder.Events();
    folder.Change = [this] { Raise([](Events& e) { e.SaveFolderChanged(); }); };
    folder.GotFocus = [this] {
        Raise([&](Events& e) { e.SaveFolderGotFocus(static_cast<int16_t>(txtSaveFolder.HelpContextID())); });
    };
    folder.LostFocus = [this] { Raise([](Events& e) { e.SaveFolderLostFocus(); }); };

    lblWebSite.Events().Click = [this] { Raise([&](Events& e) { e.WebLabelClick(lblWebSite.Caption()); }); };
}
