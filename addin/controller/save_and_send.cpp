// "Send and Save": the checks before the save, then the message written into the
// project folder as an Outlook message file and sent.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/forms/web_addresses.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "util/interfaces/IclsOutlook.h"
#include "util/interfaces/clsUtil.h"

namespace outlook = platform::outlook;
namespace text = platform::text;

namespace {
const std::string kCrLf = "\r\n";

// The name an earlier filing is kept under, beside it, while a save over it is under
// way (the prefix Office gives its own temporary files).
std::string EarlierFilingName(const std::string& fileName) { return "~$" + fileName; }

std::string HtmlFooter(const std::string& savedFile) {
    const std::string address = QuilletWebAddress;
    return "<DIV><P>" + savedFile + "<br/>Save important emails with <a href=\"" + address + "\">" + address +
           "</a></P></DIV></BODY>";
}

std::string PlainFooter(const std::string& savedFile) {
    return kCrLf + savedFile + kCrLf + "Save important emails with " + std::string(QuilletWebAddress) + kCrLf;
}
}  // namespace

// Returns true when the save form is to close.
bool clsQuillet::SaveButtonClicked() {
    ProjFormClosed_ = false;
    const std::string problems = ValidateSaveForm();
    if (!problems.empty()) {
        if (CurrentMailSent_)
            platform::toolkit::MsgBox("Quillet cannot save this E-mail... " + kCrLf + problems,
                                      platform::toolkit::vbInformation, "Cannot Save");
        else
            platform::toolkit::MsgBox("Quillet cannot send this E-mail... " + kCrLf + problems,
                                      platform::toolkit::vbInformation, "Cannot Send");
        return false;
    }
    if (ProjFormClosed_) return false;

    frmQuillet& form = Use(SaveForm());
    form.txtSaveFolder.SetText(FixPath(form.txtSaveFolder.Text()));
    std::string folder = form.txtSaveFolder.Text();
    const bool exists = EnsureFolderExists(folder);
    // A folder edited in the prompt comes back into the box with its backslash, as
    // the file's path is the box text followed directly by the file name.
    if (folder != form.txtSaveFolder.Text()) form.txtSaveFolder.SetText(FixPath(folder));
    if (!exists) return false;

    form.Hide();
    return SaveAndSendMail();
}

// The footer that names the saved file, in the form of the message's own window (HTML
// for the HTML and Word editors, plain otherwise). A message carries it once: when an
// earlier attempt on this message added one that is still there, that footer is made
// to name the file of this attempt instead of a second one being added.
void clsQuillet::AddFooter(const std::shared_ptr<outlook::MailItem>& mail, const std::string& savedFile) {
    outlook::MailItem& item = Use(mail);
    const int32_t editor = Use(mailWindow_).EditorType();
    const bool again = footerMail_.lock() == mail;
    if (editor == outlook::olEditorHTML || editor == outlook::olEditorWord) {
        std::string html = item.HTMLBody();
        const std::string earlier = HtmlFooter(footerPath_);
        if (again && text::InStr(html, earlier) > 0)
            html = text::Replace(html, earlier, HtmlFooter(savedFile));
        else
            html = text::Replace(html, "</BODY>", HtmlFooter(savedFile), text::Compare::Text);
        item.HTMLBody(html);
    } else {
        std::string body = item.Body();
        const std::string earlier = PlainFooter(footerPath_);
        if (again && text::Right(body, text::Len(earlier)) == earlier)
            body = text::Left(body, text::Len(body) - text::Len(earlier));
        item.Body(body + PlainFooter(savedFile));
    }
    footerMail_ = mail;
    footerPath_ = savedFile;
}

bool clsQuillet::SaveAndSendMail() {
    bool result = false;
    std::string fileName;
    bool wroteFile = false;
    std::shared_ptr<platform::files::FileSystemObject> files;  // held: it may live in the utility library
    std::string earlierCopy;  // the earlier filing this save replaces, kept until the filing is complete
    bool keepEarlierCopy = false;
    Guard("SaveAndSendMail()")
        // The user refused Outlook's security prompt: the form closes without a word,
        // and the filing is undone: a file this save wrote goes again, and an earlier
        // filing it replaced comes back.
        .On(platform::err::OutlookRefused,
            [&](const platform::ErrorInfo&) {
                result = true;
                const std::string folder = Use(SaveForm()).txtSaveFolder.Text();
                if (!wroteFile) return platform::Resume::ExitStep;
                if (!earlierCopy.empty()) {
                    // Should the earlier filing not come back, its copy stays where it is.
                    keepEarlierCopy = true;
                    platform::Contain([&] {
                        Use(files).CopyFile(earlierCopy, folder + fileName, true);
                        keepEarlierCopy = false;
                    });
                } else if (gUtil->DoesFileExist(folder, fileName)) {
                    gUtil->UtilDeleteFile(folder + fileName, true);
                }
                return platform::Resume::ExitStep;
            })
        .Exit([&] {
            if (!earlierCopy.empty() && !keepEarlierCopy)
                platform::Contain([&] { Use(files).DeleteFile(earlierCopy, true); });
        })
        .Run([&] {
            const std::string baseName = gUtil->RemoveIllegalCharacters(MailSubject_);
            auto mail = gOutlook->MailItem();
            outlook::MailItem& item = Use(mail);
            fileName = baseName + (item.Attachments()->Count() != 0 ? "(att)" : "") + ".msg";
            const std::string folder = Use(SaveForm()).txtSaveFolder.Text();
            if (!CheckExistingFile(folder, fileName)) return;

            // The person chose to overwrite an earlier filing: it is kept aside until
            // this filing is complete, so that a save undone can put it back.
            if (gUtil->DoesFileExist(folder, fileName)) {
                gUtil->UtilCreateFileObject();
                files = gUtil->FileSys();
                gUtil->UtilDestroyFileObject();
                Use(files).CopyFile(folder + fileName, folder + EarlierFilingName(fileName), true);
                earlierCopy = folder + EarlierFilingName(fileName);
            }

            // The filing goes ahead: an empty subject gets the project tag.
            if (item.Subject().empty())
                item.Subject(ProjectNumber_ + ProjDelim_ + ProjectName_ + SubjDelim_ + MailSubject_);
            // A message without recipients (one received as a blind copy, say) is filed
            // all the same, without the footer.
            if (item.Recipients()->Count() != 0) AddFooter(mail, Use(SaveForm()).txtSaveFolder.Text() + fileName);
            item.SaveAs(folder + fileName, gOutlook->SaveType());
            wroteFile = true;
            if (!CurrentMailSent_) item.Send();
            result = true;
        });
    return result;
}
