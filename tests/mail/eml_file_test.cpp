// Internet messages: a received message read into the model (headers, bodies in their
// encodings and character sets, attachments), a message written and read again, and
// damaged input that loads what it can or is refused with the file's name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/mail_error.h"
#include "mail_samples.h"

namespace {

using ::testing::HasSubstr;

// A received message as mail programs send them: encoded words, a group, two bodies
// in different encodings and character sets, a named and an unnamed attachment and a
// forwarded message. Lines end in LF here; CRLF is tested by the round trip.
const char* const kReceived = R"(Received: from mail.example.com by mx.example.com; Thu, 05 Mar 2026 09:15:02 +0100
From: =?ISO-8859-1?Q?J=F6rg_M=FCller?= <joerg@example.de>
To: Site team: ben@example.com, Cy Dahl <cy@example.com>;
Cc: =?UTF-8?B?5bGx55SwIOWkqumDjg==?= <taro@example.jp>
Subject: =?UTF-8?B?zqDPgc6/z4PPhs6/z4HOrA==?= for the roof
Date: Thu, 05 Mar 2026 09:14:00 +0100
Message-ID: <offer-17@example.com>
MIME-Version: 1.0
Content-Type: multipart/mixed; boundary="outer"

This is a multi-part message in MIME format.
--outer
Content-Type: multipart/alternative; boundary="inner"

--inner
Content-Type: text/plain; charset=iso-8859-1
Content-Transfer-Encoding: quoted-printable

Gr=FC=DFe, the offer is att=
ached.
--inner
Content-Type: text/html; charset=utf-8
Content-Transfer-Encoding: base64

PGh0bWw+PGJvZHk+R3LDvMOfZTwvYm9keT48L2h0bWw+
--inner--

--outer
Content-Type: application/pdf
Content-Disposition: attachment; filename*=UTF-8''%C3%9Cbersicht.pdf
Content-Transfer-Encoding: base64

JVBERi0xLjQgw5xiZXJzaWNodA==
--outer
Content-Type: application/octet-stream
Content-Transfer-Encoding: base64

AAEC/w==
--outer
Content-Type: message/rfc822

From: ben@example.com
Subject: Earlier

Inside.
--outer--
)";

TEST(EmlFileTest, AReceivedMessageIsReadWithItsHeadersBodiesAndAttachments) {
    const mail::Message m = mail::ParseEml(kReceived, "Offer.eml");
    EXPECT_EQ(m.subject, "Προσφορά for the roof");
    EXPECT_EQ(m.sender.name, "Jörg Müller");
    EXPECT_EQ(m.sender.address, "joerg@example.de");
    ASSERT_EQ(m.recipients.size(), 3u) << "the group's members, then Cc";
    EXPECT_EQ(m.recipients[0].who.address, "ben@example.com");
    EXPECT_EQ(m.recipients[1].who.name, "Cy Dahl");
    EXPECT_EQ(m.recipients[2].kind, mail::RecipientKind::Cc);
    EXPECT_EQ(m.recipients[2].who.name, "山田 太郎");
    EXPECT_EQ(m.body, "Grüße, the offer is attached.");
    EXPECT_EQ(m.html, "<html><body>Grüße</body></html>");
    EXPECT_EQ(m.sentTime, mail::Time(std::chrono::seconds(1772698440)));
    EXPECT_EQ(m.receivedTime, mail::Time(std::chrono::seconds(1772698502)));
    EXPECT_EQ(m.messageId, "offer-17@example.com");
    EXPECT_TRUE(m.sent);
    EXPECT_EQ(m.editor, mail::EditorFormat::Html);
    ASSERT_EQ(m.attachments.size(), 3u);
    EXPECT_EQ(m.attachments[0].fileName, "Übersicht.pdf");
    EXPECT_EQ(m.attachments[0].mimeType, "application/pdf");
    EXPECT_EQ(m.attachments[0].bytes, "%PDF-1.4 Übersicht");
    EXPECT_EQ(m.attachments[1].fileName, "ATT00002.bin") << "named as Outlook names an unnamed attachment";
    EXPECT_EQ(m.attachments[1].bytes, std::string("\x00\x01\x02\xff", 4));
    EXPECT_EQ(m.attachments[2].fileName, "ATT00003.eml");
    EXPECT_THAT(m.attachments[2].bytes, HasSubstr("Subject: Earlier"));
}

TEST(EmlFileTest, AWrittenMessageReadsBackAndIsSevenBitClean) {
    const mail::Message m = mail_test::FullMessage();
    const std::string eml = mail::WriteEml(m);
    EXPECT_TRUE(std::all_of(eml.begin(), eml.end(), [](char c) { return (c & 0x80) == 0; }));
    EXPECT_EQ(eml.find("\n"), eml.find("\r\n") + 1) << "lines end in CRLF";
    EXPECT_THAT(eml, HasSubstr("multipart/alternative"));

    const mail::Message back = mail::ParseEml(eml, "sent.eml");
    EXPECT_EQ(back.subject, m.subject);
    EXPECT_EQ(back.sender.name, "Anna Berg");
    ASSERT_EQ(back.recipients.size(), 4u);
    EXPECT_EQ(back.recipients[3].kind, mail::RecipientKind::Bcc) << "the sender's copy keeps Bcc";
    EXPECT_EQ(back.body, m.body);
    EXPECT_EQ(back.html, m.html);
    ASSERT_EQ(back.attachments.size(), 2u);
    EXPECT_EQ(back.attachments[0].fileName, "Roof plan.pdf");
    EXPECT_TRUE(back.attachments[0].bytes == m.attachments[0].bytes);
    EXPECT_EQ(back.sentTime, m.sentTime);
    EXPECT_EQ(back.messageId, m.messageId);

    mail::Message plain;
    plain.subject = "Übersicht";
    plain.body = "Only text\r\n";
    const mail::Message plainBack = mail::ParseEml(mail::WriteEml(plain), "plain.eml");
    EXPECT_EQ(plainBack.body, "Only text\r\n");
    EXPECT_EQ(plainBack.html, "");
    EXPECT_EQ(plainBack.editor, mail::EditorFormat::PlainText);
}

// ---- damaged input --------------------------------------------------------------

std::string WithBody(const std::string& headers, const std::string& body) { return headers + "\r\n" + body; }

TEST(EmlFileTest, DamagedMessagesLoadWhatCanBeRead) {
    const std::string multipart = "Subject: Damaged\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n";
    // The closing boundary is missing.
    auto unclosed = mail::ParseEml(WithBody(multipart, "--b\r\nContent-Type: text/plain\r\n\r\nKept text\r\n"), "x");
    EXPECT_THAT(unclosed.body, HasSubstr("Kept text"));
    // No part uses the boundary declared.
    auto wrong = mail::ParseEml(WithBody(multipart, "--c\r\nContent-Type: text/plain\r\n\r\nLost\r\n--c--\r\n"), "x");
    EXPECT_EQ(wrong.subject, "Damaged");
    // Base64 with characters that are none: the rest is still decoded.
    auto badBase64 = mail::ParseEml(
        WithBody(multipart, "--b\r\nContent-Type: application/pdf\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                            "JVBE!!Ri0x@@LjQ=\r\n--b--\r\n"),
        "x");
    ASSERT_EQ(badBase64.attachments.size(), 1u);
    EXPECT_EQ(badBase64.attachments[0].bytes, "%PDF-1.4");
    // A header line of a megabyte.
    auto longLine = mail::ParseEml("X-Long: " + std::string(1 << 20, 'a') + "\r\nSubject: After\r\n\r\nBody\r\n", "x");
    EXPECT_EQ(longLine.subject, "After");
    // NUL bytes in a header and the body.
    const char withNul[] = "Subject: A\0B\r\nFrom: a@example.com\r\n\r\nBo\0dy\r\n";
    auto nul = mail::ParseEml(std::string(withNul, sizeof withNul - 1), "x");
    EXPECT_EQ(nul.sender.address, "a@example.com");
    EXPECT_EQ(nul.body, "Body\r\n") << "the NUL dropped, what follows it kept";
    // Multiparts nested ten thousand deep: the parser's limit holds, nothing overflows.
    std::string nested = "Subject: Deep\r\nContent-Type: multipart/mixed; boundary=\"d\"\r\n\r\n";
    for (int i = 0; i < 10000; ++i) nested += "--d\r\nContent-Type: multipart/mixed; boundary=\"d\"\r\n\r\n";
    EXPECT_EQ(mail::ParseEml(nested, "x").subject, "Deep");
    // Characters that are no UTF-8 in a header without an encoded word.
    EXPECT_EQ(mail::ParseEml("Subject: Gr\xFC\xDF" "e\r\n\r\n", "x").subject, "Grüße") << "read as Latin-1";
}

TEST(EmlFileTest, AFiftyMegabyteAttachmentLoadsWhole) {
    const size_t size = 50u << 20;
    std::string eml = "Subject: Big\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
                      "Content-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=big.bin\r\n"
                      "Content-Transfer-Encoding: base64\r\n\r\n";
    eml.reserve(eml.size() + size / 57 * 78 + 100);
    const std::string line = "QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZnaGlqa2xtbm9wcXJzdHV2d3h5ejAx\r\n";  // 54 bytes
    for (size_t written = 0; written < size; written += 54) eml += line;
    eml += "--b--\r\n";
    const mail::Message m = mail::ParseEml(eml, "big.eml");
    ASSERT_EQ(m.attachments.size(), 1u);
    EXPECT_EQ(m.attachments[0].bytes.size(), (size + 53) / 54 * 54);
    EXPECT_EQ(m.attachments[0].bytes.substr(0, 6), "ABCDEF");
}

TEST(EmlFileTest, WhatHoldsNoMessageIsRefusedNamingTheFile) {
    auto refusal = [](const auto& load) {
        try {
            load();
        } catch (const mail::MailError& e) {
            return std::string(e.what());
        }
        return std::string("loaded");
    };
    EXPECT_EQ(refusal([] { mail::ParseEml("", "C:\\In\\Empty.eml"); }), "C:\\In\\Empty.eml: the file is empty");
    EXPECT_EQ(refusal([] { mail::ParseEml("\r\nno header block\r\n", "Offer.eml"); }),
              "Offer.eml: not an internet message (it has no header block)");
    EXPECT_EQ(refusal([] { mail::ParseEml("Just a line of text\nand another\n", "Offer.eml"); }),
              "Offer.eml: not an internet message (it has no header block)");

    const auto folder = std::filesystem::temp_directory_path() / "quillet-mail-test-folder.eml";
    std::filesystem::create_directories(folder);
    EXPECT_THAT(refusal([&] { mail::LoadEml(folder); }), HasSubstr("quillet-mail-test-folder.eml: a folder"));
    std::filesystem::remove(folder);
    EXPECT_THAT(refusal([&] { mail::LoadEml(folder); }), HasSubstr("quillet-mail-test-folder.eml: cannot open the file"));
}

}  // namespace
