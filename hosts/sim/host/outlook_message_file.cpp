#include "hosts/sim/host/outlook_items.h"
#include "platform/files/files.h"

namespace sim {

// The file is written whole, in one step, as Outlook's SaveAs replaces a file.
void WriteMessageFile(const std::string& path, const MailState& mail) {
    bool html = mail.editor == ol::olEditorHTML || mail.editor == ol::olEditorWord;
    platform::files::WriteFileAtomically(path, "Subject: " + mail.subject + "\r\n" +
                                                   "Recipients: " + std::to_string(mail.recipients) + "\r\n" +
                                                   "Attachments: " + std::to_string(mail.attachments) + "\r\n" +
                                                   "\r\n" + (html ? mail.html : mail.body));
}

}  // namespace sim
