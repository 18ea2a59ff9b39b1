// Outlook's objects as a client sees them when they live in Outlook: stand-ins that
// implement this folder's C++ interfaces by calling the object's IDispatch by name
// (late binding, so any Outlook version answers) and that hear its events through its
// connection points while anybody listens. The same object is the same stand-in
// while it lives; what a stand-in returns, and what its events bring, are stand-ins.
#pragma once

#include <memory>

#include "platform/com/abi.h"
#include "platform/outlook/outlook.h"

namespace platform::outlook::automation {

// The stand-in for the object (the pointer is borrowed); null for null. An item is a
// MailItem when its Class is 43, a command-bar control a CommandBarButton when its
// Type is 1. 13 "Type mismatch" for an object without IDispatch.
template <class X>
std::shared_ptr<X> StandInFor(com::abi::IUnknown* object);

template <>
std::shared_ptr<Application> StandInFor<Application>(com::abi::IUnknown* object);
template <>
std::shared_ptr<NameSpace> StandInFor<NameSpace>(com::abi::IUnknown* object);
template <>
std::shared_ptr<Recipient> StandInFor<Recipient>(com::abi::IUnknown* object);
template <>
std::shared_ptr<MAPIFolder> StandInFor<MAPIFolder>(com::abi::IUnknown* object);
template <>
std::shared_ptr<Inspectors> StandInFor<Inspectors>(com::abi::IUnknown* object);
template <>
std::shared_ptr<Inspector> StandInFor<Inspector>(com::abi::IUnknown* object);
template <>
std::shared_ptr<OutlookItem> StandInFor<OutlookItem>(com::abi::IUnknown* object);
template <>
std::shared_ptr<MailItem> StandInFor<MailItem>(com::abi::IUnknown* object);
template <>
std::shared_ptr<AppointmentItem> StandInFor<AppointmentItem>(com::abi::IUnknown* object);
template <>
std::shared_ptr<ContactItem> StandInFor<ContactItem>(com::abi::IUnknown* object);
template <>
std::shared_ptr<Attachments> StandInFor<Attachments>(com::abi::IUnknown* object);
template <>
std::shared_ptr<Recipients> StandInFor<Recipients>(com::abi::IUnknown* object);
template <>
std::shared_ptr<Attachment> StandInFor<Attachment>(com::abi::IUnknown* object);
template <>
std::shared_ptr<CommandBars> StandInFor<CommandBars>(com::abi::IUnknown* object);
template <>
std::shared_ptr<CommandBar> StandInFor<CommandBar>(com::abi::IUnknown* object);
template <>
std::shared_ptr<CommandBarControls> StandInFor<CommandBarControls>(com::abi::IUnknown* object);
template <>
std::shared_ptr<CommandBarControl> StandInFor<CommandBarControl>(com::abi::IUnknown* object);
template <>
std::shared_ptr<CommandBarButton> StandInFor<CommandBarButton>(com::abi::IUnknown* object);

}  // namespace platform::outlook::automation
