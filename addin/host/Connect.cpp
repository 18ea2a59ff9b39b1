#include "addin/host/Connect.h"

#include "addin/controller/clsQuillet.h"
#include "addin/host/modMain.h"
#include "platform/errors/frame.h"
#include "platform/toolkit/dialogs.h"
#include "util/interfaces/IclsOutlook.h"
#include "util/interfaces/clsUtil.h"

void* Connect::QueryInterface(const platform::com::Guid& iid) {
    if (iid == platform::com::IUnknown::IID || iid == IDTExtensibility2::IID)
        return static_cast<IDTExtensibility2*>(this);
    return nullptr;
}

// Hands Outlook's Application to the Outlook-side object, which from then on follows
// every new mail window. A failure is shown as its number and description.
void Connect::OnConnection(const std::shared_ptr<platform::outlook::Application>& application, int32_t,
                           const std::shared_ptr<platform::com::IUnknown>&, platform::outlook::CustomArray&) {
    platform::ErrorFrame([](const platform::ErrorInfo& failure) {
        platform::toolkit::MsgBox(std::to_string(failure.Number) + " " + failure.Description,
                                  platform::toolkit::vbOKOnly, kAppTitle);
    }).Run([&] {
        if (!gOutlook) platform::RaiseStandard(platform::err::ObjectNotSet);
        gOutlook->App(application);
    });
}

// Quit may have released these already; nothing else is released here.
void Connect::OnDisconnection(int32_t, platform::outlook::CustomArray&) {
    if (gController) gController = nullptr;
    if (gUtil) gUtil = nullptr;
}

void Connect::OnBeginShutdown(platform::outlook::CustomArray&) {
    if (!gOutlook) return;
    auto outlook = gOutlook;
    if (outlook->App()) outlook->App(nullptr);
    gOutlook = nullptr;
}
