// The add-in connection interface through which Office hosts load, connect and shut
// down an add-in (IDTExtensibility2).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/unknown.h"
#include "platform/outlook/outlook.h"

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

}  // namespace platform::outlook
