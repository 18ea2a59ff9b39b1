// The messages of one folder of the prefix's mail store ("C:\Quillet Mail\<folder>\"),
// read from their internet message files.
#pragma once

#include <string>
#include <vector>

#include "hosts/mail/message.h"

namespace desk {

struct MailEntry {
    std::string windowsPath;  // "C:\Quillet Mail\Inbox\1 Roof drawings.eml"
    mail::Message message;
};

// The folder's messages, newest first; files that hold no message are left out.
std::vector<MailEntry> ReadMailFolder(const std::string& folder);

}  // namespace desk
