#include <algorithm>
#include <cstdlib>

#include "hosts/mail/mail_error.h"
#include "hosts/mail/msg_file.h"
#include "hosts/mail/msg_properties.h"
#include "hosts/mail/msg_property_set.h"

namespace mail {

namespace {

using namespace msg;

// A string property stored as Unicode, or else in the file's own code page.
std::string Text(const PropertyReader& p, uint32_t unicodeTag) {
    if (auto text = p.String(unicodeTag)) return *text;
    if (auto text = p.String(Tag(uint16_t(unicodeTag >> 16), kString8))) return *text;
    return {};
}

// The storages of one kind ("__recip_version1.0_#..."), in the order of their numbers.
std::vector<std::string> NumberedStorages(const StorageReader& root, const std::string& prefix) {
    std::vector<std::pair<unsigned long, std::string>> found;
    for (const auto& name : root.Names())
        if (name.rfind(prefix, 0) == 0) found.emplace_back(std::strtoul(name.c_str() + prefix.size(), nullptr, 16), name);
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& entry : found) names.push_back(std::move(entry.second));
    return names;
}

Recipient ReadRecipient(const PropertyReader& p) {
    Recipient r;
    const int32_t type = p.Int32(tag::RecipientType).value_or(1) & 0x0F;
    r.kind = type == 2 ? RecipientKind::Cc : type == 3 ? RecipientKind::Bcc : RecipientKind::To;
    r.who.name = Text(p, tag::DisplayName);
    r.who.address = Text(p, tag::SmtpAddress);
    if (r.who.address.empty()) r.who.address = Text(p, tag::EmailAddress);
    return r;
}

Attachment ReadAttachment(const PropertyReader& p) {
    Attachment a;
    a.fileName = Text(p, tag::AttachLongFilename);
    if (a.fileName.empty()) a.fileName = Text(p, tag::AttachFilename);
    if (a.fileName.empty()) a.fileName = Text(p, tag::DisplayName);
    a.mimeType = Text(p, tag::AttachMimeTag);
    a.bytes = p.Binary(tag::AttachDataBinary).value_or(std::string());
    return a;
}

}  // namespace

Message ReadMsg(std::string_view bytes) {
    CompoundFileReader file(bytes);
    const StorageReader& root = file.Root();
    if (!root.ReadStream(kPropertyStream))
        throw MailError("not an Outlook message file: it has no " + std::string(kPropertyStream) + " stream");
    PropertyReader p(root, kTopLevelHeader);

    Message m;
    m.subject = Text(p, tag::Subject);
    if (m.subject.empty()) m.subject = Text(p, tag::SubjectPrefix) + Text(p, tag::NormalizedSubject);
    m.body = Text(p, tag::Body);
    if (auto html = p.Binary(tag::Html))
        m.html = *html;
    else
        m.html = Text(p, tag::BodyHtml);
    m.sender.name = Text(p, tag::SenderName);
    m.sender.address = Text(p, tag::SenderSmtpAddress);
    if (m.sender.address.empty()) m.sender.address = Text(p, tag::SenderEmailAddress);
    m.sentTime = p.Time(tag::ClientSubmitTime);
    m.receivedTime = p.Time(tag::MessageDeliveryTime);
    m.messageId = Text(p, tag::InternetMessageId);
    if (m.messageId.size() >= 2 && m.messageId.front() == '<' && m.messageId.back() == '>')
        m.messageId = m.messageId.substr(1, m.messageId.size() - 2);
    m.sent = (p.Int32(tag::MessageFlags).value_or(0) & kMessageFlagUnsent) == 0;
    const int32_t editor = p.Int32(tag::MessageEditorFormat).value_or(0);
    m.editor = editor >= 1 && editor <= 3 ? EditorFormat(editor) : EditorFormat::Unknown;

    for (const auto& name : NumberedStorages(root, kRecipientPrefix))
        if (auto storage = root.Storage(name)) m.recipients.push_back(ReadRecipient(PropertyReader(*storage, kSubObjectHeader)));
    for (const auto& name : NumberedStorages(root, kAttachmentPrefix))
        if (auto storage = root.Storage(name))
            m.attachments.push_back(ReadAttachment(PropertyReader(*storage, kSubObjectHeader)));
    return m;
}

}  // namespace mail
