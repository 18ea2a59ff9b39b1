#include "hosts/mail/eml_file.h"
#include "hosts/mail/posix/gmime_support.h"
#include "hosts/mail/posix/gobject_ptr.h"

namespace mail {

namespace {

GMimeAddressType AddressType(RecipientKind kind) {
    switch (kind) {
        case RecipientKind::Cc:
            return GMIME_ADDRESS_TYPE_CC;
        case RecipientKind::Bcc:
            return GMIME_ADDRESS_TYPE_BCC;
        case RecipientKind::To:
            break;
    }
    return GMIME_ADDRESS_TYPE_TO;
}

GMimeObject* TextPart(const char* subtype, const std::string& text) {
    GMimeTextPart* part = g_mime_text_part_new_with_subtype(subtype);
    g_mime_text_part_set_text(part, text.c_str());
    return GMIME_OBJECT(part);
}

GMimeObject* AttachmentPart(const Attachment& attachment) {
    const std::string mimeType = attachment.mimeType.empty() ? MimeTypeForFileName(attachment.fileName) : attachment.mimeType;
    const auto slash = mimeType.find('/');
    const std::string type = slash == std::string::npos ? "application" : mimeType.substr(0, slash);
    const std::string subtype = slash == std::string::npos ? "octet-stream" : mimeType.substr(slash + 1);
    GMimePart* part = g_mime_part_new_with_type(type.c_str(), subtype.c_str());
    g_mime_object_set_disposition(GMIME_OBJECT(part), GMIME_DISPOSITION_ATTACHMENT);
    g_mime_part_set_filename(part, attachment.fileName.c_str());
    GObjectPtr<GMimeStream> bytes(g_mime_stream_mem_new_with_buffer(attachment.bytes.data(), attachment.bytes.size()));
    GObjectPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(bytes.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, content.get());
    g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(part);
}

// The bodies: one text part, or both in a multipart/alternative (plain first).
GMimeObject* BodyPart(const Message& m) {
    if (m.html.empty()) return TextPart("plain", m.body);
    if (m.body.empty()) return TextPart("html", m.html);
    GMimeMultipart* alternative = g_mime_multipart_new_with_subtype("alternative");
    for (GMimeObject* part : {TextPart("plain", m.body), TextPart("html", m.html)}) {
        g_mime_multipart_add(alternative, part);
        g_object_unref(part);
    }
    return GMIME_OBJECT(alternative);
}

}  // namespace

std::string WriteEml(const Message& m) {
    StartGMime();
    GObjectPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    if (!m.sender.name.empty() || !m.sender.address.empty())
        g_mime_message_add_mailbox(message.get(), GMIME_ADDRESS_TYPE_FROM, m.sender.name.c_str(), m.sender.address.c_str());
    for (const auto& recipient : m.recipients)
        g_mime_message_add_mailbox(message.get(), AddressType(recipient.kind), recipient.who.name.c_str(),
                                   recipient.who.address.c_str());
    g_mime_message_set_subject(message.get(), m.subject.c_str(), "utf-8");
    if (m.sentTime) {
        GDateTime* date = g_date_time_new_from_unix_utc(m.sentTime->time_since_epoch().count());
        if (date) {
            g_mime_message_set_date(message.get(), date);
            g_date_time_unref(date);
        }
    }
    if (!m.messageId.empty()) g_mime_message_set_message_id(message.get(), m.messageId.c_str());

    GObjectPtr<GMimeObject> top(BodyPart(m));
    if (!m.attachments.empty()) {
        GMimeMultipart* mixed = g_mime_multipart_new_with_subtype("mixed");
        g_mime_multipart_add(mixed, top.get());
        for (const auto& attachment : m.attachments) {
            GObjectPtr<GMimeObject> part(AttachmentPart(attachment));
            g_mime_multipart_add(mixed, part.get());
        }
        top.reset(GMIME_OBJECT(mixed));
    }
    g_mime_message_set_mime_part(message.get(), top.get());
    g_mime_object_encode(GMIME_OBJECT(message.get()), GMIME_ENCODING_CONSTRAINT_7BIT);

    GMimeFormatOptions* format = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(format, GMIME_NEWLINE_FORMAT_DOS);
    GObjectPtr<GMimeStream> out(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), format, out.get());
    g_mime_format_options_free(format);
    return BytesOf(out.get());
}

}  // namespace mail
