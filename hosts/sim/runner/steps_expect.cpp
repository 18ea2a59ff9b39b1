// "What must hold": controls, forms, the focus, the add-in's fields and database
// object, files, folders, INI entries, query results, the mail item, the button, the
// automation traffic and the shell. (Message files and the outbox: steps_messages.cpp.)

#include <fstream>
#include <sstream>

#include "hosts/sim/runner/control_properties.h"
#include "hosts/sim/runner/session.h"
#include "platform/com/abi_values.h"
#include "platform/ado/ado.h"
#include "platform/ado/variant.h"
#include "platform/files/files.h"
#include "hosts/sim/host/machine_files.h"
#include "hosts/sim/runner/machine.h"
#include "platform/profile/profile.h"
#include "platform/shell/shell.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/backend_window_manager.h"

namespace sim::runner {

using scenario::Step;
using scenario::Token;

namespace {

const Token& At(const Step& step, size_t i) {
    if (i >= step.tokens.size()) throw BadStep("the expectation ends too early");
    return step.tokens[i];
}

const std::string& StringAt(const Step& step, size_t i) {
    const Token& token = At(step, i);
    if (token.kind != Token::Kind::String) throw BadStep("expected a quoted string, found " + token.text);
    return token.text;
}

// A truth value in any capitals ("True", "false"), lower-cased; "" for other text.
std::string Truth(const std::string& text) {
    std::string lower;
    for (char c : text) lower += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "true" || lower == "false" ? lower : std::string();
}

// Whether an actual value (text) is the expected token: a string compares as
// text, a number by value, a truth value as truth whatever its capitals (the
// system's Booleans read True/False, the toolkit's true/false).
bool Matches(const std::string& actual, const Token& expected) {
    switch (expected.kind) {
        case Token::Kind::String:
            return actual == expected.text || (!Truth(actual).empty() && Truth(actual) == Truth(expected.text));
        case Token::Kind::Number:
            try {
                size_t used = 0;
                long long value = std::stoll(actual, &used);
                return used == actual.size() && (value == expected.number || uint32_t(value) == uint32_t(expected.number));
            } catch (const std::exception&) {
                return false;
            }
        case Token::Kind::Word:
            if (!Truth(expected.text).empty()) return Truth(actual) == Truth(expected.text);
            return actual == expected.text;
    }
    return false;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

void Require(bool holds, const std::string& what) {
    if (!holds) throw BadStep(what);
}

void CheckEquals(const std::string& what, const std::optional<std::string>& actual, const Token& expected) {
    if (!actual) throw BadStep(what + " cannot be read");
    Require(Matches(*actual, expected), what + " is " + Quote(*actual) + ", not " + Quote(expected.text));
}

size_t Count(const std::string& haystack, const std::string& needle) {
    if (needle.empty()) return 0;
    size_t count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size()))
        ++count;
    return count;
}

}  // namespace

std::optional<std::string> Session::Diagnostic(const std::string& name) {
    const machine::DiagnosticEntry entry = machine::FindDiagnostic(AddinLibrary());
    platform::com::abi::Bstr value;
    const bool known = entry && entry(name.c_str(), value.out()) == platform::com::abi::hr::Ok;
    if (!known) return std::nullopt;
    return platform::com::abi::Utf8Of(value.get());
}

void Session::Expect(const Step& step) {
    const std::string what = step.Word(1);
    if (what == "form") {
        ExpectForm(step);
    } else if (what == "focus") {
        Control& control = ResolveControl(At(step, 2).text);
        Form* form = &control.Parent();
        Require(form->ActiveControl() == &control,
                "the focus is on " + (form->ActiveControl() ? form->ActiveControl()->DisplayName() : std::string("nothing")) +
                    ", not " + At(step, 2).text);
    } else if (what == "field") {
        const std::string name = At(step, 2).text;
        if (step.IsWord(3, "empty")) {
            CheckEquals("field " + name, Diagnostic(name), Token{Token::Kind::Word, "empty", 0});
        } else {
            CheckEquals("field " + name, Diagnostic(name), At(step, 4));
        }
    } else if (what == "db") {
        CheckEquals("db " + At(step, 2).text, Diagnostic("db." + At(step, 2).text), At(step, 4));
    } else if (what == "file" && step.IsWord(3, "msg")) {
        ExpectMessageFile(step);
    } else if (what == "outbox") {
        ExpectOutbox(step);
    } else if (what == "file" || what == "folder") {
        const std::string path = StringAt(step, 2);
        const auto host = sim::machine::HostFile(path);
        const std::string state = step.Word(3);
        auto fso = platform::files::NewFileSystemObject();
        bool exists = what == "file" ? fso->FileExists(path) : fso->FolderExists(path);
        if (state == "exists") {
            Require(exists, what + " " + Quote(path) + " does not exist");
        } else if (state == "absent") {
            Require(!exists, what + " " + Quote(path) + " exists");
        } else if (state == "contains" && what == "file") {
            Require(exists && host, "file " + Quote(path) + " does not exist");
            std::ifstream in(*host, std::ios::binary);
            std::ostringstream content;
            content << in.rdbuf();
            Require(content.str().find(StringAt(step, 4)) != std::string::npos,
                    "file " + Quote(path) + " does not contain " + Quote(StringAt(step, 4)));
        } else {
            throw BadStep("expect " + what + " ... exists, absent or contains");
        }
    } else if (what == "ini") {
        // expect ini "PATH" Setup Root = "P:\"   /   ... absent
        const std::string path = StringAt(step, 2), section = At(step, 3).text, key = At(step, 4).text;
        const std::string missing = "\x01missing\x01";
        std::string value = platform::profile::GetPrivateProfileStringA(section, key, missing, 4096, path);
        if (step.IsWord(5, "absent")) {
            Require(value == missing, "ini " + Quote(path) + " [" + section + "] " + key + " is " + Quote(value));
        } else {
            Require(value != missing, "ini " + Quote(path) + " has no [" + section + "] " + key);
            CheckEquals("ini [" + section + "] " + key, value, At(step, 6));
        }
    } else if (what == "sql") {
        const std::string path = StringAt(step, 2), sql = StringAt(step, 3);
        auto connection = platform::ado::NewConnection();
        connection->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";");
        auto recordset = platform::ado::NewRecordset();
        platform::ado::Recordset& rs = *recordset;
        rs.Open(sql, connection, platform::ado::adOpenStatic, platform::ado::adLockReadOnly);
        std::string rows;
        bool firstRow = true;
        while (rs.State() == 1 && !rs.EndOfFile()) {
            if (!firstRow) rows += ";";
            firstRow = false;
            for (int32_t c = 0; c < rs.Fields().Count(); ++c) {
                if (c > 0) rows += "|";
                rows += rs.Fields().Item(c).Value().ToText();
            }
            rs.MoveNext();
        }
        if (rs.State() == 1) rs.Close();
        connection->Close();
        if (step.IsWord(5, "empty"))
            Require(rows.empty() && firstRow, "the query gives " + Quote(rows) + ", not no rows");
        else
            Require(rows == StringAt(step, 5), "the query gives " + Quote(rows) + ", not " + Quote(StringAt(step, 5)));
    } else if (what == "mail") {
        ExpectMail(step, outlook_->CurrentMail(), 2);
    } else if (what == "button") {
        CheckEquals("the button's caption", outlook_->AddinButtonCaption(), At(step, 4));
    } else if (what == "buttons") {
        CheckEquals("the number of buttons", std::to_string(outlook_->AddinButtonCount()), At(step, 3));
    } else if (what == "automation") {
        // expect automation "SaveAs" = 1   /   expect automation event "CommandBarButton.Click" = 1
        const OutlookAutomation& automation = outlook_->Automation();
        if (step.IsWord(2, "event")) {
            const std::string& event = StringAt(step, 3);
            CheckEquals("the sinks event " + event + " reached", std::to_string(automation.Events(event)), At(step, 5));
        } else {
            const std::string& member = StringAt(step, 2);
            CheckEquals("the calls of " + member, std::to_string(automation.Calls(member)), At(step, 4));
        }
    } else if (what == "shell") {
        const auto& journal = shell_->Journal();
        Require(!journal.empty(), "nothing was opened");
        const auto& last = journal.back();
        Require(last.verb == StringAt(step, 2) && last.file == StringAt(step, 3),
                "the last opened was " + last.verb + " " + Quote(last.file));
    } else if (what == "window") {
        // expect window 1 bar "Standard" protection = 8   /   visible = true
        // expect window 1 mail sent   (any mail expectation, on that window's item)
        auto window = outlook_->Window(int32_t(At(step, 2).number));
        Require(window != nullptr, "window " + At(step, 2).text + " never opened");
        if (step.IsWord(3, "mail")) {
            Require(window->Mail() != nullptr, "window " + At(step, 2).text + " shows no mail");
            ExpectMail(step, window->Mail(), 4);
            return;
        }
        auto bar = window->Bars()->Item(StringAt(step, 4));
        const std::string property = step.Word(5);
        std::string actual = property == "protection" ? std::to_string(bar->Protection())
                             : property == "visible"  ? (bar->Visible() ? "true" : "false")
                                                      : throw BadStep("bar protection or visible");
        CheckEquals("bar " + StringAt(step, 4) + " " + property, actual, At(step, 7));
    } else {
        // expect CONTROL.Property = value
        ExpectControl(step, what.empty() ? At(step, 1).text : what);
    }
}

void Session::ExpectControl(const Step& step, const std::string& reference) {
    auto dot = reference.rfind('.');
    if (dot == std::string::npos) throw BadStep("expect CONTROL.Property = value");
    const std::string property = reference.substr(dot + 1);
    Control& control = ResolveControl(reference.substr(0, dot));
    CheckEquals(reference, ControlProperty(control, property), At(step, 3));
}

void Session::ExpectForm(const Step& step) {
    std::string name = At(step, 2).text;
    std::string property;
    if (auto dot = name.find('.'); dot != std::string::npos) property = name.substr(dot + 1), name = name.substr(0, dot);
    Form* form = platform::toolkit::WindowManager::Get().FindForm(name);
    if (!property.empty()) {
        Require(form != nullptr, "form " + name + " is not open");
        std::optional<std::string> actual;
        if (property == "Caption") actual = form->Caption();
        if (property == "Height") actual = std::to_string(form->Height());
        if (property == "Width") actual = std::to_string(form->Width());
        CheckEquals("form " + name + "." + property, actual, At(step, 4));
        return;
    }
    const std::string state = step.Word(3);
    if (state == "open") Require(form && form->Loaded(), "form " + name + " is not open");
    else if (state == "closed") Require(!form || !form->Loaded(), "form " + name + " is open");
    else if (state == "visible") Require(form && form->Visible(), "form " + name + " is not visible");
    else if (state == "hidden") Require(form && !form->Visible(), "form " + name + " is not hidden");
    else if (state == "topmost") Require(form && form->TopMost(), "form " + name + " is not top-most");
    else throw BadStep("expect form NAME open, closed, visible, hidden or topmost");
}

// The words from `at` on say what must hold for the mail item.
void Session::ExpectMail(const Step& step, const std::shared_ptr<SimMailItem>& mail, size_t at) {
    Require(mail != nullptr, "no mail window was opened");
    const MailState state = mail->State();
    const std::string what = step.Word(at);
    if (what == "sent") {
        Require(state.sentHere, "the mail was not sent");
    } else if (what == "not") {
        if (step.IsWord(at + 1, "sent")) Require(!state.sentHere, "the mail was sent");
        else if (step.IsWord(at + 1, "saved"))
            Require(state.saved.empty(), "the mail was saved as " + Quote(state.saved.empty() ? "" : state.saved.back()));
        else throw BadStep("expect mail not sent or not saved");
    } else if (what == "saved") {
        const std::string path = StringAt(step, at + 1);
        bool found = false;
        for (const auto& saved : state.saved) found = found || saved == path;
        Require(found, "the mail was " + (state.saved.empty() ? std::string("not saved") : "saved as " + Quote(state.saved.back())));
    } else if (what == "subject") {
        CheckEquals("the mail's subject", state.subject, At(step, at + 2));
    } else if (what == "body" || what == "html") {
        const std::string& content = what == "body" ? state.body : state.html;
        if (step.IsWord(at + 1, "contains"))
            Require(content.find(StringAt(step, at + 2)) != std::string::npos,
                    "the mail's " + what + " does not contain " + Quote(StringAt(step, at + 2)) + ": " + Quote(content));
        else if (step.IsWord(at + 1, "count"))
            CheckEquals("the count of " + Quote(StringAt(step, at + 2)) + " in the mail's " + what,
                        std::to_string(Count(content, StringAt(step, at + 2))), At(step, at + 4));
        else
            throw BadStep("expect mail body/html contains or count");
    } else {
        throw BadStep("unknown mail expectation " + what);
    }
}

}  // namespace sim::runner
