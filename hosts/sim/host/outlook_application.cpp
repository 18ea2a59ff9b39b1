#include "hosts/sim/host/outlook_application.h"

#include <algorithm>

#include "hosts/sim/host/outlook_faults.h"

namespace sim {

std::shared_ptr<ol::NameSpace> SimApplication::GetNamespace(const std::string& type) {
    if (faults_) faults_->Check(OutlookCall::Namespace);
    auto upper = type;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    if (upper != "MAPI")
        platform::Raise(olerr::BadParameter,
                        "Could not complete the operation. One or more parameter values are not valid.",
                        "Microsoft Outlook");
    return mapi_;
}

void SimApplication::RaiseQuit() {
    Raise([](ol::ApplicationEvents& sink) { sink.Quit(); });
}

}  // namespace sim
