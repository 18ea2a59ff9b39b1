// One Outlook window of a mail item: the command bar with the add-in's buttons, then
// the read view of a received message (from, to, subject, body) or the compose view of
// a new one (subject and body to edit, Send).
#pragma once

#include <QWidget>
#include <memory>

#include "hosts/sim/host/outlook_model.h"

class QPushButton;

namespace desk {

class MailWindow : public QWidget {
public:
    MailWindow(sim::Outlook& outlook, std::shared_ptr<sim::SimInspector> inspector);
    const std::shared_ptr<sim::SimInspector>& Inspector() const { return inspector_; }
    // The add-in's button on the command bar, or nullptr when the window has none.
    QPushButton* AddinButton() const { return addinButton_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs an Outlook action on this window; a failure is shown, not thrown.
    template <class Action>
    void OnThisWindow(const Action& action);

    sim::Outlook* outlook_;
    std::shared_ptr<sim::SimInspector> inspector_;
    QPushButton* addinButton_ = nullptr;
};

}  // namespace desk
