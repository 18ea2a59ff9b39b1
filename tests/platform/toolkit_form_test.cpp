// Forms: showing, modal forms handed to the person, unloading, sizes, window
// handles and calls, and failures that must stay inside the toolkit.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "platform/errors/errors.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/window_calls.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
namespace input = platform::toolkit::input;

using FormTest = ShownForm;

TEST_F(FormTest, AModalShowReturnsOnlyOnceThePersonHasUnloadedTheForm) {
    auto dialog = std::make_shared<TestForm>();
    bool inside = false;
    machine.Person().WhenModal([&](Form& shown) {
        inside = true;
        EXPECT_EQ(&shown, dialog.get());
        EXPECT_TRUE(dialog->Modal());
        EXPECT_EQ(Form::ModalForms(), std::vector<Form*>{dialog.get()});
        EXPECT_EQ(WindowManager::Get().ActiveForm(), dialog.get());
        machine.Person().Type(dialog->name, "ok");
        machine.Person().Click(dialog->ok);
        dialog->Unload();
    });
    dialog->Show(vbModal);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_FALSE(dialog->Modal());
    EXPECT_TRUE(Form::ModalForms().empty());
    EXPECT_EQ(dialog->Take(), (Log{"Form.Activate", "txtName.GotFocus", "txtName.KeyPress 111", "txtName.Change",
                                   "txtName.KeyPress 107", "txtName.Change", "txtName.LostFocus", "cmdOk.GotFocus",
                                   "cmdOk.MouseDown 1 0 600 187", "cmdOk.Click", "Form.Unload"}));
}

TEST_F(FormTest, WhileAModalFormIsOpenTheFormsBelowRefuseInputAndAreActivatedAgainAfter) {
    auto dialog = std::make_shared<TestForm>();
    machine.Person().WhenModal([&](Form&) {
        EXPECT_EQ(input::Refusal(form->ok), "modal form frmTest is open above frmTest");
        EXPECT_FALSE(machine.Person().Click(form->ok));
        machine.Person().CloseBox(*dialog);
    });
    dialog->Show(vbModal);
    EXPECT_EQ(form->Take(), (Log{"Form.Activate"}));
    EXPECT_EQ(WindowManager::Get().ActiveForm(), form.get());
    EXPECT_EQ(machine.Person().TakeProblems(),
              std::vector<std::string>{"cannot click frmTest.cmdOk: modal form frmTest is open above frmTest"});
}

TEST_F(FormTest, AModalFormLeftOpenIsAProblemAndIsUnloaded) {
    auto dialog = std::make_shared<TestForm>();
    dialog->SetCaption("Pick one");
    machine.Person().WhenModal([](Form&) {});
    dialog->Show(vbModal);
    auto unattended = std::make_shared<TestForm>();
    unattended->Show(vbModal);
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_FALSE(unattended->Loaded());
    EXPECT_EQ(machine.Person().TakeProblems(),
              (std::vector<std::string>{
                  "modal form frmTest \"Pick one\" was still open when the person was done; it was unloaded",
                  "modal form frmTest \"\" was shown with nothing to do in it",
                  "modal form frmTest \"\" was still open when the person was done; it was unloaded"}));
}

TEST_F(FormTest, ModalFormsOpenedInsideOthersTakeTheNextActions) {
    auto outer = std::make_shared<TestForm>();
    auto inner = std::make_shared<TestForm>();
    std::vector<std::string> order;
    outer->ok.Events().Click = [&] { inner->Show(vbModal); };
    machine.Person().WhenModal([&](Form&) {
        order.push_back("outer");
        machine.Person().Press(outer->ok);
        order.push_back("outer again");
        outer->Unload();
    });
    machine.Person().WhenModal([&](Form&) {
        order.push_back("inner");
        EXPECT_EQ(Form::ModalForms(), (std::vector<Form*>{outer.get(), inner.get()}));
        inner->Unload();
    });
    outer->Show(vbModal);
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "inner", "outer again"}));
    EXPECT_EQ(outer->Take(), (Log{"Form.Activate", "txtName.GotFocus", "Form.Activate", "Form.Unload"}));
}

TEST_F(FormTest, ShowingModallyAVisibleFormFails) {
    try {
        form->Show(vbModal);
        ADD_FAILURE() << "no failure";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 400);
    }
}

TEST_F(FormTest, UnloadRaisesItsEventOnceThenHidesAndForgetsTheFocus) {
    int unloads = 0;
    form->Events().Unload = [&] {
        ++unloads;
        EXPECT_TRUE(form->Visible());
        form->Unload();  // from its own handler: nothing more
    };
    form->Unload();
    form->Unload();
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(form->Loaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_TRUE(WindowManager::Get().OpenForms().empty());
    EXPECT_EQ(machine.Toolkit().Journal().back(), "unload frmTest");
}

TEST_F(FormTest, AHiddenFormKeepsItsFocusAndComesBackWithIt) {
    form->check.SetFocus();
    form->Take();
    form->SetVisible(false);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(WindowManager::Get().ActiveForm(), nullptr);
    form->SetVisible(true);
    EXPECT_EQ(form->Take(), (Log{"Form.Activate"}));
    EXPECT_EQ(form->ActiveControl(), &form->check);
    EXPECT_EQ(WindowManager::Get().ActiveForm(), form.get());
}

TEST_F(FormTest, TheOuterSizeIsTheClientAreaWithBordersAndTitleBar) {
    form->SetClientSize(11250, 4905);
    EXPECT_EQ(form->Height(), 4905 + Form::kFrameHeight);
    EXPECT_EQ(form->Width(), 11250 + Form::kFrameWidth);
    form->SetHeight(7000);
    EXPECT_EQ(form->ScaleHeight(), 7000 - Form::kFrameHeight);
    EXPECT_EQ(form->Height(), 7000);
}

TEST_F(FormTest, EveryFormAndControlHasItsOwnHandle) {
    auto other = std::make_shared<TestForm>();
    std::set<Hwnd> handles{form->hWnd(), other->hWnd()};
    for (Control* control : form->Controls()) handles.insert(control->hWnd());
    for (Control* control : other->Controls()) handles.insert(control->hWnd());
    EXPECT_EQ(handles.size(), 2 + form->Controls().size() + other->Controls().size());
    EXPECT_EQ(handles.count(0), 0u);
    Hwnd gone = other->hWnd();
    other.reset();
    auto third = std::make_shared<TestForm>();
    EXPECT_NE(third->hWnd(), gone);
    EXPECT_EQ(platform::toolkit::SetWindowPos(gone, hwnd::TopMost, 0, 0, 0, 0, 3), 0);
}

TEST_F(FormTest, SetWindowPosMakesAFormTopMostAndEndsIt) {
    using platform::toolkit::SetWindowPos;
    form->SetLeft(300);
    EXPECT_EQ(SetWindowPos(form->hWnd(), hwnd::TopMost, 0, 0, 0, 0, 3), 1);
    EXPECT_TRUE(form->TopMost());
    EXPECT_EQ(form->Left(), 300);  // flags 3: neither moved nor sized
    EXPECT_EQ(machine.Toolkit().Journal().back(), "windowpos frmTest topmost");
    EXPECT_EQ(SetWindowPos(form->hWnd(), hwnd::NoTopMost, 0, 0, 0, 0, 3), 1);
    EXPECT_FALSE(form->TopMost());
    EXPECT_EQ(machine.Toolkit().Journal().back(), "windowpos frmTest");
    EXPECT_EQ(SetWindowPos(form->hWnd(), hwnd::TopMost, 10, 20, 400, 300, platform::toolkit::swp::NoZOrder), 1);
    EXPECT_FALSE(form->TopMost());
    EXPECT_EQ(form->Left(), 150);
    EXPECT_EQ(form->Top(), 300);
    EXPECT_EQ(form->Height(), 4500);
    form->SetTopMost(true);
    form->Unload();
    EXPECT_FALSE(form->TopMost());
}

TEST_F(FormTest, TheMousePointerStaysUntilSetBack) {
    using platform::toolkit::Screen;
    Screen::SetMousePointer(platform::toolkit::vbHourglass);
    EXPECT_EQ(Screen::MousePointer(), 11);
    Screen::SetMousePointer(platform::toolkit::vbDefault);
    EXPECT_EQ(Screen::MousePointer(), 0);
    const auto& journal = machine.Toolkit().Journal();
    EXPECT_EQ(std::vector<std::string>(journal.end() - 2, journal.end()),
              (std::vector<std::string>{"mousepointer 11", "mousepointer 0"}));
}

TEST_F(FormTest, SendKeysTabHasMovedTheFocusWhenItReturns) {
    form->onKeyPress = [](Control&, int16_t& key) {
        if (key != vbKeyReturn) return;
        platform::toolkit::SendKeys("{TAB}", true);
        key = 0;
    };
    input::Key(*form, vbKeyReturn);
    EXPECT_EQ(form->ActiveControl(), &form->list);
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 13", "txtName.KeyPress 9", "txtName.LostFocus", "cboList.GotFocus"}));
    form->list.SetText("x");
    form->Take();
    input::Key(*form, vbKeyReturn);
    EXPECT_EQ(form->Take(), (Log{"cboList.KeyPress 13", "cboList.KeyPress 9", "cboList.LostFocus", "cmdOk.GotFocus"}));
}

TEST_F(FormTest, AFailureEscapingAHandlerStaysInTheToolkit) {
    form->name.Events().Change = [] { platform::Raise(91, "Object variable not set"); };
    form->ok.Events().Click = [] { throw std::runtime_error("boom"); };
    form->Events().Unload = [] { throw 42; };
    EXPECT_NO_THROW(form->name.SetText("x"));
    EXPECT_TRUE(machine.Person().Type(form->name, "yz"));
    EXPECT_EQ(form->name.Text(), "yzx");  // typed at the caret, which the program's text left at the start
    EXPECT_TRUE(machine.Person().Click(form->ok));
    EXPECT_NO_THROW(form->Unload());
    EXPECT_FALSE(form->Loaded());
}

TEST_F(FormTest, ReleasingTheLastReferenceInsideAnEventIsSafe) {
    auto dialog = std::make_shared<TestForm>();
    std::weak_ptr<TestForm> watch = dialog;
    dialog->ok.Events().Click = [&] {
        dialog->Unload();
        dialog.reset();  // the form goes while its click is still running
    };
    dialog->Show();
    machine.Person().Click(dialog->ok);
    EXPECT_TRUE(watch.expired());
}
