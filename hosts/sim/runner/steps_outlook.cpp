// "Outlook": starting, windows (a new message, or a received one from a message file),
// the add-in's button, injected failures, unloading and quitting.
#include "hosts/sim/runner/session.h"

namespace sim::runner {

using scenario::Step;
using scenario::Token;

namespace {

int32_t EditorNamed(const std::string& word) {
    if (word == "plain") return ol::olEditorText;
    if (word == "html") return ol::olEditorHTML;
    if (word == "rtf") return ol::olEditorRTF;
    if (word == "word") return ol::olEditorWord;
    throw BadStep("unknown editor " + word);
}

int64_t NumberAt(const Step& step, size_t i) {
    if (i >= step.tokens.size() || step.tokens[i].kind != Token::Kind::Number)
        throw BadStep("expected a number after \"" + step.tokens[i - 1].text + "\"");
    return step.tokens[i].number;
}

const std::string& TextAt(const Step& step, size_t i) {
    if (i >= step.tokens.size() || step.tokens[i].kind != Token::Kind::String)
        throw BadStep("expected a quoted string after \"" + step.tokens[i - 1].text + "\"");
    return step.tokens[i].text;
}

// open mail subject "S" sent no recipients 1 attachments 1 editor html body "B" html "H"
// (and "buttons N": buttons of the add-in left on the window by an earlier session).
MailSetup ReadMail(const Step& step) {
    MailSetup mail;
    for (size_t i = 2; i < step.tokens.size();) {
        const std::string option = step.Word(i);
        if (option == "subject") {
            mail.subject = TextAt(step, i + 1), i += 2;
        } else if (option == "sent") {
            const std::string value = step.Word(i + 1);
            if (value == "no" || value == "false") {
                mail.sent = false, i += 2;
            } else if (value == "yes" || value == "true") {
                mail.sent = true, i += 2;
            } else {
                mail.sent = true, i += 1;
            }
        } else if (option == "recipients") {
            mail.recipients = int32_t(NumberAt(step, i + 1)), i += 2;
        } else if (option == "attachments") {
            mail.attachments = int32_t(NumberAt(step, i + 1)), i += 2;
        } else if (option == "editor") {
            mail.editor = EditorNamed(step.Word(i + 1)), i += 2;
        } else if (option == "body") {
            mail.body = TextAt(step, i + 1), i += 2;
        } else if (option == "html") {
            mail.html = TextAt(step, i + 1), i += 2;
        } else if (option == "buttons") {
            mail.leftoverButtons = int32_t(NumberAt(step, i + 1)), i += 2;
        } else {
            throw BadStep("unknown mail option \"" + step.tokens[i].text + "\"");
        }
    }
    return mail;
}

}  // namespace

void Session::OutlookStep(const Step& step) {
    const std::string verb = step.Word(0);
    if (verb == "start") {
        outlook_->Start();
        for (const auto& escaped : outlook_->Escaped()) Fail(step.line, "the add-in failed to load: " + escaped);
    } else if (verb == "open") {
        const std::string what = step.Word(1);
        if (what == "mail" && step.IsWord(2, "file"))
            outlook_->OpenMailFile(TextAt(step, 3));
        else if (what == "mail")
            outlook_->OpenMail(ReadMail(step));
        else if (what == "appointment")
            outlook_->OpenAppointment();
        else if (what == "contact")
            outlook_->OpenContact();
        else
            throw BadStep("open mail, appointment or contact");
    } else if (verb == "activate") {
        outlook_->ActivateWindow(int32_t(NumberAt(step, 2)));
    } else if (verb == "click") {
        outlook_->ClickButton();
    } else if (verb == "close") {
        outlook_->CloseWindow();
    } else if (verb == "fail") {
        const std::string call = step.Word(1);
        OutlookCall kind = call == "saveas" ? OutlookCall::SaveAs
                           : call == "send" ? OutlookCall::Send
                           : call == "body" ? OutlookCall::Body
                           : call == "namespace" ? OutlookCall::Namespace
                                            : throw BadStep("fail saveas, send, body or namespace");
        std::string description = step.tokens.size() > 3 ? TextAt(step, 3) : std::string();
        outlook_->FailNext(kind, int32_t(NumberAt(step, 2)), description);
    } else if (verb == "disconnect") {
        if (step.IsWord(1, "again"))
            outlook_->DisconnectAgain();
        else
            outlook_->Disconnect();
    } else if (verb == "quit") {
        if (step.IsWord(1, "event"))
            outlook_->RaiseQuitEvent();
        else
            outlook_->Quit();
    } else if (verb == "shutdown") {
        outlook_->BeginShutdown();
    }
}

}  // namespace sim::runner
