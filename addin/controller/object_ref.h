// Reaching an object the controller holds (a form, an Outlook object): using one
// that is not there fails as the host's runtime does on an object variable that is
// not set (91), never as a crash.
#pragma once

#include <memory>

#include "platform/errors/errors.h"

template <class T>
T& Use(const std::shared_ptr<T>& object) {
    if (!object) platform::RaiseStandard(platform::err::ObjectNotSet);
    return *object;
}
