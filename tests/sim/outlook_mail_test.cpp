// The mail item: its content, saving to a file, sending, and armed failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "outlook_recorder.h"
#include "platform/files/posix/prefix.h"

using platform::ErrorInfo;
using sim::OutlookCall;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class OutlookMailTest : public OutlookTest {
protected:
    OutlookMailTest() { platform::files::Prefix::MapDrive("P:", platform::files::DriveType::Remote); }

    std::shared_ptr<ol::MailItem> Item(const std::shared_ptr<sim::SimInspector>& window) {
        return std::dynamic_pointer_cast<ol::MailItem>(window->CurrentItem());
    }
    template <class F>
    int32_t FailureOf(F&& call) {
        try {
            call();
        } catch (const ErrorInfo& e) {
            return e.Number;
        }
        return 0;
    }
};

TEST_F(OutlookMailTest, ContentAsOpenedAndAsChanged) {
    auto window = outlook.OpenMail(
        {.subject = "Roof", .sent = true, .recipients = 2, .attachments = 3, .body = "plain", .html = "<B>"});
    auto mail = Item(window);
    EXPECT_EQ(mail->Class(), 43);
    EXPECT_TRUE(mail->Sent());
    EXPECT_EQ(mail->Subject(), "Roof");
    EXPECT_EQ(mail->Recipients()->Count(), 2);
    EXPECT_EQ(mail->Attachments()->Count(), 3);
    mail->Subject("05-123 - Smith: Roof");
    mail->Body("plain footer");
    mail->HTMLBody("<B>footer");
    const auto& state = outlook.CurrentMail()->State();
    EXPECT_EQ(state.subject, "05-123 - Smith: Roof");
    EXPECT_EQ(state.body, "plain footer");
    EXPECT_EQ(state.html, "<B>footer");
}

TEST_F(OutlookMailTest, SaveAsWritesTheMessageBehindTheMappedDriveAndReplacesAnOldFile) {
    machine.Write("P:\\Jobs\\Roof.msg", "an older file with much longer content than the new one will have");
    auto mail = Item(outlook.OpenMail(
        {.subject = "Roof", .recipients = 2, .attachments = 1, .body = "plain text", .html = "<BODY>Hi</BODY>"}));
    mail->SaveAs("p:\\jobs\\Roof.msg", ol::olMSG);

    std::string file = machine.Read("P:\\Jobs\\Roof.msg");
    EXPECT_EQ(file, "Subject: Roof\r\nRecipients: 2\r\nAttachments: 1\r\n\r\n<BODY>Hi</BODY>");
    EXPECT_THAT(outlook.CurrentMail()->State().saved, ElementsAre("p:\\jobs\\Roof.msg"));
}

TEST_F(OutlookMailTest, SaveAsWritesThePlainBodyForThePlainAndRichTextEditors) {
    for (int32_t editor : {ol::olEditorText, ol::olEditorRTF}) {
        auto mail = Item(outlook.OpenMail({.editor = editor, .body = "plain text", .html = "<BODY>Hi</BODY>"}));
        mail->SaveAs("P:\\m.msg", ol::olMSG);
        EXPECT_THAT(machine.Read("P:\\m.msg"), HasSubstr("\r\n\r\nplain text")) << editor;
        EXPECT_THAT(machine.Read("P:\\m.msg"), ::testing::Not(HasSubstr("Hi"))) << editor;
    }
    auto word = Item(outlook.OpenMail({.editor = ol::olEditorWord, .body = "plain", .html = "<BODY>Hi</BODY>"}));
    word->SaveAs("P:\\w.msg", ol::olMSG);
    EXPECT_THAT(machine.Read("P:\\w.msg"), HasSubstr("<BODY>Hi</BODY>"));
}

TEST_F(OutlookMailTest, SaveAsFailsAsTheFileSystemDoesAndRecordsNothing) {
    auto mail = Item(outlook.OpenMail());
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("Q:\\x.msg", ol::olMSG); }), 76);
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\missing\\x.msg", ol::olMSG); }), 76);
    machine.Write("P:\\in use.msg", "");
    platform::files::Prefix::Lock("P:\\in use.msg");
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\in use.msg", ol::olMSG); }), 70);
    EXPECT_TRUE(outlook.CurrentMail()->State().saved.empty());
}

TEST_F(OutlookMailTest, SendRaisesSendThenClosesTheItemAndItsWindow) {
    outlook.OpenAppointment();
    auto window = outlook.OpenMail({.subject = "Roof"});
    Recorder windowEvents(log, "window"), itemEvents(log, "item");
    window->Advise(&windowEvents);
    window->Mail()->Advise(&itemEvents);

    Item(window)->Send();
    EXPECT_THAT(log, ElementsAre("item Send", "item ItemClose", "window Close"));
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(outlook.ActiveWindow(), outlook.Window(1));
    EXPECT_TRUE(outlook.CurrentMail()->State().sent);
    EXPECT_TRUE(outlook.CurrentMail()->State().sentHere);
    EXPECT_TRUE(Item(window)->Sent());
    EXPECT_EQ(FailureOf([&] { Item(window)->Subject(); }), int32_t(0x8004010A)) << "a sent draft is gone";
    window->Unadvise(&windowEvents);
    window->Mail()->Unadvise(&itemEvents);
}

TEST_F(OutlookMailTest, ACancelledSendLeavesTheItemUnsentAndOpen) {
    auto window = outlook.OpenMail();
    Recorder itemEvents(log, "item");
    itemEvents.cancelSend = true;
    window->Mail()->Advise(&itemEvents);
    Item(window)->Send();
    EXPECT_THAT(log, ElementsAre("item Send"));
    EXPECT_FALSE(outlook.CurrentMail()->State().sent);
    EXPECT_TRUE(window->IsOpen());
    window->Mail()->Unadvise(&itemEvents);
}

TEST_F(OutlookMailTest, SendFailsWithoutRecipientsAndForAMessageAlreadySent) {
    auto window = outlook.OpenMail({.recipients = 0});
    Recorder itemEvents(log, "item");
    window->Mail()->Advise(&itemEvents);
    try {
        Item(window)->Send();
        ADD_FAILURE() << "sent without recipients";
    } catch (const ErrorInfo& e) {
        EXPECT_EQ(e.Number, int32_t(0x80004005));
        EXPECT_THAT(e.Description, HasSubstr("at least one name"));
    }
    EXPECT_TRUE(log.empty()) << "no Send event for a send that cannot start";
    EXPECT_TRUE(window->IsOpen());
    EXPECT_FALSE(outlook.CurrentMail()->State().sent);
    window->Mail()->Unadvise(&itemEvents);

    auto received = Item(outlook.OpenMail({.sent = true}));
    EXPECT_EQ(FailureOf([&] { received->Send(); }), int32_t(0x80004005));
}

TEST_F(OutlookMailTest, AnArmedFailureHitsOnlyTheNextCallOfItsKind) {
    auto mail = Item(outlook.OpenMail({.subject = "s"}));
    outlook.FailNext(OutlookCall::SaveAs, 287);
    outlook.FailNext(OutlookCall::Send, 4096, "The server is not available.");
    outlook.FailNext(OutlookCall::Body, 287);

    EXPECT_EQ(mail->Subject(), "s") << "the subject is no body call";
    try {
        mail->HTMLBody("x");
        ADD_FAILURE() << "the body write did not fail";
    } catch (const ErrorInfo& e) {
        EXPECT_EQ(e.Number, 287);
        EXPECT_EQ(e.Description, "Application-defined or object-defined error");
    }
    EXPECT_EQ(outlook.CurrentMail()->State().html, "") << "the failed write changed nothing";
    mail->Body();
    mail->HTMLBody("y");

    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\a.msg", ol::olMSG); }), 287);
    EXPECT_FALSE(std::filesystem::exists(machine.Host("P:\\a.msg"))) << "no file for a refused save";
    mail->SaveAs("P:\\a.msg", ol::olMSG);

    try {
        mail->Send();
        ADD_FAILURE() << "the send did not fail";
    } catch (const ErrorInfo& e) {
        EXPECT_EQ(e.Number, 4096);
        EXPECT_EQ(e.Description, "The server is not available.");
    }
    EXPECT_FALSE(outlook.CurrentMail()->State().sent);
    mail->Send();
    EXPECT_TRUE(outlook.CurrentMail()->State().sent);
}

TEST_F(OutlookMailTest, AFailureArmedBeforeTheWindowOpensHitsItsItem) {
    outlook.FailNext(OutlookCall::Body, 287);
    auto mail = Item(outlook.OpenMail());
    EXPECT_EQ(FailureOf([&] { mail->Body(); }), 287);
}

}  // namespace
