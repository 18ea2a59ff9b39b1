// The add-in connection interface through which Office hosts load, connect and shut
// down an add-in (IDTExtensibility2): its published id and member order, and its way
// across the binary boundary between the host and the add-in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/bridge.h"
#include "platform/com/unknown.h"
#include "platform/outlook/outlook.h"
#include "platform/outlook/outlook_bridge.h"

namespace platform::outlook {

using CustomArray = std::vector<std::string>;

enum : int32_t { ext_cm_AfterStartup = 0, ext_cm_Startup = 1 };
enum : int32_t { ext_dm_HostShutdown = 0, ext_dm_UserClosed = 1 };

class IDTExtensibility2 : public com::IUnknown {
public:
    static constexpr com::Guid IID = com::Guid::Parse("{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}");

    virtual void OnConnection(const std::shared_ptr<Application>& application, int32_t connectMode,
                              const std::shared_ptr<com::IUnknown>& addInInst, CustomArray& custom) = 0;
    virtual void OnDisconnection(int32_t removeMode, CustomArray& custom) = 0;
    virtual void OnAddInsUpdate(CustomArray& custom) = 0;
    virtual void OnStartupComplete(CustomArray& custom) = 0;
    virtual void OnBeginShutdown(CustomArray& custom) = 0;
};

namespace extensibility {
using I = IDTExtensibility2;
using OnConnection = com::Method<I,
                                 void(const std::shared_ptr<Application>&, int32_t,
                                      const std::shared_ptr<com::IUnknown>&, CustomArray&),
                                 &I::OnConnection, "OnConnection">;
using OnDisconnection = com::Method<I, void(int32_t, CustomArray&), &I::OnDisconnection, "OnDisconnection">;
using OnAddInsUpdate = com::Method<I, void(CustomArray&), &I::OnAddInsUpdate, "OnAddInsUpdate">;
using OnStartupComplete = com::Method<I, void(CustomArray&), &I::OnStartupComplete, "OnStartupComplete">;
using OnBeginShutdown = com::Method<I, void(CustomArray&), &I::OnBeginShutdown, "OnBeginShutdown">;
using Table = com::Table<I, I::IID, OnConnection, OnDisconnection, OnAddInsUpdate, OnStartupComplete, OnBeginShutdown>;

// An add-in as its host sees it.
class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    void* QueryInterface(const com::Guid& iid) override {
        return iid == I::IID || iid == com::IUnknown::IID ? static_cast<I*>(this) : nullptr;
    }
    void OnConnection(const std::shared_ptr<Application>& application, int32_t connectMode,
                      const std::shared_ptr<com::IUnknown>& addInInst, CustomArray& custom) override {
        Call<extensibility::OnConnection>(application, connectMode, addInInst, custom);
    }
    void OnDisconnection(int32_t removeMode, CustomArray& custom) override {
        Call<extensibility::OnDisconnection>(removeMode, custom);
    }
    void OnAddInsUpdate(CustomArray& custom) override { Call<extensibility::OnAddInsUpdate>(custom); }
    void OnStartupComplete(CustomArray& custom) override { Call<extensibility::OnStartupComplete>(custom); }
    void OnBeginShutdown(CustomArray& custom) override { Call<extensibility::OnBeginShutdown>(custom); }
};
}  // namespace extensibility

}  // namespace platform::outlook

template <>
struct platform::com::Bridge<platform::outlook::IDTExtensibility2>
    : TableBridge<platform::outlook::IDTExtensibility2, platform::outlook::extensibility::Table,
                  platform::outlook::extensibility::Proxy> {};
