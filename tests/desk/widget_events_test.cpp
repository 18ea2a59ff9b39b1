// A person's typing, clicks, Enter and Esc on the real widgets raise the events the
// headless toolkit raises for the same actions, in the same order with the same
// arguments.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "hosts/sim/host/test_machine.h"
#include "platform/toolkit/input.h"
#include "tests/desk/qt_fixture.h"
#include "tests/platform/toolkit_test_form.h"

namespace desk_test {
namespace {

using toolkit_test::TestForm;
using namespace platform::toolkit;

std::shared_ptr<TestForm> NewForm() {
    auto form = std::make_shared<TestForm>();
    form->list.AddItem("one");
    form->list.AddItem("two");
    form->check.Move(3200, 900, 1500, 255);
    form->link.Move(100, 2600, 1500, 195);
    form->link.SetCaption("www.example.com");
    return form;
}

// The session the headless person has: the same actions as Session below, through
// the toolkit's input.
std::vector<std::string> HeadlessSession() {
    sim::TestMachine machine;
    sim::ScriptedPerson& person = machine.Person();
    auto form = NewForm();
    form->onKeyPress = [](Control&, int16_t& key) {
        if (key == 'q') key = 0;  // the program swallows one key
    };
    form->Show(vbModeless);
    person.Type(form->name, "aqb");
    person.Key(form->name, vbKeyBack);
    person.Key(form->name, vbKeyTab);
    person.Type(form->list, "x");
    person.Key(form->list, vbKeyReturn);
    person.Key(form->list, vbKeyEscape);
    person.Click(form->check);
    person.Click(form->option(1));
    person.Key(form->option(1), vbKeySpace);
    person.Pick(form->list, 1);
    person.Click(form->ok);
    person.Click(form->link);
    person.CloseBox(*form);
    for (const auto& problem : person.Problems()) ADD_FAILURE() << problem;
    return form->Take();
}

class WidgetEvents : public QtFixture {};

TEST_F(WidgetEvents, KeysAndClicksOnWidgetsRaiseWhatTheHeadlessToolkitRaises) {
    const std::vector<std::string> expected = HeadlessSession();
    platform::toolkit::Install(toolkit);

    auto form = NewForm();
    form->onKeyPress = [](Control&, int16_t& key) {
        if (key == 'q') key = 0;
    };
    form->Show(vbModeless);
    desk::FormWindow* window = toolkit->Window(*form);
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto widget = [&](Control& control) { return window->KeyTarget(control); };

    QTest::keyClicks(widget(form->name), "aqb");
    QTest::keyClick(widget(form->name), Qt::Key_Backspace);
    QTest::keyClick(widget(form->name), Qt::Key_Tab);
    QTest::keyClicks(widget(form->list), "x");
    QTest::keyClick(widget(form->list), Qt::Key_Return);
    QTest::keyClick(widget(form->list), Qt::Key_Escape);
    QTest::mouseClick(widget(form->check), Qt::LeftButton);
    QTest::mouseClick(widget(form->option(1)), Qt::LeftButton);
    QTest::keyClick(widget(form->option(1)), Qt::Key_Space);
    // The list opened with the mouse, the second entry clicked.
    auto* combo = static_cast<QComboBox*>(window->WidgetOf(form->list));
    combo->showPopup();
    QAbstractItemView* entries = combo->view();
    QModelIndex second = combo->model()->index(1, 0);
    QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, entries->visualRect(second).center());
    QTest::mouseClick(widget(form->ok), Qt::LeftButton);
    QTest::mouseClick(widget(form->link), Qt::LeftButton);
    window->close();

    EXPECT_EQ(form->Take(), expected);
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(form->list.ListIndex(), 1);
    EXPECT_EQ(form->name.Text(), "a");
    EXPECT_EQ(form->check.Value(), vbChecked);
}

TEST_F(WidgetEvents, WhatTheModelRefusesTheWidgetsNeverShow) {
    auto form = NewForm();
    form->name.SetLocked(true);
    form->name.SetText("kept");
    form->Show(vbModeless);
    desk::FormWindow* window = toolkit->Window(*form);
    ASSERT_NE(window, nullptr);
    auto* edit = static_cast<QLineEdit*>(window->KeyTarget(form->name));
    QTest::keyClicks(edit, "xyz");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(form->name.Text(), "kept");
    EXPECT_EQ(edit->text(), QStringLiteral("kept"));
    // The program's own change is drawn, caret at the start as the model says.
    form->name.SetText("new");
    EXPECT_EQ(edit->text(), QStringLiteral("new"));
    EXPECT_EQ(edit->cursorPosition(), 0);
    form->Unload();
}

}  // namespace
}  // namespace desk_test
