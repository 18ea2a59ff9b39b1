// "What must hold" for messages on disk: a filed Outlook message file, read back
// ("expect file "P:\Jobs\Roof.msg" msg subject = "Roof"") and the outbox of the mail
// store ("expect outbox count = 1", "expect outbox subject = "Roof"", the latter about
// the message sent last).
#include <fstream>
#include <iterator>
#include <string>

#include "hosts/mail/mail_error.h"
#include "hosts/mail/msg_file.h"
#include "hosts/sim/host/machine_files.h"
#include "hosts/sim/runner/session.h"

namespace sim::runner {

using scenario::Step;
using scenario::Token;

namespace {

// The bytes of the file behind a Windows path; nullopt when there is none.
std::optional<std::string> FileBytes(const std::string& windowsPath) {
    const auto host = sim::machine::HostFile(windowsPath);
    std::error_code ec;
    if (!host || !std::filesystem::is_regular_file(*host, ec)) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const Token& At(const Step& step, size_t i) {
    if (i >= step.tokens.size()) throw BadStep("the expectation ends too early");
    return step.tokens[i];
}

const std::string& StringAt(const Step& step, size_t i) {
    const Token& token = At(step, i);
    if (token.kind != Token::Kind::String) throw BadStep("expected a quoted string, found " + token.text);
    return token.text;
}

int64_t NumberAt(const Step& step, size_t i) {
    const Token& token = At(step, i);
    if (token.kind != Token::Kind::Number) throw BadStep("expected a number, found " + token.text);
    return token.number;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

void Require(bool holds, const std::string& what) {
    if (!holds) throw BadStep(what);
}

// The words from `at` on, about the message: subject = "S", sender = "S", body
// contains "T", html contains "T", recipients = N, attachments = N,
// recipient N = "Name <address>", attachment N = "NAME", sent, unsent.
void CheckMessage(const Step& step, size_t at, const mail::Message& m, const std::string& label) {
    const std::string what = step.Word(at);
    if (what == "subject" || what == "sender") {
        const std::string actual = what == "subject" ? m.subject : m.sender.name;
        Require(actual == StringAt(step, at + 2), label + "'s " + what + " is " + Quote(actual) + ", not " +
                                                      Quote(StringAt(step, at + 2)));
    } else if (what == "body" || what == "html") {
        if (!step.IsWord(at + 1, "contains")) throw BadStep("expect ... " + what + " contains \"TEXT\"");
        const std::string& content = what == "body" ? m.body : m.html;
        Require(content.find(StringAt(step, at + 2)) != std::string::npos,
                label + "'s " + what + " does not contain " + Quote(StringAt(step, at + 2)) + ": " + Quote(content));
    } else if (what == "recipients" || what == "attachments") {
        const size_t actual = what == "recipients" ? m.recipients.size() : m.attachments.size();
        Require(int64_t(actual) == NumberAt(step, at + 2),
                label + " has " + std::to_string(actual) + " " + what + ", not " + At(step, at + 2).text);
    } else if (what == "recipient") {
        const int64_t number = NumberAt(step, at + 1);
        Require(number >= 1 && size_t(number) <= m.recipients.size(), label + " has no recipient " + std::to_string(number));
        const auto& who = m.recipients[size_t(number - 1)].who;
        const std::string shown = who.name + " <" + who.address + ">";
        Require(shown == StringAt(step, at + 3), label + "'s recipient " + std::to_string(number) + " is " + Quote(shown));
    } else if (what == "attachment") {
        const int64_t number = NumberAt(step, at + 1);
        Require(number >= 1 && size_t(number) <= m.attachments.size(),
                label + " has no attachment " + std::to_string(number));
        const std::string& name = m.attachments[size_t(number - 1)].fileName;
        Require(name == StringAt(step, at + 3),
                label + "'s attachment " + std::to_string(number) + " is " + Quote(name));
    } else if (what == "sent" || what == "unsent") {
        Require(m.sent == (what == "sent"), label + " is " + (m.sent ? "sent" : "unsent"));
    } else {
        throw BadStep("unknown message expectation \"" + what + "\"");
    }
}

}  // namespace

void Session::ExpectMessageFile(const Step& step) {
    const std::string& path = StringAt(step, 2);
    const auto bytes = FileBytes(path);
    Require(bytes.has_value(), "file " + Quote(path) + " does not exist");
    mail::Message message;
    try {
        message = mail::ReadMsg(*bytes);
    } catch (const mail::MailError& e) {
        throw BadStep("file " + Quote(path) + " is " + e.what());
    }
    CheckMessage(step, 4, message, "the message in " + Quote(path));
}

void Session::ExpectOutbox(const Step& step) {
    const MailStore& store = outlook_->Store();
    if (step.IsWord(2, "count")) {
        const auto count = int64_t(store.Outbox().size());
        Require(count == NumberAt(step, 4),
                "the outbox holds " + std::to_string(count) + " messages, not " + At(step, 4).text);
        return;
    }
    Require(!store.LastSent().empty(), "nothing was sent into the outbox");
    mail::Message message;
    try {
        const auto bytes = FileBytes(store.LastSent());
        if (!bytes) throw mail::MailError(store.LastSent() + " is gone");
        message = sim::machine::ReadMessageFile(*bytes, store.LastSent());
    } catch (const mail::MailError& e) {
        throw BadStep(std::string("the message sent last cannot be read: ") + e.what());
    }
    CheckMessage(step, 2, message, "the message sent last (" + Quote(store.LastSent()) + ")");
}

}  // namespace sim::runner
