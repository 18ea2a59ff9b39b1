#include "addin/host/clsQLOutlook.h"

#include "addin/controller/clsQuillet.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"

namespace outlook = platform::outlook;

clsQLOutlook::clsQLOutlook() = default;

// Releases, each only if held and in this order: the mail item, the window, the
// window collection, the name space and the application.
clsQLOutlook::~clsQLOutlook() {
    if (m_olMail) m_olMail = nullptr;
    if (m_olInspector) m_olInspector = nullptr;
    if (m_olInspectors) m_olInspectors = nullptr;
    if (m_olNameSpace) m_olNameSpace = nullptr;
    if (m_olApp) m_olApp = nullptr;
}

void* clsQLOutlook::QueryInterface(const platform::com::Guid& iid) {
    if (iid == platform::com::IUnknown::IID || iid == IclsOutlook::IID) return static_cast<IclsOutlook*>(this);
    return nullptr;
}

// Holding the application follows its windows; null drops the application only.
void clsQLOutlook::App(const Ref<Application>& value) {
    m_olApp = value;
    if (value) {
        NameSpace(value->GetNamespace("MAPI"));
        Inspectors(value->Inspectors());
    }
}

// The application's own window collection is held, whatever is passed.
void clsQLOutlook::Inspectors(const Ref<platform::outlook::Inspectors>&) {
    m_olInspectors = m_olApp ? m_olApp->Inspectors() : nullptr;
}

void clsQLOutlook::RemoveButtons(outlook::CommandBars& bars) {
    while (auto button = bars.FindControl(outlook::msoControlButton, kButtonTag)) button->Delete();
}

void clsQLOutlook::NewInspector(const Ref<outlook::Inspector>& inspector) {
    // Once the add-in was unloaded while Outlook runs on, the controller is gone:
    // windows opened from then on get no button.
    if (!gController) return;
    auto self = gOutlook;  // this object may be released while it works
    Inspector(inspector);
    auto item = Inspector()->CurrentItem();
    if (!item || item->Class() != outlook::olMail) return;
    auto mail = std::dynamic_pointer_cast<outlook::MailItem>(item);
    gController->MailSent(mail && mail->Sent());
    SaveType(outlook::olMSG);

    auto bars = Inspector()->CommandBars();
    RemoveButtons(*bars);
    bool wordMail = Inspector()->IsWordMail();
    int32_t windows = m_olInspectors ? m_olInspectors->Count() : 0;
    auto standard = bars->Item("Standard");
    auto control = standard->Controls()->Add(outlook::msoControlButton, 0, std::to_string(windows - 1), 4, true);
    gController->SetupMenuButton(std::dynamic_pointer_cast<outlook::CommandBarButton>(control));
    if (wordMail) {
        standard->Visible(true);
        standard->Protection(outlook::msoBarNoChangeVisible);
    }
}

void clsQLOutlook::Close() {
    auto self = gOutlook;
    auto inspector = Inspector();
    if (!inspector) return;
    auto bars = inspector->CommandBars();
    RemoveButtons(*bars);
    if (inspector->IsWordMail()) {
        auto standard = bars->Item("Standard");
        standard->Visible(true);
        standard->Protection(outlook::msoBarNoProtection);
    }
    Inspector(nullptr);
}

void clsQLOutlook::Close(bool&) {
    MailItem(nullptr);
    Inspector(nullptr);
}

// Outlook closes: the controller goes now; on Outlook 2000 and 2003 this object goes
// too, on the other versions the shutdown call releases it later.
void clsQLOutlook::Quit() {
    auto self = gOutlook;
    if (gController) gController = nullptr;
    double version = m_olApp ? platform::text::Val(m_olApp->Version()) : 0;
    if (version == 9 || version == 11) {
        if (gOutlook) gOutlook->App(nullptr);
        gOutlook = nullptr;
    }
}
