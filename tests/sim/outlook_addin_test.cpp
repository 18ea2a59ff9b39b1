// Connecting add-ins, unloading them and quitting: the calls each gets, their order,
// and failures that escape an add-in.
#include <gtest/gtest.h>

#include "outlook_recorder.h"
#include "platform/registry/registry.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// An add-in that notes every call it gets and follows Outlook's Quit and new windows.
class FakeAddIn : public ol::IDTExtensibility2, public ol::ApplicationEvents, public ol::InspectorsEvents {
public:
    FakeAddIn(EventLog& log, std::string name) : log_(&log), name_(std::move(name)) {}

    void* QueryInterface(const platform::com::Guid& iid) override {
        if (iid == ol::IDTExtensibility2::IID) return static_cast<ol::IDTExtensibility2*>(this);
        if (iid == platform::com::IUnknown::IID) return static_cast<platform::com::IUnknown*>(this);
        return nullptr;
    }
    void OnConnection(const std::shared_ptr<ol::Application>& application, int32_t mode,
                      const std::shared_ptr<platform::com::IUnknown>& instance, ol::CustomArray&) override {
        Note("OnConnection " + std::to_string(mode) + (instance ? " instance" : " no instance"));
        app = application;
        inspectors = application->Inspectors();
        Fail("OnConnection");
    }
    void OnDisconnection(int32_t mode, ol::CustomArray&) override {
        Note("OnDisconnection " + std::to_string(mode));
        Fail("OnDisconnection");
    }
    void OnAddInsUpdate(ol::CustomArray&) override { Note("OnAddInsUpdate"); }
    void OnStartupComplete(ol::CustomArray&) override {
        Note("OnStartupComplete");
        Fail("OnStartupComplete");
    }
    void OnBeginShutdown(ol::CustomArray&) override {
        Note("OnBeginShutdown");
        app = nullptr;
        Fail("OnBeginShutdown");
    }
    void Quit() override { Note("Quit"); }
    void NewInspector(const std::shared_ptr<ol::Inspector>&) override { Note("NewInspector"); }

    std::string failIn;  // the call that raises 91
    platform::com::WithEvents<ol::Application, ol::ApplicationEvents> app{this};
    platform::com::WithEvents<ol::Inspectors, ol::InspectorsEvents> inspectors{this};

private:
    void Note(const std::string& what) { log_->push_back(name_ + " " + what); }
    void Fail(const std::string& call) {
        if (call == failIn) platform::RaiseStandard(platform::err::ObjectNotSet);
    }
    EventLog* log_;
    std::string name_;
};

class OutlookAddInTest : public OutlookTest {
protected:
    std::shared_ptr<FakeAddIn> first = std::make_shared<FakeAddIn>(log, "A");
    std::shared_ptr<FakeAddIn> second = std::make_shared<FakeAddIn>(log, "B");
};

TEST_F(OutlookAddInTest, ConnectingHandsOverTheApplicationAtStartUp) {
    outlook.Connect(first, "Quillet.Connect");
    EXPECT_THAT(log, ElementsAre("A OnConnection 1 instance", "A OnStartupComplete"));
    EXPECT_EQ(first->app.get(), outlook.Application());
    EXPECT_THAT(outlook.ConnectedAddIns(), ElementsAre("Quillet.Connect"));
    EXPECT_THAT(outlook.Escaped(), IsEmpty());
}

TEST_F(OutlookAddInTest, QuitRaisesQuitThenShutsDownThenDisconnectsEachAddIn) {
    outlook.Connect(first, "A.Connect");
    outlook.Connect(second, "B.Connect");
    auto window = outlook.OpenMail();
    log.clear();

    outlook.Quit();
    EXPECT_THAT(log, ElementsAre("A Quit", "B Quit", "A OnBeginShutdown", "B OnBeginShutdown",
                                 "A OnDisconnection 0", "B OnDisconnection 0"));
    EXPECT_THAT(outlook.ConnectedAddIns(), IsEmpty());
    EXPECT_TRUE(window->IsOpen()) << "the windows stay to be looked at";
    EXPECT_THROW(outlook.OpenMail(), sim::OutlookStepRefused);
    EXPECT_THROW(outlook.Quit(), sim::OutlookStepRefused);
    EXPECT_THROW(outlook.Connect(first, "A.Connect"), sim::OutlookStepRefused);
}

TEST_F(OutlookAddInTest, DisconnectingLeavesOutlookRunningAndItsEventsFlowing) {
    outlook.Connect(first, "A.Connect");
    outlook.OpenMail();
    log.clear();

    outlook.Disconnect();
    EXPECT_THAT(log, ElementsAre("A OnDisconnection 1"));
    EXPECT_THAT(outlook.ConnectedAddIns(), IsEmpty());
    EXPECT_EQ(outlook.Application()->Inspectors()->Count(), 1);

    outlook.OpenMail();
    outlook.Quit();
    EXPECT_THAT(log, ElementsAre("A OnDisconnection 1", "A NewInspector", "A Quit"))
        << "a disconnected add-in gets no shutdown calls, but its subscriptions still hear Outlook";
}

TEST_F(OutlookAddInTest, AFailureEscapingAnAddInIsNotedAndOutlookGoesOn) {
    first->failIn = "OnConnection";
    second->failIn = "OnBeginShutdown";
    outlook.Connect(first, "A.Connect");
    outlook.Connect(second, "B.Connect");
    outlook.Quit();
    EXPECT_THAT(outlook.Escaped(),
                ElementsAre("A.Connect OnConnection: 91 Object variable or With block variable not set",
                            "B.Connect OnBeginShutdown: 91 Object variable or With block variable not set"));
    EXPECT_THAT(log, ElementsAre("A OnConnection 1 instance", "A OnStartupComplete", "B OnConnection 1 instance",
                                 "B OnStartupComplete", "A Quit", "B Quit", "A OnBeginShutdown",
                                 "B OnBeginShutdown", "A OnDisconnection 0", "B OnDisconnection 0"));
}

TEST_F(OutlookAddInTest, VersionUserAndNameSpace) {
    EXPECT_EQ(outlook.Application()->Version(), "11.0.0.0");
    outlook.SetVersion(9);
    EXPECT_EQ(outlook.Application()->Version(), "9.0.0.0");
    outlook.SetUser("Operator");
    EXPECT_EQ(outlook.Application()->GetNamespace("MAPI")->CurrentUser()->Name(), "Operator");
    EXPECT_EQ(outlook.Application()->GetNamespace("mapi"), outlook.Application()->GetNamespace("MAPI"));
    EXPECT_THROW(outlook.Application()->GetNamespace("CDO"), platform::ErrorInfo);
}

}  // namespace

namespace {

TEST_F(OutlookAddInTest, StartLoadsOnlyTheAddInsListedToLoadAtStartUp) {
    using platform::registry::Hive;
    std::string key = sim::Outlook::kAddinsKey;
    platform::registry::SetDword(Hive::CurrentUser, key + "\\Missing.Connect", "LoadBehavior", 3);
    platform::registry::SetDword(Hive::CurrentUser, key + "\\Idle.Connect", "LoadBehavior", 2);
    platform::registry::SetString(Hive::CurrentUser, key + "\\Text.Connect", "LoadBehavior", "3");

    outlook.Start();
    EXPECT_THAT(outlook.Escaped(),
                ElementsAre("Missing.Connect load: 429 ActiveX component can't create object"))
        << "only the add-in listed with the number 3 is tried; it is not registered as a class";
    EXPECT_THAT(outlook.ConnectedAddIns(), IsEmpty());
    EXPECT_THROW(outlook.Start(), sim::OutlookStepRefused);
    outlook.OpenMail();
    EXPECT_EQ(outlook.Application()->Inspectors()->Count(), 1) << "Outlook runs without its add-ins";
}

}  // namespace
