#include <atomic>
#include <chrono>
#include <utility>


#include "hosts/sim/host/machine_files.h"
#include "hosts/sim/host/outlook_item_files.h"
#include "hosts/sim/host/outlook_items.h"

namespace sim {

namespace {

mail::EditorFormat FormatOf(int32_t editor) {
    switch (editor) {
        case ol::olEditorText:
            return mail::EditorFormat::PlainText;
        case ol::olEditorRTF:
            return mail::EditorFormat::RichText;
        default:
            return mail::EditorFormat::Html;
    }
}

// "<20260305084000.4711.1@outlook.quillet.invalid>" without its brackets: unique in
// the process, and across processes by the process id.
std::string NewMessageId(mail::Time sent) {
    static std::atomic<unsigned> counter{0};
    return std::to_string(sent.time_since_epoch().count()) + "." + std::to_string(machine::ProcessId()) + "." +
           std::to_string(++counter) + "@outlook.quillet.invalid";
}

}  // namespace

void MakeUpRecipients(mail::Message& message, int32_t count) {
    const auto wanted = size_t(std::max(count, 0));
    if (message.recipients.size() > wanted) message.recipients.resize(wanted);
    for (size_t n = message.recipients.size() + 1; n <= wanted; ++n)
        message.recipients.push_back(
            {mail::RecipientKind::To, {"Recipient " + std::to_string(n), "recipient" + std::to_string(n) + "@example.com"}});
}

void MakeUpAttachments(mail::Message& message, int32_t count) {
    const auto wanted = size_t(std::max(count, 0));
    if (message.attachments.size() > wanted) message.attachments.resize(wanted);
    for (size_t n = message.attachments.size() + 1; n <= wanted; ++n)
        message.attachments.push_back({"attachment" + std::to_string(n) + ".txt", "text/plain",
                                       "Attachment " + std::to_string(n) + " of the message.\r\n"});
}

SimMailItem::SimMailItem(const MailSetup& setup, const mail::Address& sender, std::shared_ptr<OutlookFaults> faults,
                         std::shared_ptr<MailStore> store)
    : message_(setup.content.value_or(mail::Message{})), faults_(std::move(faults)), store_(std::move(store)) {
    if (!setup.content) message_.sender = sender;
    MakeUpRecipients(message_, setup.recipients);
    MakeUpAttachments(message_, setup.attachments);
    state_.subject = setup.subject;
    state_.body = setup.body;
    state_.html = setup.html;
    state_.recipients = setup.recipients;
    state_.attachments = setup.attachments;
    state_.editor = setup.editor;
    state_.sent = setup.sent;
}

void SimMailItem::SetRecipients(std::vector<mail::Recipient> recipients) {
    message_.recipients = std::move(recipients);
    state_.recipients = static_cast<int32_t>(message_.recipients.size());
}

mail::Message SimMailItem::Content() const {
    mail::Message message = message_;
    message.subject = state_.subject;
    message.body = state_.body;
    message.html = state_.html;
    message.sent = state_.sent;
    message.editor = FormatOf(state_.editor);
    return message;
}

void SimMailItem::Usable() {
    if (gone_) platform::Raise(olerr::ItemGone, "The item has been moved or deleted.", "Microsoft Outlook");
}

void SimMailItem::BodyCall() {
    faults_->Check(OutlookCall::Body);
    Usable();
}

std::string SimMailItem::Subject() {
    Usable();
    return state_.subject;
}

void SimMailItem::Subject(const std::string& value) {
    Usable();
    state_.subject = value;
}

std::string SimMailItem::Body() {
    BodyCall();
    return state_.body;
}

void SimMailItem::Body(const std::string& value) {
    BodyCall();
    state_.body = value;
}

std::string SimMailItem::HTMLBody() {
    BodyCall();
    return state_.html;
}

void SimMailItem::HTMLBody(const std::string& value) {
    BodyCall();
    state_.html = value;
}

std::shared_ptr<ol::Attachments> SimMailItem::Attachments() {
    Usable();
    return std::make_shared<SimCount>(state_.attachments);
}

std::shared_ptr<ol::Recipients> SimMailItem::Recipients() {
    Usable();
    return std::make_shared<SimCount>(state_.recipients);
}

void SimMailItem::SaveAs(const std::string& path, int32_t type) {
    faults_->Check(OutlookCall::SaveAs);
    Usable();
    WriteItemFile(path, SavedForm(Content(), type));
    state_.saved.push_back(path);
}

void SimMailItem::Send() {
    faults_->Check(OutlookCall::Send);
    Usable();
    if (state_.sent) platform::Raise(olerr::Failed, "This message has already been sent.", "Microsoft Outlook");
    if (state_.recipients == 0)
        platform::Raise(olerr::Failed,
                        "There must be at least one name or distribution list in the To, Cc, or Bcc box.",
                        "Microsoft Outlook");
    bool cancel = false;
    Raise([&](ol::MailItemEvents& sink) { sink.Send(cancel); });
    if (cancel) return;
    mail::Message leaving = Content();
    leaving.sent = true;
    leaving.sentTime = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    leaving.receivedTime.reset();
    if (leaving.messageId.empty()) leaving.messageId = NewMessageId(*leaving.sentTime);
    state_.outbox = store_->PutInOutbox(leaving);
    state_.sent = true;
    state_.sentHere = true;
    gone_ = true;
    if (closeWindow_) closeWindow_(*this);
}

void SimMailItem::RaiseClose(bool& cancel) {
    Raise([&](ol::MailItemEvents& sink) { sink.Close(cancel); });
}

}  // namespace sim
