#include "hosts/desk/app/mail_window.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <vector>

#include "hosts/desk/toolkit/widget_values.h"
#include "platform/errors/errors.h"

namespace desk {

namespace {

// "Anna Berg <anna@example.com>; tom@example.com" as addresses.
std::vector<mail::Address> Addresses(const QString& line) {
    std::vector<mail::Address> addresses;
    for (QString part : line.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part.isEmpty()) continue;
        qsizetype open = part.indexOf(u'<');
        qsizetype close = part.lastIndexOf(u'>');
        if (open >= 0 && close > open)
            addresses.push_back({ToUtf8(part.left(open).trimmed().remove(u'"')), ToUtf8(part.mid(open + 1, close - open - 1).trimmed())});
        else
            addresses.push_back({"", ToUtf8(part)});
    }
    return addresses;
}

// The recipients of a kind as the person writes them: "Anna Berg <anna@example.com>; ...".
QString Written(const mail::Message& message, mail::RecipientKind kind) {
    QStringList written;
    for (const auto& recipient : message.recipients) {
        if (recipient.kind != kind) continue;
        const auto& who = recipient.who;
        written << ToQString(who.name.empty() ? who.address : who.name + " <" + who.address + ">");
    }
    return written.join(QStringLiteral("; "));
}

}  // namespace

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
    if (received) {
        fields->addRow(QStringLiteral("To:"), new QLabel(ToQString(mail::DisplayList(content, mail::RecipientKind::To))));
        if (content.CountOf(mail::RecipientKind::Cc) > 0)
            fields->addRow(QStringLiteral("Cc:"),
                           new QLabel(ToQString(mail::DisplayList(content, mail::RecipientKind::Cc))));
    } else {
        auto* to = new QLineEdit(Written(content, mail::RecipientKind::To), this);
        auto* cc = new QLineEdit(Written(content, mail::RecipientKind::Cc), this);
        to->setObjectName(QStringLiteral("to"));
        cc->setObjectName(QStringLiteral("cc"));
        auto written = [this, to, cc] {
            std::vector<mail::Recipient> recipients;
            for (auto& address : Addresses(to->text())) recipients.push_back({mail::RecipientKind::To, address});
            for (auto& address : Addresses(cc->text())) recipients.push_back({mail::RecipientKind::Cc, address});
            OnThisWindow([&] { inspector_->Mail()->SetRecipients(std::move(recipients)); });
        };
        connect(to, &QLineEdit::textEdited, this, written);
        connect(cc, &QLineEdit::textEdited, this, written);
        fields->addRow(QStringLiteral("To:"), to);
        fields->addRow(QStringLiteral("Cc:"), cc);
    }
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
