#include "hosts/desk/app/mail_window.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "hosts/desk/toolkit/widget_values.h"
#include "platform/errors/errors.h"

namespace desk {

MailWindow::MailWindow(sim::Outlook& outlook, std::shared_ptr<sim::SimInspector> inspector)
    : QWidget(nullptr, Qt::Window), outlook_(&outlook), inspector_(std::move(inspector)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const auto& item = inspector_->Mail();
    const mail::Message content = item->Content();
    const bool received = item->State().sent;
    setWindowTitle(ToQString((content.subject.empty() ? std::string("Untitled") : content.subject) +
                             (received ? " - Message" : " - Message (new)")));
    auto* layout = new QVBoxLayout(this);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("Standard"));
    if (!received) {
        auto* send = new QPushButton(QStringLiteral("&Send"), bar);
        bar->addWidget(send);
        connect(send, &QPushButton::clicked, this, [this] { OnThisWindow([this] { inspector_->Mail()->Send(); }); });
    }
    if (outlook.AddinButtonCount() > 0) {
        addinButton_ = new QPushButton(ToQString(outlook.AddinButtonCaption()), bar);
        addinButton_->setObjectName(QStringLiteral("addin"));
        bar->addWidget(addinButton_);
        connect(addinButton_, &QPushButton::clicked, this, [this] { OnThisWindow([this] { outlook_->ClickButton(); }); });
    }
    layout->addWidget(bar);

    auto* fields = new QFormLayout;
    if (received) {
        const auto& from = content.sender;
        fields->addRow(QStringLiteral("From:"),
                       new QLabel(ToQString(from.name.empty() ? from.address : from.name + " <" + from.address + ">")));
    }
    fields->addRow(QStringLiteral("To:"), new QLabel(ToQString(mail::DisplayList(content, mail::RecipientKind::To))));
    if (content.CountOf(mail::RecipientKind::Cc) > 0)
        fields->addRow(QStringLiteral("Cc:"), new QLabel(ToQString(mail::DisplayList(content, mail::RecipientKind::Cc))));
    if (received) {
        fields->addRow(QStringLiteral("Subject:"), new QLabel(ToQString(content.subject)));
    } else {
        auto* subject = new QLineEdit(ToQString(content.subject), this);
        subject->setObjectName(QStringLiteral("subject"));
        connect(subject, &QLineEdit::textEdited, this, [this](const QString& text) {
            OnThisWindow([this, text] { inspector_->Mail()->Subject(ToUtf8(text)); });
        });
        fields->addRow(QStringLiteral("Subject:"), subject);
    }
    QStringList attachments;
    for (const auto& attachment : content.attachments) attachments << ToQString(attachment.fileName);
    if (!attachments.isEmpty()) fields->addRow(QStringLiteral("Attached:"), new QLabel(attachments.join(QStringLiteral("; "))));
    layout->addLayout(fields);

    if (received) {
        auto* body = new QTextBrowser(this);
        body->setOpenExternalLinks(true);
        if (!content.html.empty())
            body->setHtml(ToQString(content.html));
        else
            body->setPlainText(ToQString(content.body));
        layout->addWidget(body);
    } else {
        auto* body = new QTextEdit(this);
        const bool html = inspector_->EditorType() == platform::outlook::olEditorHTML;
        body->setAcceptRichText(html);
        if (html)
            body->setHtml(ToQString(content.html));
        else
            body->setPlainText(ToQString(content.body));
        connect(body, &QTextEdit::textChanged, this, [this, body, html] {
            OnThisWindow([&] {
                if (html)
                    inspector_->Mail()->HTMLBody(ToUtf8(body->toHtml()));
                else
                    inspector_->Mail()->Body(ToUtf8(body->toPlainText()));
            });
        });
        layout->addWidget(body);
    }
    resize(640, 480);
}

template <class Action>
void MailWindow::OnThisWindow(const Action& action) {
    try {
        if (!inspector_->IsOpen()) return;
        outlook_->ActivateWindow(inspector_->Number());
        action();
    } catch (const platform::ErrorInfo& e) {
        QMessageBox::warning(this, QStringLiteral("Outlook"), ToQString(e.Description));
    } catch (const std::exception& e) {
        QMessageBox::warning(this, QStringLiteral("Outlook"), QString::fromUtf8(e.what()));
    }
}

void MailWindow::closeEvent(QCloseEvent* event) {
    if (inspector_->IsOpen()) OnThisWindow([this] { outlook_->CloseWindow(); });
    event->accept();
}

}  // namespace desk
