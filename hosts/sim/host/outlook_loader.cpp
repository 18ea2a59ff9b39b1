// Outlook's start: the add-in list in the registry, each add-in created by its ProgID.
// Kept apart from the rest of the model, which never loads a library.
#include "hosts/sim/host/outlook_model.h"
#include "platform/com/class_factory.h"
#include "platform/outlook/addin_connection.h"
#include "platform/errors/frame.h"
#include "platform/registry/registry.h"

namespace sim {

void Outlook::Start() {
    RefuseAfterQuit("start");
    if (started_) throw OutlookStepRefused("cannot start: Outlook is running already");
    started_ = true;
    store_->Create();
    using platform::registry::Hive;
    for (const auto& progId : platform::registry::SubKeys(Hive::CurrentUser, kAddinsKey)) {
        auto behaviour =
            platform::registry::QueryValue(Hive::CurrentUser, std::string(kAddinsKey) + "\\" + progId, "LoadBehavior");
        if (!behaviour || behaviour->kind != platform::registry::Value::Kind::Dword || behaviour->dword != 3)
            continue;
        std::shared_ptr<ol::IDTExtensibility2> addIn;
        CallAddIn(progId, "load", [&] {
            addIn = platform::com::Adopt<ol::IDTExtensibility2>(platform::com::CreateInstance(progId));
        });
        if (addIn) Connect(addIn, progId);
    }
}

}  // namespace sim
