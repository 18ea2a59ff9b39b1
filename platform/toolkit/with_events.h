// The subscription member of a form: assigning a form subscribes the owner's sink to
// all its events; assigning null (or another form) unsubscribes and releases it.
//
//     platform::toolkit::WithEvents<frmSetup, frmSetupEvents> frmSetupEvent{this};
//     frmSetupEvent = std::make_shared<frmSetup>();   // a new form for each opening
//     frmSetupEvent->Show(platform::toolkit::vbModal);
//     frmSetupEvent = nullptr;
//
// A form raises each event to every subscribed sink; a failure escaping a sink's
// handler stays at the form and never reaches the toolkit or the host.
#pragma once

#include "platform/com/events.h"

namespace platform::toolkit {

template <class Form, class Events>
using WithEvents = platform::com::WithEvents<Form, Events>;

template <class Events>
using EventSource = platform::com::EventSource<Events>;

}  // namespace platform::toolkit
