// The folder prompt, shown modally, raises one event per action of the person.
#include <gtest/gtest.h>

#include "tests/forms/form_fixture.h"

using namespace forms_test;

namespace {
class FolderPromptEvents : public FormFixture<frmFolderMessage, frmFolderMessageEvents, FolderMessageRecorder> {
protected:
    void SetUp() override {
        form = Open();
        sink.then = [this](const std::string& line) {
            if (line == "FormActivate") form->txtFolderMessage(1).SetFocus();
            if (line.starts_with("ButtonClicked")) {
                member->Unload();
                member = nullptr;
            }
        };
    }
    std::shared_ptr<frmFolderMessage> form;
};
}  // namespace

TEST_F(FolderPromptEvents, OkWithTheMouseAfterEditingTheName) {
    person.WhenModal([&](platform::toolkit::Form&) {
        person.Set(form->txtFolderMessage(1), "P:\\Jobs\\New");
        person.Type(form->txtFolderMessage(1), "\b2");
        person.Click(form->cmdFolderMessage(0));
    });
    form->Show(platform::toolkit::vbModal);
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "FolderMessageFieldGotFocus 1", "FolderMessageFieldChange 1",
                                "FolderMessageFieldChange 1", "FolderMessageFieldChange 1",
                                "FolderMessageFieldLostFocus 1", "ButtonMouseDown 0 1 0 607.5 187.5",
                                "ButtonClicked 0"}));
    EXPECT_EQ(form->txtFolderMessage(1).Text(), "P:\\Jobs\\Ne2");
    EXPECT_FALSE(form->Loaded());
}

TEST_F(FolderPromptEvents, EnterIsOkAndEscIsCancelFromTheKeyboard) {
    person.WhenModal([&](platform::toolkit::Form&) { person.Key(form->txtFolderMessage(1), 27); });
    form->Show(platform::toolkit::vbModal);
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "FolderMessageFieldGotFocus 1", "ButtonClicked 1"}));

    form = Open();
    person.WhenModal([&](platform::toolkit::Form&) { person.Key(form->txtFolderMessage(1), 13); });
    form->Show(platform::toolkit::vbModal);
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "FolderMessageFieldGotFocus 1", "ButtonClicked 0"}));
}

TEST_F(FolderPromptEvents, TheMessageBoxIsReadOnlyForThePersonButNotForTheProgram) {
    person.WhenModal([&](platform::toolkit::Form&) {
        person.Type(form->txtFolderMessage(0), "x");
        form->txtFolderMessage(0).SetText("The folder \r\n\"P:\\x\" \r\n does not exist.");
        person.CloseBox(*form);
    });
    form->Show(platform::toolkit::vbModal);
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "FolderMessageFieldGotFocus 1", "FolderMessageFieldLostFocus 1",
                                "FolderMessageFieldGotFocus 0", "FolderMessageFieldChange 0"}));
}
