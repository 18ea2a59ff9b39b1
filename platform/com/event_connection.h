// Receiving an automation object's events through its connection point, as a
// script's WithEvents variable does: a sink (an IDispatch answering the event set's
// member ids) is advised on the object's connection point for the event set, and
// each event it gets is handed to a receiver.
#pragma once

#include <cstdint>

#include "platform/com/abi.h"

namespace platform::com {

class EventReceiver {
public:
    // One event: its member id and its arguments as IDispatch passes them (last
    // first); a by-reference argument written here goes back to the object.
    virtual void Event(abi::DISPID id, abi::DISPPARAMS& params) = 0;

protected:
    ~EventReceiver() = default;
};

class EventConnection {
public:
    // `events`: the id of the event set (the object's published dispatch interface).
    EventConnection(const Guid& events, EventReceiver& receiver);
    ~EventConnection() { Disconnect(); }
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

    // Advises a new sink on the object's connection point. Raises 459 "Object or class
    // does not support the set of events" when the object offers none for the set.
    void Connect(abi::IUnknown* object);
    // Unadvises; from now on no event reaches the receiver, even one already on its way.
    void Disconnect() noexcept;
    bool Connected() const { return point_ != nullptr; }

private:
    class Sink;
    Guid events_;
    EventReceiver* receiver_;
    Sink* sink_ = nullptr;
    abi::IConnectionPoint* point_ = nullptr;
    uint32_t cookie_ = 0;
};

// The argument at a place in declaration order; 449 "Argument not optional" when the
// event brought fewer.
abi::VARIANT& EventArgument(abi::DISPPARAMS& params, uint32_t index);

}  // namespace platform::com
