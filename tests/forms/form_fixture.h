// A machine with the headless toolkit, a recording subscriber and the subscription
// member the controller would hold, for one form class.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "hosts/sim/host/test_machine.h"
#include "platform/toolkit/with_events.h"
#include "tests/forms/recording_sinks.h"

namespace forms_test {

template <class Form, class Events, class Recorder>
class FormFixture : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& problem : person.Problems()) ADD_FAILURE() << problem;
    }
    // A new form, subscribed to as the controller does at each opening.
    std::shared_ptr<Form> Open() {
        auto form = std::make_shared<Form>();
        member = form;
        return form;
    }

    sim::TestMachine machine;
    sim::ScriptedPerson& person = machine.Person();
    Recorder sink;
    platform::toolkit::WithEvents<Form, Events> member{&sink};
};

}  // namespace forms_test
