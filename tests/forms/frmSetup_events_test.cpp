// The setup form, shown modally, raises one event per action of the person, with the
// field numbers and indexes the controller expects.
#include <gtest/gtest.h>

#include "addin/forms/web_addresses.h"
#include "tests/forms/form_fixture.h"

using namespace forms_test;

namespace {
class SetupFormEvents : public FormFixture<frmSetup, frmSetupEvents, SetupRecorder> {
protected:
    void SetUp() override {
        form = Open();
        form->cboWorkType.AddItem("Project");
        form->cboWorkType.AddItem("Job");
    }
    // Shows the form modally; the person does `actions` in it, then closes it.
    void InTheForm(const std::function<void()>& actions) {
        person.WhenModal([&](platform::toolkit::Form&) {
            sink.Take();
            actions();
            person.CloseBox(*form);
        });
        form->Show(platform::toolkit::vbModal);
    }
    std::shared_ptr<frmSetup> form;
};
}  // namespace

TEST_F(SetupFormEvents, OpeningFocusesTheFirstTabStopQuietly) {
    InTheForm([&] { EXPECT_EQ(form->ActiveControl(), &form->optDbType(1)); });
    EXPECT_EQ(sink.Take(), Log{});
    EXPECT_FALSE(form->Loaded());
}

TEST_F(SetupFormEvents, EachTextFieldReportsItsIndex) {
    InTheForm([&] {
        for (int16_t index : {0, 1, 2, 3, 4, 5}) person.Set(form->txtSetup(index), "x" + std::to_string(index));
        person.Focus(form->cmdSetup(1));
    });
    Log expected;
    for (int index : {0, 1, 2, 3, 4, 5}) {
        std::string i = std::to_string(index);
        if (index > 0) expected.push_back("SetupFieldLostFocus " + std::to_string(index - 1));
        expected.insert(expected.end(), {"SetupFieldGotFocus " + i, "SetupFieldChange " + i});
    }
    expected.push_back("SetupFieldLostFocus 5");
    EXPECT_EQ(sink.Take(), expected);
}

TEST_F(SetupFormEvents, TheWorkUnitBoxIsFieldSixAndReportsItsText) {
    sink.onKey = [](int16_t& key) {
        if (key == 'j') key = 'J';
    };
    InTheForm([&] {
        person.Type(form->cboWorkType, "jo");
        person.Pick(form->cboWorkType, 0);
        person.Focus(form->txtSetup(0));
    });
    EXPECT_EQ(sink.Take(), (Log{"SetupFieldGotFocus 6", "SetupListKeyPress  106", "SetupListChange J",
                                "SetupListKeyPress J 111", "SetupListChange Jo", "SetupListClick Project 0",
                                "SetupFieldLostFocus 6", "SetupFieldGotFocus 0"}));
    EXPECT_EQ(form->cboWorkType.Text(), "Project");
}

TEST_F(SetupFormEvents, BrowseAndFormButtonsReportTheirIndexes) {
    InTheForm([&] {
        for (int16_t index : {0, 1, 2, 3}) person.Press(form->cmdBrowse(index));
        for (int16_t index : {0, 1}) person.Press(form->cmdSetup(index));
    });
    EXPECT_EQ(sink.Take(), (Log{"BrowseClicked 0", "BrowseClicked 1", "BrowseClicked 2", "BrowseClicked 3",
                                "ButtonClicked 0", "ButtonClicked 1"}));
}

TEST_F(SetupFormEvents, EnterReturnsThroughTheDefaultButtonAndEscDoesNothing) {
    InTheForm([&] {
        person.Key(form->txtSetup(4), 13);
        person.Key(form->txtSetup(4), 27);
    });
    EXPECT_EQ(sink.Take(), (Log{"SetupFieldGotFocus 4", "ButtonClicked 0"}));
}

TEST_F(SetupFormEvents, EitherDatabaseOptionReportsOneClick) {
    InTheForm([&] {
        person.Click(form->optDbType(0));
        person.Click(form->optDbType(1));
        form->optDbType(0).SetValue(true);  // the program choosing: once, when it changes
        form->optDbType(0).SetValue(true);
        form->optDbType(1).SetEnabled(false);
        EXPECT_FALSE(person.Click(form->optDbType(1)));
    });
    EXPECT_EQ(sink.Take(), (Log{"SetupDbTypeOptionClick", "SetupDbTypeOptionClick", "SetupDbTypeOptionClick"}));
    EXPECT_TRUE(form->optDbType(0).Value());
    EXPECT_FALSE(form->optDbType(1).Value());
    EXPECT_EQ(person.TakeProblems(),
              std::vector<std::string>{"cannot click frmSetup.optDbType(1): optDbType(1) is disabled"});
}

TEST_F(SetupFormEvents, TheWebLabelsGiveTheirTags) {
    InTheForm([&] {
        person.Click(form->lblWebSite(0));
        person.Click(form->lblWebSite(1));
    });
    EXPECT_EQ(sink.Take(), (Log{std::string("SetupWebLabelClick ") + QuilletWebAddress,
                                std::string("SetupWebLabelClick ") + PlexarWebAddress}));
}

TEST_F(SetupFormEvents, FieldsOfAHiddenSettingsFrameTakeNoInput) {
    InTheForm([&] {
        form->fraSettings.SetVisible(false);
        EXPECT_FALSE(person.Type(form->txtSetup(2), "=>"));
        EXPECT_FALSE(person.Press(form->cmdBrowse(1)));
        person.Key(form->txtSetup(4), 9);
        EXPECT_EQ(form->ActiveControl(), &form->cmdBrowse(2));
        person.Key(form->cmdBrowse(2), 9);  // Tab skips the hidden fields
        EXPECT_EQ(form->ActiveControl(), &form->cmdSetup(0));
    });
    EXPECT_EQ(sink.Take(), (Log{"SetupFieldGotFocus 4", "SetupFieldLostFocus 4"}));
    EXPECT_EQ(person.TakeProblems().size(), 2u);
}
