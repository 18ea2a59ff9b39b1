// "The person": typing, keys, picks, clicks and the focus on the forms.
#include "hosts/sim/runner/session.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/form.h"

namespace sim::runner {

using scenario::Step;
using scenario::Token;

Form* Session::ActiveForm() const {
    const auto& modal = platform::toolkit::Form::ModalForms();
    if (!modal.empty()) return modal.back();
    return platform::toolkit::WindowManager::Get().FindForm("frmQuillet");
}

Control& Session::ResolveControl(const std::string& reference) {
    std::string name = reference;
    Form* form = nullptr;
    if (auto dot = name.find('.'); dot != std::string::npos) {
        form = platform::toolkit::WindowManager::Get().FindForm(name.substr(0, dot));
        if (!form) throw BadStep("form " + name.substr(0, dot) + " is not open");
        name = name.substr(dot + 1);
    } else {
        form = ActiveForm();
        if (!form) throw BadStep("no form is open for " + reference);
    }
    int16_t index = -1;
    if (auto open = name.find('('); open != std::string::npos) {
        index = int16_t(std::stoi(name.substr(open + 1)));
        name = name.substr(0, open);
    }
    Control* control = form->Find(name, index);
    if (!control) throw BadStep(form->Name() + " has no control " + reference);
    return *control;
}

void Session::PersonStep(const Step& step) {
    const std::string verb = step.Word(0);
    if (verb == "closebox") {
        Form* form = ActiveForm();
        if (!form) throw BadStep("no form is open to close");
        CloseBox(*form);
        return;
    }
    if (step.tokens.size() < 2) throw BadStep(verb + " names a control");
    Control& control = ResolveControl(step.tokens[1].text);
    auto argument = [&]() -> const Token& {
        if (step.tokens.size() < 3) throw BadStep(verb + " needs a value");
        return step.tokens[2];
    };
    if (verb == "type")
        Type(control, argument().text);
    else if (verb == "key")
        Key(control, int16_t(argument().number));
    else if (verb == "set")
        Set(control, argument().text);
    else if (verb == "pick")
        Pick(control, int32_t(argument().number));
    else if (verb == "click")
        Click(control);
    else if (verb == "press")
        Press(control);
    else if (verb == "focus")
        Focus(control);
}

}  // namespace sim::runner
