// The four forms as designed: every control with its kind, caption or text, tool
// tip, tag, hint number, visibility, frame and position, the default and cancel
// buttons and the tab order. The values are typed here from the forms' design
// tables, not taken from the forms' code.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "addin/forms/frmFolderMessage.h"
#include "addin/forms/frmProjInfo.h"
#include "addin/forms/frmQuillet.h"
#include "addin/forms/frmSetup.h"
#include "addin/forms/web_addresses.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/toolkit/input.h"

namespace {

using platform::toolkit::Control;
using platform::toolkit::ControlKind;
using platform::toolkit::Form;

enum class K { Label, Text, Combo, Button, Icon, Check, Option, Frame, Rich };

constexpr const char* kAny = nullptr;  // a text the design leaves to the program
constexpr int kNoHint = -1;

struct Row {
    const char* control;  // "name" or "name(index)"
    K kind;
    const char* caption;  // caption, or a box's designer text
    const char* tip;
    const char* tag;
    int hint;
    bool visible;
    const char* frame;  // the frame holding it, or nullptr
    int left, top, width, height;
};

Control* Find(const Form& form, const std::string& control) {
    auto open = control.find('(');
    if (open == std::string::npos) return form.Find(control);
    return form.Find(control.substr(0, open), static_cast<int16_t>(std::stoi(control.substr(open + 1))));
}

std::string CaptionOf(const Control& control) {
    using namespace platform::toolkit;
    switch (control.Kind()) {
        case ControlKind::Label: return static_cast<const Label&>(control).Caption();
        case ControlKind::CommandButton: return static_cast<const CommandButton&>(control).Caption();
        case ControlKind::CheckBox: return static_cast<const CheckBox&>(control).Caption();
        case ControlKind::OptionButton: return static_cast<const OptionButton&>(control).Caption();
        case ControlKind::Frame: return static_cast<const Frame&>(control).Caption();
        default: return static_cast<const TextControl&>(control).Text();
    }
}

void CheckKind(const Control& control, K kind) {
    using namespace platform::toolkit;
    const std::pair<K, ControlKind> kinds[] = {
        {K::Label, ControlKind::Label},          {K::Text, ControlKind::TextBox},
        {K::Combo, ControlKind::ComboBox},       {K::Button, ControlKind::CommandButton},
        {K::Icon, ControlKind::CommandButton},   {K::Check, ControlKind::CheckBox},
        {K::Option, ControlKind::OptionButton},  {K::Frame, ControlKind::Frame},
        {K::Rich, ControlKind::RichTextBox}};
    for (auto [k, expected] : kinds)
        if (k == kind) {
            EXPECT_EQ(control.Kind(), expected);
        }
    if (control.Kind() == ControlKind::CommandButton) {
        auto& button = static_cast<const CommandButton&>(control);
        EXPECT_EQ(button.IsIconButton(), kind == K::Icon);
        if (kind == K::Icon) {
            EXPECT_EQ(button.Caption(), "");
        }
    }
}

void CheckControls(const Form& form, const std::vector<Row>& rows) {
    std::set<std::string> designed;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(form.Name()) + "." + row.control);
        designed.insert(row.control);
        Control* control = Find(form, row.control);
        ASSERT_NE(control, nullptr);
        CheckKind(*control, row.kind);
        if (row.caption) {
            EXPECT_EQ(CaptionOf(*control), row.caption);
        }
        EXPECT_EQ(control->ToolTipText(), row.tip);
        EXPECT_EQ(control->Tag(), row.tag);
        EXPECT_EQ(control->HelpContextID(), row.hint == kNoHint ? 0 : row.hint);
        EXPECT_EQ(control->Visible(), row.visible);
        EXPECT_TRUE(control->Enabled());
        if (row.frame) {
            ASSERT_NE(control->Container(), nullptr);
            EXPECT_EQ(control->Container()->Name(), row.frame);
        } else {
            EXPECT_EQ(control->Container(), nullptr);
        }
        EXPECT_EQ(control->Left(), row.left);
        EXPECT_EQ(control->Top(), row.top);
        EXPECT_EQ(control->Width(), row.width);
        EXPECT_EQ(control->Height(), row.height);
    }
    std::set<std::string> present;
    for (Control* control : form.Controls()) present.insert(control->DisplayName());
    EXPECT_EQ(present, designed);
}

// The controls Tab visits, in order: every control with a tab stop that takes the focus.
std::vector<std::string> TabStops(const Form& form) {
    std::vector<std::string> stops;
    for (Control* control : form.TabOrder())
        if (control->TabStop() && control->TakesFocus()) stops.push_back(control->DisplayName());
    return stops;
}

std::string Name(const Control* control) { return control ? control->DisplayName() : "none"; }


}  // namespace

TEST(DesignerValues, SaveForm) {
    frmQuillet form;
    EXPECT_EQ(form.Caption(), "Quillet ");
    EXPECT_EQ(form.ScaleWidth(), 11250);
    EXPECT_EQ(form.ScaleHeight(), 4905);
    CheckControls(form, {
        {"lblFormTitle", K::Label, "Quillet Project Email and File Location", "", "", kNoHint, true, nullptr, 3818, 165, 3615, 195},
        {"lblFieldLabel(0)", K::Label, "Project: ", "", "", kNoHint, true, nullptr, 885, 675, 585, 195},
        {"cboQuillet", K::Combo, "", "Select a project to associate this E-mail with.", "", 0, true, nullptr, 1455, 615, 8430, 315},
        {"cmdQuillet(2)", K::Icon, "", "Create a new Project.", "", kNoHint, true, nullptr, 9975, 615, 330, 300},
        {"cmdQuillet(8)", K::Icon, "", "Edit This Project's Information.", "", kNoHint, false, nullptr, 10320, 615, 330, 300},
        {"lblAlert(0)", K::Label, "Required", "", "", kNoHint, true, nullptr, 10380, 675, 780, 195},
        {"lblFieldLabel(1)", K::Label, "Save to Folder: ", "", "", kNoHint, true, nullptr, 345, 1155, 1125, 195},
        {"txtSaveFolder", K::Text, "", "Enter the Path to save this E-mail in. Click the folder button to browse for folders.", "required", 1, true, nullptr, 1455, 1095, 8430, 675},
        {"cmdQuillet(1)", K::Icon, "", "Browse for a Folder to save the E-mail in", "", kNoHint, true, nullptr, 9975, 1125, 330, 300},
        {"lblAlert(1)", K::Label, "Required", "", "", kNoHint, true, nullptr, 10380, 1155, 780, 195},
        {"lblFieldLabel(2)", K::Label, "Email File Name: ", "", "", kNoHint, true, nullptr, 255, 1875, 1215, 255},
        {"txtSaveAsName", K::Text, "", "Enter the File Name this E-mail will be saved as.", "required", 2, true, nullptr, 1455, 1875, 8430, 675},
        {"lblAlert(2)", K::Label, "Required", "", "", kNoHint, true, nullptr, 9990, 1935, 780, 195},
        {"cmdQuillet(0)", K::Button, "Send and Save", "Save the Email and attachments to the current folder", "", kNoHint, true, nullptr, 3045, 2730, 1215, 480},
        {"cmdQuillet(3)", K::Button, "Set Defaults", "Open Quillet setup form", "", kNoHint, true, nullptr, 4365, 2730, 1215, 480},
        {"cmdQuillet(4)", K::Button, "Cancel", "Cancel Quillet and return to Email", "", kNoHint, true, nullptr, 5670, 2730, 1215, 480},
        {"cmdQuillet(5)", K::Button, "Help", "", "", kNoHint, true, nullptr, 6990, 2730, 1215, 480},
        {"rtfFieldHints", K::Rich, "", "", "", kNoHint, true, nullptr, 1455, 3255, 8310, 780},
        {"lblWebSite", K::Label, kAny, "", "", kNoHint, true, nullptr, 8700, 4620, 2205, 195},
    });
    EXPECT_EQ(Name(form.DefaultButton()), "cmdQuillet(1)");
    EXPECT_EQ(Name(form.CancelButton()), "cmdQuillet(4)");
    EXPECT_EQ(TabStops(form), (std::vector<std::string>{"cboQuillet", "cmdQuillet(2)", "cmdQuillet(8)", "txtSaveFolder",
                                                        "cmdQuillet(1)", "txtSaveAsName", "cmdQuillet(0)", "cmdQuillet(3)",
                                                        "cmdQuillet(4)", "cmdQuillet(5)"}));
    EXPECT_EQ(form.lblWebSite.Caption(), QuilletWebAddress);
    EXPECT_EQ(form.lblWebSite.ForeColor(), 0xFF0000u);  // blue
}

TEST(DesignerValues, SetupForm) {
    frmSetup form;
    EXPECT_EQ(form.Caption(), " ");
    EXPECT_EQ(form.ScaleWidth(), 9885);
    EXPECT_EQ(form.ScaleHeight(), 6420);
    const char* folderTip = "Enter the Sub-Folder project E-mails will be saved to. Click the Folder button to browse for folders.";
    const char* exampleTip = "This is the path & filename format that will be used to save your email.";
    CheckControls(form, {
        {"lblFormTitle", K::Label, "Quillet Defaults Setup", "", "", kNoHint, true, nullptr, 3825, 180, 2235, 195},
        {"lblFieldLabel(6)", K::Label, "Work Unit Type: ", "The word used by your company to organize files on the server.", "", kNoHint, true, nullptr, 585, 510, 1215, 315},
        {"cboWorkType", K::Combo, "", "The word used by your company to organize files on the server.", "required", 6, true, nullptr, 1800, 510, 6525, 315},
        {"lblAlert(6)", K::Label, "Required", "", "", kNoHint, false, nullptr, 8430, 510, 780, 315},
        {"lblFieldLabel(0)", K::Label, "Server Folder: ", "Enter the Server Folder for Project E-mails. Click the Folder button to browse for folders.", "", kNoHint, true, nullptr, 765, 948, 1035, 315},
        {"txtSetup(0)", K::Text, "", "Enter the Server Folder for Project Emails. Click the Folder button to browse for folders.", "required", 0, true, nullptr, 1800, 948, 6525, 315},
        {"cmdBrowse(0)", K::Icon, "", "Browse for a Server Project Folder", "", kNoHint, true, nullptr, 8430, 955, 330, 300},
        {"lblAlert(0)", K::Label, "Required", "", "", kNoHint, false, nullptr, 8820, 948, 780, 315},
        {"lblFieldLabel(2)", K::Label, "Database Type: ", "", "", kNoHint, true, nullptr, 2295, 1440, 1185, 195},
        {"fraDbOption", K::Frame, "", "", "", kNoHint, true, nullptr, 3525, 1356, 2835, 375},
        {"optDbType(0)", K::Option, "Quillet", "Select this option to use the Quillet database", "", kNoHint, true, "fraDbOption", 180, 60, 1155, 255},
        {"optDbType(1)", K::Option, "Plexar", "Select this option to use the Plexar database", "", kNoHint, true, "fraDbOption", 1680, 60, 1155, 255},
        {"lblWebSite(1)", K::Label, "Find Out About Plexar", "Click here to go to the Plexar website", PlexarWebAddress, kNoHint, true, nullptr, 6450, 1440, 2145, 195},
        {"lblFieldLabel(5)", K::Label, "Settings Location: ", "", "", kNoHint, true, nullptr, 480, 1824, 1320, 315},
        {"txtSetup(5)", K::Text, "", "Enter the path for the Settings Configuration file. Click the Folder button to browse for folders.", "required", 5, true, nullptr, 1800, 1824, 6525, 315},
        {"cmdBrowse(3)", K::Icon, "", "Browse for a Settings Configuration File folder", "", kNoHint, true, nullptr, 8430, 1831, 330, 300},
        {"lblAlert(5)", K::Label, "Required", "", "", kNoHint, false, nullptr, 8820, 1824, 780, 315},
        {"lblFieldLabel(4)", K::Label, "Database Location: ", "Enter the path for the Quillet databse. Click the Folder button to browse for folders.", "", kNoHint, true, nullptr, 360, 2265, 1440, 315},
        {"txtSetup(4)", K::Text, "", "Enter the path for the Quillet database location. Click the Folder button to browse for folders.", "required", 4, true, nullptr, 1800, 2265, 6525, 315},
        {"cmdBrowse(2)", K::Icon, "", "Browse for a Database Location Folder", "", kNoHint, true, nullptr, 8430, 2272, 330, 300},
        {"lblAlert(4)", K::Label, "Required", "", "", kNoHint, false, nullptr, 8820, 2265, 780, 315},
        {"fraSettings", K::Frame, "Settings", "", "", kNoHint, true, nullptr, 345, 2820, 9195, 1455},
        {"lblFieldLabel(1)", K::Label, "Delimiters:", "The strings to be used to separate the segments of the E-mail Subject Line.", "", kNoHint, true, "fraSettings", 600, 300, 720, 195},
        {"lblDelimLabel(0)", K::Label, "<~Unit~ No.>", "", "", kNoHint, true, "fraSettings", 1530, 300, 960, 195},
        {"txtSetup(1)", K::Text, "", "Enter the string to be used to separate the Project Number and Project Name on the E-mail Subject Line.", "required", 1, true, "fraSettings", 2655, 240, 585, 315},
        {"lblDelimLabel(1)", K::Label, "<~Unit~>", "", "", kNoHint, true, "fraSettings", 3510, 300, 690, 195},
        {"txtSetup(2)", K::Text, "", "Enter the string to be used to separate the Project Name and Email Subject on the E-mail Subject Line.", "required", 2, true, "fraSettings", 4500, 240, 585, 315},
        {"lblDelimLabel(2)", K::Label, "<Subject>", "", "", kNoHint, true, "fraSettings", 5160, 300, 720, 195},
        {"lblAlert(1)", K::Label, "Required", "", "", kNoHint, false, "fraSettings", 5940, 300, 780, 195},
        {"lblAlert(2)", K::Label, "Required", "", "", kNoHint, false, "fraSettings", 5940, 300, 780, 195},
        {"lblFieldLabel(3)", K::Label, "Email Sub-Folder: ", folderTip, "", kNoHint, true, "fraSettings", 180, 720, 1275, 195},
        {"txtSetup(3)", K::Text, "", folderTip, "required", 3, true, "fraSettings", 1455, 660, 6285, 315},
        {"cmdBrowse(1)", K::Icon, "", "Browse for an E-mail Sub-Folder", "", kNoHint, true, "fraSettings", 7800, 660, 330, 300},
        {"lblAlert(3)", K::Label, "Required", "", "", kNoHint, false, "fraSettings", 8235, 720, 780, 195},
        {"lblFieldLabel(7)", K::Label, "Example: ", exampleTip, "", kNoHint, true, "fraSettings", 765, 1140, 690, 195},
        {"lblSavePathSample", K::Label, "The example of the path and filename", exampleTip, "", kNoHint, true, "fraSettings", 1455, 1140, 6285, 195},
        {"cmdSetup(0)", K::Icon, "", "Return to the Quillet Form", "", kNoHint, true, nullptr, 3687, 4410, 1215, 375},
        {"cmdSetup(1)", K::Icon, "", "Show Help", "", kNoHint, true, nullptr, 4983, 4410, 1215, 375},
        {"rtfFieldHints", K::Rich, "", "", "", kNoHint, true, nullptr, 1485, 4875, 6915, 1095},
        {"lblWebSite(0)", K::Label, QuilletWebAddress, "Click here to go to the Quillet website", QuilletWebAddress, kNoHint, true, nullptr, 3840, 6075, 2205, 195},
    });
    EXPECT_EQ(Name(form.DefaultButton()), "cmdSetup(0)");
    EXPECT_EQ(Name(form.CancelButton()), "none");
    EXPECT_EQ(TabStops(form), (std::vector<std::string>{"optDbType(1)", "txtSetup(0)", "cmdBrowse(0)", "txtSetup(5)",
                                                        "cmdBrowse(3)", "txtSetup(4)", "cmdBrowse(2)", "txtSetup(1)",
                                                        "txtSetup(2)", "txtSetup(3)", "cmdBrowse(1)", "cmdSetup(0)",
                                                        "cmdSetup(1)", "optDbType(0)", "cboWorkType"}));
    // Inside a frame, positions are relative to it.
    EXPECT_EQ(form.txtSetup(3).FormLeft(), 345 + 1455);
    EXPECT_EQ(form.txtSetup(3).FormTop(), 2820 + 660);
}

TEST(DesignerValues, ProjectForm) {
    frmProjInfo form;
    EXPECT_EQ(form.Caption(), " ");
    EXPECT_EQ(form.ScaleWidth(), 11250);
    EXPECT_EQ(form.ScaleHeight(), 4905);
    CheckControls(form, {
        {"lblFormTitle", K::Label, "Quillet Project Information", "", "", kNoHint, true, nullptr, 4343, 180, 2565, 195},
        {"lblFieldLabel(1)", K::Label, "Project Name: ", "The Name Assigned to the Project. This will appear as part of the Email Subject Line.", "", kNoHint, true, nullptr, 375, 570, 1050, 195},
        {"txtProjInfo(1)", K::Text, "", "", "required", kNoHint, true, nullptr, 1500, 480, 8430, 675},
        {"lblAlert(1)", K::Label, "Required", "", "", kNoHint, false, nullptr, 10005, 510, 780, 195},
        {"lblFieldLabel(0)", K::Label, "Project Number: ", "", "", kNoHint, true, nullptr, 240, 1410, 1185, 195},
        {"txtProjInfo(0)", K::Text, "", "The Number Assigned to the Project. This will appear as part of the Email Subject Line.", "", kNoHint, true, nullptr, 1500, 1320, 8430, 315},
        {"lblAlert(0)", K::Label, "Optional", "", "", kNoHint, true, nullptr, 9990, 1350, 720, 195},
        {"lblFieldLabel(2)", K::Label, "Project Folder: ", "", "", kNoHint, true, nullptr, 360, 1845, 1065, 195},
        {"txtProjInfo(2)", K::Text, "", "The Folder Used for the Project FIles and Email Sub-Folder. Click the Folder button to browse for folders.", "required", kNoHint, true, nullptr, 1500, 1785, 8430, 675},
        {"cmdBrowse(0)", K::Icon, "", "Browse for a Project Root Folder", "", kNoHint, true, nullptr, 9990, 1785, 330, 300},
        {"lblAlert(2)", K::Label, "Required", "", "", kNoHint, false, nullptr, 10380, 1845, 780, 195},
        {"chkProjActive", K::Check, "Active:  ", "Select this to Activate or De-Activate the Project", "", kNoHint, true, nullptr, 825, 2595, 870, 225},
        {"cmdProjInfo(0)", K::Button, "Save", "", "", kNoHint, true, nullptr, 3617, 2910, 1215, 375},
        {"cmdProjInfo(1)", K::Button, "Cancel", "", "", kNoHint, true, nullptr, 5019, 2910, 1215, 375},
        {"cmdProjInfo(2)", K::Button, "Help", "", "", kNoHint, true, nullptr, 6418, 2910, 1215, 375},
        {"lblWebSite", K::Label, QuilletWebAddress, "", "", kNoHint, true, nullptr, 4523, 3375, 2205, 195},
        {"rtfFieldHints", K::Rich, "", "", "", kNoHint, true, nullptr, 1410, 3615, 8430, 1095},
    });
    EXPECT_EQ(Name(form.DefaultButton()), "cmdProjInfo(0)");
    EXPECT_EQ(Name(form.CancelButton()), "cmdProjInfo(1)");
    EXPECT_EQ(TabStops(form), (std::vector<std::string>{"cmdBrowse(0)", "chkProjActive", "cmdProjInfo(0)", "cmdProjInfo(1)",
                                                        "cmdProjInfo(2)", "txtProjInfo(2)", "txtProjInfo(0)",
                                                        "txtProjInfo(1)"}));
}

TEST(DesignerValues, FolderPrompt) {
    frmFolderMessage form;
    EXPECT_EQ(form.Caption(), " Folder Not Found");
    EXPECT_EQ(form.ScaleWidth(), 10050);
    EXPECT_EQ(form.ScaleHeight(), 3750);
    CheckControls(form, {
        {"txtFolderMessage(0)", K::Text, kAny, "", "", kNoHint, true, nullptr, 180, 180, 8130, 1155},
        {"lblWarning", K::Label, "Click 'OK' to create a new folder. You may edit the folder name before creating it.", "", "", kNoHint, true, nullptr, 120, 1500, 7380, 1095},
        {"txtFolderMessage(1)", K::Text, kAny, "", "required", kNoHint, true, nullptr, 120, 2760, 8430, 795},
        {"cmdFolderMessage(0)", K::Button, "OK", "", "", kNoHint, true, nullptr, 8595, 210, 1215, 375},
        {"cmdFolderMessage(1)", K::Button, "Cancel", "", "", kNoHint, true, nullptr, 8595, 660, 1215, 375},
    });
    EXPECT_EQ(Name(form.DefaultButton()), "cmdFolderMessage(0)");
    EXPECT_EQ(Name(form.CancelButton()), "cmdFolderMessage(1)");
    EXPECT_EQ(TabStops(form), (std::vector<std::string>{"txtFolderMessage(1)", "cmdFolderMessage(0)",
                                                        "cmdFolderMessage(1)", "txtFolderMessage(0)"}));
    // The placeholders: a quoted path of X characters in the message, a line of them as the name.
    std::string message = form.txtFolderMessage(0).Text();
    std::string head = "The Folder \"", tail = "\" Does not exist.\r\n";
    ASSERT_GT(message.size(), head.size() + tail.size());
    EXPECT_EQ(message.substr(0, head.size()), head);
    EXPECT_EQ(message.substr(message.size() - tail.size()), tail);
    std::string path = message.substr(head.size(), message.size() - head.size() - tail.size());
    EXPECT_EQ(path, std::string(path.size(), 'X'));
    std::string name = form.txtFolderMessage(1).Text();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name, std::string(name.size(), 'X'));
}

TEST(DesignerValues, TheWebAddressesAreTwoDistinctWebPages) {
    std::string product = QuilletWebAddress, plexar = PlexarWebAddress;
    EXPECT_TRUE(product.starts_with("http://") || product.starts_with("https://"));
    EXPECT_TRUE(plexar.starts_with("http://") || plexar.starts_with("https://"));
    EXPECT_NE(product, plexar);
    EXPECT_NE(product.back(), '/');  // help pages are appended as "/QuilletHelp.htm"
}

// Tab, pressed on a shown form, visits its controls in the designed order.
TEST(DesignerValues, TabFollowsTheDesignedOrderOnEveryForm) {
    sim::TestMachine machine;
    std::vector<std::shared_ptr<Form>> forms{std::make_shared<frmQuillet>(), std::make_shared<frmSetup>(),
                                             std::make_shared<frmProjInfo>(), std::make_shared<frmFolderMessage>()};
    for (auto& form : forms) {
        SCOPED_TRACE(form->Name());
        for (Control* control : form->Controls()) control->SetVisible(true);
        form->Show();
        std::vector<std::string> visited{Name(form->ActiveControl())};
        for (size_t i = 1; i < TabStops(*form).size(); ++i) {
            platform::toolkit::input::Key(*form, 9);
            visited.push_back(Name(form->ActiveControl()));
        }
        EXPECT_EQ(visited, TabStops(*form));
        platform::toolkit::input::Key(*form, 9);
        EXPECT_EQ(Name(form->ActiveControl()), visited.front());
        form->Unload();
    }
    EXPECT_TRUE(machine.Person().Problems().empty());
}
