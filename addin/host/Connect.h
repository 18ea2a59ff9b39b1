// Connect: the add-in's connection class, through which Outlook loads, connects and
// shuts the add-in down. It holds no state of its own.
#pragma once

#include "platform/com/server.h"
#include "platform/outlook/addin_connection.h"

class Connect final : public platform::outlook::IDTExtensibility2 {
public:
    static constexpr platform::com::Guid CLSID = platform::com::Guid::Parse("{AAE619F5-1B17-4B8B-9168-33CCFC389532}");

    void* QueryInterface(const platform::com::Guid& iid) override;

    void OnConnection(const std::shared_ptr<platform::outlook::Application>& application, int32_t connectMode,
                      const std::shared_ptr<platform::com::IUnknown>& addInInst,
                      platform::outlook::CustomArray& custom) override;
    void OnDisconnection(int32_t removeMode, platform::outlook::CustomArray& custom) override;
    void OnAddInsUpdate(platform::outlook::CustomArray&) override {}
    void OnStartupComplete(platform::outlook::CustomArray&) override {}
    void OnBeginShutdown(platform::outlook::CustomArray& custom) override;

private:
    platform::com::ServerLock lock_;
};
