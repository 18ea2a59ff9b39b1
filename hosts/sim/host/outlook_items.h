// The items a simulated Outlook window shows: mail messages (subject, bodies,
// recipients and attachments counted, saving to a file, sending) and the other kinds
// (appointments, contacts) that the add-in only tells apart by their class.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hosts/sim/host/outlook_faults.h"
#include "platform/outlook/outlook.h"

namespace sim {

namespace ol = platform::outlook;

// A mail window as it opens.
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
    SimMailItem(const MailSetup& setup, std::shared_ptr<OutlookFaults> faults);

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
    // Writes the readable stand-in of a message file through the file system, so the
    // drive map, locks and Windows' error numbers apply.
    void SaveAs(const std::string& path, int32_t type) override;
    // Fails without recipients or once sent; raises Send (which may cancel), then the
    // item is sent and Outlook closes its window. A sent item is gone from the
    // drafts: everything but Class and Sent fails on it afterwards.
    void Send() override;

    const MailState& State() const { return state_; }
    // How Outlook closes the window of a sent item.
    void OnSent(std::function<void(SimMailItem&)> closeWindow) { closeWindow_ = std::move(closeWindow); }
    void RaiseClose(bool& cancel);

private:
    void Usable();  // fails when the item is gone
    void BodyCall();

    MailState state_;
    std::shared_ptr<OutlookFaults> faults_;
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

// The readable stand-in of a message file: headers, a blank line, then the HTML body
// for the HTML and Word editors and the plain body otherwise.
void WriteMessageFile(const std::string& path, const MailState& mail);

}  // namespace sim
