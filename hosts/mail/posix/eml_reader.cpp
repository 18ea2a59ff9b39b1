#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/posix/gmime_support.h"
#include "hosts/mail/posix/gobject_ptr.h"
#include "hosts/mail/mail_error.h"
#include "hosts/mail/unicode.h"

namespace mail {

namespace {

// Times a message file can hold: from 1601 on.
constexpr int64_t kEarliest = -11644473600;

std::optional<Time> TimeOf(GDateTime* date) {
    if (!date) return std::nullopt;
    const int64_t seconds = g_date_time_to_unix(date);
    if (seconds < kEarliest) return std::nullopt;
    return Time(std::chrono::seconds(seconds));
}

std::string Text(const char* text) { return text ? MessageText(text) : std::string(); }

// Every mailbox of the list, those inside groups too.
void AddMailboxes(InternetAddressList* list, RecipientKind kind, std::vector<Recipient>& out) {
    std::vector<InternetAddressList*> lists{list};
    while (!lists.empty()) {
        InternetAddressList* current = lists.back();
        lists.pop_back();
        const int count = current ? internet_address_list_length(current) : 0;
        for (int i = 0; i < count; ++i) {
            InternetAddress* address = internet_address_list_get_address(current, i);
            if (INTERNET_ADDRESS_IS_GROUP(address)) {
                lists.push_back(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)));
            } else if (INTERNET_ADDRESS_IS_MAILBOX(address)) {
                out.push_back({kind,
                               {Text(internet_address_get_name(address)),
                                Text(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)))}});
            }
        }
    }
}

// The delivery time: the date of the newest Received field (after its last ';').
std::optional<Time> ReceivedTime(GMimeMessage* message) {
    const char* received = g_mime_object_get_header(GMIME_OBJECT(message), "Received");
    if (!received) return std::nullopt;
    const char* semicolon = std::strrchr(received, ';');
    if (!semicolon) return std::nullopt;
    GDateTime* date = g_mime_utils_header_decode_date(semicolon + 1);
    auto time = TimeOf(date);
    if (date) g_date_time_unref(date);
    return time;
}

std::string MimeType(GMimeObject* object) {
    GMimeContentType* type = g_mime_object_get_content_type(object);
    if (!type) return "application/octet-stream";
    char* text = g_mime_content_type_get_mime_type(type);
    std::string mimeType = text ? text : "application/octet-stream";
    g_free(text);
    return mimeType;
}

// "ATT00002.txt": the name Outlook gives an attachment that came without one.
std::string UnnamedAttachment(const std::string& mimeType, size_t number) {
    std::string extension = mimeType == "text/plain"       ? ".txt"
                            : mimeType == "text/html"      ? ".htm"
                            : mimeType == "message/rfc822" ? ".eml"
                                                           : ".bin";
    return "ATT" + std::to_string(100000 + number).substr(1) + extension;
}

// The decoded content of a part (its transfer encoding undone).
std::string ContentOf(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    GObjectPtr<GMimeStream> out(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(content, out.get());
    return BytesOf(out.get());
}

// The text of a text part, in UTF-8 whatever its character set (NULs dropped, what
// follows them kept). Without a character set, UTF-8 when it is valid, else Latin-1; a set that
// cannot be converted from gives its bytes with the invalid ones replaced.
std::string TextOf(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    GObjectPtr<GMimeStream> out(g_mime_stream_mem_new());
    GObjectPtr<GMimeStream> filtered(g_mime_stream_filter_new(out.get()));
    if (charset && g_ascii_strcasecmp(charset, "utf-8") != 0 && g_ascii_strcasecmp(charset, "us-ascii") != 0) {
        if (GMimeFilter* convert = g_mime_filter_charset_new(charset, "UTF-8")) {
            g_mime_stream_filter_add(GMIME_STREAM_FILTER(filtered.get()), convert);
            g_object_unref(convert);
        }
    }
    g_mime_data_wrapper_write_to_stream(content, filtered.get());
    g_mime_stream_flush(filtered.get());
    std::string text = BytesOf(out.get());
    if (!charset && !g_utf8_validate_len(text.data(), text.size(), nullptr)) {
        gsize written = 0;
        if (gchar* latin = g_convert(text.data(), gssize(text.size()), "UTF-8", "ISO-8859-1", nullptr, &written, nullptr)) {
            text.assign(latin, written);
            g_free(latin);
        }
    }
    return MessageText(text);
}

bool IsAttachment(GMimeObject* object) {
    const char* disposition = g_mime_object_get_disposition(object);
    if (disposition && g_ascii_strcasecmp(disposition, GMIME_DISPOSITION_ATTACHMENT) == 0) return true;
    if (GMIME_IS_PART(object) && g_mime_part_get_filename(GMIME_PART(object))) return true;
    GMimeContentType* type = g_mime_object_get_content_type(object);
    return !type || !(g_mime_content_type_is_type(type, "text", "plain") || g_mime_content_type_is_type(type, "text", "html"));
}

// The parts of the message in order: the first plain and HTML texts that are no
// attachments become the bodies, every other leaf an attachment.
void TakeParts(GMimeObject* top, Message& m) {
    bool haveBody = false, haveHtml = false;
    std::vector<GMimeObject*> pending{top};
    while (!pending.empty()) {
        GMimeObject* object = pending.back();
        pending.pop_back();
        if (!object) continue;
        if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            for (int i = g_mime_multipart_get_count(multipart) - 1; i >= 0; --i)
                pending.push_back(g_mime_multipart_get_part(multipart, i));
            continue;
        }
        Attachment attachment;
        attachment.mimeType = MimeType(object);
        if (GMIME_IS_MESSAGE_PART(object)) {
            GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
            if (inner) {
                GObjectPtr<GMimeStream> out(g_mime_stream_mem_new());
                g_mime_object_write_to_stream(GMIME_OBJECT(inner), nullptr, out.get());
                attachment.bytes = BytesOf(out.get());
            }
        } else if (GMIME_IS_PART(object)) {
            GMimePart* part = GMIME_PART(object);
            const bool attached = IsAttachment(object);
            if (!attached && !haveBody && g_mime_content_type_is_type(g_mime_object_get_content_type(object), "text", "plain")) {
                m.body = TextOf(part);
                haveBody = true;
                continue;
            }
            if (!attached && !haveHtml && g_mime_content_type_is_type(g_mime_object_get_content_type(object), "text", "html")) {
                m.html = TextOf(part);
                haveHtml = true;
                continue;
            }
            attachment.fileName = Text(g_mime_part_get_filename(part));
            attachment.bytes = ContentOf(part);
        } else {
            continue;
        }
        if (attachment.fileName.empty()) attachment.fileName = UnnamedAttachment(attachment.mimeType, m.attachments.size() + 1);
        m.attachments.push_back(std::move(attachment));
    }
}

}  // namespace

Message ParseEml(std::string_view bytes, const std::string& name) {
    StartGMime();
    if (bytes.empty()) throw MailError(name + ": the file is empty");
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
    GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    if (!message) throw MailError(name + ": not an internet message (it has no header block)");
    GMimeHeaderList* headers = g_mime_object_get_header_list(GMIME_OBJECT(message.get()));
    if (!headers || g_mime_header_list_get_count(headers) == 0)
        throw MailError(name + ": not an internet message (it has no header block)");

    Message m;
    m.sent = true;
    m.subject = Text(g_mime_message_get_subject(message.get()));
    std::vector<Recipient> from;
    AddMailboxes(g_mime_message_get_from(message.get()), RecipientKind::To, from);
    if (from.empty()) AddMailboxes(g_mime_message_get_sender(message.get()), RecipientKind::To, from);
    if (!from.empty()) m.sender = from.front().who;
    AddMailboxes(g_mime_message_get_to(message.get()), RecipientKind::To, m.recipients);
    AddMailboxes(g_mime_message_get_cc(message.get()), RecipientKind::Cc, m.recipients);
    AddMailboxes(g_mime_message_get_bcc(message.get()), RecipientKind::Bcc, m.recipients);
    m.sentTime = TimeOf(g_mime_message_get_date(message.get()));
    m.receivedTime = ReceivedTime(message.get());
    if (!m.receivedTime) m.receivedTime = m.sentTime;
    m.messageId = Text(g_mime_message_get_message_id(message.get()));
    TakeParts(g_mime_message_get_mime_part(message.get()), m);
    m.editor = m.html.empty() ? EditorFormat::PlainText : EditorFormat::Html;
    return m;
}

Message LoadEml(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) throw MailError(file.string() + ": a folder, not a message file");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw MailError(file.string() + ": cannot open the file");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw MailError(file.string() + ": cannot read the file");
    return ParseEml(content.str(), file.string());
}

}  // namespace mail
