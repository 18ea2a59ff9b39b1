#include "hosts/sim/runner/session.h"

#include <random>

#include "platform/clock/clock.h"
#include "platform/com/library.h"
#include "platform/shell/shell.h"
#include "hosts/sim/runner/machine.h"
#include "hosts/sim/runner/widget_screen.h"
#include "platform/toolkit/form.h"

namespace sim::runner {

namespace fs = std::filesystem;
using scenario::Step;
using scenario::Token;

Session::Session(std::vector<Step> steps, fs::path libraries, std::optional<fs::path> keep, Screen screen)
    : steps_(std::move(steps)), libraries_(std::move(libraries)), keep_(keep.has_value()) {
    std::random_device random;
    prefix_ = keep ? *keep
                   : fs::temp_directory_path() / ("quillet-sim-" + std::to_string(random()) + std::to_string(random()));
    machine::Prepare(prefix_);
    if (screen.widgets) {
        WidgetScreen widgets = MakeWidgetScreen(*this, screen.screenshots);
        toolkit_ = std::move(widgets.toolkit);
        hands_ = std::move(widgets.hands);
        UseHands(hands_.get());
    } else {
        toolkit_ = std::make_shared<HeadlessToolkit>(*this);
    }
    platform::toolkit::Install(toolkit_);
    platform::shell::Install(shell_);
    platform::clock::FixToday(std::nullopt);
    RegisterLibraries();
    outlook_ = std::make_unique<Outlook>();
}

Session::~Session() {
    // The windows go before whatever draws them does.
    if (hands_) platform::toolkit::Install(nullptr);
    if (!keep_) machine::Drop(prefix_);
}

// The add-in's test build, beside the simulator: the production library and one
// more export that lets the simulator read the add-in's state.
fs::path Session::AddinLibrary() const { return machine::PluginFile(libraries_, "Quillet09"); }

void Session::RegisterLibraries() {
    for (const fs::path& file : {machine::PluginFile(libraries_, "UtilOrvek2"), AddinLibrary()}) {
        if (platform::com::RegisterLibrary(file.string()) != 0)
            throw std::runtime_error("cannot register " + file.string() + ": " + platform::com::LastLoadError());
    }
}

std::optional<Failure> Session::Play() {
    while (!Failed() && RunNext()) {
    }
    if (!Failed()) {
        if (Form* modal = platform::toolkit::Form::ModalForms().empty() ? nullptr
                                                                        : platform::toolkit::Form::ModalForms().back())
            Fail(steps_.empty() ? 0 : steps_.back().line, "form " + modal->Name() + " is still open at the end");
    }
    return failure_;
}

bool Session::RunNext() {
    if (next_ >= steps_.size()) return false;
    const Step& step = steps_[next_++];
    const Step* outer = current_;
    current_ = &step;
    try {
        Dispatch(step);
    } catch (const BadStep& e) {
        Fail(step.line, e.what());
    } catch (const OutlookStepRefused& e) {
        Fail(step.line, e.what());
    } catch (const platform::ErrorInfo& e) {
        Fail(step.line, "error " + std::to_string(e.Number) + ": " + e.Description);
    } catch (const std::exception& e) {
        Fail(step.line, e.what());
    }
    current_ = outer;
    return true;
}

void Session::Fail(const std::string& what) { Fail(current_ ? current_->line : 0, what); }

void Session::Fail(int line, const std::string& what) {
    if (!failure_) failure_ = Failure{line, what};
}

void Session::Unexpected(const std::string& what) { Fail(what); }

void Session::Dispatch(const Step& step) {
    const std::string verb = step.Word(0);
    if (IsMachineStep(verb))
        Machine(step);
    else if (IsOutlookStep(step))
        OutlookStep(step);
    else if (IsPersonStep(verb))
        PersonStep(step);
    else if (verb == "expect")
        Expect(step);
    else if (IsDialogStep(verb))
        throw BadStep("expected " + verb + " \"" + (step.tokens.size() > 1 ? step.tokens[1].text : "") +
                      "\", but nothing was shown");
    else
        throw BadStep("unknown step \"" + verb + "\"");
}

// ---- dialogs ------------------------------------------------------------------------

const Step* Session::TakeDialogStep(const char* kind, const DialogRequest& request) {
    if (Failed()) return nullptr;
    if (next_ >= steps_.size() || !steps_[next_].IsWord(0, kind)) {
        Fail(next_ < steps_.size() ? steps_[next_].line : (steps_.empty() ? 0 : steps_.back().line),
             "unexpected " + Describe(request));
        return nullptr;
    }
    const Step& step = steps_[next_++];
    if (step.tokens.size() < 2 || step.tokens[1].kind != Token::Kind::String) {
        Fail(step.line, "a dialog step names its title in quotes");
        return nullptr;
    }
    if (step.tokens[1].text != request.title) {
        Fail(step.line, "expected " + std::string(kind) + " \"" + step.tokens[1].text + "\", shown: " + Describe(request));
        return nullptr;
    }
    return &step;
}

namespace {

// The words after a dialog's title: option words with their values, then "->" and the answer.
struct DialogStep {
    std::vector<std::pair<std::string, Token>> options;
    std::optional<Token> answer;
};

DialogStep ReadDialogStep(const Step& step) {
    DialogStep d;
    size_t i = 2;
    while (i < step.tokens.size()) {
        if (step.IsWord(i, "->")) {
            if (i + 1 < step.tokens.size()) d.answer = step.tokens[i + 1];
            break;
        }
        if (i + 1 < step.tokens.size()) d.options.emplace_back(step.tokens[i].text, step.tokens[i + 1]);
        i += 2;
    }
    return d;
}

}  // namespace

int32_t Session::AnswerMsgBox(const DialogRequest& request) {
    const int32_t neutral = (request.flags & 7) == 4 ? 7 : (request.flags & 7) == 1 ? 2 : 1;
    const Step* step = TakeDialogStep("msgbox", request);
    if (!step) return neutral;
    DialogStep d = ReadDialogStep(*step);
    for (const auto& [name, value] : d.options) {
        if (name == "text" && value.text != request.text) {
            Fail(step->line, "msgbox \"" + request.title + "\" says \"" + request.text + "\", not \"" + value.text + "\"");
            return neutral;
        }
        if (name == "icon" && value.number != (request.flags & 0x70)) {
            Fail(step->line, "msgbox \"" + request.title + "\" has icon " + std::to_string(request.flags & 0x70));
            return neutral;
        }
        if (name == "buttons" && value.number != (request.flags & 7)) {
            Fail(step->line, "msgbox \"" + request.title + "\" has buttons " + std::to_string(request.flags & 7));
            return neutral;
        }
    }
    const std::string answer = d.answer ? d.answer->text : "OK";
    if (answer == "OK") return 1;
    if (answer == "Cancel") return 2;
    if (answer == "Yes") return 6;
    if (answer == "No") return 7;
    Fail(step->line, "unknown answer " + answer);
    return neutral;
}

std::optional<std::string> Session::AnswerInputBox(const DialogRequest& request) {
    const Step* step = TakeDialogStep("input", request);
    if (!step) return std::nullopt;
    DialogStep d = ReadDialogStep(*step);
    for (const auto& [name, value] : d.options) {
        if (name == "prompt" && value.text != request.text)
            Fail(step->line, "input \"" + request.title + "\" asks \"" + request.text + "\"");
        if (name == "default" && value.text != request.defaultText)
            Fail(step->line, "input \"" + request.title + "\" offers \"" + request.defaultText + "\"");
    }
    if (Failed() || !d.answer || (d.answer->kind == Token::Kind::Word && d.answer->text == "cancel"))
        return std::nullopt;
    return d.answer->text;
}

std::optional<std::string> Session::AnswerPicker(const DialogRequest& request) {
    const Step* step = TakeDialogStep("picker", request);
    if (!step) return std::nullopt;
    DialogStep d = ReadDialogStep(*step);
    for (const auto& [name, value] : d.options)
        if (name == "root" && value.text != request.root.value_or(""))
            Fail(step->line, "picker \"" + request.title + "\" is rooted at \"" + request.root.value_or("") + "\"");
    if (Failed() || !d.answer || (d.answer->kind == Token::Kind::Word && d.answer->text == "cancel"))
        return std::nullopt;
    return d.answer->text;
}

// The steps that follow act in the modal form until it unloads.
void Session::RunModal(Form& form) {
    while (!Failed() && form.Loaded() && form.Modal() && RunNext()) {
    }
    if (!Failed() && form.Loaded() && form.Modal())
        Fail(steps_.empty() ? 0 : steps_.back().line, "form " + form.Name() + " is still open at the end");
}

}  // namespace sim::runner
