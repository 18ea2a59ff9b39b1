// Fuzz target: loading an internet message, and what the Outlook stand-ins do with a
// loaded one: written as an Outlook message file and read back unchanged, and written
// as an internet message again. Damaged input may be refused (MailError), nothing
// else: a crash, a hang or a message that does not come back whole is a fault.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/mail_error.h"
#include "hosts/mail/msg_file.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "eml fuzz target: %s\n", what);
    std::abort();
}

// What the message file gives back for a name: the address when there is no name.
std::string Shown(const mail::Address& who) { return who.name.empty() ? who.address : who.name; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mail::Message loaded;
    try {
        loaded = mail::ParseEml(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz input");
    } catch (const mail::MailError&) {
        return 0;
    }
    const mail::Message filed = mail::ReadMsg(mail::WriteMsg(loaded));
    if (filed.subject != loaded.subject) Fault("the subject changed in the message file");
    if (filed.body != loaded.body || filed.html != loaded.html) Fault("a body changed in the message file");
    if (filed.sentTime != loaded.sentTime || filed.messageId != loaded.messageId) Fault("the header changed");
    if (filed.sender.address != loaded.sender.address ||
        (!loaded.sender.name.empty() || !loaded.sender.address.empty() ? filed.sender.name != Shown(loaded.sender)
                                                                       : !filed.sender.name.empty()))
        Fault("the sender changed in the message file");
    if (filed.recipients.size() != loaded.recipients.size()) Fault("recipients were lost in the message file");
    for (size_t i = 0; i < loaded.recipients.size(); ++i)
        if (filed.recipients[i].kind != loaded.recipients[i].kind ||
            filed.recipients[i].who.address != loaded.recipients[i].who.address ||
            filed.recipients[i].who.name != Shown(loaded.recipients[i].who))
            Fault("a recipient changed in the message file");
    if (filed.attachments.size() != loaded.attachments.size()) Fault("attachments were lost in the message file");
    for (size_t i = 0; i < loaded.attachments.size(); ++i)
        if (filed.attachments[i].bytes != loaded.attachments[i].bytes ||
            filed.attachments[i].fileName != loaded.attachments[i].fileName)
            Fault("an attachment changed in the message file");
    const std::string again = mail::WriteEml(loaded);
    if (again.empty()) Fault("the message wrote no internet message");
    return 0;
}
