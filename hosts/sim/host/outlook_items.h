// The items a simulated Outlook window shows: mail messages (subject, bodies,
// recipients and attachments, saving to a file, sending into the outbox) and the other
// kinds (appointments, contacts) that the add-in only tells apart by their class.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/mail/message.h"
#include "hosts/sim/host/outlook_faults.h"
#include "hosts/sim/host/outlook_mail_store.h"
#include "platform/outlook/outlook.h"

namespace sim {

namespace ol = platform::outlook;

// The save formats beyond those the add-in names (olTXT, olMSG).
inline constexpr int32_t kSaveAsHtml = 5;
inline constexpr int32_t kSaveAsUnicodeMsg = 9;

// A mail window as it opens. Without `content`, the message gets made-up recipients
// ("Recipient 1 <recipient1@example.com>") and attachments ("attachment1.txt") to the
// counts given; with it (a message file opened), those of the message, to the counts.
struct MailSetup {
    std::string subject = {};
    bool sent = false;  // a received or already sent message
    int32_t recipients = 1;
    int32_t attachments = 0;
    int32_t editor = ol::olEditorHTML;
    std::string body = {};
    std::string html = {};
    // Buttons tagged as the add-in's that an earlier session left on the window's
    // "Standard" bar (not temporary).
    int32_t leftoverButtons = 0;
    std::optional<mail::Message> content = {};
};

// What happened to a mail item, for expectations: read without the armed failures.
struct MailState {
    std::string subject = {};
    std::string body = {};
    std::string html = {};
    int32_t recipients = 0;
    int32_t attachments = 0;
    int32_t editor = ol::olEditorHTML;
    bool sent = false;               // sent, or opened as sent
    bool sentHere = false;           // sent by Send during this session
    std::vector<std::string> saved;  // every path SaveAs wrote, in order
    std::string outbox;              // where Send put the message
};

class SimCount final : public ol::Attachments, public ol::Recipients {
public:
    explicit SimCount(int32_t count) : count_(count) {}
    int32_t Count() override { return count_; }

private:
    int32_t count_;
};

class SimMailItem final : public ol::MailItem {
public:
    // `sender`: the Outlook user, for a new message; `store`: where Send puts it.
    SimMailItem(const MailSetup& setup, const mail::Address& sender, std::shared_ptr<OutlookFaults> faults,
                std::shared_ptr<MailStore> store);

    int32_t Class() override { return ol::olMail; }
    bool Sent() override { return state_.sent; }
    std::string Subject() override;
    void Subject(const std::string& value) override;
    std::string Body() override;
    void Body(const std::string& value) override;
    std::string HTMLBody() override;
    void HTMLBody(const std::string& value) override;
    std::shared_ptr<ol::Attachments> Attachments() override;
    std::shared_ptr<ol::Recipients> Recipients() override;
    // Writes the item in the format (olMSG: an Outlook message file; olTXT: the plain
    // text with its header lines; 5: the HTML body) over any file of that name, through
    // the drive map; a failed write leaves an earlier file whole.
    void SaveAs(const std::string& path, int32_t type) override;
    // Fails without recipients or once sent; raises Send (which may cancel), then the
    // message goes into the outbox, the item is sent and Outlook closes its window. A
    // sent item is gone from the drafts: everything but Class and Sent fails on it
    // afterwards.
    void Send() override;

    const MailState& State() const { return state_; }
    // The message as it stands now (the subject and bodies as changed).
    mail::Message Content() const;
    // The person wrote the message's recipients (To, Cc) in its window.
    void SetRecipients(std::vector<mail::Recipient> recipients);
    // How Outlook closes the window of a sent item.
    void OnSent(std::function<void(SimMailItem&)> closeWindow) { closeWindow_ = std::move(closeWindow); }
    void RaiseClose(bool& cancel);

private:
    void Usable();  // fails when the item is gone
    void BodyCall();

    MailState state_;
    mail::Message message_;  // who, to whom, attachments, times; subject and bodies live in state_
    std::shared_ptr<OutlookFaults> faults_;
    std::shared_ptr<MailStore> store_;
    std::function<void(SimMailItem&)> closeWindow_;
    bool gone_ = false;
};

template <class Interface, int32_t kClass>
class SimOtherItem final : public Interface {
public:
    int32_t Class() override { return kClass; }
};
using SimAppointmentItem = SimOtherItem<ol::AppointmentItem, ol::olAppointment>;
using SimContactItem = SimOtherItem<ol::ContactItem, ol::olContact>;

// The file SaveAs writes for the message in that format; raises Outlook's invalid
// argument for a format it does not write.
std::string SavedForm(const mail::Message& message, int32_t type);

// A new message's recipients and attachments, made up to the counts: "Recipient N"
// <recipientN@example.com>, "attachmentN.txt" with a line of text.
void MakeUpRecipients(mail::Message& message, int32_t count);
void MakeUpAttachments(mail::Message& message, int32_t count);

}  // namespace sim
