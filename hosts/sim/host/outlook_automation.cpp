#include "hosts/sim/host/outlook_automation.h"

#include "platform/outlook/event_sets.h"

namespace sim {

namespace {

namespace sets = platform::outlook::event_sets;

std::string EventName(const platform::com::Guid& events, platform::com::abi::DISPID id) {
    struct Known {
        const platform::com::Guid& events;
        int32_t id;
        const char* name;
    };
    static const Known known[] = {
        {sets::kApplication, sets::kQuit, "Application.Quit"},
        {sets::kInspectors, sets::kNewInspector, "Inspectors.NewInspector"},
        {sets::kInspector, sets::kActivate, "Inspector.Activate"},
        {sets::kInspector, sets::kInspectorClose, "Inspector.Close"},
        {sets::kItem, sets::kItemClose, "MailItem.Close"},
        {sets::kItem, sets::kItemSend, "MailItem.Send"},
        {sets::kCommandBarButton, sets::kClick, "CommandBarButton.Click"},
    };
    for (const auto& event : known)
        if (event.events == events && event.id == id) return event.name;
    return events.ToString() + "." + std::to_string(id);
}

int32_t Lookup(const std::map<std::string, int32_t, std::less<>>& counts, std::string_view name) {
    auto found = counts.find(name);
    return found == counts.end() ? 0 : found->second;
}

}  // namespace

OutlookAutomation::OutlookAutomation() { platform::com::WatchDispatch(this); }

OutlookAutomation::~OutlookAutomation() { platform::com::WatchDispatch(nullptr); }

int32_t OutlookAutomation::Calls(std::string_view member) const { return Lookup(calls_, member); }

int32_t OutlookAutomation::Events(std::string_view event) const { return Lookup(events_, event); }

void OutlookAutomation::Called(std::string_view member, uint16_t) { ++calls_[std::string(member)]; }

void OutlookAutomation::Raised(const platform::com::Guid& events, platform::com::abi::DISPID id, size_t sinks) {
    events_[EventName(events, id)] += int32_t(sinks);
}

}  // namespace sim
