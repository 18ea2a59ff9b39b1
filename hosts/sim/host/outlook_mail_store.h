// The simulated Outlook's mail store, in the prefix: "C:\Quillet Mail\" with the
// folders Inbox, Drafts, Sent and Outbox, as a desktop stand-in lists them. A message
// sent goes into the outbox as an internet message (.eml; on Windows an Outlook message
// file), named by the time it left and its subject ("20260305-143012 Roof
// drawings.eml"), never over another.
#pragma once

#include <string>
#include <vector>

#include "hosts/mail/message.h"

namespace sim {

class MailStore {
public:
    static constexpr const char* kRoot = "C:\\Quillet Mail\\";
    static constexpr const char* kFolders[] = {"Inbox", "Drafts", "Sent", "Outbox"};
    static constexpr const char* kOutbox = "C:\\Quillet Mail\\Outbox\\";

    // Makes the store's folders that are missing, as far as it can (C: must be mapped).
    void Create() const;
    // Writes the message into the outbox; its Windows path.
    std::string PutInOutbox(const mail::Message& message);
    // The Windows paths of the messages in the outbox, in name order.
    std::vector<std::string> Outbox() const;
    // The Windows path of the message this store put into the outbox last; empty
    // when it put none.
    const std::string& LastSent() const { return lastSent_; }

private:
    std::string lastSent_;
};

// The file name a subject gives ("Re: Roof / walls?" -> "Re Roof  walls"): the
// characters Windows does not allow in names left out, at most 60 characters,
// "(no subject)" when nothing is left.
std::string FileNameFromSubject(const std::string& subject);

}  // namespace sim
