// clsUtil as an object: its interfaces and the frame of its guarded members.
#include "util/clsUtil/clsUtil.h"

void* clsUtil::QueryInterface(const platform::com::Guid& iid) {
    if (iid == platform::com::IUnknown::IID || iid == _clsUtil::IID) return static_cast<_clsUtil*>(this);
    return nullptr;
}

platform::ErrorFrame clsUtil::Guard(const char* procedure) {
    return platform::ErrorFrame([this, procedure](const platform::ErrorInfo& failure) {
        ErrHandler(failure, "clsUtil", procedure);
    });
}
