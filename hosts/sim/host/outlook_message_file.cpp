#include "hosts/sim/host/outlook_items.h"
#include "platform/files/files.h"

namespace sim {

void WriteMessageFile(const std::string& path, const MailState& mail) {
    auto file = platform::files::NewFileSystemObject()->OpenTextFile(path, platform::files::ForWriting, true);
    file->WriteLine("Subject: " + mail.subject);
    file->WriteLine("Recipients: " + std::to_string(mail.recipients));
    file->WriteLine("Attachments: " + std::to_string(mail.attachments));
    file->WriteLine();
    bool html = mail.editor == ol::olEditorHTML || mail.editor == ol::olEditorWord;
    file->Write(html ? mail.html : mail.body);
    file->Close();
}

}  // namespace sim
