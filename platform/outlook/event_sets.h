// The event sets Outlook and Office publish for their objects (the dispatch interfaces
// a sink answers on a connection point), with the member ids of the events the
// add-in follows. These are the type libraries' own numbers: a sink written with them
// hears a real Outlook.
#pragma once

#include <cstdint>

#include "platform/com/unknown.h"

namespace platform::outlook::event_sets {

// Application: ApplicationEvents.
inline constexpr com::Guid kApplication = com::Guid::Parse("{0006304E-0000-0000-C000-000000000046}");
inline constexpr int32_t kQuit = 0xF007;

// Inspectors: InspectorsEvents.
inline constexpr com::Guid kInspectors = com::Guid::Parse("{00063079-0000-0000-C000-000000000046}");
inline constexpr int32_t kNewInspector = 0xF001;

// Inspector: InspectorEvents.
inline constexpr com::Guid kInspector = com::Guid::Parse("{0006307D-0000-0000-C000-000000000046}");
inline constexpr int32_t kActivate = 0xF001;
inline constexpr int32_t kInspectorClose = 0xF008;

// MailItem (and every other item): ItemEvents. Both take Cancel by reference.
inline constexpr com::Guid kItem = com::Guid::Parse("{0006303A-0000-0000-C000-000000000046}");
inline constexpr int32_t kItemClose = 0xF004;
inline constexpr int32_t kItemSend = 0xF005;

// Office's CommandBarButton: _CommandBarButtonEvents. Click(Ctrl, CancelDefault), the
// second by reference.
inline constexpr com::Guid kCommandBarButton = com::Guid::Parse("{000C0351-0000-0000-C000-000000000046}");
inline constexpr int32_t kClick = 1;

}  // namespace platform::outlook::event_sets
