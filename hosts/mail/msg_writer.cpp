#include <string>

#include "hosts/mail/msg_file.h"
#include "hosts/mail/msg_properties.h"
#include "hosts/mail/msg_property_set.h"

namespace mail {

namespace {

using namespace msg;

// The class id Outlook gives the root storage of a message file.
constexpr unsigned char kMessageClassId[16] = {0x0B, 0x0D, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// "Übersicht.pdf" -> "BERSIC~1.PDF", "notes.txt" -> "NOTES.TXT": the 8.3 name older
// programs read. A name that loses characters on the way gets "~1".
std::string ShortFileName(const std::string& fileName, size_t index) {
    auto dot = fileName.rfind('.');
    std::string base = fileName.substr(0, dot), extension = dot == std::string::npos ? "" : fileName.substr(dot + 1);
    auto plain = [](const std::string& text) {
        std::string out;
        for (char c : text) {
            if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out += c;
            if (c >= 'a' && c <= 'z') out += char(c - 'a' + 'A');
        }
        return out;
    };
    std::string shortBase = plain(base), shortExtension = plain(extension).substr(0, 3);
    if (shortBase.empty()) return "ATT" + std::to_string(100000 + index + 1).substr(1) + (shortExtension.empty() ? "" : "." + shortExtension);
    if (shortBase.size() != base.size() || shortBase.size() > 8) shortBase = shortBase.substr(0, 6) + "~1";
    return shortExtension.empty() ? shortBase : shortBase + "." + shortExtension;
}

std::string Extension(const std::string& fileName) {
    auto dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

// The message's own properties.
PropertyWriter MessageProperties(const Message& m) {
    PropertyWriter p;
    const SubjectParts subject = SplitSubject(m.subject);
    p.String(tag::MessageClass, "IPM.Note");
    p.String(tag::Subject, m.subject);
    p.String(tag::SubjectPrefix, subject.prefix);
    p.String(tag::NormalizedSubject, subject.normalized);
    p.String(tag::ConversationTopic, subject.normalized);
    p.Int32(tag::Importance, 1);
    p.String(tag::Body, m.body);
    if (!m.html.empty()) p.Binary(tag::Html, m.html);
    p.Int32(tag::NativeBody, m.html.empty() ? kNativeBodyPlain : kNativeBodyHtml);
    p.Int32(tag::InternetCodepage, kCodepageUtf8);
    p.Int32(tag::StoreSupportMask, kStoreUnicodeOk);
    if (m.editor != EditorFormat::Unknown) p.Int32(tag::MessageEditorFormat, int32_t(m.editor));
    if (!m.sender.name.empty() || !m.sender.address.empty()) {
        const std::string& name = m.sender.name.empty() ? m.sender.address : m.sender.name;
        for (auto [nameTag, typeTag, addressTag] : {std::tuple{tag::SenderName, tag::SenderAddressType, tag::SenderEmailAddress},
                                                    std::tuple{tag::SentRepresentingName, tag::SentRepresentingAddressType,
                                                               tag::SentRepresentingEmailAddress}}) {
            p.String(nameTag, name);
            p.String(typeTag, "SMTP");
            p.String(addressTag, m.sender.address);
        }
        p.String(tag::SenderSmtpAddress, m.sender.address);
    }
    p.String(tag::DisplayTo, DisplayList(m, RecipientKind::To));
    p.String(tag::DisplayCc, DisplayList(m, RecipientKind::Cc));
    p.String(tag::DisplayBcc, DisplayList(m, RecipientKind::Bcc));
    int32_t flags = m.sent ? kMessageFlagRead : kMessageFlagUnsent;
    if (!m.attachments.empty()) flags |= kMessageFlagHasAttachments;
    p.Int32(tag::MessageFlags, flags);
    p.Boolean(tag::HasAttachments, !m.attachments.empty());
    if (m.sentTime) p.Time(tag::ClientSubmitTime, *m.sentTime);
    if (m.receivedTime) p.Time(tag::MessageDeliveryTime, *m.receivedTime);
    if (!m.messageId.empty()) p.String(tag::InternetMessageId, "<" + m.messageId + ">");
    return p;
}

PropertyWriter RecipientProperties(const Recipient& r, size_t index) {
    PropertyWriter p;
    p.Int32(tag::RecipientType, int32_t(r.kind));
    p.Int32(tag::ObjectType, kObjectMailUser);
    p.Int32(tag::DisplayType, 0);
    p.Int32(tag::RowId, int32_t(index));
    p.Int32(tag::RecipientFlags, kRecipientSendable);
    const std::string& name = r.who.name.empty() ? r.who.address : r.who.name;
    p.String(tag::DisplayName, name);
    p.String(tag::RecipientDisplayName, name);
    p.String(tag::AddressType, "SMTP");
    p.String(tag::EmailAddress, r.who.address);
    p.String(tag::SmtpAddress, r.who.address);
    return p;
}

PropertyWriter AttachmentProperties(const Attachment& a, size_t index) {
    PropertyWriter p;
    p.Int32(tag::ObjectType, kObjectAttachment);
    p.Int32(tag::AttachNumber, int32_t(index));
    p.Int32(tag::AttachMethod, kAttachByValue);
    p.Int32(tag::RenderingPosition, kNotRendered);
    p.Int32(tag::AttachSize, int32_t(std::min<size_t>(a.bytes.size(), 0x7FFFFFFF)));
    p.Binary(tag::AttachDataBinary, a.bytes);
    p.String(tag::AttachLongFilename, a.fileName);
    p.String(tag::AttachFilename, ShortFileName(a.fileName, index));
    p.String(tag::DisplayName, a.fileName);
    p.String(tag::AttachExtension, Extension(a.fileName));
    p.String(tag::AttachMimeTag, a.mimeType.empty() ? MimeTypeForFileName(a.fileName) : a.mimeType);
    return p;
}

// The top-level header: 8 reserved bytes, the next recipient and attachment ids, the
// recipient and attachment counts, 8 reserved bytes.
std::string TopLevelHeader(const Message& m) {
    std::string header(8, '\0');
    PutLittleEndian(header, m.recipients.size(), 4);
    PutLittleEndian(header, m.attachments.size(), 4);
    PutLittleEndian(header, m.recipients.size(), 4);
    PutLittleEndian(header, m.attachments.size(), 4);
    header.append(8, '\0');
    return header;
}

// About the size of the file: its streams, their sectors' share of the allocation
// table, the directory and the property streams.
size_t ExpectedSize(const Message& m) {
    size_t content = m.subject.size() * 8 + m.body.size() * 2 + m.html.size() + 16384;
    for (const auto& attachment : m.attachments) content += attachment.bytes.size() + attachment.fileName.size() * 8 + 8192;
    content += m.recipients.size() * 8192;
    return content + content / 64;
}

}  // namespace

std::string WriteMsg(const Message& message) {
    CompoundFileWriter file(kMessageClassId, ExpectedSize(message));
    StorageWriter& root = file.Root();
    {
        // No named properties, but the map is there with its three streams.
        StorageWriter names = root.AddStorage(kNamedPropertyStorage);
        for (const char* stream : kNamedPropertyStreams) names.WriteStream(stream, {});
        names.Close();
    }
    for (size_t i = 0; i < message.recipients.size(); ++i) {
        StorageWriter storage = root.AddStorage(NumberedStorage(kRecipientPrefix, uint32_t(i)));
        RecipientProperties(message.recipients[i], i).WriteInto(storage, std::string(kSubObjectHeader, '\0'));
        storage.Close();
    }
    for (size_t i = 0; i < message.attachments.size(); ++i) {
        StorageWriter storage = root.AddStorage(NumberedStorage(kAttachmentPrefix, uint32_t(i)));
        AttachmentProperties(message.attachments[i], i).WriteInto(storage, std::string(kSubObjectHeader, '\0'));
        storage.Close();
    }
    MessageProperties(message).WriteInto(root, TopLevelHeader(message));
    return file.Finish();
}

}  // namespace mail
