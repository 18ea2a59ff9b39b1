// The simulated Outlook on Windows, serving the registered DLLs as Outlook does: it
// finds the add-in under the user's Outlook add-ins, creates it by its ProgID through
// COM, connects it, and the add-in reaches Outlook's objects through IDispatch alone
// and hears its events through connection points. The person works in the add-in's
// form, a real window, with the system's own messages. Runs after the DLLs were
// registered (scripts/test-windows.sh) and needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/mail/msg_file.h"
#include "hosts/sim/host/outlook_model.h"
#include "support/project_database.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProjectFolder = "C:\\Projects\\05-123";

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

// The add-in's form in front, a control of a window class in it, and a button by its
// caption (access keys left out).
HWND FrontForm() { return FindWindowW(L"QuilletForm", nullptr); }

HWND ChildOfClass(HWND parent, const wchar_t* windowClass) {
    return FindWindowExW(parent, nullptr, windowClass, nullptr);
}

HWND ButtonCaptioned(HWND form, const std::wstring& caption) {
    for (HWND child = FindWindowExW(form, nullptr, L"Button", nullptr); child;
         child = FindWindowExW(form, child, L"Button", nullptr)) {
        std::wstring text = TextOf(child);
        std::erase(text, L'&');
        if (text == caption) return child;
    }
    return nullptr;
}

// The text of a message box: its title and its message.
std::string DialogText(HWND dialog) {
    std::wstring text = TextOf(dialog) + L": ";
    for (HWND child = FindWindowExW(dialog, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(dialog, child, L"Static", nullptr))
        text += TextOf(child);
    return std::string(text.begin(), text.end());  // for a failure's report
}

// The person at the screen. The add-in's save form stays open beside Outlook's window:
// the person picks the first project in its list and clicks "Send and Save", as the
// mouse does it. A message box nobody expected is noted and answered with OK, so that
// a failing add-in fails the test instead of waiting: a timer on this thread, which
// runs inside every modal loop.
struct AtTheScreen {
    static inline std::vector<std::string> dialogs;  // each one seen, answered with OK

    static void CALLBACK AnswerDialogs(HWND, UINT, UINT_PTR, DWORD) {
        if (HWND dialog = FindWindowW(L"#32770", nullptr); dialog && IsWindowVisible(dialog)) {
            dialogs.push_back(DialogText(dialog));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
    }

    // Whether the list and the button were there to be used.
    static bool PickAndSend(HWND form) {
        HWND list = ChildOfClass(form, L"ComboBox");
        HWND send = ButtonCaptioned(form, L"Send and Save");
        if (!list || !send) return false;
        SendMessageW(list, CB_SETCURSEL, 0, 0);
        SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
        SendMessageW(send, BM_CLICK, 0, 0);
        return true;
    }
};

class OutlookLoadsTheAddin : public ::testing::Test {
protected:
    // The machine's settings folder (an installation's, say) is set aside for the test
    // and put back after it, with what the test made removed.
    static void SetUpTestSuite() {
        std::error_code ec;
        fs::remove_all(kSetAside, ec);
        fs::rename(kSettings, kSetAside, ec);
        fs::create_directories(kProjectFolder, ec);
        fs::create_directories(kSettings, ec);
        std::ofstream(fs::path(kSettings) / "Quillet.ini", std::ios::binary | std::ios::trunc)
            << "[Setup]\r\nRoot=C:\\Projects\\\r\n";
        std::ofstream(fs::path(kSettings) / "Quillet.cnt", std::ios::binary | std::ios::trunc)
            << "1\r\n[Form] Save\r\nProject|Pick the <WorkUnit> this e-mail belongs to.\r\n[Form]\r\n";
        missing = windows_tests::MakeProjectDatabase(std::string(kSettings) + "\\Quillet.mdb",
                                                    {{"05-123", "Smith House", ""}});
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        for (const char* made : {"C:\\Projects", kSettings, "C:\\Quillet Mail"}) fs::remove_all(made, ec);
        if (fs::exists(kSetAside, ec)) fs::rename(kSetAside, kSettings, ec);
    }
    static constexpr const char* kSettings = "C:\\ProgramData\\Quillet";
    static constexpr const char* kSetAside = "C:\\ProgramData\\Quillet.set-aside";
    void SetUp() override {
        if (missing) GTEST_SKIP() << *missing;
    }
    static inline std::optional<std::string> missing;
};

TEST_F(OutlookLoadsTheAddin, ItIsConnectedAtStartAndFilesMessagesThroughItsForm) {
    const UINT_PTR person = SetTimer(nullptr, 0, 50, AtTheScreen::AnswerDialogs);
    sim::Outlook outlook;
    outlook.Start();
    ASSERT_EQ(outlook.ConnectedAddIns(), std::vector<std::string>{"Quillet.Connect"});
    EXPECT_TRUE(outlook.Escaped().empty()) << outlook.Escaped().front();

    // Filed in the project's folder as an Outlook message file, then sent.
    outlook.OpenMail({.subject = "Roof drawings", .recipients = 1, .editor = sim::ol::olEditorText,
                      .body = "The drawings, as promised."});
    EXPECT_EQ(outlook.AddinButtonCount(), 1);
    EXPECT_GE(outlook.Automation().Events("Inspectors.NewInspector"), 1);
    outlook.ClickButton();
    HWND form = FrontForm();
    ASSERT_TRUE(form && IsWindowVisible(form)) << "no form shown";
    EXPECT_EQ(TextOf(form).substr(0, 8), L"Quillet ");
    ASSERT_TRUE(AtTheScreen::PickAndSend(form)) << "the form lacks its project list or its button";
    EXPECT_FALSE(IsWindow(form) && IsWindowVisible(form)) << "the form is still open";
    sim::MailState state = outlook.CurrentMail()->State();
    ASSERT_EQ(state.saved.size(), 1u);
    EXPECT_EQ(state.saved[0], "C:\\Projects\\05-123\\Roof drawings.msg");
    const mail::Message filed = mail::ReadMsg(ReadFile(state.saved[0]));
    EXPECT_EQ(filed.subject, "Roof drawings");
    EXPECT_NE(filed.body.find("The drawings, as promised."), std::string::npos);
    EXPECT_TRUE(state.sentHere);
    EXPECT_EQ(outlook.Store().Outbox().size(), 1u);
    EXPECT_EQ(outlook.Automation().Calls("SaveAs"), 1);
    EXPECT_EQ(outlook.Automation().Calls("Send"), 1);
    EXPECT_GE(outlook.Automation().Events("CommandBarButton.Click"), 1);
    EXPECT_EQ(AtTheScreen::dialogs, std::vector<std::string>{});

    // A send that fails inside Outlook: its number and description cross IDispatch
    // into the add-in's error frame, which tells the person; the form stays.
    outlook.OpenMail({.subject = "Site visit", .recipients = 1});
    outlook.ClickButton();
    outlook.FailNext(sim::OutlookCall::Send, 4096, "The operation failed.");
    form = FrontForm();
    ASSERT_TRUE(form && AtTheScreen::PickAndSend(form));
    EXPECT_EQ(AtTheScreen::dialogs,
              std::vector<std::string>{
                  "Quillet09 Error: Error 4096: The operation failed.\r\n"
                  "The error occurred in clsQuillet:SaveAndSendMail()"});
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_FALSE(outlook.CurrentMail()->State().sentHere);
    SendMessageW(ButtonCaptioned(form, L"Cancel"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(form) && IsWindowVisible(form)) << "Cancel left the form open";

    // The security prompt refused at the send: the add-in takes back the file it
    // wrote and says nothing.
    AtTheScreen::dialogs.clear();
    outlook.OpenMail({.subject = "Refused send", .recipients = 1});
    outlook.ClickButton();
    outlook.FailNext(sim::OutlookCall::Send, 287);
    form = FrontForm();
    ASSERT_TRUE(form && AtTheScreen::PickAndSend(form));
    state = outlook.CurrentMail()->State();
    EXPECT_EQ(state.saved, std::vector<std::string>{"C:\\Projects\\05-123\\Refused send.msg"});
    EXPECT_FALSE(fs::exists("C:\\Projects\\05-123\\Refused send.msg"));
    EXPECT_FALSE(state.sentHere);
    EXPECT_EQ(AtTheScreen::dialogs, std::vector<std::string>{});

    outlook.Quit();
    KillTimer(nullptr, person);
    EXPECT_TRUE(outlook.ConnectedAddIns().empty());
    EXPECT_TRUE(outlook.Escaped().empty()) << outlook.Escaped().front();
    EXPECT_GE(outlook.Automation().Events("Application.Quit"), 1);
}

}  // namespace
