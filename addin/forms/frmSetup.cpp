#include "addin/forms/frmSetup.h"

#include <initializer_list>

#include "addin/forms/web_addresses.h"

namespace {
constexpr char kWorkUnitTip[] = "The word used by your company to organize files on the server.";
constexpr char kSubFolderTip[] =
    "Enter the Sub-Folder project E-mails will be saved to. Click the Folder button to browse for folders.";
constexpr char kExampleTip[] = "This is the path & filename format that will be used to save your email.";
}  // namespace

frmSetup::frmSetup() : forms::Form("frmSetup") {
    Design();
    DesignSettingsFrame();
    Wire();
}

void frmSetup::Design() {
    SetCaption(" ");
    SetClientSize(9885, 6420);

    lblFormTitle.SetCaption("Quillet Defaults Setup");
    lblFormTitle.Move(3825, 180, 2235, 195);

    lblFieldLabel(6).SetCaption("Work Unit Type: ");
    lblFieldLabel(6).SetToolTipText(kWorkUnitTip);
    lblFieldLabel(6).Move(585, 510, 1215, 315);
    cboWorkType.SetToolTipText(kWorkUnitTip);
    cboWorkType.SetTag("required");
    cboWorkType.SetHelpContextID(6);
    cboWorkType.Move(1800, 510, 6525, 315);
    lblAlert(6).Move(8430, 510, 780, 315);

    lblFieldLabel(0).SetCaption("Server Folder: ");
    lblFieldLabel(0).SetToolTipText(
        "Enter the Server Folder for Project E-mails. Click the Folder button to browse for folders.");
    lblFieldLabel(0).Move(765, 948, 1035, 315);
    txtSetup(0).SetToolTipText(
        "Enter the Server Folder for Project Emails. Click the Folder button to browse for folders.");
    txtSetup(0).Move(1800, 948, 6525, 315);
    cmdBrowse(0).SetToolTipText("Browse for a Server Project Folder");
    cmdBrowse(0).Move(8430, 955, 330, 300);
    lblAlert(0).Move(8820, 948, 780, 315);

    lblFieldLabel(2).SetCaption("Database Type: ");
    lblFieldLabel(2).Move(2295, 1440, 1185, 195);
    fraDbOption.Move(3525, 1356, 2835, 375);
    optDbType(0).SetCaption("Quillet");
    optDbType(0).SetToolTipText("Select this option to use the Quillet database");
    optDbType(0).Move(180, 60, 1155, 255);
    optDbType(1).SetCaption("Plexar");
    optDbType(1).SetToolTipText("Select this option to use the Plexar database");
    optDbType(1).Move(1680, 60, 1155, 255);
    for (auto* option : optDbType.Items()) option->SetContainer(&fraDbOption);
    lblWebSite(1).SetCaption("Find Out About Plexar");
    lblWebSite(1).SetToolTipText("Click here to go to the Plexar website");
    lblWebSite(1).SetTag(PlexarWebAddress);
    lblWebSite(1).Move(6450, 1440, 2145, 195);

    lblFieldLabel(5).SetCaption("Settings Location: ");
    lblFieldLabel(5).Move(480, 1824, 1320, 315);
    txtSetup(5).SetToolTipText(
        "Enter the path for the Settings Configuration file. Click the Folder button to browse for folders.");
    txtSetup(5).Move(1800, 1824, 6525, 315);
    cmdBrowse(3).SetToolTipText("Browse for a Settings Configuration File folder");
    cmdBrowse(3).Move(8430, 1831, 330, 300);
    lblAlert(5).Move(8820, 1824, 780, 315);

    lblFieldLabel(4).SetCaption("Database Location: ");
    lblFieldLabel(4).SetToolTipText(
        "Enter the path for the Quillet databse. Click the Folder button to browse for folders.");
    lblFieldLabel(4).Move(360, 2265, 1440, 315);
    txtSetup(4).SetToolTipText(
        "Enter the path for the Quillet database location. Click the Folder button to browse for folders.");
    txtSetup(4).Move(1800, 2265, 6525, 315);
    cmdBrowse(2).SetToolTipText("Browse for a Database Location Folder");
    cmdBrowse(2).Move(8430, 2272, 330, 300);
    lblAlert(4).Move(8820, 2265, 780, 315);

    cmdSetup(0).SetPicture(forms::kReturnPicture);
    cmdSetup(0).SetToolTipText("Return to the Quillet Form");
    cmdSetup(0).SetDefault(true);
    cmdSetup(0).Move(3687, 4410, 1215, 375);
    cmdSetup(1).SetPicture(forms::kHelpPicture);
    cmdSetup(1).SetToolTipText("Show Help");
    cmdSetup(1).Move(4983, 4410, 1215, 375);
    rtfFieldHints.Move(1485, 4875, 6915, 1095);
    rtfFieldHints.SetTabStop(false);
    lblWebSite(0).SetCaption(QuilletWebAddress);
    lblWebSite(0).SetToolTipText("Click here to go to the Quillet website");
    lblWebSite(0).SetTag(QuilletWebAddress);
    lblWebSite(0).Move(3840, 6075, 2205, 195);

    for (auto* box : txtSetup.Items()) {
        box->SetTag("required");
        box->SetHelpContextID(box->Index());
    }
    for (auto* button : cmdBrowse.Items()) button->SetPicture(forms::kFolderPicture);
    for (auto* alert : lblAlert.Items()) {
        alert->SetCaption("Required");
        alert->SetForeColor(forms::kAlertColor);
        alert->SetVisible(false);
    }
    for (auto* link : lblWebSite.Items()) link->SetForeColor(forms::kLinkColor);

    SetTabOrder({&optDbType(1), &txtSetup(0), &cmdBrowse(0), &txtSetup(5), &cmdBrowse(3), &txtSetup(4),
                 &cmdBrowse(2), &txtSetup(1), &txtSetup(2), &txtSetup(3), &cmdBrowse(1), &cmdSetup(0),
                 &cmdSetup(1), &optDbType(0), &cboWorkType});
}

// The frame of the subject-line settings; positions inside it are relative to it.
void frmSetup::DesignSettingsFrame() {
    fraSettings.SetCaption("Settings");
    fraSettings.Move(345, 2820, 9195, 1455);

    lblFieldLabel(1).SetCaption("Delimiters:");
    lblFieldLabel(1).SetToolTipText("The strings to be used to separate the segments of the E-mail Subject Line.");
    lblFieldLabel(1).Move(600, 300, 720, 195);
    lblDelimLabel(0).SetCaption("<~Unit~ No.>");
    lblDelimLabel(0).Move(1530, 300, 960, 195);
    txtSetup(1).SetToolTipText(
        "Enter the string to be used to separate the Project Number and Project Name on the E-mail Subject Line.");
    txtSetup(1).Move(2655, 240, 585, 315);
    lblDelimLabel(1).SetCaption("<~Unit~>");
    lblDelimLabel(1).Move(3510, 300, 690, 195);
    txtSetup(2).SetToolTipText(
        "Enter the string to be used to separate the Project Name and Email Subject on the E-mail Subject Line.");
    txtSetup(2).Move(4500, 240, 585, 315);
    lblDelimLabel(2).SetCaption("<Subject>");
    lblDelimLabel(2).Move(5160, 300, 720, 195);
    lblAlert(1).Move(5940, 300, 780, 195);
    lblAlert(2).Move(5940, 300, 780, 195);

    lblFieldLabel(3).SetCaption("Email Sub-Folder: ");
    lblFieldLabel(3).SetToolTipText(kSubFolderTip);
    lblFieldLabel(3).Move(180, 720, 1275, 195);
    txtSetup(3).SetToolTipText(kSubFolderTip);
    txtSetup(3).Move(1455, 660, 6285, 315);
    cmdBrowse(1).SetToolTipText("Browse for an E-mail Sub-Folder");
    cmdBrowse(1).Move(7800, 660, 330, 300);
    lblAlert(3).Move(8235, 720, 780, 195);

    lblFieldLabel(7).SetCaption("Example: ");
    lblFieldLabel(7).SetToolTipText(kExampleTip);
    lblFieldLabel(7).Move(765, 1140, 690, 195);
    lblSavePathSample.SetCaption("The example of the path and filename");
    lblSavePathSample.SetToolTipText(kExampleTip);
    lblSavePathSample.Move(1455, 1140, 6285, 195);

    for (platform::toolkit::Control* control :
         std::initializer_list<platform::toolkit::Control*>{
             &lblFieldLabel(1), &lblDelimLabel(0), &txtSetup(1), &lblDelimLabel(1), &txtSetup(2), &lblDelimLabel(2),
             &lblAlert(1), &lblAlert(2), &lblFieldLabel(3), &txtSetup(3), &cmdBrowse(1), &lblAlert(3),
             &lblFieldLabel(7), &lblSavePathSample})
        control->SetContainer(&fraSettings);
}

void frmSetup::Wire() {
    using Events = frmSetupEvents;
    for (auto* button : cmdSetup.Items())
        button->Events().Click = [this, button] { Raise([&](Events& e) { e.ButtonClicked(button->Index()); }); };
    for (auto* button : cmdBrowse.Items())
        button->Events().Click = [this, button] { Raise([&](Events& e) { e.BrowseClicked(button->Index()); }); };
    for (auto* box : txtSetup.Items()) {
        auto& events = box->Events();
        events.Change = [this, box] { Raise([&](Events& e) { e.SetupFieldChange(box->Index()); }); };
        events.GotFocus = [this, box] { Raise([&](Events& e) { e.SetupFieldGotFocus(box->Index()); }); };
        events.LostFocus = [this, box] { Raise([&](Events& e) { e.SetupFieldLostFocus(box->Index()); }); };
    }

    auto& list = cboWorkType.Events();
    list.GotFocus = [this] {
        Raise([&](Events& e) { e.SetupFieldGotFocus(static_cast<int16_t>(cboWorkType.HelpContextID())); });
    };
    list.LostFocus = [this] {
        Raise([&](Events& e) { e.SetupFieldLostFocus(static_cast<int16_t>(cboWorkType.HelpContextID())); });
    };
    list.Change = [this] { Raise([&](Events& e) { e.SetupListChange(cboWorkType.Text()); }); };
    list.Click = [this] { Raise([&](Events& e) { e.SetupListClick(cboWorkType.Text(), cboWorkType.ListIndex()); }); };
    list.KeyPress = [this](int16_t& key) { Raise([&](Events& e) { e.SetupListKeyPress(cboWorkType.Text(), key); }); };

    for (auto* link : lblWebSite.Items())
        link->Events().Click = [this, link] { Raise([&](Events& e) { e.SetupWebLabelClick(link->Tag()); }); };
    for (auto* option : optDbType.Items())
        option->Events().Click = [this] { Raise([](Events& e) { e.SetupDbTypeOptionClick(); }); };
}
