// Change notifications: every write to something drawn reaches the form's change sink
// once, after the model holds the new value; a write that changes nothing, or changes
// what is not drawn, reaches it not at all.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/window_calls.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
using platform::toolkit::Change;
using platform::toolkit::WindowManager;
namespace input = platform::toolkit::input;

namespace {

const char* NameOf(Change change) {
    switch (change) {
        case Change::Caption: return "Caption";
        case Change::Text: return "Text";
        case Change::Visible: return "Visible";
        case Change::Enabled: return "Enabled";
        case Change::Locked: return "Locked";
        case Change::Position: return "Position";
        case Change::BackColor: return "BackColor";
        case Change::ForeColor: return "ForeColor";
        case Change::ToolTip: return "ToolTip";
        case Change::Picture: return "Picture";
        case Change::MultiLine: return "MultiLine";
        case Change::Selection: return "Selection";
        case Change::Value: return "Value";
        case Change::ItemAdded: return "ItemAdded";
        case Change::ItemRemoved: return "ItemRemoved";
        case Change::ItemChanged: return "ItemChanged";
        case Change::ItemsCleared: return "ItemsCleared";
        case Change::ListIndex: return "ListIndex";
        case Change::DroppedDown: return "DroppedDown";
        case Change::Focus: return "Focus";
        case Change::DefaultButton: return "DefaultButton";
        case Change::CancelButton: return "CancelButton";
    }
    return "?";
}

// Writes down each change with what the model holds when it arrives.
class RecordingSink : public platform::toolkit::ChangeSink {
public:
    void ControlChanged(Control& control, Change change, int32_t item) override {
        std::string line = control.DisplayName() + " " + NameOf(change);
        if (item >= 0) line += " " + std::to_string(item);
        if (change == Change::Text) line += " \"" + static_cast<TextControl&>(control).Text() + "\"";
        if (change == Change::Selection) {
            auto& box = static_cast<TextControl&>(control);
            line += " " + std::to_string(box.SelStart()) + "+" + std::to_string(box.SelLength());
        }
        log.push_back(line);
    }
    void FormChanged(Form& form, Change change) override {
        std::string line = form.Name() + " " + NameOf(change);
        if (change == Change::Focus) line += form.ActiveControl() ? " " + form.ActiveControl()->DisplayName() : " none";
        log.push_back(line);
    }
    Log Take() { return std::exchange(log, {}); }
    Log log;
};

class ChangesTest : public ShownForm {
protected:
    void SetUp() override {
        ShownForm::SetUp();
        WindowManager::Get().Attach(*form, &sink);
    }
    void TearDown() override {
        WindowManager::Get().Attach(*form, nullptr);
        ShownForm::TearDown();
    }
    RecordingSink sink;
};

struct Write {
    const char* what;
    std::function<void(TestForm&)> write;
    Log announced;
};

}  // namespace

TEST_F(ChangesTest, EachWriteAnnouncesItsChangeOnceAndTheSameWriteAgainNothing) {
    const std::vector<Write> writes = {
        {"visible", [](TestForm& f) { f.link.SetVisible(false); }, {"lblLink Visible"}},
        {"enabled", [](TestForm& f) { f.check.SetEnabled(false); }, {"chkActive Enabled"}},
        {"locked", [](TestForm& f) { f.name.SetLocked(true); }, {"txtName Locked"}},
        {"multi-line", [](TestForm& f) { f.name.SetMultiLine(true); }, {"txtName MultiLine"}},
        {"move", [](TestForm& f) { f.ok.Move(200, 950, 1300, 400); }, {"cmdOk Position"}},
        {"left", [](TestForm& f) { f.ok.SetLeft(250); }, {"cmdOk Position"}},
        {"height", [](TestForm& f) { f.ok.SetHeight(375); }, {"cmdOk Position"}},
        {"frame", [](TestForm& f) { f.check.SetContainer(&f.frame); }, {"chkActive Position"}},
        {"back colour", [](TestForm& f) { f.link.SetBackColor(vbYellow); }, {"lblLink BackColor"}},
        {"text colour", [](TestForm& f) { f.link.SetForeColor(vbBlue); }, {"lblLink ForeColor"}},
        {"tool tip", [](TestForm& f) { f.ok.SetToolTipText("Save it"); }, {"cmdOk ToolTip"}},
        {"label caption", [](TestForm& f) { f.link.SetCaption("Web"); }, {"lblLink Caption"}},
        {"button caption", [](TestForm& f) { f.ok.SetCaption("OK"); }, {"cmdOk Caption"}},
        {"check caption", [](TestForm& f) { f.check.SetCaption("Active"); }, {"chkActive Caption"}},
        {"option caption", [](TestForm& f) { f.option(1).SetCaption("Other"); }, {"optKind(1) Caption"}},
        {"frame caption", [](TestForm& f) { f.frame.SetCaption("Kind"); }, {"fraKind Caption"}},
        {"picture", [](TestForm& f) { f.cancel.SetPicture("folder"); }, {"cmdCancel Picture"}},
        {"text", [](TestForm& f) { f.hints.SetText("A hint"); }, {"rtfHints Text \"A hint\""}},
        {"selection start", [](TestForm& f) { f.hints.SetSelStart(2); }, {"rtfHints Selection 2+0"}},
        {"selection length", [](TestForm& f) { f.hints.SetSelLength(3); }, {"rtfHints Selection 2+3"}},
        {"check value", [](TestForm& f) { f.check.SetValue(vbGrayed); }, {"chkActive Value"}},
        {"option value", [](TestForm& f) { f.option(1).SetValue(true); }, {"optKind(1) Value"}},
        {"option of the group", [](TestForm& f) { f.option(0).SetValue(true); },
         {"optKind(1) Value", "optKind(0) Value"}},
        {"drop-down", [](TestForm& f) { f.list.ShowDropDown(true); }, {"cboList DroppedDown"}},
        {"focus", [](TestForm& f) { f.cancel.SetFocus(); }, {"frmTest Focus cmdCancel"}},
        {"default button", [](TestForm& f) { f.cancel.SetDefault(true); }, {"frmTest DefaultButton"}},
        {"cancel button", [](TestForm& f) { f.ok.SetCancel(true); }, {"frmTest CancelButton"}},
        {"form caption", [](TestForm& f) { f.SetCaption("Test"); }, {"frmTest Caption"}},
        {"form top", [](TestForm& f) { f.SetTop(600); }, {"frmTest Position"}},
        {"form size", [](TestForm& f) { f.SetClientSize(7000, 5000); }, {"frmTest Position"}},
        {"form move", [](TestForm& f) { f.Move(10, 20, 8000, 6000); }, {"frmTest Position"}},
    };
    for (const Write& w : writes) {
        SCOPED_TRACE(w.what);
        w.write(*form);
        EXPECT_EQ(sink.Take(), w.announced);
        w.write(*form);
        EXPECT_EQ(sink.Take(), Log{});
    }
}

TEST_F(ChangesTest, WhatIsNotDrawnAnnouncesNothing) {
    form->name.SetTag("required");
    form->name.SetHelpContextID(4);
    form->name.SetTabStop(false);
    form->check.SetTabIndex(0);
    form->option(0).SetValue(false);  // false already
    form->cancel.SetDefault(false);  // not the default button: it stays so, and the default stays
    form->ok.SetCancel(false);
    EXPECT_EQ(sink.Take(), Log{});
}

TEST_F(ChangesTest, TextAndSelectionAreTwoPropertiesEachAnnouncedWhenItChanges) {
    TextBox& box = form->name;
    box.SetText("Roof");  // the caret stays at the start
    box.SetSelStart(4);
    EXPECT_EQ(sink.Take(), (Log{"txtName Text \"Roof\"", "txtName Selection 4+0"}));
    box.SetText("Site");  // a new text puts the caret at the start
    EXPECT_EQ(sink.Take(), (Log{"txtName Text \"Site\"", "txtName Selection 0+0"}));
    input::Text(*form, "ab");  // typed at the caret, which moves on
    EXPECT_EQ(sink.Take(), (Log{"txtName Text \"aSite\"", "txtName Selection 1+0", "txtName Text \"abSite\"",
                                "txtName Selection 2+0"}));
    box.SetSelStart(0);
    box.SetSelLength(2);
    sink.Take();
    box.SetSelText("ab");  // the same text again: only the caret moves
    EXPECT_EQ(sink.Take(), (Log{"txtName Selection 2+0"}));
}

TEST_F(ChangesTest, TheListAnnouncesEachEntryAndTheSelectedIndexAsTheyChange) {
    ComboBox& box = form->list;
    box.AddItem("Bridge Street");
    box.AddItem("Smith House");
    box.AddItem("Oak Lane", 0);
    EXPECT_EQ(sink.Take(), (Log{"cboList ItemAdded 0", "cboList ItemAdded 1", "cboList ItemAdded 0"}));
    box.SetListIndex(2);
    EXPECT_EQ(sink.Take(), (Log{"cboList ListIndex", "cboList Text \"Smith House\"", "cboList Selection 0+11"}));
    box.SetListIndex(2);  // clicked again, nothing drawn changes
    box.SetList(2, "Smith House");
    EXPECT_EQ(sink.Take(), Log{});
    box.AddItem("Elm Court", 0);  // the selected entry moves down with the others
    box.SetList(0, "Elm Court East");
    box.RemoveItem(1);
    EXPECT_EQ(sink.Take(), (Log{"cboList ItemAdded 0", "cboList ListIndex", "cboList ItemChanged 0",
                                "cboList ItemRemoved 1", "cboList ListIndex"}));
    EXPECT_EQ(box.ListIndex(), 2);
    box.SetText("Smith");  // a text of its own selects no entry
    EXPECT_EQ(sink.Take(), (Log{"cboList Text \"Smith\"", "cboList Selection 0+0", "cboList ListIndex"}));
    box.Clear();
    EXPECT_EQ(sink.Take(), (Log{"cboList ItemsCleared", "cboList Text \"\""}));
    box.Clear();
    EXPECT_EQ(sink.Take(), Log{});
}

TEST_F(ChangesTest, SetWindowPosMovesAFormWithOneAnnouncement) {
    using platform::toolkit::SetWindowPos;
    EXPECT_EQ(SetWindowPos(form->hWnd(), hwnd::Top, 10, 20, 400, 300, 0), 1);
    EXPECT_EQ(sink.Take(), (Log{"frmTest Position"}));
    EXPECT_EQ(form->Left(), 150);
    EXPECT_EQ(form->Width(), 6000);
    EXPECT_EQ(SetWindowPos(form->hWnd(), hwnd::TopMost, 0, 0, 0, 0, 3), 1);  // the z-order is the backend's to hear
    EXPECT_EQ(SetWindowPos(form->ok.hWnd(), hwnd::Top, 2, 4, 80, 25, 0), 1);
    EXPECT_EQ(sink.Take(), (Log{"cmdOk Position"}));
    EXPECT_EQ(form->ok.Top(), 60);
}

TEST_F(ChangesTest, AnUnloadedFormHasNoSinkUntilItIsShownAgain) {
    form->Unload();
    EXPECT_EQ(sink.Take(), (Log{"frmTest Focus none"}));  // the headless toolkit detaches the sink as it unloads
    form->name.SetText("unseen");
    EXPECT_EQ(sink.Take(), Log{});
}
