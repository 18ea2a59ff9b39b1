// The mail item: its content, saving to a file, sending, and armed failures.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/msg_file.h"
#include "outlook_recorder.h"
#include "platform/files/posix/fault_injection.h"
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

TEST_F(OutlookMailTest, SaveAsWritesAnOutlookMessageFileBehindTheMappedDriveOverAnOldFile) {
    machine.Write("P:\\Jobs\\Roof.msg", "an older file");
    outlook.SetUser("Anna Berg");
    auto mail = Item(outlook.OpenMail(
        {.subject = "Roof", .recipients = 2, .attachments = 1, .body = "plain text", .html = "<BODY>Hi</BODY>"}));
    mail->Subject("RE: Roof");
    mail->SaveAs("p:\\jobs\\Roof.msg", ol::olMSG);

    const mail::Message saved = mail::ReadMsg(machine.Read("P:\\Jobs\\Roof.msg"));
    EXPECT_EQ(saved.subject, "RE: Roof") << "the subject as changed before the save";
    EXPECT_EQ(saved.body, "plain text");
    EXPECT_EQ(saved.html, "<BODY>Hi</BODY>");
    EXPECT_FALSE(saved.sent) << "a new message is saved as a draft";
    EXPECT_EQ(saved.sender.name, "Anna Berg");
    EXPECT_EQ(saved.sender.address, "anna.berg@example.com");
    ASSERT_EQ(saved.recipients.size(), 2u);
    EXPECT_EQ(saved.recipients[1].who.name, "Recipient 2");
    EXPECT_EQ(saved.recipients[1].who.address, "recipient2@example.com");
    ASSERT_EQ(saved.attachments.size(), 1u);
    EXPECT_EQ(saved.attachments[0].fileName, "attachment1.txt");
    EXPECT_FALSE(saved.attachments[0].bytes.empty());
    EXPECT_THAT(outlook.CurrentMail()->State().saved, ElementsAre("p:\\jobs\\Roof.msg"));
}

TEST_F(OutlookMailTest, TheEditorIsSavedAndTheOtherFormatsWriteTheirPlainForms) {
    for (auto [editor, format] : {std::pair{ol::olEditorText, mail::EditorFormat::PlainText},
                                  std::pair{ol::olEditorRTF, mail::EditorFormat::RichText},
                                  std::pair{ol::olEditorWord, mail::EditorFormat::Html}}) {
        auto mail = Item(outlook.OpenMail({.editor = editor}));
        mail->SaveAs("P:\\m.msg", ol::olMSG);
        EXPECT_EQ(mail::ReadMsg(machine.Read("P:\\m.msg")).editor, format) << editor;
    }
    auto mail = Item(outlook.OpenMail({.subject = "Roof", .attachments = 1, .body = "plain <text>", .html = ""}));
    mail->SaveAs("P:\\m.txt", ol::olTXT);
    EXPECT_EQ(machine.Read("P:\\m.txt"), "From:\tOutlook User\r\nTo:\tRecipient 1\r\nSubject:\tRoof\r\n"
                                          "Attachments:\tattachment1.txt\r\n\r\nplain <text>");
    mail->SaveAs("P:\\m.htm", sim::kSaveAsHtml);
    EXPECT_EQ(machine.Read("P:\\m.htm"), "<html><body><pre>plain &lt;text&gt;</pre></body></html>");
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\m.rtf", ol::olRTF); }), 5) << "a format it does not write";
}

TEST_F(OutlookMailTest, SaveAsFailsAsOutlookDoesAndLeavesAnEarlierFileWhole) {
    machine.Write("P:\\Jobs\\Roof.msg", "an earlier filing");
    auto mail = Item(outlook.OpenMail({.subject = "Roof"}));
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("Q:\\x.msg", ol::olMSG); }), int32_t(0x80070003)) << "no such drive";
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\missing\\x.msg", ol::olMSG); }), int32_t(0x80070003));
    platform::files::Prefix::Lock("P:\\Jobs\\Roof.msg");
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\Jobs\\Roof.msg", ol::olMSG); }), int32_t(0x80070020)) << "in use";
    platform::files::Prefix::Unlock("P:\\Jobs\\Roof.msg");

    std::filesystem::create_directories(machine.Host("P:\\Jobs\\Folder.msg"));
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\Jobs\\Folder.msg", ol::olMSG); }), int32_t(0x80070005));
    EXPECT_TRUE(std::filesystem::is_directory(machine.Host("P:\\Jobs\\Folder.msg")));

    const auto folder = machine.Host("P:\\Jobs");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(FailureOf([&] { mail->SaveAs("P:\\Jobs\\Roof.msg", ol::olMSG); }), int32_t(0x80070005))
        << "a read-only folder";
    std::filesystem::permissions(folder, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);

    EXPECT_TRUE(machine.Read("P:\\Jobs\\Roof.msg") == "an earlier filing");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2) << "nothing written aside stays";
    EXPECT_TRUE(outlook.CurrentMail()->State().saved.empty());
}

// The disk fills while the file is written (the process may write no more than a
// few kilobytes): the write fails and the earlier file stays as it was.
TEST_F(OutlookMailTest, AWriteThatRunsOutOfRoomLeavesTheEarlierFileWhole) {
    machine.Write("P:\\Jobs\\Roof.msg", "an earlier filing");
    auto mail = Item(outlook.OpenMail({.subject = "Roof", .html = std::string(20000, 'h')}));
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const int32_t failure = FailureOf([&] { mail->SaveAs("P:\\Jobs\\Roof.msg", ol::olMSG); });
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(failure == int32_t(0x80004005) || failure == int32_t(0x80070070)) << failure;
    EXPECT_TRUE(machine.Read("P:\\Jobs\\Roof.msg") == "an earlier filing");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(machine.Host("P:\\Jobs")), {}), 1);
}

// The disk fills half way through the file, an earlier filing of that name there or
// not: the earlier file stays whole and no part of the new one is left anywhere.
TEST_F(OutlookMailTest, ADiskFullHalfWayLeavesNoPartialFileUnderANewNameOrAnOldOne) {
    machine.Write("P:\\Jobs\\Roof.msg", "an earlier filing");
    auto mail = Item(outlook.OpenMail({.subject = "Roof", .html = std::string(200000, 'h')}));
    for (const char* path : {"P:\\Jobs\\Roof.msg", "P:\\Jobs\\New name.msg"}) {
        SCOPED_TRACE(path);
        {
            platform::files::faults::ScopedFault full(platform::files::faults::HostCall::Write, 1, ENOSPC, true);
            EXPECT_NE(FailureOf([&] { mail->SaveAs(path, ol::olMSG); }), 0);
            EXPECT_TRUE(platform::files::faults::Fired());
        }
        EXPECT_TRUE(machine.Read("P:\\Jobs\\Roof.msg") == "an earlier filing");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(machine.Host("P:\\Jobs")), {}), 1);
    }
    EXPECT_TRUE(outlook.CurrentMail()->State().saved.empty());
}

// A drive on a file system of 64 KB: Outlook's "not enough space" once it is full.
TEST_F(OutlookMailTest, SaveAsOntoAFullDiskSaysSoAndLeavesTheEarlierFileWhole) {
    const auto mount = machine.PrefixFolder() / "small";
    std::filesystem::create_directories(mount);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here (needs root with CAP_SYS_ADMIN)";
    platform::files::Prefix::MapDrive("S:", platform::files::DriveType::Fixed, mount);
    machine.Write("S:\\Roof.msg", "an earlier filing");
    machine.Write("S:\\filler", std::string(40 * 1024, 'x'));
    auto mail = Item(outlook.OpenMail({.subject = "Roof", .html = std::string(100000, 'h')}));
    const int32_t failure = FailureOf([&] { mail->SaveAs("S:\\Roof.msg", ol::olMSG); });
    const std::string earlier = machine.Read("S:\\Roof.msg");
    const auto left = std::distance(std::filesystem::directory_iterator(mount), {});
    ::umount(mount.c_str());
    EXPECT_EQ(failure, int32_t(0x80070070));
    EXPECT_TRUE(earlier == "an earlier filing");
    EXPECT_EQ(left, 2);
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

TEST_F(OutlookMailTest, SendPutsTheMessageIntoTheOutboxAsAnInternetMessage) {
    outlook.SetUser("Anna Berg");
    for (int round = 0; round < 2; ++round) {
        auto mail = Item(outlook.OpenMail({.subject = "Roof: walls?", .recipients = 2, .body = "Hello\r\n"}));
        mail->Send();
    }
    const auto outbox = outlook.Store().Outbox();
    ASSERT_EQ(outbox.size(), 2u) << "a second message of the same subject (in the same second) takes another name";
    EXPECT_EQ(outlook.CurrentMail()->State().outbox, outlook.Store().LastSent());
    for (const auto& path : outbox) {
        EXPECT_THAT(path, ::testing::MatchesRegex(R"(C:\\Quillet Mail\\Outbox\\[0-9]{8}-[0-9]{6} Roof walls( \(2\))?\.eml)"));
    }
    for (const char* folder : {"Inbox", "Drafts", "Sent"})
        EXPECT_TRUE(std::filesystem::is_directory(machine.Host(std::string("C:\\Quillet Mail\\") + folder)));

    const mail::Message sent = mail::LoadEml(machine.Host(outlook.Store().LastSent()));
    EXPECT_EQ(sent.subject, "Roof: walls?");
    EXPECT_EQ(sent.body, "Hello\r\n");
    EXPECT_EQ(sent.sender.address, "anna.berg@example.com");
    EXPECT_EQ(sent.recipients.size(), 2u);
    EXPECT_TRUE(sent.sentTime.has_value());
    EXPECT_FALSE(sent.messageId.empty());
}

TEST_F(OutlookMailTest, AMessageFileOpensAsAReceivedMessage) {
    machine.Write("C:\\In\\Offer.eml",
                  "From: Ben Ode <ben@example.com>\r\nTo: Anna Berg <anna@example.com>, Cy <cy@example.com>\r\n"
                  "Subject: Offer\r\nContent-Type: text/plain\r\n\r\nThe offer.\r\n");
    auto window = outlook.OpenMailFile("c:\\in\\offer.eml");
    auto mail = Item(window);
    EXPECT_TRUE(mail->Sent());
    EXPECT_EQ(mail->Subject(), "Offer");
    EXPECT_EQ(mail->Body(), "The offer.\r\n");
    EXPECT_EQ(mail->Recipients()->Count(), 2);
    EXPECT_EQ(window->EditorType(), ol::olEditorText);
    mail->SaveAs("C:\\In\\Offer.msg", ol::olMSG);
    const mail::Message saved = mail::ReadMsg(machine.Read("C:\\In\\Offer.msg"));
    EXPECT_TRUE(saved.sent);
    EXPECT_EQ(saved.sender.name, "Ben Ode") << "a received message keeps its sender";
    EXPECT_EQ(saved.recipients[1].who.address, "cy@example.com");

    machine.Write("C:\\In\\Empty.eml", "");
    try {
        outlook.OpenMailFile("C:\\In\\Empty.eml");
        ADD_FAILURE() << "an empty file opened";
    } catch (const sim::OutlookStepRefused& e) {
        EXPECT_THAT(e.what(), HasSubstr("C:\\In\\Empty.eml: the file is empty"));
    }
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
