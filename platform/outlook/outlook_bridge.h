// Outlook's objects across a binary boundary (between Outlook and an add-in, or
// between two libraries): they cross as IDispatch objects only, as Outlook's own
// objects do, with their events on connection points.
//
// - Export: a stand-in (outlook_clients.h) crosses as the object it stands for; any
//   other object is served (outlook_served.h): its members by name through IDispatch,
//   its events through a connection point with Outlook's published ids.
// - Import: an object this module serves comes back as itself; any other object
//   arrives as a stand-in calling it by name.
#pragma once

#include <memory>

#include "platform/com/abi.h"
#include "platform/com/bridge.h"
#include "platform/com/marshal.h"
#include "platform/outlook/outlook.h"
#include "platform/outlook/outlook_clients.h"

namespace platform::outlook::automation {

// outlook_served.h: a new reference to the server of the object; the object behind a
// server of this module, or null.
template <class X>
com::abi::IUnknown* Serve(const std::shared_ptr<X>& object);
template <class X>
std::shared_ptr<X> OwnServed(com::abi::IUnknown* pointer);

template <class X>
struct OutlookBridge {
    static com::abi::IUnknown* Export(const std::shared_ptr<X>& object) {
        if (!object) return nullptr;
        if (const auto* standIn = dynamic_cast<const com::ProxyBase*>(object.get())) {
            standIn->Pointer()->AddRef();
            return standIn->Pointer();
        }
        return Serve<X>(object);
    }
    static std::shared_ptr<X> Import(com::abi::IUnknown* pointer) {
        if (!pointer) return nullptr;
        if (auto own = OwnServed<X>(pointer)) return own;
        return StandInFor<X>(pointer);
    }
};

}  // namespace platform::outlook::automation

#define QUILLET_OUTLOOK_BRIDGE(X)                                                       \
    template <>                                                                         \
    struct platform::com::Bridge<platform::outlook::X>                                  \
        : platform::outlook::automation::OutlookBridge<platform::outlook::X> {}
QUILLET_OUTLOOK_BRIDGE(Application);
QUILLET_OUTLOOK_BRIDGE(NameSpace);
QUILLET_OUTLOOK_BRIDGE(Recipient);
QUILLET_OUTLOOK_BRIDGE(MAPIFolder);
QUILLET_OUTLOOK_BRIDGE(Inspectors);
QUILLET_OUTLOOK_BRIDGE(Inspector);
QUILLET_OUTLOOK_BRIDGE(OutlookItem);
QUILLET_OUTLOOK_BRIDGE(MailItem);
QUILLET_OUTLOOK_BRIDGE(AppointmentItem);
QUILLET_OUTLOOK_BRIDGE(ContactItem);
QUILLET_OUTLOOK_BRIDGE(Attachments);
QUILLET_OUTLOOK_BRIDGE(Recipients);
QUILLET_OUTLOOK_BRIDGE(Attachment);
QUILLET_OUTLOOK_BRIDGE(CommandBars);
QUILLET_OUTLOOK_BRIDGE(CommandBar);
QUILLET_OUTLOOK_BRIDGE(CommandBarControls);
QUILLET_OUTLOOK_BRIDGE(CommandBarControl);
QUILLET_OUTLOOK_BRIDGE(CommandBarButton);
#undef QUILLET_OUTLOOK_BRIDGE

// The serving side's templates, after the bridges they use.
#include "platform/outlook/outlook_served.h"
