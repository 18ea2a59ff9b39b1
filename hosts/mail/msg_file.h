// Outlook's message files (.msg): a message written as Outlook writes it (Unicode
// strings, the recipient table, attachments by value, an empty named-property map)
// and read back.
#pragma once

#include <string>
#include <string_view>

#include "hosts/mail/message.h"

namespace mail {

// The file's bytes. Throws MailError when the container cannot be written.
std::string WriteMsg(const Message& message);

// Reads a message file (one of ours, or any that stores its strings as Unicode or in
// the file's code page). Throws MailError naming what is wrong when it is not one.
Message ReadMsg(std::string_view bytes);

}  // namespace mail
