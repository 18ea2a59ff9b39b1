// Internet messages (.eml files, RFC 5322 with MIME), read into the message model and
// written from it, through GMime.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "hosts/mail/message.h"

namespace mail {

// A received message: headers (encoded words decoded), the first plain and HTML
// bodies (in any transfer encoding and character set, as UTF-8), every other part as
// an attachment. Damaged input gives what can be read; input that holds no message at
// all throws MailError, its text beginning with `name` (the file's name).
Message ParseEml(std::string_view bytes, const std::string& name);
// The file's bytes parsed; a file that cannot be read throws MailError naming it.
Message LoadEml(const std::filesystem::path& file);

// The message as an internet message: From, To, Cc, Bcc, Subject, Date and
// Message-ID, the bodies (multipart/alternative when there are two), then the
// attachments (multipart/mixed), lines ended by CRLF, 7-bit clean.
std::string WriteEml(const Message& message);

}  // namespace mail
