// Messages the mail tests share.
#pragma once

#include <string>

#include "hosts/mail/message.h"

namespace mail_test {

// Every field set; bodies and names with characters beyond ASCII, an attachment with
// every byte value.
inline mail::Message FullMessage() {
    mail::Message m;
    m.subject = "RE: Roof drawings – Grüße";
    m.sender = {"Anna Berg", "anna@example.com"};
    m.recipients = {{mail::RecipientKind::To, {"Ben Ode", "ben@example.com"}},
                    {mail::RecipientKind::To, {"Cy Dahl", "cy@example.com"}},
                    {mail::RecipientKind::Cc, {"Dora Ek", "dora@example.com"}},
                    {mail::RecipientKind::Bcc, {"", "files@example.com"}}};
    m.body = "Hello Ben,\r\nthe drawings – Grüße.\r\n";
    m.html = "<html><body><p>Hello Ben,</p><p>the drawings – Grüße.</p></body></html>";
    std::string every;
    for (int i = 0; i < 256 * 20; ++i) every += char(i % 256);
    m.attachments = {{"Roof plan.pdf", "application/pdf", every}, {"notes.txt", "text/plain", "two\r\nlines\r\n"}};
    m.sentTime = mail::Time(std::chrono::seconds(1772698440));      // 2026-03-05 08:14:00 UTC
    m.receivedTime = mail::Time(std::chrono::seconds(1772698502));  // 62 seconds later
    m.messageId = "roof-17@example.com";
    m.sent = true;
    m.editor = mail::EditorFormat::Html;
    return m;
}

}  // namespace mail_test
