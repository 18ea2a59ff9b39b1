#include "hosts/sim/host/outlook_model.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "hosts/mail/mail_error.h"
#include "hosts/sim/host/machine_files.h"
#include "platform/errors/frame.h"

namespace sim {

namespace {

// The add-in instance object Outlook hands an add-in on connection.
class SimAddInInstance final : public platform::com::IUnknown {
public:
    void* QueryInterface(const platform::com::Guid& iid) override {
        return iid == platform::com::IUnknown::IID ? static_cast<platform::com::IUnknown*>(this) : nullptr;
    }
};

}  // namespace

Outlook::Outlook() { app_->UseFaults(faults_); }

void Outlook::SetVersion(int32_t major) { app_->SetMajorVersion(major); }

void Outlook::SetUser(std::string name) { app_->SetUser(std::move(name)); }

// ---- add-ins --------------------------------------------------------------------

void Outlook::CallAddIn(const std::string& progId, const char* call, const std::function<void()>& body) {
    try {
        body();
    } catch (...) {
        auto failure = platform::CurrentFailure();
        escaped_.push_back(progId + " " + call + ": " + std::to_string(failure.Number) + " " + failure.Description);
    }
}

void Outlook::Connect(std::shared_ptr<ol::IDTExtensibility2> addIn, std::string progId) {
    RefuseAfterQuit("connect an add-in");
    started_ = true;
    auto& connection = connected_.emplace_back(
        Connection{std::move(progId), std::move(addIn), std::make_shared<SimAddInInstance>()});
    auto target = connection.addIn;  // the list may grow while the add-in runs
    auto instance = connection.instance;
    auto name = connection.progId;
    ol::CustomArray custom;
    std::shared_ptr<ol::Application> app = app_;
    CallAddIn(name, "OnConnection", [&] { target->OnConnection(app, ol::ext_cm_Startup, instance, custom); });
    CallAddIn(name, "OnStartupComplete", [&] { target->OnStartupComplete(custom); });
}

void Outlook::Disconnect() {
    RefuseAfterQuit("disconnect the add-ins");
    auto leaving = std::exchange(connected_, {});
    former_.insert(former_.end(), leaving.begin(), leaving.end());
    for (auto& connection : leaving) {
        ol::CustomArray custom;
        CallAddIn(connection.progId, "OnDisconnection",
                  [&] { connection.addIn->OnDisconnection(ol::ext_dm_UserClosed, custom); });
    }
}

void Outlook::Quit() {
    RefuseAfterQuit("quit");
    quit_ = true;
    app_->RaiseQuit();
    auto leaving = std::exchange(connected_, {});
    former_.insert(former_.end(), leaving.begin(), leaving.end());
    for (auto& connection : leaving) {
        ol::CustomArray custom;
        CallAddIn(connection.progId, "OnBeginShutdown", [&] { connection.addIn->OnBeginShutdown(custom); });
    }
    for (auto& connection : leaving) {
        ol::CustomArray custom;
        CallAddIn(connection.progId, "OnDisconnection",
                  [&] { connection.addIn->OnDisconnection(ol::ext_dm_HostShutdown, custom); });
    }
}

void Outlook::RaiseQuitEvent() { app_->RaiseQuit(); }

void Outlook::BeginShutdown() {
    for (auto* list : {&connected_, &former_})
        for (auto& connection : *list) {
            ol::CustomArray custom;
            CallAddIn(connection.progId, "OnBeginShutdown", [&] { connection.addIn->OnBeginShutdown(custom); });
        }
}

void Outlook::DisconnectAgain() {
    auto leaving = std::exchange(connected_, {});
    former_.insert(former_.end(), leaving.begin(), leaving.end());
    for (auto& connection : former_) {
        ol::CustomArray custom;
        CallAddIn(connection.progId, "OnDisconnection",
                  [&] { connection.addIn->OnDisconnection(ol::ext_dm_HostShutdown, custom); });
    }
}

std::vector<std::string> Outlook::ConnectedAddIns() const {
    std::vector<std::string> names;
    for (const auto& connection : connected_) names.push_back(connection.progId);
    return names;
}

// ---- windows --------------------------------------------------------------------

void Outlook::RefuseAfterQuit(const char* step) const {
    if (quit_) throw OutlookStepRefused(std::string("cannot ") + step + ": Outlook has quit");
}

std::shared_ptr<SimInspector> Outlook::Front(const char* step) const {
    auto window = windows_->Active();
    if (!window) throw OutlookStepRefused(std::string("cannot ") + step + ": no Outlook window is open");
    return window;
}

std::shared_ptr<SimInspector> Outlook::OpenWindow(std::shared_ptr<ol::OutlookItem> item, int32_t editor,
                                                  std::shared_ptr<SimCommandBars> bars) {
    RefuseAfterQuit("open a window");
    return windows_->Open(std::move(item), editor, std::move(bars));
}

namespace {

// "Outlook User" -> "outlook.user@example.com": the address of the user's account.
mail::Address UserAddress(const std::string& name) {
    std::string local;
    for (char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) local += c;
        else if (c >= 'A' && c <= 'Z') local += char(c - 'A' + 'a');
        else if (!local.empty() && local.back() != '.') local += '.';
    }
    while (!local.empty() && local.back() == '.') local.pop_back();
    return {name, (local.empty() ? std::string("user") : local) + "@example.com"};
}

}  // namespace

std::shared_ptr<SimInspector> Outlook::OpenMail(const MailSetup& setup) {
    auto bars = MakeInspectorCommandBars();
    auto standard = bars->Bar("Standard")->Row();
    for (int32_t i = 0; i < setup.leftoverButtons; ++i)
        standard->Place(ol::msoControlButton, 0, "Quil&let", kAddinButtonTag, false);
    auto item = std::make_shared<SimMailItem>(setup, UserAddress(app_->User()), faults_, store_);
    return OpenWindow(std::move(item), setup.editor, std::move(bars));
}

std::shared_ptr<SimInspector> Outlook::OpenMailFile(const std::string& windowsPath) {
    RefuseAfterQuit("open a message file");
    auto host = machine::HostFile(windowsPath);
    if (!host) throw OutlookStepRefused("cannot open " + windowsPath + ": its drive is not mapped");
    if (!std::filesystem::is_regular_file(*host)) throw OutlookStepRefused("cannot open " + windowsPath + ": no such file");
    mail::Message message;
    try {
        std::ifstream in(*host, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        message = machine::ReadMessageFile(bytes, windowsPath);
    } catch (const mail::MailError& e) {
        throw OutlookStepRefused(std::string("cannot open the message: ") + e.what());
    }
    MailSetup setup{.subject = message.subject,
                    .sent = true,
                    .recipients = int32_t(message.recipients.size()),
                    .attachments = int32_t(message.attachments.size()),
                    .editor = message.html.empty() ? ol::olEditorText : ol::olEditorHTML,
                    .body = message.body,
                    .html = message.html};
    setup.content = std::move(message);
    return OpenMail(setup);
}

std::shared_ptr<SimInspector> Outlook::OpenAppointment() {
    return OpenWindow(std::make_shared<SimAppointmentItem>(), ol::olEditorRTF, MakeInspectorCommandBars());
}

std::shared_ptr<SimInspector> Outlook::OpenContact() {
    return OpenWindow(std::make_shared<SimContactItem>(), ol::olEditorRTF, MakeInspectorCommandBars());
}

void Outlook::ActivateWindow(int32_t number) {
    RefuseAfterQuit("activate a window");
    auto window = windows_->Window(number);
    if (!window) throw OutlookStepRefused("cannot activate window " + std::to_string(number) + ": it never opened");
    if (!window->IsOpen())
        throw OutlookStepRefused("cannot activate window " + std::to_string(number) + ": it has closed");
    windows_->Activate(window);
}

void Outlook::ClickButton() {
    RefuseAfterQuit("click the button");
    auto window = Front("click the button");
    auto button = std::dynamic_pointer_cast<SimCommandBarButton>(
        window->Bars()->FindControl(ol::msoControlButton, kAddinButtonTag));
    if (!button) throw OutlookStepRefused("cannot click the button: the window in front has none");
    if (!button->Visible()) throw OutlookStepRefused("cannot click the button: it is hidden");

    std::vector<std::shared_ptr<SimCommandBarButton>> reached{button};
    for (const auto& open : windows_->OpenWindows())
        for (const auto& control : open->Bars()->Tagged(button->tag))
            if (auto same = std::dynamic_pointer_cast<SimCommandBarButton>(control); same && same != button)
                reached.push_back(same);
    bool cancelDefault = false;
    for (const auto& target : reached)
        if (target == button || !target->deleted) target->RaiseClick(button, cancelDefault);
}

bool Outlook::CloseWindow() {
    RefuseAfterQuit("close a window");
    return windows_->Close(Front("close a window"), true);
}

void Outlook::FailNext(OutlookCall call, int32_t number, std::string description) {
    faults_->FailNext(call, number, std::move(description));
}

// ---- looking --------------------------------------------------------------------

std::shared_ptr<SimMailItem> Outlook::CurrentMail() const {
    auto window = windows_->LastMailWindow();
    if (!window) throw OutlookStepRefused("no mail window has opened");
    return window->Mail();
}

int32_t Outlook::AddinButtonCount() const {
    return int32_t(Front("count the add-in's buttons")->Bars()->Tagged(kAddinButtonTag).size());
}

std::string Outlook::AddinButtonCaption() const {
    for (const auto& control : Front("read the button's caption")->Bars()->Tagged(kAddinButtonTag))
        if (auto button = std::dynamic_pointer_cast<SimCommandBarButton>(control)) return button->Caption();
    throw OutlookStepRefused("cannot read the button's caption: the window in front has no button of the add-in");
}

}  // namespace sim
