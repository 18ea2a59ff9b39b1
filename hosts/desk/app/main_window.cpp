#include "hosts/desk/app/main_window.h"

#include <QDateTime>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "hosts/desk/app/demo_prefix.h"
#include "hosts/desk/app/mail_window.h"
#include "hosts/desk/toolkit/widget_values.h"
#include "platform/errors/errors.h"

namespace desk {

namespace {
constexpr int kFollowMilliseconds = 250;

QString When(const mail::Message& message) {
    auto time = message.receivedTime ? message.receivedTime : message.sentTime;
    if (!time) return {};
    return QDateTime::fromSecsSinceEpoch(time->time_since_epoch().count()).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}
}  // namespace

MainWindow::MainWindow(sim::Outlook& outlook) : outlook_(&outlook) {
    setWindowTitle(QStringLiteral("Inbox - Quillet Desk"));
    auto* bar = addToolBar(QStringLiteral("Standard"));
    bar->addAction(QStringLiteral("New Mail"), this, [this] { NewMail(); });
    bar->addAction(QStringLiteral("Refresh"), this, [this] { ShowFolder(folder_); });

    auto* split = new QSplitter(this);
    folders_ = new QListWidget(split);
    for (const char* name : kMailFolders) folders_->addItem(QString::fromUtf8(name));
    list_ = new QTreeWidget(split);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Received"), QStringLiteral("From"), QStringLiteral("Subject")});
    list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    list_->setColumnWidth(0, 130);
    list_->setColumnWidth(1, 170);
    split->setStretchFactor(1, 1);
    split->setSizes({160, 740});
    setCentralWidget(split);
    connect(folders_, &QListWidget::currentTextChanged, this, [this](const QString& name) { ShowFolder(ToUtf8(name)); });
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenMessage(list_->indexOfTopLevelItem(item)); });
    auto* follow = new QTimer(this);
    connect(follow, &QTimer::timeout, this, [this] { FollowOutlook(); });
    follow->start(kFollowMilliseconds);
    folders_->setCurrentRow(0);
    resize(900, 520);
}

void MainWindow::ShowFolder(const std::string& folder) {
    folder_ = folder;
    setWindowTitle(ToQString(folder + " - Quillet Desk"));
    messages_ = ReadMailFolder(folder);
    list_->clear();
    for (const MailEntry& entry : messages_) {
        const auto& m = entry.message;
        QString from = ToQString(m.sender.name.empty() ? m.sender.address : m.sender.name);
        if (folder != "Inbox") from = ToQString(mail::DisplayList(m, mail::RecipientKind::To));
        list_->addTopLevelItem(new QTreeWidgetItem({When(m), from, ToQString(m.subject)}));
    }
    for (int i = 0; i < folders_->count(); ++i)
        if (ToUtf8(folders_->item(i)->text()) == folder && folders_->currentRow() != i) folders_->setCurrentRow(i);
    statusBar()->showMessage(QStringLiteral("%1 messages").arg(messages_.size()));
}

MailWindow* MainWindow::OpenMessage(int row) {
    if (row < 0 || row >= static_cast<int>(messages_.size())) return nullptr;
    try {
        return Track(new MailWindow(*outlook_, outlook_->OpenMailFile(messages_[size_t(row)].windowsPath)));
    } catch (const platform::ErrorInfo& e) {
        ShowProblem(e.Description);
    } catch (const std::exception& e) {
        ShowProblem(e.what());
    }
    return nullptr;
}

MailWindow* MainWindow::NewMail() {
    try {
        sim::MailSetup setup;
        setup.sent = false;
        setup.recipients = 1;
        return Track(new MailWindow(*outlook_, outlook_->OpenMail(setup)));
    } catch (const platform::ErrorInfo& e) {
        ShowProblem(e.Description);
    } catch (const std::exception& e) {
        ShowProblem(e.what());
    }
    return nullptr;
}

MailWindow* MainWindow::Track(MailWindow* window) {
    windows_.push_back(window);
    connect(window, &QObject::destroyed, this, [this, window] { std::erase(windows_, window); });
    window->show();
    return window;
}

void MainWindow::FollowOutlook() {
    for (MailWindow* window : std::vector<MailWindow*>(windows_))
        if (!window->Inspector()->IsOpen()) window->close();
    size_t outbox = outlook_->Store().Outbox().size();
    if (outbox != outboxSeen_) {
        outboxSeen_ = outbox;
        ShowFolder(folder_);
    }
}

void MainWindow::ShowProblem(const std::string& what) {
    QMessageBox::warning(this, QStringLiteral("Quillet Desk"), ToQString(what));
}

}  // namespace desk
