// The simulated Outlook's Application object, with its "MAPI" name space and the
// current user.
#pragma once

#include "hosts/sim/host/outlook_faults.h"

#include <memory>
#include <string>

#include "hosts/sim/host/outlook_windows.h"
#include "platform/outlook/outlook.h"

namespace sim {

namespace ol = platform::outlook;

class SimRecipient final : public ol::Recipient {
public:
    explicit SimRecipient(std::string name) : name_(std::move(name)) {}
    std::string Name() override { return name_; }

private:
    std::string name_;
};

class SimNameSpace final : public ol::NameSpace {
public:
    std::shared_ptr<ol::Recipient> CurrentUser() override { return std::make_shared<SimRecipient>(user_); }
    void SetUser(std::string name) { user_ = std::move(name); }
    const std::string& User() const { return user_; }

private:
    std::string user_ = "Outlook User";
};

class SimApplication final : public ol::Application {
public:
    explicit SimApplication(std::shared_ptr<OutlookWindows> windows) : windows_(std::move(windows)) {}

    std::string Version() override { return version_; }
    // Only "MAPI" (in any case) names a name space; anything else fails.
    std::shared_ptr<ol::NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<ol::Inspectors> Inspectors() override { return windows_->Collection(); }
    std::shared_ptr<ol::Inspector> ActiveInspector() override { return windows_->Active(); }

    // "11" reads back as "11.0.0.0".
    void SetMajorVersion(int32_t major) { version_ = std::to_string(major) + ".0.0.0"; }
    void SetUser(std::string name) { mapi_->SetUser(std::move(name)); }
    // The current user's display name, read without the name space's armed failures.
    const std::string& User() const { return mapi_->User(); }
    void RaiseQuit();
    void UseFaults(std::shared_ptr<OutlookFaults> faults) { faults_ = std::move(faults); }

private:
    std::shared_ptr<OutlookWindows> windows_;
    std::shared_ptr<OutlookFaults> faults_;
    std::shared_ptr<SimNameSpace> mapi_ = std::make_shared<SimNameSpace>();
    std::string version_ = "11.0.0.0";
};

}  // namespace sim
