// The simulated Outlook through Outlook's automation interfaces, as an add-in in
// another module meets it: stand-ins over the served objects call them by name through
// IDispatch and hear their events through connection points.
#include <gtest/gtest.h>

#include "outlook_recorder.h"
#include "platform/com/dispatch_client.h"
#include "platform/com/dispatch_server.h"
#include "platform/outlook/outlook_bridge.h"

namespace com = platform::com;
namespace automation = platform::outlook::automation;
using ::testing::ElementsAre;

namespace {

// What a client in another module holds: a stand-in over the served object.
template <class X>
std::shared_ptr<X> Across(const std::shared_ptr<X>& object) {
    com::abi::IUnknown* served = automation::Serve<X>(object);
    auto standIn = automation::StandInFor<X>(served);
    served->Release();
    return standIn;
}

template <class X>
bool IsStandIn(const std::shared_ptr<X>& object) {
    return dynamic_cast<const com::DispatchClient*>(object.get()) != nullptr;
}

template <class F>
platform::ErrorInfo FailureOf(F&& call) {
    try {
        call();
    } catch (const platform::ErrorInfo& failure) {
        return failure;
    }
    ADD_FAILURE() << "the call did not fail";
    return platform::ErrorInfo(0, "");
}

class OutlookAutomationTest : public OutlookTest {
protected:
    std::shared_ptr<ol::Application> app = Across<ol::Application>(outlook.Application());
};

TEST_F(OutlookAutomationTest, MembersAnswerByNameAndAnItemIsWhatItsClassSays) {
    outlook.SetVersion(9);
    outlook.SetUser("Operator");
    EXPECT_EQ(app->Version(), "9.0.0.0");
    EXPECT_EQ(app->GetNamespace("mapi")->CurrentUser()->Name(), "Operator");
    outlook.OpenMail({.subject = "Roof", .recipients = 2, .attachments = 1, .editor = ol::olEditorWord});

    auto window = app->ActiveInspector();
    ASSERT_TRUE(IsStandIn(window));
    EXPECT_TRUE(window->IsWordMail());
    EXPECT_EQ(window->EditorType(), ol::olEditorWord);
    EXPECT_EQ(app->Inspectors()->Count(), 1);
    auto mail = std::dynamic_pointer_cast<ol::MailItem>(window->CurrentItem());
    ASSERT_TRUE(mail) << "an item of class 43 arrives as a mail item";
    EXPECT_EQ(window->CurrentItem(), mail) << "the same object is the same stand-in";
    EXPECT_EQ(mail->Class(), ol::olMail);
    EXPECT_FALSE(mail->Sent());
    EXPECT_EQ(mail->Attachments()->Count(), 1);
    EXPECT_EQ(mail->Recipients()->Count(), 2);
    mail->Subject("Dach für Zürich");
    mail->HTMLBody("<BODY>é</BODY>");
    EXPECT_EQ(outlook.CurrentMail()->State().subject, "Dach für Zürich");
    EXPECT_EQ(mail->Subject(), "Dach für Zürich");
    EXPECT_EQ(mail->HTMLBody(), "<BODY>é</BODY>");

    outlook.OpenAppointment();
    auto item = app->ActiveInspector()->CurrentItem();
    EXPECT_EQ(item->Class(), ol::olAppointment);
    EXPECT_FALSE(std::dynamic_pointer_cast<ol::MailItem>(item));
    EXPECT_TRUE(std::dynamic_pointer_cast<ol::AppointmentItem>(item));
}

TEST_F(OutlookAutomationTest, CommandBarsAnswerWithOfficesNamesAndAButtonIsWhatItsTypeSays) {
    auto window = outlook.OpenMail({.leftoverButtons = 1});
    auto bars = Across<ol::Inspector>(window)->CommandBars();
    auto left = std::dynamic_pointer_cast<ol::CommandBarButton>(
        bars->FindControl(ol::msoControlButton, sim::Outlook::kAddinButtonTag));
    ASSERT_TRUE(left) << "a control of type 1 arrives as a button";
    EXPECT_EQ(left->Caption(), "Quil&let");

    auto standard = bars->Item("standard");
    EXPECT_EQ(standard->Name(), "Standard");
    auto added = standard->Controls()->Add(ol::msoControlButton, 0, "3", 4, true);
    EXPECT_EQ(standard->Controls()->Item(4), added);
    EXPECT_EQ(added->Parameter(), "3");
    auto button = std::dynamic_pointer_cast<ol::CommandBarButton>(added);
    ASSERT_TRUE(button);
    button->Caption("SaveToProject");
    button->BeginGroup(true);
    standard->Protection(ol::msoBarNoChangeVisible);
    auto placed = std::dynamic_pointer_cast<sim::SimCommandBarButton>(window->Bars()->Bar("Standard")->Row()->All()[3]);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->Caption(), "SaveToProject");
    EXPECT_TRUE(placed->BeginGroup());
    EXPECT_TRUE(placed->temporary);
    EXPECT_EQ(window->Bars()->Bar("Standard")->Protection(), ol::msoBarNoChangeVisible);

    EXPECT_FALSE(std::dynamic_pointer_cast<ol::CommandBarButton>(bars->Item("Formatting")->Controls()->Item(1)))
        << "a combo box is a control, not a button";
    left->Delete();
    EXPECT_EQ(bars->FindControl(ol::msoControlButton, sim::Outlook::kAddinButtonTag), nullptr);
}

TEST_F(OutlookAutomationTest, FailuresArriveWithOutlooksNumbersAndDescriptions) {
    outlook.OpenMail({.recipients = 0});
    auto mail = std::dynamic_pointer_cast<ol::MailItem>(app->ActiveInspector()->CurrentItem());
    ASSERT_TRUE(mail);

    outlook.FailNext(sim::OutlookCall::SaveAs, platform::err::OutlookRefused);
    auto refused = FailureOf([&] { mail->SaveAs("C:\\Roof.msg", ol::olMSG); });
    EXPECT_EQ(refused.Number, 287);
    EXPECT_EQ(refused.Description, platform::StandardDescription(287));
    EXPECT_EQ(refused.Source, "Microsoft Outlook");

    auto unsent = FailureOf([&] { mail->Send(); });
    EXPECT_EQ(unsent.Number, int32_t(0x80004005u));
    EXPECT_EQ(unsent.Description, "There must be at least one name or distribution list in the To, Cc, or Bcc box.");
    EXPECT_EQ(FailureOf([&] { app->GetNamespace("CDO"); }).Number, int32_t(0x80070057u));

    // COM's own failures: a name the object does not have, an argument left out.
    auto* served = automation::Serve<ol::Application>(outlook.Application());
    void* dispatch = nullptr;
    ASSERT_EQ(served->QueryInterface(com::abi::IID_IDispatch, &dispatch), com::abi::hr::Ok);
    auto* object = static_cast<com::abi::IDispatch*>(dispatch);
    com::DispatchName unknown{"Folders"}, getNamespace{"GetNamespace"};
    EXPECT_EQ(FailureOf([&] { com::InvokeByName(object, unknown, com::abi::dispatch::PropertyGet, nullptr, 0); })
                  .Number,
              438);
    EXPECT_EQ(FailureOf([&] { com::InvokeByName(object, getNamespace, com::abi::dispatch::Method, nullptr, 0); })
                  .Number,
              449);
    object->Release();
    served->Release();
}

TEST_F(OutlookAutomationTest, EventsArriveThroughConnectionPointsAndCancelGoesBack) {
    Recorder recorder(log, "A");
    com::WithEvents<ol::Inspectors, ol::InspectorsEvents> windows(&recorder);
    windows = app->Inspectors();
    outlook.OpenMail({.subject = "One", .leftoverButtons = 1});
    EXPECT_THAT(log, ElementsAre("A NewInspector 43"));
    ASSERT_EQ(recorder.windows.size(), 1u);
    ASSERT_TRUE(IsStandIn(recorder.windows[0]));

    com::WithEvents<ol::MailItem, ol::MailItemEvents> mail(&recorder);
    mail = std::dynamic_pointer_cast<ol::MailItem>(recorder.windows[0]->CurrentItem());
    recorder.cancelClose = true;
    EXPECT_FALSE(outlook.CloseWindow()) << "the sink's Cancel reached Outlook";
    recorder.cancelSend = true;
    mail->Send();
    EXPECT_FALSE(outlook.CurrentMail()->State().sentHere) << "the sink cancelled the send";

    auto button = std::dynamic_pointer_cast<ol::CommandBarButton>(recorder.windows[0]->CommandBars()->FindControl(
        ol::msoControlButton, sim::Outlook::kAddinButtonTag));
    com::WithEvents<ol::CommandBarButton, ol::CommandBarButtonEvents> clicks(&recorder);
    clicks = button;
    log.clear();
    outlook.ClickButton();
    EXPECT_THAT(log, ElementsAre("A Click"));
    ASSERT_EQ(recorder.clicked.size(), 1u);
    EXPECT_EQ(recorder.clicked[0], button) << "the clicked button is the stand-in the sink follows";
}

TEST_F(OutlookAutomationTest, AStandInConnectsWhileAnySinkListensAndLeavesNothingBehind) {
    auto window = outlook.OpenMail();
    const long held = window.use_count();
    auto* served = automation::Serve<ol::Inspector>(window);
    com::DispatchServer* server = com::DispatchServer::OfThisModule(served);
    ASSERT_NE(server, nullptr);
    auto inspector = automation::StandInFor<ol::Inspector>(served);
    served->Release();

    Recorder first(log, "1"), second(log, "2");
    EXPECT_EQ(server->Connections(), 0u) << "nobody listens yet";
    inspector->Advise(&first);
    inspector->Advise(&second);
    EXPECT_EQ(server->Connections(), 1u) << "one connection carries the events to every sink of the stand-in";
    window->RaiseActivate();
    EXPECT_THAT(log, ElementsAre("1 Activate", "2 Activate"));
    inspector->Unadvise(&first);
    EXPECT_EQ(server->Connections(), 1u);
    inspector->Unadvise(&second);
    EXPECT_EQ(server->Connections(), 0u);
    window->RaiseActivate();
    EXPECT_EQ(log.size(), 2u) << "no event after the last sink left";

    // A sink that lets go of the last stand-in while the window's Close reaches it.
    struct LettingGo : ol::InspectorEvents {
        void Activate() override {}
        void Close() override {
            ++closes;
            held = nullptr;
        }
        int closes = 0;
        com::WithEvents<ol::Inspector, ol::InspectorEvents> held{this};
    } lettingGo;
    lettingGo.held = inspector;
    inspector = nullptr;
    outlook.CloseWindow();
    EXPECT_EQ(lettingGo.closes, 1);
    EXPECT_EQ(window.use_count(), held) << "the served object and its connection are gone with the stand-in";
}

TEST_F(OutlookAutomationTest, AnObjectComesBackToItsModuleAsItselfAndAStandInCrossesAsWhatItStandsFor) {
    auto* served = automation::Serve<ol::Application>(outlook.Application());
    EXPECT_EQ(com::Bridge<ol::Application>::Import(served), outlook.Application());
    com::abi::IUnknown* back = com::Bridge<ol::Application>::Export(automation::StandInFor<ol::Application>(served));
    EXPECT_EQ(back, served);
    back->Release();
    served->Release();
}

}  // namespace
