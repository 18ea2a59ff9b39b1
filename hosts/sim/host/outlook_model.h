// The simulated Outlook: one application with its windows, the add-ins it loaded, and
// one operation for each thing Outlook or the person does to it in a test or a
// scenario (start, open a window, click the add-in's button, close, quit...), plus
// what those leave behind to be checked.
//
//     sim::Outlook outlook;
//     outlook.Start();                                  // loads the registered add-ins
//     outlook.OpenMail({.subject = "Roof drawings", .attachments = 1});
//     outlook.ClickButton();
//     outlook.CurrentMail()->State().sent;
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "hosts/sim/host/outlook_application.h"
#include "hosts/sim/host/outlook_faults.h"
#include "hosts/sim/host/outlook_inspector.h"
#include "hosts/sim/host/outlook_items.h"
#include "hosts/sim/host/outlook_windows.h"
#include "platform/outlook/addin_connection.h"

namespace sim {

// A step that cannot be done as asked: no window to click in, a window that never
// opened, Outlook no longer running.
class OutlookStepRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Outlook {
public:
    // The Tag by which the add-in's button is known on a window's bars.
    static constexpr const char* kAddinButtonTag = "Plexar Quillet Button";
    // Where Outlook finds its add-ins (under HKEY_CURRENT_USER), one key per ProgID.
    static constexpr const char* kAddinsKey = "Software\\Microsoft\\Office\\Outlook\\Addins";

    Outlook();
    Outlook(const Outlook&) = delete;
    Outlook& operator=(const Outlook&) = delete;

    // ---- set-up
    void SetVersion(int32_t major);
    void SetUser(std::string name);

    // ---- Outlook's life and its add-ins
    // Outlook starts: it opens its mail store (making its folders), then every add-in
    // listed with LoadBehavior 3 is created by its ProgID and connected. One that cannot be created or has no connection interface is
    // skipped and noted in Escaped().
    void Start();
    // Connects one add-in as Outlook does at start-up: OnConnection (startup mode),
    // then OnStartupComplete.
    void Connect(std::shared_ptr<ol::IDTExtensibility2> addIn, std::string progId);
    // The person unloads the add-ins while Outlook keeps running: OnDisconnection
    // (user closed); the windows stay and go on raising their events.
    void Disconnect();
    // Outlook quits: Quit, then OnBeginShutdown and OnDisconnection (host shutdown)
    // for each add-in. The windows and items stay to be looked at.
    void Quit();
    bool HasQuit() const { return quit_; }
    // Outlook's quitting in its three steps, for a scenario that looks in between:
    // the Quit event alone; OnBeginShutdown alone (for every add-in connected, or
    // connected before a disconnection); OnDisconnection (host shutdown) for every
    // add-in that is or was connected, however often it was called before.
    void RaiseQuitEvent();
    void BeginShutdown();
    void DisconnectAgain();
    std::vector<std::string> ConnectedAddIns() const;
    // Failures that escaped an add-in's connection calls, one line each
    // ("Quillet.Connect OnConnection: 91 Object variable or With block variable not set").
    const std::vector<std::string>& Escaped() const { return escaped_; }

    // ---- windows
    // A new message is from the current user; Send puts it into the mail store's outbox.
    std::shared_ptr<SimInspector> OpenMail(const MailSetup& setup = {});
    // Opens a received message from an internet message file (.eml) in the prefix;
    // refused, naming the file and what is wrong, when it holds no message.
    std::shared_ptr<SimInspector> OpenMailFile(const std::string& windowsPath);
    std::shared_ptr<SimInspector> OpenAppointment();
    std::shared_ptr<SimInspector> OpenContact();
    // By its number in opening order, from 1.
    void ActivateWindow(int32_t number);
    // Clicks the add-in's button on the window in front. Office raises a button's
    // Click to every button with the same Tag, the clicked one first.
    void ClickButton();
    // The window in front closes with its item; false when the item's Close cancelled.
    bool CloseWindow();
    // The next call of that kind on a mail item fails with the number.
    void FailNext(OutlookCall call, int32_t number, std::string description = {});

    // ---- what can be looked at
    const std::shared_ptr<SimApplication>& Application() const { return app_; }
    std::shared_ptr<SimInspector> ActiveWindow() const { return windows_->Active(); }
    std::shared_ptr<SimInspector> Window(int32_t number) const { return windows_->Window(number); }
    // The mail item of the mail window opened or activated last, also once closed.
    std::shared_ptr<SimMailItem> CurrentMail() const;
    const MailStore& Store() const { return *store_; }
    // The add-in's buttons on the window in front: how many, and the first one's caption.
    int32_t AddinButtonCount() const;
    std::string AddinButtonCaption() const;

private:
    struct Connection {
        std::string progId;
        std::shared_ptr<ol::IDTExtensibility2> addIn;
        std::shared_ptr<platform::com::IUnknown> instance;
    };
    std::shared_ptr<SimInspector> OpenWindow(std::shared_ptr<ol::OutlookItem> item, int32_t editor,
                                             std::shared_ptr<SimCommandBars> bars);
    std::shared_ptr<SimInspector> Front(const char* step) const;
    void RefuseAfterQuit(const char* step) const;
    // Calls into an add-in: whatever escapes it stays here and is noted.
    void CallAddIn(const std::string& progId, const char* call, const std::function<void()>& body);

    std::shared_ptr<OutlookFaults> faults_ = std::make_shared<OutlookFaults>();
    std::shared_ptr<MailStore> store_ = std::make_shared<MailStore>();
    std::shared_ptr<OutlookWindows> windows_ = OutlookWindows::Create();
    std::shared_ptr<SimApplication> app_ = std::make_shared<SimApplication>(windows_);
    std::vector<Connection> connected_;
    std::vector<Connection> former_;  // connected once, disconnected since
    std::vector<std::string> escaped_;
    bool started_ = false;
    bool quit_ = false;
};

}  // namespace sim
