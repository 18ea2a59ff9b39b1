// What the save writes into the message: the project tag of an empty subject, and the
// footer naming the saved file, in the form of the message window's editor.
#include <gtest/gtest.h>

#include <filesystem>

#include "addin/forms/web_addresses.h"
#include "tests/controller/controller_fixture.h"

using namespace controller_test;
namespace ol = platform::outlook;

namespace {

const std::string kFolder = "P:\\Projects\\05-123\\Corr_Out\\";
const std::string kSite = QuilletWebAddress;

std::string HtmlFooter(const std::string& file) {
    return "<DIV><P>" + kFolder + file + "<br/>Save important emails with <a href=\"" + kSite + "\">" + kSite +
           "</a></P></DIV></BODY>";
}
std::string PlainFooter(const std::string& file) {
    return kCrLf + kFolder + file + kCrLf + "Save important emails with " + kSite + kCrLf;
}

struct SaveCase {
    const char* what;
    sim::MailSetup mail;
    std::string projDelim, subjDelim, mailSubject;
    std::string subject, file, body, html;  // afterwards
};

class SaveTextsTest : public ControllerTest {
protected:
    void SetUp() override {
        Start(Mode::Own, {{"05-123", "Smith House", ""}});
        std::filesystem::create_directories(machine.Host(kFolder));
    }
};

}  // namespace

TEST_F(SaveTextsTest, AnEmptySubjectGetsTheTagAndTheFooterFollowsTheEditor) {
    const std::string file = "Site visit final.msg";
    // clang-format off
    const SaveCase cases[] = {
        {"plain text: the tag with both delimiters", {.editor = ol::olEditorText, .body = "Hi", .html = "<BODY>h</BODY>"},
         "-", "=>", "Site visit: final?", "05-123-Smith House=>Site visit: final?", file, "Hi" + PlainFooter(file),
         "<BODY>h</BODY>"},
        {"rich text: empty delimiters run the tag together", {.editor = ol::olEditorRTF, .body = "Rich"}, "", "",
         "Rich", "05-123Smith HouseRich", "Rich.msg", "Rich" + PlainFooter("Rich.msg"), ""},
        {"HTML: a subject stays, the closing body tag in any capitals",
         {.subject = "Keep me", .attachments = 2, .editor = ol::olEditorHTML, .html = "<html><body>Hi</body></html>"},
         "-", "=>", "Site visit", "Keep me", "Site visit(att).msg", "",
         "<html><body>Hi" + HtmlFooter("Site visit(att).msg") + "</html>"},
        {"Word: every closing body tag",
         {.editor = ol::olEditorWord, .body = "a b", .html = "<BODY>a</BODY><body>b</Body>"}, "-", "=>", "Two",
         "05-123-Smith House=>Two", "Two.msg", "a b", "<BODY>a" + HtmlFooter("Two.msg") + "<body>b" +
         HtmlFooter("Two.msg")},
    };
    // clang-format on
    clsQuillet& q = Controller();
    for (const auto& c : cases) {
        frmQuillet& form = OpenSaveForm(c.mail);
        q.ProjectNumber("05-123");
        q.ProjectName("Smith House");
        q.ProjDelim(c.projDelim);
        q.SubjDelim(c.subjDelim);
        q.MailSubject(c.mailSubject);
        form.txtSaveFolder.SetText(kFolder);

        EXPECT_TRUE(q.SaveAndSendMail()) << c.what;
        const sim::MailState& mail = outlook->CurrentMail()->State();
        EXPECT_EQ(mail.subject, c.subject) << c.what;
        EXPECT_EQ(mail.saved, std::vector<std::string>{kFolder + c.file}) << c.what;
        EXPECT_EQ(mail.body, c.body) << c.what;
        EXPECT_EQ(mail.html, c.html) << c.what;
        EXPECT_TRUE(mail.sentHere) << c.what;
    }
}
