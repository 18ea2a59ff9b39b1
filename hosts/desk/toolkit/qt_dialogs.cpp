// The message box, the input box and the folder picker as real dialogs.
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "hosts/desk/toolkit/folder_picker.h"
#include "hosts/desk/toolkit/qt_toolkit.h"
#include "hosts/desk/toolkit/widget_values.h"
#include "platform/toolkit/dialogs.h"

namespace desk {

namespace tk = platform::toolkit;

namespace {

// Windows' further button sets and answers, beside the toolkit's own.
enum : int32_t { kAbortRetryIgnore = 2, kYesNoCancel = 3, kRetryCancel = 5 };
enum : int32_t { kAbort = 3, kRetry = 4, kIgnore = 5 };
constexpr int32_t kDefaultButtonShift = 8;

struct Choice {
    QMessageBox::StandardButton button;
    int32_t answer;
};

std::vector<Choice> Choices(int32_t flags) {
    switch (flags & 7) {
        case tk::vbOKCancel: return {{QMessageBox::Ok, tk::vbOK}, {QMessageBox::Cancel, tk::vbCancel}};
        case kAbortRetryIgnore:
            return {{QMessageBox::Abort, kAbort}, {QMessageBox::Retry, kRetry}, {QMessageBox::Ignore, kIgnore}};
        case kYesNoCancel:
            return {{QMessageBox::Yes, tk::vbYes}, {QMessageBox::No, tk::vbNo}, {QMessageBox::Cancel, tk::vbCancel}};
        case tk::vbYesNo: return {{QMessageBox::Yes, tk::vbYes}, {QMessageBox::No, tk::vbNo}};
        case kRetryCancel: return {{QMessageBox::Retry, kRetry}, {QMessageBox::Cancel, tk::vbCancel}};
        default: return {{QMessageBox::Ok, tk::vbOK}};
    }
}

QMessageBox::Icon IconOf(int32_t flags) {
    switch (flags & 0x70) {
        case tk::vbCritical: return QMessageBox::Critical;
        case tk::vbQuestion: return QMessageBox::Question;
        case tk::vbExclamation: return QMessageBox::Warning;
        case tk::vbInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

// What a box answers when it is closed without a button: Cancel where there is one,
// OK for a box with OK alone.
int32_t Dismissed(const std::vector<Choice>& choices) {
    for (const Choice& choice : choices)
        if (choice.answer == tk::vbCancel) return tk::vbCancel;
    return choices.size() == 1 ? choices.front().answer : choices.back().answer;
}

}  // namespace

int32_t QtToolkit::MsgBox(const DialogRequest& request) {
    QMessageBox box(DialogOwner());
    box.setWindowTitle(ToQString(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(request.text));
    box.setIcon(IconOf(request.flags));
    const std::vector<Choice> choices = Choices(request.flags);
    std::vector<std::pair<QPushButton*, int32_t>> buttons;
    for (const Choice& choice : choices) buttons.emplace_back(box.addButton(choice.button), choice.answer);
    size_t first = std::min<size_t>(static_cast<size_t>((request.flags >> kDefaultButtonShift) & 3), buttons.size() - 1);
    box.setDefaultButton(buttons[first].first);
    box.setEscapeButton(nullptr);
    for (const auto& [button, answer] : buttons)
        if (answer == tk::vbCancel || choices.size() == 1) box.setEscapeButton(button);

    if (standIn_) {
        const int32_t wanted = standIn_->AnswerMsgBox(request);
        QPushButton* press = nullptr;
        for (const auto& [button, answer] : buttons)
            if (answer == wanted) press = button;
        if (!press) {
            standIn_->Unexpected("the message box \"" + request.title + "\" has no button answering " +
                                 std::to_string(wanted));
            return Dismissed(choices);
        }
        box.open();
        press->click();
    } else {
        box.exec();
    }
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button) return answer;
    return Dismissed(choices);
}

std::optional<std::string> QtToolkit::InputBox(const DialogRequest& request) {
    QInputDialog dialog(DialogOwner());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(ToQString(request.title));
    dialog.setLabelText(ToQString(request.text));
    dialog.setTextValue(ToQString(request.defaultText));
    if (standIn_) {
        auto answer = standIn_->AnswerInputBox(request);
        dialog.open();
        if (!answer) {
            dialog.reject();
        } else {
            if (auto* edit = dialog.findChild<QLineEdit*>()) {
                edit->selectAll();
                edit->insert(ToQString(*answer));
            } else {
                dialog.setTextValue(ToQString(*answer));
            }
            dialog.accept();
        }
    } else {
        dialog.exec();
    }
    if (dialog.result() != QDialog::Accepted) return std::nullopt;
    return ToUtf8(dialog.textValue());
}

std::optional<std::string> QtToolkit::BrowseForFolder(const DialogRequest& request) {
    FolderPicker picker(request, DialogOwner(request.owner));
    if (standIn_) {
        auto answer = standIn_->AnswerPicker(request);
        picker.open();
        if (!answer) {
            picker.reject();
            return std::nullopt;
        }
        if (!picker.Select(*answer)) {
            standIn_->Unexpected("picker answer \"" + *answer + "\" is not a folder the picker offers");
            picker.reject();
            return std::nullopt;
        }
        picker.accept();
    } else if (picker.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return picker.Chosen();
}

}  // namespace desk
