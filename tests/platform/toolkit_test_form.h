// A small form for the toolkit's tests: one control of each kind, every event of
// every control written down in order ("txtName.Change", "cboList.KeyPress 97").
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "hosts/sim/host/test_machine.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/control_array.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/text_box.h"

namespace toolkit_test {

using namespace platform::toolkit;

class TestForm : public Form {
public:
    TestForm() : Form("frmTest") {
        SetClientSize(6000, 4000);
        name.Move(100, 100, 3000, 315);
        list.Move(100, 500, 3000, 315);
        ok.Move(100, 900, 1200, 375);
        ok.SetDefault(true);
        cancel.Move(1400, 900, 1200, 375);
        cancel.SetCancel(true);
        frame.Move(100, 1400, 4000, 1000);
        for (auto* o : option.Items()) o->SetContainer(&frame);
        option(0).Move(100, 200, 1200, 255);
        option(1).Move(1500, 200, 1200, 255);
        hints.SetTabStop(false);
        SetTabOrder({&name, &list, &ok, &cancel, &check, &option(0), &option(1)});
        for (Control* control : Controls()) Record(*control);
        Events().Activate = [this] { log.push_back("Form.Activate"); };
        Events().Unload = [this] { log.push_back("Form.Unload"); };
    }

    TextBox name{*this, "txtName"};
    ComboBox list{*this, "cboList"};
    CommandButton ok{*this, "cmdOk"};
    CommandButton cancel{*this, "cmdCancel"};
    CheckBox check{*this, "chkActive"};
    Frame frame{*this, "fraKind"};
    ControlArray<OptionButton> option{*this, "optKind", {0, 1}};
    Label link{*this, "lblLink"};
    RichTextBox hints{*this, "rtfHints"};

    std::vector<std::string> log;
    // What the program does with a key typed in a box (after it is written down).
    std::function<void(Control& box, int16_t& key)> onKeyPress;

    // The log since the last call.
    std::vector<std::string> Take() { return std::exchange(log, {}); }

private:
    void Record(Control& control) {
        std::string name = control.DisplayName();
        auto& events = control.Events();
        events.Click = [this, name] { log.push_back(name + ".Click"); };
        events.Change = [this, name] { log.push_back(name + ".Change"); };
        events.GotFocus = [this, name] { log.push_back(name + ".GotFocus"); };
        events.LostFocus = [this, name] { log.push_back(name + ".LostFocus"); };
        events.KeyPress = [this, name, &control](int16_t& key) {
            log.push_back(name + ".KeyPress " + std::to_string(key));
            if (onKeyPress) onKeyPress(control, key);
        };
        events.MouseDown = [this, name](int16_t button, int16_t shift, float x, float y) {
            log.push_back(name + ".MouseDown " + std::to_string(button) + " " + std::to_string(shift) + " " +
                          std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
        };
    }
};

using Log = std::vector<std::string>;

// A machine with the headless toolkit and the test form shown on it (its first
// field has the focus); any problem the person met fails the test.
class ShownForm : public ::testing::Test {
protected:
    void SetUp() override {
        form->Show();
        form->Take();
    }
    void TearDown() override {
        for (const auto& problem : machine.Person().Problems()) ADD_FAILURE() << problem;
    }

    sim::TestMachine machine;
    std::shared_ptr<TestForm> form = std::make_shared<TestForm>();
};

}  // namespace toolkit_test
