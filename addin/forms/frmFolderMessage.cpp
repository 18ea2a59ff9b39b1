#include "addin/forms/frmFolderMessage.h"

frmFolderMessage::frmFolderMessage() : forms::Form("frmFolderMessage") {
    Design();
    Wire();
}

void frmFolderMessage::Design() {
    SetCaption(" Folder Not Found");
    SetClientSize(10050, 3750);

    txtFolderMessage(0).SetText("The Folder \"" + std::string(kPlaceholder) + "\" Does not exist.\r\n");
    txtFolderMessage(0).SetMultiLine(true);
    txtFolderMessage(0).SetLocked(true);
    txtFolderMessage(0).Move(180, 180, 8130, 1155);
    lblWarning.SetCaption("Click 'OK' to create a new folder. You may edit the folder name before creating it.");
    lblWarning.Move(120, 1500, 7380, 1095);
    txtFolderMessage(1).SetText(std::string(kPlaceholder));
    txtFolderMessage(1).SetTag("required");
    txtFolderMessage(1).Move(120, 2760, 8430, 795);

    cmdFolderMessage(0).SetCaption("OK");
    cmdFolderMessage(0).SetDefault(true);
    cmdFolderMessage(0).Move(8595, 210, 1215, 375);
    cmdFolderMessage(1).SetCaption("Cancel");
    cmdFolderMessage(1).SetCancel(true);
    cmdFolderMessage(1).Move(8595, 660, 1215, 375);

    SetTabOrder({&txtFolderMessage(1), &cmdFolderMessage(0), &cmdFolderMessage(1), &txtFolderMessage(0)});
}

void frmFolderMessage::Wire() {
    using Events = frmFolderMessageEvents;
    for (auto* button : cmdFolderMessage.Items()) {
        button->Events().Click = [this, button] { Raise([&](Events& e) { e.ButtonClicked(button->Index()); }); };
        button->Events().MouseDown = [this, button](int16_t mouseButton, int16_t shift, float x, float y) {
            Raise([&](Events& e) { e.ButtonMouseDown(button->Index(), mouseButton, shift, x, y); });
        };
    }
    for (auto* box : txtFolderMessage.Items()) {
        auto& events = box->Events();
        events.Change = [this, box] { Raise([&](Events& e) { e.FolderMessageFieldChange(box->Index()); }); };
        events.GotFocus = [this, box] { Raise([&](Events& e) { e.FolderMessageFieldGotFocus(box->Index()); }); };
        events.LostFocus = [this, box] { Raise([&](Events& e) { e.FolderMessageFieldLostFocus(box->Index()); }); };
    }
    Form::Events().Activate = [this] { Raise([](Events& e) { e.FormActivate(); }); };
}
