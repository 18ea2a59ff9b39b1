// The toolkit on the system's own windows: each form a window, each control a
// standard control at its twips' pixels; the program's writes reach the controls, and
// clicks and keys sent to the controls as messages raise the model's events. Needs a
// display (under Wine: xvfb-run). QUILLET_SHOW_FORMS_MS keeps the first form on the
// screen that long, to look at it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/win/wide.h"
#include "platform/toolkit/backend.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/text_box.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/win/win32_toolkit.h"
#include "support/scratch.h"

namespace {

using namespace platform::toolkit;
using platform::text::win::Narrow;
using platform::text::win::Wide;

class SampleForm : public Form {
public:
    SampleForm() : Form("frmSample") {
        SetCaption("Sample – Ødegård");
        Move(1500, 1200, 7200, 5400);
        label.SetCaption("&Project:");
        label.Move(120, 150, 1200, 255);
        name.Move(1400, 120, 3600, 315);
        list.Move(1400, 560, 3600, 315);
        for (const char* item : {"05-123 Smith House", "05-124 Anbau Ødegård"}) list.AddItem(item);
        ok.SetCaption("&Send and Save");
        ok.Move(5300, 120, 1600, 375);
        ok.SetDefault(true);
        cancel.SetCaption("Cancel");
        cancel.Move(5300, 560, 1600, 375);
        cancel.SetCancel(true);
        browse.SetPicture("folder");
        browse.Move(5300, 1000, 450, 420);
        check.SetCaption("&Active");
        check.Move(1400, 1000, 2000, 255);
        frame.SetCaption("Kind");
        frame.Move(120, 1400, 4880, 900);
        first.SetContainer(&frame);
        first.SetCaption("&Mail");
        first.Move(150, 300, 1500, 255);
        second.SetContainer(&frame);
        second.SetCaption("&Note");
        second.Move(1800, 300, 1500, 255);
        hints.SetText("Pick a project, then send.");
        hints.Move(120, 2450, 6780, 1100);
        SetTabOrder({&name, &list, &ok, &cancel, &check, &first, &second});
        Record(name, "txtName");
        Record(list, "cboList");
        Record(ok, "cmdOk");
        Record(check, "chkActive");
        Record(first, "optMail");
        Record(label, "lblProject");
        Events().Unload = [this] { log.push_back("Form.Unload"); };
        name.Events().KeyPress = [this](int16_t& key) {
            log.push_back("txtName.KeyPress " + std::to_string(key));
            if (key == '!') key = 0;
        };
    }

    Label label{*this, "lblProject"};
    TextBox name{*this, "txtName"};
    ComboBox list{*this, "cboList"};
    CommandButton ok{*this, "cmdOk"};
    CommandButton cancel{*this, "cmdCancel"};
    CommandButton browse{*this, "cmdBrowse"};
    CheckBox check{*this, "chkActive"};
    Frame frame{*this, "fraKind"};
    OptionButton first{*this, "optMail"};
    OptionButton second{*this, "optNote"};
    RichTextBox hints{*this, "rtfHints"};
    std::vector<std::string> log;

    // The events since the last call.
    std::vector<std::string> Taken() { return std::exchange(log, {}); }

private:
    void Record(Control& control, const std::string& as) {
        auto& events = control.Events();
        events.Click = [this, as] { log.push_back(as + ".Click"); };
        events.Change = [this, as] { log.push_back(as + ".Change"); };
        events.GotFocus = [this, as] { log.push_back(as + ".GotFocus"); };
        events.MouseDown = [this, as](int16_t, int16_t, float, float) { log.push_back(as + ".MouseDown"); };
    }
};

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::string TextOf(HWND hwnd) {
    std::wstring text(size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return Narrow(text);
}

// The control's rectangle in its form's client area.
PixelRect RectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Pump(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    MSG message;
    while (std::chrono::steady_clock::now() < end) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// Another thread that waits for a top-level window of this class and title to be
// shown (a dialog is shown once its controls are made and filled), then does something
// to it; it gives up after a few seconds.
class Answerer {
public:
    // A null title: any window of the class.
    template <class Act>
    Answerer(std::wstring windowClass, const wchar_t* title, Act act)
        : thread_([this, windowClass, title = std::wstring(title ? title : L""), any = !title, act] {
              for (int i = 0; i < 500 && !found_; ++i) {
                  HWND hwnd = FindWindowW(windowClass.c_str(), any ? nullptr : title.c_str());
                  if (hwnd && IsWindowVisible(hwnd)) {
                      found_ = true;
                      act(hwnd);
                      return;
                  }
                  Sleep(10);
              }
          }) {}
    ~Answerer() { thread_.join(); }
    bool Found() const { return found_; }

private:
    std::atomic<bool> found_{false};
    std::thread thread_;
};

// A timer's work: Cancel clicked on the form titled "Modal".
void CALLBACK ClickModalCancel(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND hwnd = FindWindowW(L"QuilletForm", L"Modal"))
        SendMessageW(FindWindowExW(hwnd, nullptr, L"Button", L"Cancel"), BM_CLICK, 0, 0);
}

class Win32Forms : public ::testing::Test {
protected:
    void SetUp() override { Install(toolkit); }
    void TearDown() override { Install(nullptr); }
    HWND Window(const Control& control) const { return toolkit->WindowOf(control); }

    std::shared_ptr<Win32Toolkit> toolkit = std::make_shared<Win32Toolkit>();
};

TEST_F(Win32Forms, EachControlIsASystemControlWithTheModelsPlaceAndCaption) {
    auto form = std::make_shared<SampleForm>();
    form->Show();
    HWND hwnd = toolkit->WindowOf(*form);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(TextOf(hwnd), "Sample – Ødegård");
    const int32_t dpi = toolkit->DpiOf(*form);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, TwipsToPixels(form->ScaleWidth(), dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(form->ScaleHeight(), dpi));

    struct Expected {
        Control* control;
        std::wstring windowClass;
        std::string text;
    };
    const std::vector<Expected> expected = {
        {&form->label, L"Static", "&Project:"},  {&form->name, L"Edit", ""},
        {&form->list, L"ComboBox", ""},          {&form->ok, L"Button", "&Send and Save"},
        {&form->cancel, L"Button", "Cancel"},    {&form->check, L"Button", "&Active"},
        {&form->frame, L"Button", "Kind"},       {&form->first, L"Button", "&Mail"},
        {&form->second, L"Button", "&Note"},     {&form->hints, L"RICHEDIT50W", "Pick a project, then send."},
    };
    for (const Expected& e : expected) {
        HWND control = Window(*e.control);
        ASSERT_TRUE(IsWindow(control)) << e.control->Name();
        EXPECT_EQ(GetParent(control), hwnd);
        EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), e.windowClass.c_str()), 0) << e.control->Name();
        EXPECT_EQ(TextOf(control), e.text) << e.control->Name();
        EXPECT_TRUE(IsWindowVisible(control)) << e.control->Name();
        const PixelRect want = TwipsToPixels(e.control->FormLeft(), e.control->FormTop(), e.control->Width(),
                                             e.control->Height(), dpi);
        const PixelRect got = RectOf(control);
        EXPECT_EQ(got.left, want.left) << e.control->Name();
        EXPECT_EQ(got.top, want.top) << e.control->Name();
        EXPECT_EQ(got.width, want.width) << e.control->Name();
        if (e.control != &form->list) {
            EXPECT_EQ(got.height, want.height) << e.control->Name();
        }
    }
    // The option buttons sit in their frame, the default button is drawn as such.
    EXPECT_EQ(RectOf(Window(form->first)).left, TwipsToPixels(120 + 150, dpi));
    EXPECT_EQ(SendMessageW(Window(form->list), CB_GETCOUNT, 0, 0), 2);
    EXPECT_TRUE(GetWindowLongW(Window(form->ok), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_TRUE(SendMessageW(Window(form->check), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    // An icon button shows its picture (from the resources beside the program).
    EXPECT_TRUE(GetWindowLongW(Window(form->browse), GWL_STYLE) & BS_ICON);
    EXPECT_NE(SendMessageW(Window(form->browse), BM_GETIMAGE, IMAGE_ICON, 0), 0);

    if (const char* hold = std::getenv("QUILLET_SHOW_FORMS_MS")) Pump(std::chrono::milliseconds(std::atoi(hold)));
    form->Unload();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32Forms, TheProgramsWritesReachTheControls) {
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->SetCaption("Filed");
    EXPECT_EQ(TextOf(toolkit->WindowOf(*form)), "Filed");
    form->ok.SetCaption("&Save");
    EXPECT_EQ(TextOf(Window(form->ok)), "&Save");
    form->name.SetText("Roof drawings ✓");
    EXPECT_EQ(TextOf(Window(form->name)), "Roof drawings ✓");
    form->check.SetValue(vbChecked);
    EXPECT_EQ(SendMessageW(Window(form->check), BM_GETCHECK, 0, 0), BST_CHECKED);
    form->second.SetValue(true);
    EXPECT_EQ(SendMessageW(Window(form->second), BM_GETCHECK, 0, 0), BST_CHECKED);

    form->list.AddItem("04-001 Archive", 0);
    EXPECT_EQ(SendMessageW(Window(form->list), CB_GETCOUNT, 0, 0), 3);
    form->list.SetListIndex(2);
    EXPECT_EQ(SendMessageW(Window(form->list), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(Window(form->list)), "05-124 Anbau Ødegård");
    form->list.Clear();
    EXPECT_EQ(SendMessageW(Window(form->list), CB_GETCOUNT, 0, 0), 0);

    // A frame takes what it holds along.
    form->frame.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Window(form->first)));
    form->frame.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(Window(form->second)));
    // A tip, found by the control it belongs to.
    form->ok.SetToolTipText("Files the message");
    HWND tips = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != toolkit->WindowOf(*form))
        tips = FindWindowExW(nullptr, tips, L"tooltips_class32", nullptr);
    ASSERT_NE(tips, nullptr);
    wchar_t tip[64] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = toolkit->WindowOf(*form);
    tool.uId = reinterpret_cast<UINT_PTR>(Window(form->ok));
    tool.lpszText = tip;
    SendMessageW(tips, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(Narrow(tip), "Files the message");

    form->name.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(Window(form->name)));
    form->cancel.Move(300, 300, 1500, 450);
    const int32_t dpi = toolkit->DpiOf(*form);
    EXPECT_EQ(RectOf(Window(form->cancel)), TwipsToPixels(300, 300, 1500, 450, dpi));
    form->Unload();
}

TEST_F(Win32Forms, ClicksAndKeysSentToTheControlsRaiseTheModelsEvents) {
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->Taken();

    SendMessageW(Window(form->check), BM_CLICK, 0, 0);
    EXPECT_EQ(form->check.Value(), vbChecked);
    EXPECT_EQ(SendMessageW(Window(form->check), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(form->Taken(), (std::vector<std::string>{"chkActive.GotFocus", "chkActive.MouseDown",
                                                          "chkActive.Click"}));

    // Typed characters go through the model: its key press, its text, its Change.
    SendMessageW(Window(form->name), WM_CHAR, L'a', 0);
    SendMessageW(Window(form->name), WM_CHAR, L'!', 0);  // swallowed by the program
    SendMessageW(Window(form->name), WM_CHAR, 0xD83D, 0);
    SendMessageW(Window(form->name), WM_CHAR, 0xDCC1, 0);
    EXPECT_EQ(form->name.Text(), "a\xF0\x9F\x93\x81");
    EXPECT_EQ(TextOf(Window(form->name)), "a\xF0\x9F\x93\x81");
    EXPECT_EQ(form->Taken(),
              (std::vector<std::string>{"txtName.GotFocus", "txtName.KeyPress 97", "txtName.Change",
                                        "txtName.KeyPress 33", "txtName.KeyPress -1", "txtName.Change"}));

    // A list entry picked with the mouse.
    HWND list = Window(form->list);
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    SendMessageW(toolkit->WindowOf(*form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form->list.ListIndex(), 1);
    EXPECT_EQ(form->list.Text(), "05-124 Anbau Ødegård");
    EXPECT_EQ(form->Taken(), (std::vector<std::string>{"cboList.GotFocus", "cboList.Click"}));

    // An option button, a label, an access key.
    SendMessageW(Window(form->first), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->first.Value());
    SendMessageW(Window(form->label), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(Window(form->label), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(form->Taken(), (std::vector<std::string>{"optMail.GotFocus", "optMail.MouseDown", "optMail.Click",
                                                          "lblProject.Click"}));
    SendMessageW(toolkit->WindowOf(*form), WM_SYSCHAR, L'a', 0);
    EXPECT_EQ(form->check.Value(), vbUnchecked);
    EXPECT_EQ(form->Taken(), (std::vector<std::string>{"chkActive.Click"}));

    // The close box unloads the form and its window goes.
    HWND hwnd = toolkit->WindowOf(*form);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Loaded());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(form->Taken(), (std::vector<std::string>{"Form.Unload"}));
}

TEST_F(Win32Forms, AModalFormRunsItsOwnLoopWithItsOwnerDisabled) {
    auto owner = std::make_shared<SampleForm>();
    owner->Show();
    HWND ownerWindow = toolkit->WindowOf(*owner);
    auto modal = std::make_shared<SampleForm>();
    modal->SetCaption("Modal");
    bool ownerEnabledMeanwhile = true;
    HWND modalOwner = nullptr;
    modal->Events().Unload = [&] { modal->log.push_back("Form.Unload"); };
    modal->cancel.Events().Click = [&] {
        ownerEnabledMeanwhile = IsWindowEnabled(ownerWindow);
        modalOwner = GetWindow(toolkit->WindowOf(*modal), GW_OWNER);
        modal->Unload();
    };
    // The person clicks Cancel once the loop runs.
    SetTimer(nullptr, 0, 50, ClickModalCancel);
    modal->Show(vbModal);
    EXPECT_FALSE(modal->Loaded());
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_EQ(modalOwner, ownerWindow);
    EXPECT_TRUE(IsWindowEnabled(ownerWindow));
    owner->Unload();
}

TEST_F(Win32Forms, TheSystemsMessageBoxAnswers) {
    std::string shown;
    Answerer person(L"#32770", L"Quillet", [&](HWND box) {
        shown = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_EQ(MsgBox("File the message?", vbYesNo + vbQuestion, "Quillet"), vbNo);
    EXPECT_TRUE(person.Found());
    EXPECT_EQ(shown, "File the message?");
}

TEST_F(Win32Forms, TheInputBoxGivesTheTextOrNothing) {
    {
        Answerer person(L"QuilletInputBox", L"Project number", [](HWND box) {
            SendMessageW(GetDlgItem(box, 100), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"05-125 Ødegård"));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(InputBox("Enter the project number", "Project number", "05-"), "05-125 Ødegård");
    }
    {
        std::string offered;
        Answerer person(L"QuilletInputBox", L"Project number", [&](HWND box) {
            offered = TextOf(GetDlgItem(box, 100));
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(InputBox("Enter the project number", "Project number", "05-"), "");
        EXPECT_EQ(offered, "05-");
    }
}

TEST_F(Win32Forms, TheShellsFolderPickerCanBeCancelled) {
    scratch::Folder folder;
    Answerer person(L"#32770", nullptr, [](HWND picker) { PostMessageW(picker, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(BrowseForFolder(0, "Choose the project folder", 1, folder.Path()), "");
    EXPECT_TRUE(person.Found());
}

// Someone standing in at the screen: answers from a list, and in a modal form clicks
// Cancel through the form's real button.
class ScriptedStandIn final : public StandIn {
public:
    int32_t AnswerMsgBox(const DialogRequest& request) override {
        asked.push_back("MsgBox " + request.title);
        return vbNo;
    }
    std::optional<std::string> AnswerInputBox(const DialogRequest& request) override {
        asked.push_back("InputBox " + request.title);
        return std::string("05-125 Ødegård");
    }
    std::optional<std::string> AnswerPicker(const DialogRequest& request) override {
        asked.push_back("Picker " + request.title);
        return std::nullopt;
    }
    void RunModal(Form& form) override {
        asked.push_back("RunModal " + form.Name());
        if (HWND hwnd = FindWindowW(L"QuilletForm", L"Modal"))
            SendMessageW(FindWindowExW(hwnd, nullptr, L"Button", L"Cancel"), BM_CLICK, 0, 0);
    }
    void Unexpected(const std::string& what) override { asked.push_back("Unexpected " + what); }
    std::vector<std::string> asked;
};

TEST(Win32StandIn, AnswersEachDialogOnItsRealWindowAndWorksInModalForms) {
    ScriptedStandIn standIn;
    auto toolkit = std::make_shared<Win32Toolkit>(&standIn);
    Install(toolkit);
    EXPECT_EQ(MsgBox("File the message?", vbYesNo + vbQuestion, "Quillet"), vbNo);
    EXPECT_EQ(InputBox("Enter the project number", "Project number", "05-"), "05-125 Ødegård");
    scratch::Folder folder;
    EXPECT_EQ(BrowseForFolder(0, "Choose the project folder", 1, folder.Path()), "");
    auto modal = std::make_shared<SampleForm>();
    modal->SetCaption("Modal");
    modal->cancel.Events().Click = [&] { modal->Unload(); };
    modal->Show(vbModal);
    EXPECT_FALSE(modal->Loaded());
    Install(nullptr);
    EXPECT_EQ(standIn.asked, (std::vector<std::string>{"MsgBox Quillet", "InputBox Project number",
                                                       "Picker Choose the project folder", "RunModal frmSample"}));
}

// The system's own toolkit is made when the window manager starts, which may be just
// after a host made its own; when it goes, the host's draws the windows again.
TEST(Win32StandIn, TheToolkitMadeBeforeDrawsAgainWhenALaterOneGoes) {
    auto host = std::make_shared<Win32Toolkit>();
    { Win32Toolkit later; }
    Install(host);
    auto form = std::make_shared<SampleForm>();
    form->Show();
    HWND list = host->WindowOf(form->list);
    ASSERT_TRUE(list);
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    SendMessageW(host->WindowOf(*form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form->list.ListIndex(), 1) << "the form's window no longer reaches its toolkit";
    form->Unload();
    Install(nullptr);
}

}  // namespace
