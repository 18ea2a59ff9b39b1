// The headless toolkit: nothing is drawn; everything shown is recorded, and the
// person (a test or a scenario) answers it.
#pragma once

#include <memory>
#include <vector>

#include "hosts/sim/host/person.h"
#include "platform/toolkit/backend.h"

namespace sim {

class HeadlessToolkit : public platform::toolkit::Backend {
public:
    explicit HeadlessToolkit(Person& person) : person_(&person) {}

    int32_t MsgBox(const DialogRequest& request) override;
    std::optional<std::string> InputBox(const DialogRequest& request) override;
    // The person's folder must exist (a real picker offers nothing else) and lie
    // under the root when there is one; it comes back without a trailing backslash
    // except at a drive root.
    std::optional<std::string> BrowseForFolder(const DialogRequest& request) override;

    // Everything shown, in order.
    const std::vector<DialogRequest>& Shown() const { return shown_; }

private:
    Person* person_;
    std::vector<DialogRequest> shown_;
};

}  // namespace sim
