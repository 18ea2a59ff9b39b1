// IclsOutlook across the binary boundary: the member table in binding slot order and
// the stand-in another library (or a script) uses.
#pragma once

#include "platform/com/bridge.h"
#include "platform/outlook/outlook_bridge.h"
#include "util/interfaces/IclsOutlook.h"

namespace iclsoutlook {
namespace com = platform::com;
namespace ol = platform::outlook;
using I = IclsOutlook;
template <class T>
using Ref = std::shared_ptr<T>;

using App_put = com::PutRef<I, void(const Ref<ol::Application>&), &I::App, "App">;
using App_get = com::Get<I, Ref<ol::Application>(), &I::App, "App">;
using NameSpace_put = com::PutRef<I, void(const Ref<ol::NameSpace>&), &I::NameSpace, "NameSpace">;
using NameSpace_get = com::Get<I, Ref<ol::NameSpace>(), &I::NameSpace, "NameSpace">;
using MailFolder_put = com::PutRef<I, void(const Ref<ol::MAPIFolder>&), &I::MailFolder, "MailFolder">;
using MailFolder_get = com::Get<I, Ref<ol::MAPIFolder>(), &I::MailFolder, "MailFolder">;
using Inspectors_put = com::PutRef<I, void(const Ref<ol::Inspectors>&), &I::Inspectors, "Inspectors">;
using Inspectors_get = com::Get<I, Ref<ol::Inspectors>(), &I::Inspectors, "Inspectors">;
using Inspector_put = com::PutRef<I, void(const Ref<ol::Inspector>&), &I::Inspector, "Inspector">;
using Inspector_get = com::Get<I, Ref<ol::Inspector>(), &I::Inspector, "Inspector">;
using MailItem_put = com::PutRef<I, void(const Ref<ol::MailItem>&), &I::MailItem, "MailItem">;
using MailItem_get = com::Get<I, Ref<ol::MailItem>(), &I::MailItem, "MailItem">;
using ApptItem_put = com::PutRef<I, void(const Ref<ol::AppointmentItem>&), &I::ApptItem, "ApptItem">;
using ApptItem_get = com::Get<I, Ref<ol::AppointmentItem>(), &I::ApptItem, "ApptItem">;
using ContactItem_put = com::PutRef<I, void(const Ref<ol::ContactItem>&), &I::ContactItem, "ContactItem">;
using ContactItem_get = com::Get<I, Ref<ol::ContactItem>(), &I::ContactItem, "ContactItem">;
using Attachment_put = com::PutRef<I, void(const Ref<ol::Attachment>&), &I::Attachment, "Attachment">;
using Attachment_get = com::Get<I, Ref<ol::Attachment>(), &I::Attachment, "Attachment">;
using SaveType_put = com::Put<I, void(int32_t), &I::SaveType, "SaveType">;
using SaveType_get = com::Get<I, int32_t(), &I::SaveType, "SaveType">;

using Table = com::Table<I, I::IID, App_put, App_get, NameSpace_put, NameSpace_get, MailFolder_put, MailFolder_get,
                         Inspectors_put, Inspectors_get, Inspector_put, Inspector_get, MailItem_put, MailItem_get,
                         ApptItem_put, ApptItem_get, ContactItem_put, ContactItem_get, Attachment_put, Attachment_get,
                         SaveType_put, SaveType_get>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    void* QueryInterface(const com::Guid& iid) override {
        return iid == I::IID || iid == com::IUnknown::IID ? static_cast<I*>(this) : nullptr;
    }
    void App(const Ref<ol::Application>& value) override { Call<App_put>(value); }
    Ref<ol::Application> App() override { return Call<App_get>(); }
    void NameSpace(const Ref<ol::NameSpace>& value) override { Call<NameSpace_put>(value); }
    Ref<ol::NameSpace> NameSpace() override { return Call<NameSpace_get>(); }
    void MailFolder(const Ref<ol::MAPIFolder>& value) override { Call<MailFolder_put>(value); }
    Ref<ol::MAPIFolder> MailFolder() override { return Call<MailFolder_get>(); }
    void Inspectors(const Ref<ol::Inspectors>& value) override { Call<Inspectors_put>(value); }
    Ref<ol::Inspectors> Inspectors() override { return Call<Inspectors_get>(); }
    void Inspector(const Ref<ol::Inspector>& value) override { Call<Inspector_put>(value); }
    Ref<ol::Inspector> Inspector() override { return Call<Inspector_get>(); }
    void MailItem(const Ref<ol::MailItem>& value) override { Call<MailItem_put>(value); }
    Ref<ol::MailItem> MailItem() override { return Call<MailItem_get>(); }
    void ApptItem(const Ref<ol::AppointmentItem>& value) override { Call<ApptItem_put>(value); }
    Ref<ol::AppointmentItem> ApptItem() override { return Call<ApptItem_get>(); }
    void ContactItem(const Ref<ol::ContactItem>& value) override { Call<ContactItem_put>(value); }
    Ref<ol::ContactItem> ContactItem() override { return Call<ContactItem_get>(); }
    void Attachment(const Ref<ol::Attachment>& value) override { Call<Attachment_put>(value); }
    Ref<ol::Attachment> Attachment() override { return Call<Attachment_get>(); }
    void SaveType(int32_t value) override { Call<SaveType_put>(value); }
    int32_t SaveType() override { return Call<SaveType_get>(); }
};
}  // namespace iclsoutlook

template <>
struct platform::com::Bridge<IclsOutlook> : TableBridge<IclsOutlook, iclsoutlook::Table, iclsoutlook::Proxy> {};
