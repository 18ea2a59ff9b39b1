// The forms SaveAs writes a message in.
#include <ctime>

#include "hosts/mail/mail_error.h"
#include "hosts/mail/msg_file.h"
#include "hosts/sim/host/machine_files.h"
#include "hosts/sim/host/outlook_items.h"

namespace sim {

namespace {

// "Thursday, March 05, 2026 8:40 AM" (UTC), as Outlook heads a saved text file.
std::string LongDate(mail::Time time) {
    const std::time_t seconds = std::time_t(time.time_since_epoch().count());
    const std::tm utc = machine::UtcTime(seconds);
    char text[64];
    std::strftime(text, sizeof text, "%A, %B %d, %Y %I:%M %p", &utc);
    return text;
}

// The header lines and the plain body, as Outlook saves a message as text.
std::string TextForm(const mail::Message& m) {
    std::string text = "From:\t" + (m.sender.name.empty() ? m.sender.address : m.sender.name) + "\r\n";
    if (m.sentTime) text += "Sent:\t" + LongDate(*m.sentTime) + "\r\n";
    text += "To:\t" + mail::DisplayList(m, mail::RecipientKind::To) + "\r\n";
    if (m.CountOf(mail::RecipientKind::Cc) > 0) text += "Cc:\t" + mail::DisplayList(m, mail::RecipientKind::Cc) + "\r\n";
    text += "Subject:\t" + m.subject + "\r\n";
    if (!m.attachments.empty()) {
        text += "Attachments:\t";
        for (size_t i = 0; i < m.attachments.size(); ++i) text += (i ? "; " : "") + m.attachments[i].fileName;
        text += "\r\n";
    }
    return text + "\r\n" + m.body;
}

// The HTML body; a message without one gets its plain body as preformatted text.
std::string HtmlForm(const mail::Message& m) {
    if (!m.html.empty()) return m.html;
    std::string escaped;
    for (char c : m.body) {
        if (c == '<') escaped += "&lt;";
        else if (c == '>') escaped += "&gt;";
        else if (c == '&') escaped += "&amp;";
        else escaped += c;
    }
    return "<html><body><pre>" + escaped + "</pre></body></html>";
}

}  // namespace

std::string SavedForm(const mail::Message& message, int32_t type) {
    switch (type) {
        case ol::olMSG:
        case kSaveAsUnicodeMsg:
            try {
                return mail::WriteMsg(message);
            } catch (const mail::MailError&) {
                platform::Raise(olerr::Failed, "The operation failed.", "Microsoft Outlook");
            }
        case ol::olTXT:
            return TextForm(message);
        case kSaveAsHtml:
            return HtmlForm(message);
        default:
            RaiseInvalidArgument();
    }
}

}  // namespace sim
