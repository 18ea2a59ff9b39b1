// A whole filing against the simulated Outlook, by a small add-in that follows the new
// windows, puts its button on each mail window and files the mail on a click: what the
// real add-in does, cut to the calls Outlook sees.
#include <gtest/gtest.h>

#include "hosts/mail/msg_file.h"
#include "outlook_recorder.h"
#include "platform/files/posix/prefix.h"

namespace {

constexpr const char* kTag = sim::Outlook::kAddinButtonTag;

class Filer : public ol::InspectorsEvents, public ol::CommandBarButtonEvents {
public:
    explicit Filer(std::shared_ptr<ol::Application> app) : app_(std::move(app)) { inspectors = app_->Inspectors(); }

    void NewInspector(const std::shared_ptr<ol::Inspector>& window) override {
        if (window->CurrentItem()->Class() != ol::olMail) return;
        auto bars = window->CommandBars();
        while (auto old = bars->FindControl(ol::msoControlButton, kTag)) old->Delete();
        auto control = bars->Item("Standard")->Controls()->Add(
            ol::msoControlButton, 0, std::to_string(app_->Inspectors()->Count() - 1), 4, true);
        auto added = std::dynamic_pointer_cast<ol::CommandBarButton>(control);
        added->Tag(kTag);
        added->Caption("Quil&let");
        button = added;
    }
    void Click(const std::shared_ptr<ol::CommandBarButton>&, bool&) override {
        auto mail = std::dynamic_pointer_cast<ol::MailItem>(app_->ActiveInspector()->CurrentItem());
        std::string path = "P:\\Jobs\\" + mail->Subject() + ".msg";
        mail->HTMLBody(mail->HTMLBody() + "<P>" + path + "</P>");
        mail->SaveAs(path, ol::olMSG);
        mail->Send();
    }

    platform::com::WithEvents<ol::Inspectors, ol::InspectorsEvents> inspectors{this};
    platform::com::WithEvents<ol::CommandBarButton, ol::CommandBarButtonEvents> button{this};

private:
    std::shared_ptr<ol::Application> app_;
};

class OutlookFilingTest : public OutlookTest {
protected:
    OutlookFilingTest() {
        platform::files::Prefix::MapDrive("P:", platform::files::DriveType::Remote);
        machine.Write("P:\\Jobs\\.keep", "");
    }
    Filer filer{outlook.Application()};
};

TEST_F(OutlookFilingTest, TheButtonReplacesLeftoversAndAClickFilesAndSendsTheMail) {
    auto window = outlook.OpenMail({.subject = "Roof", .html = "<BODY>Hi</BODY>", .leftoverButtons = 2});
    EXPECT_EQ(outlook.AddinButtonCount(), 1);
    EXPECT_EQ(outlook.AddinButtonCaption(), "Quil&let");
    EXPECT_EQ(window->CommandBars()->Item("Standard")->Controls()->Item(4)->Tag(), kTag);
    EXPECT_EQ(window->CommandBars()->FindControl(ol::msoControlButton, kTag)->Parameter(), "0");

    outlook.ClickButton();
    const auto& mail = outlook.CurrentMail()->State();
    EXPECT_TRUE(mail.sent);
    EXPECT_EQ(mail.saved, std::vector<std::string>{"P:\\Jobs\\Roof.msg"});
    EXPECT_EQ(mail::ReadMsg(machine.Read("P:\\Jobs\\Roof.msg")).html, "<BODY>Hi</BODY><P>P:\\Jobs\\Roof.msg</P>");
    EXPECT_FALSE(window->IsOpen()) << "the sent mail's window closed while its button's click ran";
    EXPECT_TRUE(window->Bars()->Tagged(kTag).empty());
}

TEST_F(OutlookFilingTest, TheOlderWindowsButtonReachesTheAddInThroughTheNewerOnesTag) {
    outlook.OpenMail({.subject = "Older"});
    outlook.OpenAppointment();
    auto newer = outlook.OpenMail({.subject = "Newer"});
    EXPECT_EQ(newer->CommandBars()->FindControl(ol::msoControlButton, kTag)->Parameter(), "2");

    outlook.ActivateWindow(1);
    outlook.ClickButton();
    EXPECT_TRUE(outlook.Window(1)->Mail()->State().sent);
    EXPECT_FALSE(newer->Mail()->State().sent);
    EXPECT_EQ(outlook.ActiveWindow(), newer);
    EXPECT_EQ(mail::ReadMsg(machine.Read("P:\\Jobs\\Older.msg")).subject, "Older");
}

TEST_F(OutlookFilingTest, ARefusedSaveLeavesTheMailUnsentAndItsWindowOpen) {
    auto window = outlook.OpenMail({.subject = "Roof"});
    outlook.FailNext(sim::OutlookCall::SaveAs, 287);
    outlook.ClickButton();
    EXPECT_FALSE(outlook.CurrentMail()->State().sent);
    EXPECT_TRUE(outlook.CurrentMail()->State().saved.empty());
    EXPECT_TRUE(window->IsOpen());
    outlook.ClickButton();
    EXPECT_TRUE(outlook.CurrentMail()->State().sent) << "the failure was for one call only";
}

}  // namespace
