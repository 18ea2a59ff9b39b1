// A mail message as the Outlook stand-ins hold it: who sent it and to whom, its
// subject, its two bodies, its attachments, its times and whether it left already.
// Text is UTF-8; attachments carry their bytes.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mail {

struct Address {
    std::string name;     // display name ("Anna Berg"); may be empty
    std::string address;  // "anna@example.com"; may be empty
};

// The numbers are Outlook's own (recipient types and editor formats).
enum class RecipientKind : int32_t { To = 1, Cc = 2, Bcc = 3 };
enum class EditorFormat : int32_t { Unknown = 0, PlainText = 1, Html = 2, RichText = 3 };

struct Recipient {
    RecipientKind kind = RecipientKind::To;
    Address who;
};

struct Attachment {
    std::string fileName;  // "Übersicht.pdf"
    std::string mimeType;  // "application/pdf"; empty when unknown
    std::string bytes;
};

using Time = std::chrono::sys_seconds;

struct Message {
    std::string subject;
    Address sender;
    std::vector<Recipient> recipients;
    std::string body;  // the plain body
    std::string html;  // the HTML body, empty when there is none
    std::vector<Attachment> attachments;
    std::optional<Time> sentTime;      // when it was submitted
    std::optional<Time> receivedTime;  // when it was delivered
    std::string messageId;             // the internet message id, without angle brackets
    bool sent = false;                 // false: an unsent draft
    EditorFormat editor = EditorFormat::Html;

    size_t CountOf(RecipientKind kind) const;
};

// A subject's prefix ("RE: ", "FW: ") and the rest, as mail programs split it: one to
// three characters that are no digits, spaces or colons, a colon, then any spaces.
struct SubjectParts {
    std::string prefix;
    std::string normalized;
};
SubjectParts SplitSubject(const std::string& subject);

// "Anna Berg; Ben Ode": the display names (the address for a recipient without one)
// of the recipients of that kind, as mail programs show them.
std::string DisplayList(const Message& message, RecipientKind kind);

// The MIME type mail programs give a file of that name ("report.pdf" ->
// "application/pdf"); "application/octet-stream" when the extension is not known.
std::string MimeTypeForFileName(const std::string& fileName);

}  // namespace mail
