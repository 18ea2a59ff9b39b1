// The window manager every backend shares: what a backend hears and when, the active
// form, the z-order, and which forms it keeps alive.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/window_calls.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
using platform::toolkit::Backend;
using platform::toolkit::DialogRequest;
using platform::toolkit::WindowManager;

namespace {

// A backend that draws nothing and writes down each call with what the window
// manager holds at that moment.
class RecordingBackend : public Backend {
public:
    int32_t MsgBox(const DialogRequest&) override { return vbOK; }
    std::optional<std::string> InputBox(const DialogRequest&) override { return std::nullopt; }
    std::optional<std::string> BrowseForFolder(const DialogRequest&) override { return std::nullopt; }

    void Shown(Form& form) override { Note("shown", form, form.Visible() && form.Loaded()); }
    void Activated(Form& form) override { Note("activated", form, WindowManager::Get().ActiveForm() == &form); }
    void RunModal(Form& form) override {
        Note("run", form, form.Modal() && WindowManager::Get().ActiveForm() == &form);
        if (modal) modal(form);
    }
    void Hidden(Form& form) override { Note("hidden", form, !form.Visible()); }
    void Unloaded(Form& form) override { Note("unloaded", form, !form.Loaded()); }
    void ZOrderChanged(Form& form) override { Note("zorder", form, true); }

    std::function<void(Form&)> modal;
    Log calls;

private:
    // `holds`: the model already shows what the call announces.
    void Note(const std::string& call, Form& form, bool holds) {
        calls.push_back(call + " " + form.Caption() + (holds ? "" : " (model not ready)"));
    }
};

class WindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override { platform::toolkit::Install(backend); }
    void TearDown() override { platform::toolkit::Install(nullptr); }

    std::shared_ptr<TestForm> Make(const std::string& caption) {
        auto form = std::make_shared<TestForm>();
        form->SetCaption(caption);
        return form;
    }
    static std::vector<Form*> Forms(std::initializer_list<const std::shared_ptr<TestForm>*> forms) {
        std::vector<Form*> list;
        for (auto* form : forms) list.push_back(form->get());
        return list;
    }

    std::shared_ptr<RecordingBackend> backend = std::make_shared<RecordingBackend>();
    WindowManager& windows = WindowManager::Get();
};

}  // namespace

TEST_F(WindowManagerTest, TheBackendHearsOfEachStepAfterTheModelHasTakenIt) {
    auto save = Make("A");
    auto dialog = Make("B");
    save->Show();
    EXPECT_EQ(save->Take(), (Log{"Form.Activate", "txtName.GotFocus"}));
    backend->modal = [&](Form&) {
        EXPECT_EQ(windows.ModalForms(), std::vector<Form*>{dialog.get()});
        EXPECT_EQ(dialog->Take(), (Log{"Form.Activate", "txtName.GotFocus"}));
        dialog->Unload();
    };
    dialog->Show(vbModal);
    save->Hide();
    save->Show();
    save->Unload();
    EXPECT_EQ(backend->calls, (Log{"shown A", "activated A", "shown B", "activated B", "run B", "unloaded B",
                                   "activated A", "hidden A", "shown A", "activated A", "unloaded A"}));
    EXPECT_EQ(save->Take(), (Log{"Form.Activate", "Form.Activate", "Form.Unload"}));
    EXPECT_TRUE(windows.ModalForms().empty());
    EXPECT_TRUE(windows.OpenForms().empty());
}

TEST_F(WindowManagerTest, AModalFormTheBackendReturnsStillLoadedIsUnloaded) {
    auto dialog = Make("B");
    dialog->Show(vbModal);
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_EQ(backend->calls, (Log{"shown B", "activated B", "run B", "unloaded B"}));
}

TEST_F(WindowManagerTest, ThePersonActivatesAFormOnlyWhereNoModalFormIsAbove) {
    auto first = Make("A");
    auto second = Make("B");
    first->Show();
    second->Show();
    EXPECT_EQ(windows.ActiveForm(), second.get());
    first->Take();
    EXPECT_TRUE(windows.Activate(*first));
    EXPECT_EQ(first->Take(), (Log{"Form.Activate"}));  // its focus is where it was
    EXPECT_TRUE(windows.Activate(*first));              // active already: nothing raised
    EXPECT_EQ(first->Take(), Log{});
    EXPECT_EQ(windows.ActiveForm(), first.get());

    auto dialog = Make("C");
    backend->modal = [&](Form&) {
        EXPECT_FALSE(windows.Activate(*second));
        EXPECT_EQ(windows.ActiveForm(), dialog.get());
        dialog->Unload();
    };
    dialog->Show(vbModal);
    EXPECT_EQ(windows.ActiveForm(), first.get());  // the form active before the modal one
    second->Hide();
    EXPECT_FALSE(windows.Activate(*second));
    EXPECT_EQ(second->Take(), (Log{"Form.Activate", "txtName.GotFocus"}));
}

TEST_F(WindowManagerTest, TopMostFormsStayInFrontOfTheOthers) {
    auto a = Make("A");
    auto b = Make("B");
    auto c = Make("C");
    for (auto* form : {&a, &b, &c}) (*form)->Show();
    EXPECT_EQ(windows.ZOrder(), Forms({&a, &b, &c}));  // back to front
    windows.Activate(*a);
    EXPECT_EQ(windows.ZOrder(), Forms({&b, &c, &a}));
    EXPECT_EQ(platform::toolkit::SetWindowPos(b->hWnd(), hwnd::TopMost, 0, 0, 0, 0, 3), 1);
    EXPECT_EQ(windows.ZOrder(), Forms({&c, &a, &b}));
    windows.Activate(*c);
    EXPECT_EQ(windows.ZOrder(), Forms({&a, &c, &b}));
    c->ZOrder(1);
    EXPECT_EQ(windows.ZOrder(), Forms({&c, &a, &b}));
    a->ZOrder(0);
    EXPECT_EQ(windows.ZOrder(), Forms({&c, &a, &b}));
    EXPECT_EQ(platform::toolkit::SetWindowPos(b->hWnd(), hwnd::Bottom, 0, 0, 0, 0, 3), 1);
    EXPECT_FALSE(b->TopMost());
    EXPECT_EQ(windows.ZOrder(), Forms({&b, &c, &a}));
    EXPECT_EQ(std::count(backend->calls.begin(), backend->calls.end(), "zorder B"), 2);
    a->Unload();
    EXPECT_EQ(windows.ZOrder(), Forms({&b, &c}));
}

TEST_F(WindowManagerTest, OpenFormsLiveUntilTheyUnloadOrTheBackendGoes) {
    std::weak_ptr<TestForm> unloaded, hidden, left;
    {
        auto a = Make("A"), b = Make("B"), c = Make("C");
        unloaded = a, hidden = b, left = c;
        for (auto* form : {&a, &b, &c}) (*form)->Show();
        b->Hide();
    }
    EXPECT_EQ(windows.OpenForms().size(), 3u);
    EXPECT_EQ(windows.FindForm("frmTest"), left.lock().get());  // the one made active last
    unloaded.lock()->Unload();
    EXPECT_TRUE(unloaded.expired());
    EXPECT_FALSE(hidden.expired());
    platform::toolkit::Install(nullptr);
    EXPECT_TRUE(hidden.expired());
    EXPECT_TRUE(left.expired());
    EXPECT_TRUE(windows.OpenForms().empty());
    EXPECT_EQ(windows.ActiveForm(), nullptr);
}
