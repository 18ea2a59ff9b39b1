// The scenario's person standing in at a real screen (Qt widgets here, the system's
// windows on Windows): the backend asks it for each dialog's answer and lets it work
// in each modal form.
#pragma once

#include "hosts/sim/host/person.h"
#include "platform/toolkit/stand_in.h"

namespace sim::runner {

class PersonAtScreen final : public platform::toolkit::StandIn {
public:
    explicit PersonAtScreen(Person& person) : person_(&person) {}
    int32_t AnswerMsgBox(const DialogRequest& request) override { return person_->AnswerMsgBox(request); }
    std::optional<std::string> AnswerInputBox(const DialogRequest& request) override {
        return person_->AnswerInputBox(request);
    }
    std::optional<std::string> AnswerPicker(const DialogRequest& request) override {
        return person_->AnswerPicker(request);
    }
    void RunModal(Form& form) override {
        person_->RunModal(form);
        if (form.Loaded())
            person_->Unexpected("modal form " + form.Name() + " \"" + form.Caption() +
                                "\" was still open when the person was done; it was unloaded");
    }
    void Unexpected(const std::string& what) override { person_->Unexpected(what); }

private:
    Person* person_;
};

}  // namespace sim::runner
