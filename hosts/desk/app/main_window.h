// The desktop Outlook's main window: the mail store's folders, the chosen folder's
// messages, New Mail; a message opens in a window of its own (mail_window.h) as the
// simulated Outlook opens it, with the add-in's button on it.
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "hosts/desk/app/mail_list.h"
#include "hosts/sim/host/outlook_model.h"

class QListWidget;
class QTreeWidget;

namespace desk {

class MailWindow;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(sim::Outlook& outlook);

    // Shows a folder of the mail store ("Inbox", "Outbox"...).
    void ShowFolder(const std::string& folder);
    // Opens the message at that row of the list in its own window.
    MailWindow* OpenMessage(int row);
    MailWindow* NewMail();
    const std::vector<MailEntry>& Messages() const { return messages_; }

private:
    MailWindow* Track(MailWindow* window);
    // Windows the add-in closed (a message sent) close here too; the list follows.
    void FollowOutlook();
    void ShowProblem(const std::string& what);

    sim::Outlook* outlook_;
    QListWidget* folders_;
    QTreeWidget* list_;
    std::string folder_ = "Inbox";
    std::vector<MailEntry> messages_;
    std::vector<MailWindow*> windows_;
    size_t outboxSeen_ = 0;
};

}  // namespace desk
