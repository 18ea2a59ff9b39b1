// The subscription member: assigning a form subscribes, null or another form
// unsubscribes and releases; failures in a subscriber stay at the form.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/errors/errors.h"
#include "tests/forms/form_fixture.h"

using namespace forms_test;

using Subscription = FormFixture<frmQuillet, frmQuilletEvents, QuilletRecorder>;

TEST_F(Subscription, AssigningSubscribesAndNullUnsubscribesAndReleases) {
    auto form = std::make_shared<frmQuillet>();
    std::weak_ptr<frmQuillet> watch = form;
    member = form;
    form->txtSaveAsName.SetText("a");
    member = nullptr;
    form->txtSaveAsName.SetText("b");
    EXPECT_EQ(sink.Take(), Log{"SaveAsNameChanged"});
    form.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(Subscription, ANewFormForEachOpeningReplacesTheOldSubscription) {
    auto first = Open();
    auto second = Open();
    first->txtSaveFolder.SetText("old");
    second->txtSaveAsName.SetText("new");
    EXPECT_EQ(sink.Take(), Log{"SaveAsNameChanged"});
    EXPECT_EQ(member.get(), second);
}

TEST_F(Subscription, EverySubscriberHearsEachEventOnce) {
    QuilletRecorder other;
    platform::toolkit::WithEvents<frmQuillet, frmQuilletEvents> otherMember{&other};
    auto form = Open();
    otherMember = form;
    form->cmdQuillet(3).RaiseClick();
    EXPECT_EQ(sink.Take(), Log{"ButtonClicked 3"});
    EXPECT_EQ(other.Take(), Log{"ButtonClicked 3"});
}

TEST_F(Subscription, AFailureInASubscriberReachesNeitherTheOtherSubscribersNorThePerson) {
    QuilletRecorder other;
    platform::toolkit::WithEvents<frmQuillet, frmQuilletEvents> otherMember{&other};
    auto form = Open();
    otherMember = form;
    sink.then = [](const std::string& line) {
        if (line.starts_with("ButtonClicked")) platform::Raise(9, "Subscript out of range");
        if (line.starts_with("SaveAsName")) throw std::logic_error("not an ErrorInfo");
    };
    form->Show();
    sink.Take();
    other.Take();
    EXPECT_TRUE(person.Click(form->cmdQuillet(5)));
    EXPECT_TRUE(person.Type(form->txtSaveAsName, "x"));
    EXPECT_EQ(other.Take(), (Log{"ProjectComboLostFocus", "ButtonClicked 5", "SaveAsNameGotFocus 2",
                                 "SaveAsNameChanged"}));
    EXPECT_EQ(form->txtSaveAsName.Text(), "x");
}

TEST_F(Subscription, TheMemberReleasingTheFormFromItsOwnEventIsSafe) {
    auto form = Open();
    form->Show();
    std::weak_ptr<frmQuillet> watch = form;
    platform::toolkit::Control& cancel = form->cmdQuillet(4);
    form.reset();
    sink.then = [&](const std::string& line) {
        if (line == "ButtonClicked 4") {
            member->Unload();
            member = nullptr;
        }
    };
    sink.Take();
    EXPECT_TRUE(person.Click(cancel));
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboLostFocus", "ButtonClicked 4", "FormUnload 0"}));
}
