// clsQLOutlook: the Outlook-side object. It holds the Outlook objects the add-in
// works on, follows Outlook's events, and puts the add-in's button on every mail
// window (handing each new button to the controller, which dresses it).
#pragma once

#include "platform/com/events.h"
#include "platform/com/server.h"
#include "platform/outlook/outlook.h"
#include "util/interfaces/IclsOutlook.h"

class clsQLOutlook final : public IclsOutlook,
                           private platform::outlook::ApplicationEvents,
                           private platform::outlook::InspectorsEvents,
                           private platform::outlook::InspectorEvents,
                           private platform::outlook::MailItemEvents {
public:
    static constexpr platform::com::Guid CLSID = platform::com::Guid::Parse("{4AAAE779-8750-4398-9A10-052409EEB246}");
    static constexpr const char* kButtonTag = "Plexar Quillet Button";

    clsQLOutlook();
    ~clsQLOutlook() override;

    void* QueryInterface(const platform::com::Guid& iid) override;

    void App(const Ref<Application>& value) override;
    Ref<Application> App() override { return m_olApp.get(); }
    void NameSpace(const Ref<platform::outlook::NameSpace>& value) override { m_olNameSpace = value; }
    Ref<platform::outlook::NameSpace> NameSpace() override { return m_olNameSpace; }
    void MailFolder(const Ref<platform::outlook::MAPIFolder>&) override {}
    Ref<platform::outlook::MAPIFolder> MailFolder() override { return nullptr; }
    void Inspectors(const Ref<platform::outlook::Inspectors>& value) override;
    Ref<platform::outlook::Inspectors> Inspectors() override { return m_olInspectors.get(); }
    void Inspector(const Ref<platform::outlook::Inspector>& value) override { m_olInspector = value; }
    Ref<platform::outlook::Inspector> Inspector() override { return m_olInspector.get(); }
    void MailItem(const Ref<platform::outlook::MailItem>& value) override { m_olMail = value; }
    Ref<platform::outlook::MailItem> MailItem() override { return m_olMail.get(); }
    void ApptItem(const Ref<platform::outlook::AppointmentItem>&) override {}
    Ref<platform::outlook::AppointmentItem> ApptItem() override { return nullptr; }
    void ContactItem(const Ref<platform::outlook::ContactItem>&) override {}
    Ref<platform::outlook::ContactItem> ContactItem() override { return nullptr; }
    void Attachment(const Ref<platform::outlook::Attachment>&) override {}
    Ref<platform::outlook::Attachment> Attachment() override { return nullptr; }
    void SaveType(int32_t value) override { SaveType_ = value; }
    int32_t SaveType() override { return SaveType_; }

private:
    // Outlook's events.
    void Quit() override;                                                          // m_olApp_Quit
    void NewInspector(const Ref<platform::outlook::Inspector>& inspector) override;  // m_olInspectors_NewInspector
    void Activate() override {}                                                    // m_olInspector_Activate
    void Close() override;                                                         // m_olInspector_Close
    void Close(bool& cancel) override;                                             // m_olMail_Close
    void Send(bool&) override {}                                                   // m_olMail_Send

    // Deletes every button of the add-in from the window's command bars.
    static void RemoveButtons(platform::outlook::CommandBars& bars);

    platform::com::WithEvents<Application, platform::outlook::ApplicationEvents> m_olApp{this};
    Ref<platform::outlook::NameSpace> m_olNameSpace;
    platform::com::WithEvents<platform::outlook::Inspectors, platform::outlook::InspectorsEvents> m_olInspectors{this};
    platform::com::WithEvents<platform::outlook::Inspector, platform::outlook::InspectorEvents> m_olInspector{this};
    platform::com::WithEvents<platform::outlook::MailItem, platform::outlook::MailItemEvents> m_olMail{this};
    int32_t SaveType_ = 0;
    platform::com::ServerLock lock_;
};
