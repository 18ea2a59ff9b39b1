// The four forms as designed. Each form's designer values (every control with its
// kind, caption or text, tool tip, tag, hint number, visibility, frame and position,
// the default and cancel buttons, the tab order) are compared with one golden text
// per form under tests/forms/golden/, typed from the forms' design tables; invariants
// that every form keeps are checked on all four.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
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

// The controls Tab visits, in order: every control with a tab stop that takes the focus.
std::vector<std::string> TabStops(const Form& form) {
    std::vector<std::string> stops;
    for (Control* control : form.TabOrder())
        if (control->TabStop() && control->TakesFocus()) stops.push_back(control->DisplayName());
    return stops;
}

std::string Name(const Control* control) { return control ? control->DisplayName() : "none"; }


const char* KindName(const Control& control) {
    using namespace platform::toolkit;
    switch (control.Kind()) {
        case ControlKind::Label: return "label";
        case ControlKind::TextBox: return "text";
        case ControlKind::ComboBox: return "combo";
        case ControlKind::CommandButton:
            return static_cast<const CommandButton&>(control).IsIconButton() ? "icon" : "button";
        case ControlKind::CheckBox: return "check";
        case ControlKind::OptionButton: return "option";
        case ControlKind::Frame: return "frame";
        case ControlKind::RichTextBox: return "rich";
    }
    return "?";
}

// The form's designer values, one line each, in a stable order.
std::string Describe(const Form& form) {
    std::ostringstream out;
    out << "form " << form.Name() << " caption \"" << form.Caption() << "\" client " << form.ScaleWidth() << " x "
        << form.ScaleHeight() << "\n";
    out << "default " << Name(form.DefaultButton()) << ", cancel " << Name(form.CancelButton()) << "\n";
    out << "tab";
    for (const std::string& stop : TabStops(form)) out << " " << stop;
    out << "\n";
    for (const Control* control : form.Controls()) {
        const bool placeholder = control->Name() == "lblWebSite";  // the product's address, checked below
        out << control->DisplayName() << " | " << KindName(*control) << " | \""
            << (placeholder ? "<web address>" : CaptionOf(*control)) << "\" | tip \"" << control->ToolTipText()
            << "\" | tag \"" << control->Tag() << "\" | hint " << control->HelpContextID() << " | "
            << (control->Visible() ? "visible" : "hidden") << " | in "
            << (control->Container() ? control->Container()->Name() : std::string("form")) << " | "
            << control->Left() << ", " << control->Top() << ", " << control->Width() << ", " << control->Height()
            << "\n";
    }
    return out.str();
}

std::string Golden(const std::string& formName) {
    std::ifstream in(std::string(QUILLET_TESTS_DIR) + "/forms/golden/" + formName + ".txt", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// What every form keeps, whatever its design.
void CheckInvariants(const Form& form) {
    SCOPED_TRACE(form.Name());
    using namespace platform::toolkit;
    std::set<std::string> stops;
    for (const std::string& stop : TabStops(form)) EXPECT_TRUE(stops.insert(stop).second) << stop << " twice";
    for (const Control* control : form.Controls()) {
        SCOPED_TRACE(control->DisplayName());
        // Inside its container: the client area, or the frame holding it.
        const int32_t width = control->Container() ? control->Container()->Width() : form.ScaleWidth();
        const int32_t height = control->Container() ? control->Container()->Height() : form.ScaleHeight();
        EXPECT_GE(control->Left(), 0);
        EXPECT_GE(control->Top(), 0);
        EXPECT_LE(control->Left() + control->Width(), width);
        EXPECT_LE(control->Top() + control->Height(), height);
        EXPECT_TRUE(control->Enabled());
        // Every control that can take the focus is a tab stop, once.
        if (control->TakesFocus() && control->TabStop()) {
            EXPECT_TRUE(stops.count(control->DisplayName()));
        }
        // An icon button shows a picture and says what it does in its tool tip.
        if (control->Kind() == ControlKind::CommandButton &&
            static_cast<const CommandButton*>(control)->IsIconButton()) {
            EXPECT_EQ(CaptionOf(*control), "");
            EXPECT_FALSE(control->ToolTipText().empty());
        }
        // Only fields a person types into are required.
        if (control->Tag() == "required") {
            EXPECT_TRUE(control->Kind() == ControlKind::TextBox || control->Kind() == ControlKind::ComboBox);
        }
    }
    if (form.DefaultButton()) {
        EXPECT_NE(form.DefaultButton(), form.CancelButton());
    }
}

}  // namespace

TEST(DesignerValues, EachFormIsAsDesigned) {
    const std::vector<std::shared_ptr<Form>> forms{std::make_shared<frmQuillet>(), std::make_shared<frmSetup>(),
                                                   std::make_shared<frmProjInfo>(), std::make_shared<frmFolderMessage>()};
    for (const auto& form : forms) {
        const std::string actual = Describe(*form);
        if (actual != Golden(form->Name())) {
            // What the form holds now, beside the golden text, for a person to compare.
            const auto written = std::filesystem::temp_directory_path() / (form->Name() + ".designer.txt");
            std::ofstream(written, std::ios::binary) << actual;
            ADD_FAILURE() << form->Name() << " differs from tests/forms/golden/" << form->Name() << ".txt; it is now "
                          << written.string();
        }
        CheckInvariants(*form);
    }
}

TEST(DesignerValues, TheSaveFormShowsTheProductsAddressInBlue) {
    frmQuillet form;
    EXPECT_EQ(form.lblWebSite.Caption(), QuilletWebAddress);
    EXPECT_EQ(form.lblWebSite.ForeColor(), 0xFF0000u);  // blue
    // Inside a frame, positions are relative to it.
    frmSetup setup;
    EXPECT_EQ(setup.txtSetup(3).FormLeft(), 345 + 1455);
    EXPECT_EQ(setup.txtSetup(3).FormTop(), 2820 + 660);
}

TEST(DesignerValues, TheFolderPromptHoldsPlaceholders) {
    frmFolderMessage form;
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
