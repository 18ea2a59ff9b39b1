// IclsOutlook: the interface through which the add-in reaches the current Outlook
// objects. Members in binding slot order; each object property has its write (a
// "set", by reference) before its read; SaveType is written by value.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/com/unknown.h"
#include "platform/outlook/outlook.h"

class IclsOutlook : public platform::com::IUnknown {
public:
    static constexpr platform::com::Guid IID = platform::com::Guid::Parse("{7F691F86-2E09-4D42-B31F-CFE7E0048265}");
    template <class T>
    using Ref = std::shared_ptr<T>;
    using Application = platform::outlook::Application;

    virtual void App(const Ref<Application>& value) = 0;
    virtual Ref<Application> App() = 0;
    virtual void NameSpace(const Ref<platform::outlook::NameSpace>& value) = 0;
    virtual Ref<platform::outlook::NameSpace> NameSpace() = 0;
    virtual void MailFolder(const Ref<platform::outlook::MAPIFolder>& value) = 0;
    virtual Ref<platform::outlook::MAPIFolder> MailFolder() = 0;
    virtual void Inspectors(const Ref<platform::outlook::Inspectors>& value) = 0;
    virtual Ref<platform::outlook::Inspectors> Inspectors() = 0;
    virtual void Inspector(const Ref<platform::outlook::Inspector>& value) = 0;
    virtual Ref<platform::outlook::Inspector> Inspector() = 0;
    virtual void MailItem(const Ref<platform::outlook::MailItem>& value) = 0;
    virtual Ref<platform::outlook::MailItem> MailItem() = 0;
    virtual void ApptItem(const Ref<platform::outlook::AppointmentItem>& value) = 0;
    virtual Ref<platform::outlook::AppointmentItem> ApptItem() = 0;
    virtual void ContactItem(const Ref<platform::outlook::ContactItem>& value) = 0;
    virtual Ref<platform::outlook::ContactItem> ContactItem() = 0;
    virtual void Attachment(const Ref<platform::outlook::Attachment>& value) = 0;
    virtual Ref<platform::outlook::Attachment> Attachment() = 0;
    virtual void SaveType(int32_t value) = 0;
    virtual int32_t SaveType() = 0;
};
