// Opening, bringing to the front and closing windows, and the events each raises.
#include <gtest/gtest.h>

#include "outlook_recorder.h"

using sim::MailSetup;
using ::testing::ElementsAre;

namespace {

class OutlookWindowsTest : public OutlookTest {
protected:
    OutlookWindowsTest() { collection = outlook.Application()->Inspectors(); }
    std::shared_ptr<ol::Inspectors> collection;
    Recorder inspectors{log, "Inspectors"};
};

TEST_F(OutlookWindowsTest, EveryWindowRaisesNewInspectorWithItsItemThenComesToTheFront) {
    platform::com::WithEvents<ol::Inspectors, ol::InspectorsEvents> subscription(&inspectors);
    subscription = collection;
    int32_t countSeen = -1;
    struct CountOnOpen : ol::InspectorsEvents {
        std::shared_ptr<ol::Application> app;
        int32_t* seen;
        std::shared_ptr<ol::Inspector> frontSeen;
        void NewInspector(const std::shared_ptr<ol::Inspector>&) override {
            *seen = app->Inspectors()->Count();
            frontSeen = app->ActiveInspector();
        }
    } counter;
    counter.app = outlook.Application();
    counter.seen = &countSeen;
    collection->Advise(&counter);

    auto mail = outlook.OpenMail();
    EXPECT_EQ(countSeen, 1) << "the new window counts among the open ones while NewInspector runs";
    EXPECT_EQ(counter.frontSeen, nullptr) << "the new window is not in front before its handlers ran";
    outlook.OpenAppointment();
    outlook.OpenContact();
    collection->Unadvise(&counter);

    EXPECT_THAT(log, ElementsAre("Inspectors NewInspector 43", "Inspectors NewInspector 26",
                                 "Inspectors NewInspector 40"));
    EXPECT_EQ(inspectors.windows.front(), mail);
    EXPECT_EQ(collection->Count(), 3);
    EXPECT_EQ(outlook.Application()->ActiveInspector(), outlook.Window(3));
    EXPECT_EQ(outlook.Window(1)->CurrentItem()->Class(), ol::olMail);
}

TEST_F(OutlookWindowsTest, EditorsAndWordMail) {
    auto word = outlook.OpenMail({.editor = ol::olEditorWord});
    auto plain = outlook.OpenMail({.editor = ol::olEditorText});
    auto contact = outlook.OpenContact();
    EXPECT_TRUE(word->IsWordMail());
    EXPECT_EQ(word->EditorType(), 4);
    EXPECT_FALSE(plain->IsWordMail());
    EXPECT_EQ(plain->EditorType(), 1);
    EXPECT_FALSE(contact->IsWordMail());
}

TEST_F(OutlookWindowsTest, ActivatingRaisesActivateAndTheLastActivatedMailIsTheCurrentOne) {
    auto first = outlook.OpenMail({.subject = "first"});
    outlook.OpenMail({.subject = "second"});
    Recorder firstEvents(log, "first");
    first->Advise(&firstEvents);

    outlook.OpenAppointment();
    EXPECT_EQ(outlook.CurrentMail()->State().subject, "second") << "an appointment is not a mail window";
    outlook.ActivateWindow(1);
    EXPECT_EQ(outlook.ActiveWindow(), first);
    EXPECT_EQ(outlook.CurrentMail()->State().subject, "first");
    EXPECT_THAT(log, ElementsAre("first Activate"));
    first->Unadvise(&firstEvents);

    EXPECT_THROW(outlook.ActivateWindow(4), sim::OutlookStepRefused);
    EXPECT_THROW(outlook.ActivateWindow(0), sim::OutlookStepRefused);
}

TEST_F(OutlookWindowsTest, ClosingRaisesItemCloseThenWindowCloseAndBringsBackTheWindowActivatedBefore) {
    auto one = outlook.OpenMail({.subject = "one"});
    auto two = outlook.OpenMail({.subject = "two"});
    auto three = outlook.OpenMail({.subject = "three"});
    outlook.ActivateWindow(1);
    outlook.ActivateWindow(3);
    Recorder window(log, "window"), item(log, "item");
    three->Advise(&window);
    three->Mail()->Advise(&item);

    EXPECT_TRUE(outlook.CloseWindow());
    EXPECT_THAT(log, ElementsAre("item ItemClose", "window Close"));
    EXPECT_FALSE(three->IsOpen());
    EXPECT_EQ(outlook.ActiveWindow(), one) << "window 1 came to the front after window 2";
    EXPECT_EQ(outlook.Application()->Inspectors()->Count(), 2);
    EXPECT_EQ(outlook.CurrentMail(), three->Mail()) << "the closed window's item stays reachable";
    EXPECT_THROW(outlook.ActivateWindow(3), sim::OutlookStepRefused);

    outlook.CloseWindow();
    EXPECT_EQ(outlook.ActiveWindow(), two);
    outlook.CloseWindow();
    EXPECT_EQ(outlook.Application()->ActiveInspector(), nullptr);
    EXPECT_THROW(outlook.CloseWindow(), sim::OutlookStepRefused);
    three->Unadvise(&window);
    three->Mail()->Unadvise(&item);
}

TEST_F(OutlookWindowsTest, AnItemThatCancelsItsCloseKeepsTheWindowOpen) {
    auto mail = outlook.OpenMail();
    Recorder window(log, "window"), item(log, "item");
    item.cancelClose = true;
    mail->Advise(&window);
    mail->Mail()->Advise(&item);

    EXPECT_FALSE(outlook.CloseWindow());
    EXPECT_THAT(log, ElementsAre("item ItemClose"));
    EXPECT_TRUE(mail->IsOpen());
    EXPECT_EQ(outlook.ActiveWindow(), mail);
    mail->Unadvise(&window);
    mail->Mail()->Unadvise(&item);
}

TEST_F(OutlookWindowsTest, AnotherKindOfWindowClosesWithoutAnItemClose) {
    auto contact = outlook.OpenContact();
    Recorder window(log, "window");
    contact->Advise(&window);
    outlook.CloseWindow();
    EXPECT_THAT(log, ElementsAre("window Close"));
    contact->Unadvise(&window);
}

TEST_F(OutlookWindowsTest, AFailingHandlerDoesNotStopTheWindowFromOpening) {
    struct Throwing : ol::InspectorsEvents {
        void NewInspector(const std::shared_ptr<ol::Inspector>&) override {
            platform::RaiseStandard(platform::err::ObjectNotSet);
        }
    } throwing;
    collection->Advise(&throwing);
    collection->Advise(&inspectors);
    auto mail = outlook.OpenMail();
    EXPECT_THAT(log, ElementsAre("Inspectors NewInspector 43")) << "the sink after the failing one is reached";
    EXPECT_EQ(outlook.ActiveWindow(), mail);
    collection->Unadvise(&throwing);
    collection->Unadvise(&inspectors);
}

}  // namespace
