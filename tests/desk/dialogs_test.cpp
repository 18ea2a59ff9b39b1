// The real dialogs with a stand-in answering them: the buttons each flag asks for and
// the answers they give, the input box's text, the folder picker's Windows paths.
#include <QApplication>
#include <QMessageBox>
#include <memory>
#include <optional>
#include <string>

#include "hosts/desk/toolkit/qt_toolkit.h"
#include "platform/files/posix/prefix.h"
#include "platform/toolkit/dialogs.h"
#include "tests/desk/qt_fixture.h"

namespace desk_test {
namespace {

using namespace platform::toolkit;

class StandIn : public desk::Operator {
public:
    int32_t AnswerMsgBox(const DialogRequest&) override { return answer; }
    std::optional<std::string> AnswerInputBox(const DialogRequest&) override { return text; }
    std::optional<std::string> AnswerPicker(const DialogRequest&) override { return folder; }
    void RunModal(Form&) override {}
    void Unexpected(const std::string& what) override { problems.push_back(what); }

    int32_t answer = vbOK;
    std::optional<std::string> text;
    std::optional<std::string> folder;
    std::vector<std::string> problems;
};

class Dialogs : public QtFixture {
protected:
    Dialogs() { platform::toolkit::Install(answered); }
    StandIn person;
    std::shared_ptr<desk::QtToolkit> answered = std::make_shared<desk::QtToolkit>(&person);
};

TEST_F(Dialogs, MessageBoxAnswersWithTheButtonClicked) {
    person.answer = vbYes;
    EXPECT_EQ(MsgBox("Save it?", vbYesNo + vbQuestion, "Quillet"), vbYes);
    person.answer = vbNo;
    EXPECT_EQ(MsgBox("Save it?", vbYesNo + vbQuestion, "Quillet"), vbNo);
    person.answer = vbCancel;
    EXPECT_EQ(MsgBox("Go on?", vbOKCancel + vbExclamation, "Quillet"), vbCancel);
    person.answer = 4;  // Retry
    EXPECT_EQ(MsgBox("Again?", 5 + vbCritical, "Quillet"), 4);
    EXPECT_TRUE(person.problems.empty());
    // An OK-only box has no Yes to click: the stand-in is told, and the box gives OK.
    person.answer = vbYes;
    EXPECT_EQ(MsgBox("Done.", vbOKOnly + vbInformation, "Quillet"), vbOK);
    EXPECT_EQ(person.problems.size(), 1u);
}

TEST_F(Dialogs, InputBoxGivesTheTypedTextOrNothing) {
    person.text = "05-777";
    EXPECT_EQ(InputBox("Project number:", "Quillet", "05-"), "05-777");
    person.text.reset();
    EXPECT_EQ(InputBox("Project number:", "Quillet", "05-"), "");
}

TEST_F(Dialogs, FolderPickerGivesWindowsPathsOfTheDrivesItShows) {
    machine.Write("C:\\Jobs\\05-123\\Mail\\note.txt", "x");
    platform::files::Prefix::MapDrive("P:", platform::files::DriveType::Remote);
    machine.Write("P:\\Projects\\05-9\\a.txt", "x");
    person.folder = "c:\\jobs\\05-123\\mail\\";
    EXPECT_EQ(BrowseForFolder(0, "Pick", 0, std::nullopt), "C:\\Jobs\\05-123\\Mail");
    person.folder = "P:";
    EXPECT_EQ(BrowseForFolder(0, "Pick", 0, std::nullopt), "P:\\");
    // Rooted: the root's folders only.
    person.folder = "P:\\Projects\\05-9";
    EXPECT_EQ(BrowseForFolder(0, "Pick", 0, std::string("P:\\Projects")), "P:\\Projects\\05-9");
    EXPECT_TRUE(person.problems.empty());
    person.folder = "C:\\Jobs";
    EXPECT_EQ(BrowseForFolder(0, "Pick", 0, std::string("P:\\Projects")), "");
    person.folder = "C:\\Nowhere";
    EXPECT_EQ(BrowseForFolder(0, "Pick", 0, std::nullopt), "");
    EXPECT_EQ(person.problems.size(), 2u);
}

}  // namespace
}  // namespace desk_test
