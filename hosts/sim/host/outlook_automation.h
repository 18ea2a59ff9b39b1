// What crossed the simulated Outlook's automation interfaces: every member an add-in
// called through IDispatch (by name, gets, puts and methods alike) and every event
// that went out through a connection point (by its object and name, counted once for
// each sink it reached). An add-in reaches the simulated Outlook through these alone.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/com/dispatch_server.h"

namespace sim {

class OutlookAutomation final : public platform::com::DispatchWatch {
public:
    OutlookAutomation();
    ~OutlookAutomation();
    OutlookAutomation(const OutlookAutomation&) = delete;
    OutlookAutomation& operator=(const OutlookAutomation&) = delete;

    // Calls of the member ("Subject", "FindControl").
    int32_t Calls(std::string_view member) const;
    // Sinks reached by the event ("Inspectors.NewInspector", "CommandBarButton.Click").
    int32_t Events(std::string_view event) const;

    void Called(std::string_view member, uint16_t kind) override;
    void Raised(const platform::com::Guid& events, platform::com::abi::DISPID id, size_t sinks) override;

private:
    std::map<std::string, int32_t, std::less<>> calls_;
    std::map<std::string, int32_t, std::less<>> events_;
};

}  // namespace sim
