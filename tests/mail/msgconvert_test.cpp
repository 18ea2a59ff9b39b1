// Our message files through an independent reader: msgconvert (Debian's
// libemail-outlook-message-perl, built on OLE::Storage_Lite) turns a .msg into an
// internet message, which is then read with GMime. Skipped, saying so, where msgconvert
// is not installed. Also the round trip of text beyond ASCII: .eml -> model -> .msg.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/msg_file.h"
#include "mail_samples.h"

namespace {

namespace fs = std::filesystem;

std::optional<fs::path> FindMsgconvert() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        fs::path candidate = fs::path(folder) / "msgconvert";
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

#define REQUIRE_MSGCONVERT(tool)                                                                              \
    const auto tool = FindMsgconvert();                                                                       \
    if (!tool)                                                                                                \
    GTEST_SKIP() << "msgconvert is not installed (Debian package libemail-outlook-message-perl); the check " \
                    "of our .msg files by an independent reader is skipped"

class Folder {
public:
    Folder() : path_(fs::temp_directory_path() / ("quillet-msgconvert-" + std::to_string(std::random_device()()))) {
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// msgconvert's .eml of the message file; fails the test when it cannot convert it.
std::string Convert(const fs::path& tool, const std::string& msg) {
    Folder folder;
    const fs::path in = folder.Path() / "message.msg", out = folder.Path() / "message.eml";
    std::ofstream(in, std::ios::binary) << msg;
    const std::string command = "'" + tool.string() + "' --outfile '" + out.string() + "' '" + in.string() + "' 2>'" +
                                (folder.Path() / "errors").string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream errors(folder.Path() / "errors"), converted(out, std::ios::binary);
    std::ostringstream errorText, eml;
    errorText << errors.rdbuf();
    eml << converted.rdbuf();
    EXPECT_EQ(status, 0) << "msgconvert failed: " << errorText.str();
    return eml.str();
}

TEST(MsgconvertTest, AnIndependentReaderFindsSubjectBodiesRecipientsAndAttachments) {
    REQUIRE_MSGCONVERT(tool);
    mail::Message m = mail_test::FullMessage();
    m.subject = "RE: Roof drawings";  // msgconvert leaves headers beyond ASCII unencoded
    const mail::Message back = mail::ParseEml(Convert(*tool, mail::WriteMsg(m)), "msgconvert output");

    EXPECT_EQ(back.subject, "RE: Roof drawings");
    EXPECT_EQ(back.sender.name, "Anna Berg");
    EXPECT_EQ(back.sender.address, "anna@example.com");
    ASSERT_EQ(back.recipients.size(), 3u) << "To and Cc (no Bcc in a filed message's headers)";
    EXPECT_EQ(back.recipients[0].who.name, "Ben Ode");
    EXPECT_EQ(back.recipients[0].who.address, "ben@example.com");
    EXPECT_EQ(back.recipients[1].who.address, "cy@example.com");
    EXPECT_EQ(back.recipients[2].kind, mail::RecipientKind::Cc);
    EXPECT_EQ(back.recipients[2].who.address, "dora@example.com");
    EXPECT_EQ(back.body, m.body);
    EXPECT_EQ(back.html, m.html);
    EXPECT_EQ(back.sentTime, m.sentTime);
    EXPECT_EQ(back.messageId, m.messageId);
    ASSERT_EQ(back.attachments.size(), 2u);
    EXPECT_EQ(back.attachments[0].fileName, "Roof plan.pdf");
    EXPECT_EQ(back.attachments[0].mimeType, "application/pdf");
    EXPECT_TRUE(back.attachments[0].bytes == m.attachments[0].bytes) << "every byte value, compared";
    EXPECT_EQ(back.attachments[1].fileName, "notes.txt");
    EXPECT_EQ(back.attachments[1].bytes, m.attachments[1].bytes);
}

// A received message with a Greek subject, a Japanese recipient and an attachment named
// "Übersicht.pdf".
const char* const kNonAscii =
    "From: =?UTF-8?Q?J=C3=B6rg?= <joerg@example.de>\r\n"
    "To: =?ISO-2022-JP?B?GyRCOzNFRBsoQiAbJEJCQE86GyhC?= <taro@example.jp>\r\n"
    "Subject: =?UTF-8?B?zqDPgc6/z4PPhs6/z4HOrCDOs865zrEgz4TOvyDOrc+BzrPOvw==?=\r\n"
    "Date: Thu, 05 Mar 2026 09:14:00 +0100\r\n"
    "MIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"b\"\r\n"
    "\r\n"
    "--b\r\n"
    "Content-Type: text/plain; charset=us-ascii\r\n"
    "\r\n"
    "The offer.\r\n"
    "--b\r\n"
    "Content-Type: application/pdf; name=\"=?UTF-8?Q?=C3=9Cbersicht.pdf?=\"\r\n"
    "Content-Disposition: attachment; filename*=UTF-8''%C3%9Cbersicht.pdf\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "JVBERi0xLjQgw5xiZXJzaWNodA==\r\n"
    "--b--\r\n";

TEST(MsgconvertTest, TextBeyondAsciiSurvivesFromEmlThroughTheModelToTheMessageFile) {
    const mail::Message received = mail::ParseEml(kNonAscii, "Offer.eml");
    ASSERT_EQ(received.recipients.size(), 1u);
    ASSERT_EQ(received.attachments.size(), 1u);
    const std::string msg = mail::WriteMsg(received);

    const mail::Message filed = mail::ReadMsg(msg);
    EXPECT_EQ(filed.subject, "Προσφορά για το έργο");
    EXPECT_EQ(filed.sender.name, "Jörg");
    EXPECT_EQ(filed.recipients[0].who.name, "山田 太郎");
    EXPECT_EQ(filed.attachments[0].fileName, "Übersicht.pdf");
    EXPECT_EQ(filed.attachments[0].bytes, "%PDF-1.4 Übersicht");
    EXPECT_TRUE(filed.sent);

    REQUIRE_MSGCONVERT(tool);
    const mail::Message converted = mail::ParseEml(Convert(*tool, msg), "msgconvert output");
    EXPECT_EQ(converted.subject, "Προσφορά για το έργο");
    EXPECT_EQ(converted.sender.name, "Jörg");
    ASSERT_EQ(converted.recipients.size(), 1u);
    EXPECT_EQ(converted.recipients[0].who.name, "山田 太郎");
    EXPECT_EQ(converted.recipients[0].who.address, "taro@example.jp");
    ASSERT_EQ(converted.attachments.size(), 1u);
    EXPECT_EQ(converted.attachments[0].fileName, "Übersicht.pdf");
    EXPECT_EQ(converted.attachments[0].bytes, "%PDF-1.4 Übersicht");
}

}  // namespace
