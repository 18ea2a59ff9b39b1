#include "hosts/sim/host/outlook_faults.h"

#include <utility>

namespace sim {

void RaiseMethodFailed(std::string_view method, std::string_view object) {
    platform::Raise(olerr::Failed,
                    "Method '" + std::string(method) + "' of object '" + std::string(object) + "' failed");
}

void RaiseInvalidArgument() { platform::Raise(olerr::InvalidArgument, "Invalid procedure call or argument"); }

void OutlookFaults::FailNext(OutlookCall call, int32_t number, std::string description) {
    if (description.empty()) description = platform::StandardDescription(number);
    armed_.insert_or_assign(call, platform::ErrorInfo(number, std::move(description), "Microsoft Outlook"));
}

void OutlookFaults::Check(OutlookCall call) {
    auto armed = armed_.find(call);
    if (armed == armed_.end()) return;
    platform::ErrorInfo failure = std::move(armed->second);
    armed_.erase(armed);
    throw failure;
}

}  // namespace sim
