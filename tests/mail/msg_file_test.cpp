// Outlook message files: what we write reads back whole, and is laid out as the format
// asks (checked on the raw compound file, not through our reader).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "hosts/mail/compound_file.h"
#include "hosts/mail/mail_error.h"
#include "hosts/mail/msg_file.h"
#include "hosts/mail/unicode.h"
#include "mail_samples.h"

namespace {

using ::testing::Contains;
using ::testing::IsSupersetOf;

uint64_t Little(const std::string& bytes, size_t at, int size) {
    uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= uint64_t(static_cast<unsigned char>(bytes.at(at + size_t(i)))) << (8 * i);
    return value;
}

// The entries of a property stream after its header: tag -> the 8 bytes after the flags.
std::map<uint32_t, uint64_t> Entries(const std::string& stream, size_t header) {
    std::map<uint32_t, uint64_t> entries;
    for (size_t at = header; at + 16 <= stream.size(); at += 16) {
        EXPECT_EQ(Little(stream, at + 4, 4) & 0x2, 0x2u) << "every property is readable";
        entries[uint32_t(Little(stream, at, 4))] = Little(stream, at + 8, 8);
    }
    return entries;
}

std::string Stream(const mail::StorageReader& storage, const std::string& name) {
    auto bytes = storage.ReadStream(name);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or("");
}

TEST(MsgFileTest, AMessageReadsBackWhole) {
    const mail::Message m = mail_test::FullMessage();
    const mail::Message back = mail::ReadMsg(mail::WriteMsg(m));
    EXPECT_EQ(back.subject, m.subject);
    EXPECT_EQ(back.sender.name, "Anna Berg");
    EXPECT_EQ(back.sender.address, "anna@example.com");
    ASSERT_EQ(back.recipients.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.recipients[i].kind, m.recipients[i].kind) << i;
        EXPECT_EQ(back.recipients[i].who.address, m.recipients[i].who.address) << i;
    }
    EXPECT_EQ(back.recipients[2].who.name, "Dora Ek");
    EXPECT_EQ(back.recipients[3].who.name, "files@example.com") << "a recipient without a name shows its address";
    EXPECT_EQ(back.body, m.body);
    EXPECT_EQ(back.html, m.html);
    ASSERT_EQ(back.attachments.size(), 2u);
    EXPECT_EQ(back.attachments[0].fileName, "Roof plan.pdf");
    EXPECT_EQ(back.attachments[0].mimeType, "application/pdf");
    EXPECT_TRUE(back.attachments[0].bytes == m.attachments[0].bytes);
    EXPECT_EQ(back.attachments[1].bytes, "two\r\nlines\r\n");
    EXPECT_EQ(back.sentTime, m.sentTime);
    EXPECT_EQ(back.receivedTime, m.receivedTime);
    EXPECT_EQ(back.messageId, "roof-17@example.com");
    EXPECT_TRUE(back.sent);
    EXPECT_EQ(back.editor, mail::EditorFormat::Html);

    const mail::Message empty = mail::ReadMsg(mail::WriteMsg(mail::Message{}));
    EXPECT_EQ(empty.subject, "");
    EXPECT_FALSE(empty.sent);
    EXPECT_TRUE(empty.recipients.empty() && empty.attachments.empty());
    EXPECT_FALSE(empty.sentTime.has_value());
}

TEST(MsgFileTest, TheFileHasTheStoragesAndHeadersOfAnOutlookMessage) {
    const std::string bytes = mail::WriteMsg(mail_test::FullMessage());
    ASSERT_EQ(bytes.substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) << "a compound file";
    mail::CompoundFileReader file(bytes);
    const auto& root = file.Root();
    EXPECT_THAT(root.Names(), IsSupersetOf({"__nameid_version1.0", "__properties_version1.0",
                                            "__recip_version1.0_#00000000", "__recip_version1.0_#00000003",
                                            "__attach_version1.0_#00000000", "__attach_version1.0_#00000001"}));
    auto names = root.Storage("__nameid_version1.0");
    ASSERT_TRUE(names.has_value());
    for (const char* stream : {"__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102"})
        EXPECT_THAT(names->Names(), Contains(stream));

    // The top-level header: 8 reserved bytes, next recipient and attachment ids, their counts.
    const std::string top = Stream(root, "__properties_version1.0");
    ASSERT_GE(top.size(), 32u);
    EXPECT_EQ((top.size() - 32) % 16, 0u);
    EXPECT_EQ(Little(top, 0, 8), 0u);
    EXPECT_EQ(Little(top, 8, 4), 4u);
    EXPECT_EQ(Little(top, 12, 4), 2u);
    EXPECT_EQ(Little(top, 16, 4), 4u);
    EXPECT_EQ(Little(top, 20, 4), 2u);
    auto entries = Entries(top, 32);

    // Strings are UTF-16 without a terminator; their entries count it (2 bytes more).
    const std::string subject = Stream(root, "__substg1.0_0037001F");
    EXPECT_EQ(mail::Utf16LeToUtf8(subject), "RE: Roof drawings – Grüße");
    EXPECT_EQ(entries.at(0x0037001F) & 0xFFFFFFFF, subject.size() + 2);
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(root, "__substg1.0_001A001F")), "IPM.Note");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(root, "__substg1.0_003D001F")), "RE: ");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(root, "__substg1.0_0E1D001F")), "Roof drawings – Grüße");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(root, "__substg1.0_0E04001F")), "Ben Ode; Cy Dahl");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(root, "__substg1.0_1035001F")), "<roof-17@example.com>");
    // The HTML body as bytes in the code page given (UTF-8).
    EXPECT_EQ(Stream(root, "__substg1.0_10130102"), mail_test::FullMessage().html);
    EXPECT_EQ(entries.at(0x3FDE0003), 65001u);
    EXPECT_EQ(entries.at(0x0E070003), 0x11u) << "read, with attachments";
    EXPECT_EQ(entries.at(0x00390040), (1772698440ull + 11644473600ull) * 10000000ull) << "submitted, in ticks from 1601";
    EXPECT_EQ(entries.at(0x340D0003) & 0x40000, 0x40000u) << "Unicode strings";

    auto recipient = root.Storage("__recip_version1.0_#00000002");
    ASSERT_TRUE(recipient.has_value());
    const std::string recipientStream = Stream(*recipient, "__properties_version1.0");
    EXPECT_EQ(recipientStream.size() % 16, 8u) << "an 8-byte header";
    auto recipientEntries = Entries(recipientStream, 8);
    EXPECT_EQ(recipientEntries.at(0x0C150003), 2u) << "Cc";
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(*recipient, "__substg1.0_3002001F")), "SMTP");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(*recipient, "__substg1.0_3003001F")), "dora@example.com");

    auto attachment = root.Storage("__attach_version1.0_#00000000");
    ASSERT_TRUE(attachment.has_value());
    auto attachmentEntries = Entries(Stream(*attachment, "__properties_version1.0"), 8);
    EXPECT_EQ(attachmentEntries.at(0x37050003), 1u) << "by value";
    EXPECT_EQ(attachmentEntries.at(0x370B0003), 0xFFFFFFFFu) << "not placed in the body";
    EXPECT_EQ(attachmentEntries.at(0x37010102) & 0xFFFFFFFF, 256u * 20) << "a binary's size is its stream's";
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(*attachment, "__substg1.0_3707001F")), "Roof plan.pdf");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(*attachment, "__substg1.0_3704001F")), "ROOFPL~1.PDF");
    EXPECT_EQ(mail::Utf16LeToUtf8(Stream(*attachment, "__substg1.0_370E001F")), "application/pdf");
}

TEST(MsgFileTest, ADraftIsMarkedUnsent) {
    mail::Message draft;
    draft.subject = "Draft";
    draft.editor = mail::EditorFormat::PlainText;
    const std::string bytes = mail::WriteMsg(draft);
    mail::CompoundFileReader file(bytes);
    auto entries = Entries(Stream(file.Root(), "__properties_version1.0"), 32);
    EXPECT_EQ(entries.at(0x0E070003), 0x08u);
    EXPECT_EQ(entries.at(0x59090003), 1u) << "plain text editor";
    EXPECT_EQ(entries.count(0x00390040), 0u) << "not submitted";
}

TEST(MsgFileTest, BytesThatAreNoMessageFileAreRefused) {
    EXPECT_THROW(mail::ReadMsg("Subject: this is a text file\r\n"), mail::MailError);
    EXPECT_THROW(mail::ReadMsg(""), mail::MailError);
    // A compound file, but not a message.
    const unsigned char classId[16] = {};
    mail::CompoundFileWriter other(classId);
    other.Root().WriteStream("WordDocument", "not a message");
    try {
        mail::ReadMsg(other.Finish());
        ADD_FAILURE() << "read a compound file without properties";
    } catch (const mail::MailError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("not an Outlook message file"));
    }
    // Cut short: refused or read, never a crash.
    const std::string whole = mail::WriteMsg(mail_test::FullMessage());
    for (size_t length : {size_t(512), whole.size() / 2, whole.size() - 1}) {
        try {
            mail::ReadMsg(whole.substr(0, length));
        } catch (const mail::MailError&) {
        }
    }
}

}  // namespace
