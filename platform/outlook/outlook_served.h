// Serving a host's Outlook objects (this folder's C++ interfaces) to automation
// clients, as Outlook serves its own: IDispatch with Outlook's and Office's member
// names, and for the objects with events a connection point for Outlook's published
// event set. Included by outlook_bridge.h; instantiated in each module that serves,
// so that each module knows its own objects when they come back.
//
// Member ids are this server's own: they count from 1 in table order, a property's
// get and put sharing one. The tables of the kinds of item begin alike (Class), and so
// do those of the kinds of control (Type, Tag, Parameter, Delete), so a name has one
// id on every item and every control, as in Outlook's type library.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <typeinfo>

#include "platform/com/dispatch_server.h"
#include "platform/outlook/event_sets.h"
#include "platform/outlook/outlook.h"
#include "platform/outlook/outlook_bridge.h"

namespace platform::outlook::automation {

namespace served {

using com::DispatchCall;
using com::DispatchMember;
inline constexpr uint16_t kMethod = com::abi::dispatch::Method;
inline constexpr uint16_t kGet = com::abi::dispatch::PropertyGet;
inline constexpr uint16_t kPut = com::abi::dispatch::PropertyPut;

// ---- the members

inline constexpr DispatchMember kApplication[] = {
    {"Version", kGet, &DispatchCall<+[](Application& o) { return o.Version(); }>},
    {"GetNamespace", kMethod,
     &DispatchCall<+[](Application& o, const std::string& type) { return o.GetNamespace(type); }>},
    {"Inspectors", kGet, &DispatchCall<+[](Application& o) { return o.Inspectors(); }>},
    {"ActiveInspector", kMethod, &DispatchCall<+[](Application& o) { return o.ActiveInspector(); }>},
};

inline constexpr DispatchMember kNameSpace[] = {
    {"CurrentUser", kGet, &DispatchCall<+[](NameSpace& o) { return o.CurrentUser(); }>},
};

inline constexpr DispatchMember kRecipient[] = {
    {"Name", kGet, &DispatchCall<+[](Recipient& o) { return o.Name(); }>},
};

inline constexpr DispatchMember kInspectors[] = {
    {"Count", kGet, &DispatchCall<+[](Inspectors& o) { return o.Count(); }>},
};

inline constexpr DispatchMember kInspector[] = {
    {"CurrentItem", kGet, &DispatchCall<+[](Inspector& o) { return o.CurrentItem(); }>},
    {"CommandBars", kGet, &DispatchCall<+[](Inspector& o) { return o.CommandBars(); }>},
    {"IsWordMail", kMethod, &DispatchCall<+[](Inspector& o) { return o.IsWordMail(); }>},
    {"EditorType", kGet, &DispatchCall<+[](Inspector& o) { return o.EditorType(); }>},
};

inline constexpr DispatchMember kItem[] = {
    {"Class", kGet, &DispatchCall<+[](OutlookItem& o) { return o.Class(); }>},
};

inline constexpr DispatchMember kMailItem[] = {
    {"Class", kGet, &DispatchCall<+[](MailItem& o) { return o.Class(); }>},
    {"Sent", kGet, &DispatchCall<+[](MailItem& o) { return o.Sent(); }>},
    {"Subject", kGet, &DispatchCall<+[](MailItem& o) { return o.Subject(); }>},
    {"Subject", kPut, &DispatchCall<+[](MailItem& o, const std::string& value) { o.Subject(value); }>},
    {"Body", kGet, &DispatchCall<+[](MailItem& o) { return o.Body(); }>},
    {"Body", kPut, &DispatchCall<+[](MailItem& o, const std::string& value) { o.Body(value); }>},
    {"HTMLBody", kGet, &DispatchCall<+[](MailItem& o) { return o.HTMLBody(); }>},
    {"HTMLBody", kPut, &DispatchCall<+[](MailItem& o, const std::string& value) { o.HTMLBody(value); }>},
    {"Attachments", kGet, &DispatchCall<+[](MailItem& o) { return o.Attachments(); }>},
    {"Recipients", kGet, &DispatchCall<+[](MailItem& o) { return o.Recipients(); }>},
    // SaveAs(Path, [Type]): a mail item is written as a message file when no type is given.
    {"SaveAs", kMethod, &DispatchCall<+[](MailItem& o, const std::string& path, std::optional<int32_t> type) {
         o.SaveAs(path, type.value_or(olMSG));
     }>},
    {"Send", kMethod, &DispatchCall<+[](MailItem& o) { o.Send(); }>},
};

inline constexpr DispatchMember kAttachments[] = {
    {"Count", kGet, &DispatchCall<+[](Attachments& o) { return o.Count(); }>},
};

inline constexpr DispatchMember kRecipients[] = {
    {"Count", kGet, &DispatchCall<+[](Recipients& o) { return o.Count(); }>},
};

inline constexpr DispatchMember kCommandBars[] = {
    // FindControl(Type, [Id], Tag, [Visible], [Recursive]): found by type and Tag.
    {"FindControl", kMethod,
     &DispatchCall<+[](CommandBars& o, int32_t type, std::optional<int32_t> id, const std::string& tag,
                       std::optional<bool>, std::optional<bool>) {
         if (id.value_or(0) != 0) Raise(5, "Invalid procedure call or argument");
         return o.FindControl(type, tag);
     }>},
    {"Item", kGet, &DispatchCall<+[](CommandBars& o, const std::string& name) { return o.Item(name); }>},
};

inline constexpr DispatchMember kCommandBar[] = {
    {"Name", kGet, &DispatchCall<+[](CommandBar& o) { return o.Name(); }>},
    {"Visible", kGet, &DispatchCall<+[](CommandBar& o) { return o.Visible(); }>},
    {"Visible", kPut, &DispatchCall<+[](CommandBar& o, bool value) { o.Visible(value); }>},
    {"Protection", kGet, &DispatchCall<+[](CommandBar& o) { return o.Protection(); }>},
    {"Protection", kPut, &DispatchCall<+[](CommandBar& o, int32_t value) { o.Protection(value); }>},
    {"Controls", kGet, &DispatchCall<+[](CommandBar& o) { return o.Controls(); }>},
};

inline constexpr DispatchMember kCommandBarControls[] = {
    {"Count", kGet, &DispatchCall<+[](CommandBarControls& o) { return o.Count(); }>},
    {"Item", kGet, &DispatchCall<+[](CommandBarControls& o, int32_t index) { return o.Item(index); }>},
    // Add([Type], [Id], [Parameter], [Before], [Temporary]): a button of no built-in
    // control, appended and kept, unless told otherwise.
    {"Add", kMethod,
     &DispatchCall<+[](CommandBarControls& o, std::optional<int32_t> type, std::optional<int32_t> id,
                       std::optional<std::string> parameter, std::optional<int32_t> before,
                       std::optional<bool> temporary) {
         return o.Add(type.value_or(msoControlButton), id.value_or(0), parameter.value_or(std::string()),
                      before.value_or(0), temporary.value_or(false));
     }>},
};

// The members every control answers, on a control of the type T.
template <class T>
inline constexpr DispatchMember kControlOf[] = {
    {"Type", kGet, &DispatchCall<+[](T& o) { return o.Type(); }>},
    {"Tag", kGet, &DispatchCall<+[](T& o) { return o.Tag(); }>},
    {"Tag", kPut, &DispatchCall<+[](T& o, const std::string& value) { o.Tag(value); }>},
    {"Parameter", kGet, &DispatchCall<+[](T& o) { return o.Parameter(); }>},
    // Delete([Temporary])
    {"Delete", kMethod, &DispatchCall<+[](T& o, std::optional<bool>) { o.Delete(); }>},
};
inline constexpr size_t kControlMembers = std::size(kControlOf<CommandBarControl>);

inline constexpr DispatchMember kCommandBarButton[] = {
    kControlOf<CommandBarButton>[0],
    kControlOf<CommandBarButton>[1],
    kControlOf<CommandBarButton>[2],
    kControlOf<CommandBarButton>[3],
    kControlOf<CommandBarButton>[4],
    {"Caption", kGet, &DispatchCall<+[](CommandBarButton& o) { return o.Caption(); }>},
    {"Caption", kPut, &DispatchCall<+[](CommandBarButton& o, const std::string& value) { o.Caption(value); }>},
    {"Style", kGet, &DispatchCall<+[](CommandBarButton& o) { return o.Style(); }>},
    {"Style", kPut, &DispatchCall<+[](CommandBarButton& o, int32_t value) { o.Style(value); }>},
    {"FaceId", kGet, &DispatchCall<+[](CommandBarButton& o) { return o.FaceId(); }>},
    {"FaceId", kPut, &DispatchCall<+[](CommandBarButton& o, int32_t value) { o.FaceId(value); }>},
    {"BeginGroup", kGet, &DispatchCall<+[](CommandBarButton& o) { return o.BeginGroup(); }>},
    {"BeginGroup", kPut, &DispatchCall<+[](CommandBarButton& o, bool value) { o.BeginGroup(value); }>},
    {"OnAction", kGet, &DispatchCall<+[](CommandBarButton& o) { return o.OnAction(); }>},
    {"OnAction", kPut, &DispatchCall<+[](CommandBarButton& o, const std::string& value) { o.OnAction(value); }>},
    {"Visible", kGet, &DispatchCall<+[](CommandBarButton& o) { return o.Visible(); }>},
    {"Visible", kPut, &DispatchCall<+[](CommandBarButton& o, bool value) { o.Visible(value); }>},
};
static_assert(kControlMembers == 5, "a button begins with every member of a control");

// ---- the served objects

template <class T>
class Served : public com::DispatchServer {
public:
    using Target = T;
    const std::shared_ptr<T>& Object() const { return object_; }

protected:
    Served(std::shared_ptr<T> object, const std::type_info& kind, std::span<const DispatchMember> members,
           const com::Guid* events = nullptr)
        : DispatchServer(com::ModuleServedIid(), object.get(), kind, members, events), object_(std::move(object)) {}

    std::shared_ptr<T> object_;
};

// An object without events.
template <class T, const auto& kMembers>
class ServedPlain final : public Served<T> {
public:
    explicit ServedPlain(std::shared_ptr<T> object) : Served<T>(std::move(object), typeid(ServedPlain), kMembers) {}
};

// An object that only crosses and is handed back, with nothing to call.
template <class T>
class ServedOpaque final : public Served<T> {
public:
    explicit ServedOpaque(std::shared_ptr<T> object) : Served<T>(std::move(object), typeid(ServedOpaque), {}) {}
};

// An object with events: it listens to them while any sink is advised.
template <class T, const auto& kMembers, class Events, const com::Guid& kEvents>
class ServedWithEvents : public Served<T>, protected Events {
protected:
    explicit ServedWithEvents(std::shared_ptr<T> object, const std::type_info& kind)
        : Served<T>(std::move(object), kind, kMembers, &kEvents) {}

private:
    void Listen(bool on) override {
        if (on) this->object_->Advise(this);
        else this->object_->Unadvise(this);
    }
};

// An object as an event's argument.
template <class X>
com::abi::Variant EventObject(const std::shared_ptr<X>& object) {
    com::abi::Variant argument;
    com::dispatched::PutObject(object, *argument.get());
    return argument;
}

// A flag by reference (Cancel) that every sink may set, and what they left in it.
struct EventFlag {
    explicit EventFlag(bool value) : value(value ? com::abi::kVariantTrue : com::abi::kVariantFalse) {
        com::abi::VariantInit(&argument);
        argument.vt = com::abi::VT_BYREF | com::abi::VT_BOOL;
        argument.pboolVal = &this->value;
    }
    EventFlag(const EventFlag&) = delete;
    bool Value() const { return value != com::abi::kVariantFalse; }
    com::abi::VARIANT_BOOL value;
    com::abi::VARIANT argument;
};

class ServedApplication final
    : public ServedWithEvents<Application, kApplication, ApplicationEvents, event_sets::kApplication> {
public:
    explicit ServedApplication(std::shared_ptr<Application> object)
        : ServedWithEvents(std::move(object), typeid(ServedApplication)) {}

private:
    void Quit() override { Fire(event_sets::kQuit); }
};

class ServedInspectors final
    : public ServedWithEvents<Inspectors, kInspectors, InspectorsEvents, event_sets::kInspectors> {
public:
    explicit ServedInspectors(std::shared_ptr<Inspectors> object)
        : ServedWithEvents(std::move(object), typeid(ServedInspectors)) {}

private:
    void NewInspector(const std::shared_ptr<Inspector>& inspector) override {
        auto argument = EventObject(inspector);
        Fire(event_sets::kNewInspector, argument.get(), 1);
    }
};

class ServedInspector final : public ServedWithEvents<Inspector, kInspector, InspectorEvents, event_sets::kInspector> {
public:
    explicit ServedInspector(std::shared_ptr<Inspector> object)
        : ServedWithEvents(std::move(object), typeid(ServedInspector)) {}

private:
    void Activate() override { Fire(event_sets::kActivate); }
    void Close() override { Fire(event_sets::kInspectorClose); }
};

class ServedMailItem final : public ServedWithEvents<MailItem, kMailItem, MailItemEvents, event_sets::kItem> {
public:
    explicit ServedMailItem(std::shared_ptr<MailItem> object)
        : ServedWithEvents(std::move(object), typeid(ServedMailItem)) {}

private:
    void Close(bool& cancel) override { Raise(event_sets::kItemClose, cancel); }
    void Send(bool& cancel) override { Raise(event_sets::kItemSend, cancel); }
    void Raise(com::abi::DISPID id, bool& cancel) {
        EventFlag flag(cancel);
        Fire(id, &flag.argument, 1);
        cancel = flag.Value();
    }
};

class ServedButton final : public ServedWithEvents<CommandBarButton, kCommandBarButton, CommandBarButtonEvents,
                                                   event_sets::kCommandBarButton> {
public:
    explicit ServedButton(std::shared_ptr<CommandBarButton> object)
        : ServedWithEvents(std::move(object), typeid(ServedButton)) {}

private:
    // Click(Ctrl, CancelDefault): last first.
    void Click(const std::shared_ptr<CommandBarButton>& ctrl, bool& cancelDefault) override {
        auto button = EventObject(ctrl);
        EventFlag flag(cancelDefault);
        com::abi::VARIANT arguments[] = {flag.argument, *button.get()};
        Fire(event_sets::kClick, arguments, 2);
        cancelDefault = flag.Value();
    }
};

using ServedNameSpace = ServedPlain<NameSpace, kNameSpace>;
using ServedRecipient = ServedPlain<Recipient, kRecipient>;
using ServedItem = ServedPlain<OutlookItem, kItem>;
using ServedAttachments = ServedPlain<Attachments, kAttachments>;
using ServedRecipients = ServedPlain<Recipients, kRecipients>;
using ServedCommandBars = ServedPlain<CommandBars, kCommandBars>;
using ServedCommandBar = ServedPlain<CommandBar, kCommandBar>;
using ServedControls = ServedPlain<CommandBarControls, kCommandBarControls>;
using ServedControl = ServedPlain<CommandBarControl, kControlOf<CommandBarControl>>;

// The live server of the kind S for the object, or a new one.
template <class S>
com::abi::IUnknown* ServeAs(const std::shared_ptr<typename S::Target>& object) {
    if (com::abi::IDispatch* live = com::DispatchServer::Live(object.get(), typeid(S))) return live;
    return static_cast<com::abi::IDispatch*>(new S(object));
}

// The object behind a server of kind S, or null.
template <class S>
std::shared_ptr<typename S::Target> OwnAs(com::DispatchServer* server) {
    if (!server || server->Kind() != typeid(S)) return nullptr;
    return static_cast<S*>(server)->Object();
}

}  // namespace served

// ---- each type: how it is served, how it is known again

#define QUILLET_SERVED_AS(X, S)                                                                            \
    template <>                                                                                            \
    inline com::abi::IUnknown* Serve<X>(const std::shared_ptr<X>& object) {                               \
        return served::ServeAs<served::S>(object);                                                         \
    }                                                                                                      \
    template <>                                                                                            \
    inline std::shared_ptr<X> OwnServed<X>(com::abi::IUnknown* pointer) {                                 \
        return served::OwnAs<served::S>(com::DispatchServer::OfThisModule(pointer));                       \
    }
QUILLET_SERVED_AS(Application, ServedApplication)
QUILLET_SERVED_AS(NameSpace, ServedNameSpace)
QUILLET_SERVED_AS(Recipient, ServedRecipient)
QUILLET_SERVED_AS(Inspectors, ServedInspectors)
QUILLET_SERVED_AS(Inspector, ServedInspector)
QUILLET_SERVED_AS(MailItem, ServedMailItem)
QUILLET_SERVED_AS(Attachments, ServedAttachments)
QUILLET_SERVED_AS(Recipients, ServedRecipients)
QUILLET_SERVED_AS(CommandBars, ServedCommandBars)
QUILLET_SERVED_AS(CommandBar, ServedCommandBar)
QUILLET_SERVED_AS(CommandBarControls, ServedControls)
QUILLET_SERVED_AS(CommandBarButton, ServedButton)
QUILLET_SERVED_AS(MAPIFolder, ServedOpaque<MAPIFolder>)
QUILLET_SERVED_AS(Attachment, ServedOpaque<Attachment>)
#undef QUILLET_SERVED_AS

// A mail item is served with its events; any other item answers Class.
template <>
inline com::abi::IUnknown* Serve<OutlookItem>(const std::shared_ptr<OutlookItem>& object) {
    if (auto mail = std::dynamic_pointer_cast<MailItem>(object)) return Serve<MailItem>(mail);
    return served::ServeAs<served::ServedItem>(object);
}
template <>
inline std::shared_ptr<OutlookItem> OwnServed<OutlookItem>(com::abi::IUnknown* pointer) {
    auto* server = com::DispatchServer::OfThisModule(pointer);
    if (auto mail = served::OwnAs<served::ServedMailItem>(server)) return mail;
    return served::OwnAs<served::ServedItem>(server);
}
template <>
inline com::abi::IUnknown* Serve<AppointmentItem>(const std::shared_ptr<AppointmentItem>& object) {
    return Serve<OutlookItem>(object);
}
template <>
inline std::shared_ptr<AppointmentItem> OwnServed<AppointmentItem>(com::abi::IUnknown* pointer) {
    return std::dynamic_pointer_cast<AppointmentItem>(OwnServed<OutlookItem>(pointer));
}
template <>
inline com::abi::IUnknown* Serve<ContactItem>(const std::shared_ptr<ContactItem>& object) {
    return Serve<OutlookItem>(object);
}
template <>
inline std::shared_ptr<ContactItem> OwnServed<ContactItem>(com::abi::IUnknown* pointer) {
    return std::dynamic_pointer_cast<ContactItem>(OwnServed<OutlookItem>(pointer));
}

// A button is served with its Click; any other control answers what every control does.
template <>
inline com::abi::IUnknown* Serve<CommandBarControl>(const std::shared_ptr<CommandBarControl>& object) {
    if (auto button = std::dynamic_pointer_cast<CommandBarButton>(object)) return Serve<CommandBarButton>(button);
    return served::ServeAs<served::ServedControl>(object);
}
template <>
inline std::shared_ptr<CommandBarControl> OwnServed<CommandBarControl>(com::abi::IUnknown* pointer) {
    auto* server = com::DispatchServer::OfThisModule(pointer);
    if (auto button = served::OwnAs<served::ServedButton>(server)) return button;
    return served::OwnAs<served::ServedControl>(server);
}

}  // namespace platform::outlook::automation
