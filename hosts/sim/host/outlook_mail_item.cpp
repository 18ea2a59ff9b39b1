#include <utility>

#include "hosts/sim/host/outlook_items.h"

namespace sim {

SimMailItem::SimMailItem(const MailSetup& setup, std::shared_ptr<OutlookFaults> faults)
    : faults_(std::move(faults)) {
    state_.subject = setup.subject;
    state_.body = setup.body;
    state_.html = setup.html;
    state_.recipients = setup.recipients;
    state_.attachments = setup.attachments;
    state_.editor = setup.editor;
    state_.sent = setup.sent;
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

void SimMailItem::SaveAs(const std::string& path, int32_t /*type*/) {
    faults_->Check(OutlookCall::SaveAs);
    Usable();
    WriteMessageFile(path, state_);
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
    state_.sent = true;
    state_.sentHere = true;
    gone_ = true;
    if (closeWindow_) closeWindow_(*this);
}

void SimMailItem::RaiseClose(bool& cancel) {
    Raise([&](ol::MailItemEvents& sink) { sink.Close(cancel); });
}

}  // namespace sim
