#include "platform/outlook/outlook_clients.h"

#include <string>

#include "platform/com/dispatch_client.h"
#include "platform/com/event_connection.h"
#include "platform/com/marshal.h"
#include "platform/outlook/event_sets.h"

namespace platform::outlook::automation {

namespace abi = com::abi;
using com::DispatchName;

namespace {

// ---- values out of results

int32_t Long(const abi::Variant& value) { return abi::LongOf(*value.get()); }
bool Bool(const abi::Variant& value) { return abi::BoolOf(*value.get()); }
std::string Text(const abi::Variant& value) { return abi::TextOf(*value.get()); }

template <class X>
std::shared_ptr<X> ObjectOf(const abi::VARIANT& value) {
    abi::IDispatch* object = com::DispatchOf(value);
    if (!object) return nullptr;
    std::shared_ptr<X> standIn;
    try {
        standIn = StandInFor<X>(object);
    } catch (...) {
        object->Release();
        throw;
    }
    object->Release();
    return standIn;
}
template <class X>
std::shared_ptr<X> ObjectOf(const abi::Variant& value) {
    return ObjectOf<X>(*value.get());
}

// An optional number the C++ interface gives as 0 for "none": left out.
abi::Variant NumberOrMissing(int32_t value) { return value ? com::ArgumentOf(value) : com::MissingArgument(); }

// ---- the kinds of stand-in

// A stand-in for an object without events.
template <class Interface>
class PlainClient : public Interface, public com::DispatchClient {
public:
    explicit PlainClient(abi::IDispatch* object) : DispatchClient(object) {}
};

// A stand-in for an object with events: it connects to the object's connection point
// for the event set when the first sink advises here, and disconnects when the last
// one leaves.
template <class Interface>
class EventClient : public Interface, public com::DispatchClient, private com::EventReceiver {
public:
    EventClient(abi::IDispatch* object, const com::Guid& events) : DispatchClient(object), connection_(events, *this) {}

protected:
    // One event of the set (unknown ids are let pass).
    virtual void Heard(abi::DISPID id, abi::DISPPARAMS& params) = 0;

    // Raises an event whose argument at `index` is a Boolean by reference (Cancel):
    // every sink sees what the one before left, and the last word goes back.
    template <class Call>
    void RaiseWithFlag(abi::DISPPARAMS& params, uint32_t index, Call call) {
        abi::VARIANT& argument = com::EventArgument(params, index);
        com::Marshal<bool&>::Dispatched flag(argument);
        this->Raise([&](auto& sink) { call(sink, flag.Get()); });
        flag.Back(argument);
    }

private:
    void Listened(bool listened) override {
        if (listened) connection_.Connect(Object());
        else connection_.Disconnect();
    }
    void Event(abi::DISPID id, abi::DISPPARAMS& params) override {
        auto self = shared_from_this();  // the stand-in stays while its sinks run
        Heard(id, params);
    }

    com::EventConnection connection_;
};

// ---- the application and its windows

class ApplicationClient final : public EventClient<Application> {
public:
    explicit ApplicationClient(abi::IDispatch* object) : EventClient(object, event_sets::kApplication) {}

    std::string Version() override { return Text(Get(kVersion)); }
    std::shared_ptr<outlook::NameSpace> GetNamespace(const std::string& type) override {
        return ObjectOf<outlook::NameSpace>(Method(kGetNamespace, type));
    }
    std::shared_ptr<outlook::Inspectors> Inspectors() override {
        return ObjectOf<outlook::Inspectors>(Get(kInspectors));
    }
    std::shared_ptr<Inspector> ActiveInspector() override { return ObjectOf<Inspector>(Method(kActiveInspector)); }

private:
    void Heard(abi::DISPID id, abi::DISPPARAMS&) override {
        if (id == event_sets::kQuit) Raise([](ApplicationEvents& sink) { sink.Quit(); });
    }
    static inline DispatchName kVersion{"Version"}, kGetNamespace{"GetNamespace"}, kInspectors{"Inspectors"},
        kActiveInspector{"ActiveInspector"};
};

class NameSpaceClient final : public PlainClient<NameSpace> {
public:
    using PlainClient::PlainClient;
    std::shared_ptr<Recipient> CurrentUser() override { return ObjectOf<Recipient>(Get(kCurrentUser)); }

private:
    static inline DispatchName kCurrentUser{"CurrentUser"};
};

class RecipientClient final : public PlainClient<Recipient> {
public:
    using PlainClient::PlainClient;
    std::string Name() override { return Text(Get(kName)); }

private:
    static inline DispatchName kName{"Name"};
};

class InspectorsClient final : public EventClient<Inspectors> {
public:
    explicit InspectorsClient(abi::IDispatch* object) : EventClient(object, event_sets::kInspectors) {}
    int32_t Count() override { return Long(Get(kCount)); }

private:
    void Heard(abi::DISPID id, abi::DISPPARAMS& params) override {
        if (id != event_sets::kNewInspector) return;
        auto inspector = ObjectOf<Inspector>(com::EventArgument(params, 0));
        Raise([&](InspectorsEvents& sink) { sink.NewInspector(inspector); });
    }
    static inline DispatchName kCount{"Count"};
};

class InspectorClient final : public EventClient<Inspector> {
public:
    explicit InspectorClient(abi::IDispatch* object) : EventClient(object, event_sets::kInspector) {}

    std::shared_ptr<OutlookItem> CurrentItem() override { return ObjectOf<OutlookItem>(Get(kCurrentItem)); }
    std::shared_ptr<outlook::CommandBars> CommandBars() override {
        return ObjectOf<outlook::CommandBars>(Get(kCommandBars));
    }
    bool IsWordMail() override { return Bool(Method(kIsWordMail)); }
    int32_t EditorType() override { return Long(Get(kEditorType)); }

private:
    void Heard(abi::DISPID id, abi::DISPPARAMS&) override {
        if (id == event_sets::kActivate) Raise([](InspectorEvents& sink) { sink.Activate(); });
        if (id == event_sets::kInspectorClose) Raise([](InspectorEvents& sink) { sink.Close(); });
    }
    static inline DispatchName kCurrentItem{"CurrentItem"}, kCommandBars{"CommandBars"}, kIsWordMail{"IsWordMail"},
        kEditorType{"EditorType"};
};

// ---- items

// What every item answers.
template <class Base>
class ItemMembers : public Base {
public:
    using Base::Base;
    // An item's class never changes: asked once.
    int32_t Class() override {
        if (!class_) class_ = Long(this->Get(kClass));
        return class_;
    }
    void KnownClass(int32_t value) { class_ = value; }

private:
    static inline DispatchName kClass{"Class"};
    int32_t class_ = 0;
};

using ItemClient = ItemMembers<PlainClient<OutlookItem>>;
using AppointmentItemClient = ItemMembers<PlainClient<AppointmentItem>>;
using ContactItemClient = ItemMembers<PlainClient<ContactItem>>;

template <class Interface>
class CountClient final : public PlainClient<Interface> {
public:
    using PlainClient<Interface>::PlainClient;
    int32_t Count() override { return Long(this->Get(kCount)); }

private:
    static inline DispatchName kCount{"Count"};
};

class MailItemClient final : public ItemMembers<EventClient<MailItem>> {
public:
    explicit MailItemClient(abi::IDispatch* object) : ItemMembers(object, event_sets::kItem) {}

    bool Sent() override { return Bool(Get(kSent)); }
    std::string Subject() override { return Text(Get(kSubject)); }
    void Subject(const std::string& value) override { Put(kSubject, value); }
    std::string Body() override { return Text(Get(kBody)); }
    void Body(const std::string& value) override { Put(kBody, value); }
    std::string HTMLBody() override { return Text(Get(kHTMLBody)); }
    void HTMLBody(const std::string& value) override { Put(kHTMLBody, value); }
    std::shared_ptr<outlook::Attachments> Attachments() override {
        return ObjectOf<outlook::Attachments>(Get(kAttachments));
    }
    std::shared_ptr<outlook::Recipients> Recipients() override {
        return ObjectOf<outlook::Recipients>(Get(kRecipients));
    }
    void SaveAs(const std::string& path, int32_t type) override { Method(kSaveAs, path, type); }
    void Send() override { Method(kSend); }

private:
    void Heard(abi::DISPID id, abi::DISPPARAMS& params) override {
        if (id == event_sets::kItemClose)
            RaiseWithFlag(params, 0, [](MailItemEvents& sink, bool& cancel) { sink.Close(cancel); });
        if (id == event_sets::kItemSend)
            RaiseWithFlag(params, 0, [](MailItemEvents& sink, bool& cancel) { sink.Send(cancel); });
    }
    static inline DispatchName kSent{"Sent"}, kSubject{"Subject"}, kBody{"Body"}, kHTMLBody{"HTMLBody"},
        kAttachments{"Attachments"}, kRecipients{"Recipients"}, kSaveAs{"SaveAs"}, kSend{"Send"};
};

// ---- command bars

class CommandBarsClient final : public PlainClient<CommandBars> {
public:
    using PlainClient::PlainClient;
    // Office's FindControl(Type, Id, Tag, Visible, Recursive), found by type and Tag.
    std::shared_ptr<CommandBarControl> FindControl(int32_t type, const std::string& tag) override {
        return ObjectOf<CommandBarControl>(Method(kFindControl, type, com::MissingArgument(), tag));
    }
    std::shared_ptr<CommandBar> Item(const std::string& name) override { return ObjectOf<CommandBar>(Get(kItem, name)); }

private:
    static inline DispatchName kFindControl{"FindControl"}, kItem{"Item"};
};

class CommandBarClient final : public PlainClient<CommandBar> {
public:
    using PlainClient::PlainClient;
    std::string Name() override { return Text(Get(kName)); }
    bool Visible() override { return Bool(Get(kVisible)); }
    void Visible(bool value) override { Put(kVisible, value); }
    int32_t Protection() override { return Long(Get(kProtection)); }
    void Protection(int32_t value) override { Put(kProtection, value); }
    std::shared_ptr<CommandBarControls> Controls() override { return ObjectOf<CommandBarControls>(Get(kControls)); }

private:
    static inline DispatchName kName{"Name"}, kVisible{"Visible"}, kProtection{"Protection"}, kControls{"Controls"};
};

class CommandBarControlsClient final : public PlainClient<CommandBarControls> {
public:
    using PlainClient::PlainClient;
    int32_t Count() override { return Long(Get(kCount)); }
    std::shared_ptr<CommandBarControl> Item(int32_t index) override {
        return ObjectOf<CommandBarControl>(Get(kItem, index));
    }
    // Office's Add(Type, Id, Parameter, Before, Temporary): no Id is a custom control,
    // no Before appends.
    std::shared_ptr<CommandBarControl> Add(int32_t type, int32_t id, const std::string& parameter, int32_t before,
                                           bool temporary) override {
        return ObjectOf<CommandBarControl>(
            Method(kAdd, type, NumberOrMissing(id), parameter, NumberOrMissing(before), temporary));
    }

private:
    static inline DispatchName kCount{"Count"}, kItem{"Item"}, kAdd{"Add"};
};

// What every control answers.
template <class Base>
class ControlMembers : public Base {
public:
    using Base::Base;
    // A control's type never changes: asked once.
    int32_t Type() override {
        if (!type_) type_ = Long(this->Get(kType));
        return type_;
    }
    void KnownType(int32_t value) { type_ = value; }
    std::string Tag() override { return Text(this->Get(kTag)); }
    void Tag(const std::string& value) override { this->Put(kTag, value); }
    std::string Parameter() override { return Text(this->Get(kParameter)); }
    void Delete() override { this->Method(kDelete); }

private:
    static inline DispatchName kType{"Type"}, kTag{"Tag"}, kParameter{"Parameter"}, kDelete{"Delete"};
    int32_t type_ = 0;
};

using ControlClient = ControlMembers<PlainClient<CommandBarControl>>;

class ButtonClient final : public ControlMembers<EventClient<CommandBarButton>> {
public:
    explicit ButtonClient(abi::IDispatch* object) : ControlMembers(object, event_sets::kCommandBarButton) {}

    std::string Caption() override { return Text(Get(kCaption)); }
    void Caption(const std::string& value) override { Put(kCaption, value); }
    int32_t Style() override { return Long(Get(kStyle)); }
    void Style(int32_t value) override { Put(kStyle, value); }
    int32_t FaceId() override { return Long(Get(kFaceId)); }
    void FaceId(int32_t value) override { Put(kFaceId, value); }
    bool BeginGroup() override { return Bool(Get(kBeginGroup)); }
    void BeginGroup(bool value) override { Put(kBeginGroup, value); }
    std::string OnAction() override { return Text(Get(kOnAction)); }
    void OnAction(const std::string& value) override { Put(kOnAction, value); }
    bool Visible() override { return Bool(Get(kVisible)); }
    void Visible(bool value) override { Put(kVisible, value); }

private:
    // Click(Ctrl, CancelDefault)
    void Heard(abi::DISPID id, abi::DISPPARAMS& params) override {
        if (id != event_sets::kClick) return;
        auto ctrl = ObjectOf<CommandBarButton>(com::EventArgument(params, 0));
        RaiseWithFlag(params, 1,
                      [&](CommandBarButtonEvents& sink, bool& cancelDefault) { sink.Click(ctrl, cancelDefault); });
    }
    static inline DispatchName kCaption{"Caption"}, kStyle{"Style"}, kFaceId{"FaceId"}, kBeginGroup{"BeginGroup"},
        kOnAction{"OnAction"}, kVisible{"Visible"};
};

// ---- one stand-in per object

// The object's IDispatch, as a new reference.
abi::IDispatch* DispatchInterfaceOf(abi::IUnknown* object) {
    void* dispatch = nullptr;
    if (abi::Failed(object->QueryInterface(abi::IID_IDispatch, &dispatch)) || !dispatch)
        platform::Raise(13, "Type mismatch");
    return static_cast<abi::IDispatch*>(dispatch);
}

// A new stand-in for the object, the live one from now on.
template <class Client>
std::shared_ptr<Client> New(abi::IUnknown* object) {
    auto client = std::make_shared<Client>(DispatchInterfaceOf(object));
    com::DispatchClient::Remember(client);
    return client;
}

// The live stand-in for the object when it is an X, else a new Client.
template <class X, class Client>
std::shared_ptr<X> Find(abi::IUnknown* object) {
    if (!object) return nullptr;
    if (auto typed = std::dynamic_pointer_cast<X>(com::DispatchClient::Live(object))) return typed;
    return New<Client>(object);
}

// A new stand-in for an item or a control whose class or type was asked already.
template <class Client>
std::shared_ptr<Client> NewItem(abi::IUnknown* object, int32_t itemClass) {
    auto client = New<Client>(object);
    client->KnownClass(itemClass);
    return client;
}
template <class Client>
std::shared_ptr<Client> NewControl(abi::IUnknown* object, int32_t type) {
    auto client = New<Client>(object);
    client->KnownType(type);
    return client;
}

// A number property of an object that has no stand-in yet.
int32_t Ask(abi::IUnknown* object, DispatchName& name) {
    abi::IDispatch* dispatch = DispatchInterfaceOf(object);
    try {
        const int32_t value = Long(com::InvokeByName(dispatch, name, abi::dispatch::PropertyGet, nullptr, 0));
        dispatch->Release();
        return value;
    } catch (...) {
        dispatch->Release();
        throw;
    }
}

DispatchName kItemClass{"Class"};
DispatchName kControlType{"Type"};

}  // namespace

template <>
std::shared_ptr<Application> StandInFor<Application>(abi::IUnknown* object) {
    return Find<Application, ApplicationClient>(object);
}
template <>
std::shared_ptr<NameSpace> StandInFor<NameSpace>(abi::IUnknown* object) {
    return Find<NameSpace, NameSpaceClient>(object);
}
template <>
std::shared_ptr<Recipient> StandInFor<Recipient>(abi::IUnknown* object) {
    return Find<Recipient, RecipientClient>(object);
}
template <>
std::shared_ptr<MAPIFolder> StandInFor<MAPIFolder>(abi::IUnknown* object) {
    return Find<MAPIFolder, PlainClient<MAPIFolder>>(object);
}
template <>
std::shared_ptr<Inspectors> StandInFor<Inspectors>(abi::IUnknown* object) {
    return Find<Inspectors, InspectorsClient>(object);
}
template <>
std::shared_ptr<Inspector> StandInFor<Inspector>(abi::IUnknown* object) {
    return Find<Inspector, InspectorClient>(object);
}
template <>
std::shared_ptr<MailItem> StandInFor<MailItem>(abi::IUnknown* object) {
    return Find<MailItem, MailItemClient>(object);
}
template <>
std::shared_ptr<AppointmentItem> StandInFor<AppointmentItem>(abi::IUnknown* object) {
    return Find<AppointmentItem, AppointmentItemClient>(object);
}
template <>
std::shared_ptr<ContactItem> StandInFor<ContactItem>(abi::IUnknown* object) {
    return Find<ContactItem, ContactItemClient>(object);
}
// An item is what its Class says.
template <>
std::shared_ptr<OutlookItem> StandInFor<OutlookItem>(abi::IUnknown* object) {
    if (!object) return nullptr;
    if (auto typed = std::dynamic_pointer_cast<OutlookItem>(com::DispatchClient::Live(object))) return typed;
    const int32_t itemClass = Ask(object, kItemClass);
    switch (itemClass) {
        case olMail: return NewItem<MailItemClient>(object, itemClass);
        case olAppointment: return NewItem<AppointmentItemClient>(object, itemClass);
        case olContact: return NewItem<ContactItemClient>(object, itemClass);
        default: return NewItem<ItemClient>(object, itemClass);
    }
}
template <>
std::shared_ptr<Attachments> StandInFor<Attachments>(abi::IUnknown* object) {
    return Find<Attachments, CountClient<Attachments>>(object);
}
template <>
std::shared_ptr<Recipients> StandInFor<Recipients>(abi::IUnknown* object) {
    return Find<Recipients, CountClient<Recipients>>(object);
}
template <>
std::shared_ptr<Attachment> StandInFor<Attachment>(abi::IUnknown* object) {
    return Find<Attachment, PlainClient<Attachment>>(object);
}
template <>
std::shared_ptr<CommandBars> StandInFor<CommandBars>(abi::IUnknown* object) {
    return Find<CommandBars, CommandBarsClient>(object);
}
template <>
std::shared_ptr<CommandBar> StandInFor<CommandBar>(abi::IUnknown* object) {
    return Find<CommandBar, CommandBarClient>(object);
}
template <>
std::shared_ptr<CommandBarControls> StandInFor<CommandBarControls>(abi::IUnknown* object) {
    return Find<CommandBarControls, CommandBarControlsClient>(object);
}
template <>
std::shared_ptr<CommandBarButton> StandInFor<CommandBarButton>(abi::IUnknown* object) {
    return Find<CommandBarButton, ButtonClient>(object);
}
// A control is a button when its Type says so.
template <>
std::shared_ptr<CommandBarControl> StandInFor<CommandBarControl>(abi::IUnknown* object) {
    if (!object) return nullptr;
    if (auto typed = std::dynamic_pointer_cast<CommandBarControl>(com::DispatchClient::Live(object))) return typed;
    const int32_t type = Ask(object, kControlType);
    if (type == msoControlButton) return NewControl<ButtonClient>(object, type);
    return NewControl<ControlClient>(object, type);
}

}  // namespace platform::outlook::automation
