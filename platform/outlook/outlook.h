// Outlook and its Office command bars, as the add-in calls them: the objects, the
// operations it uses and their events. The host (the real Outlook, or a simulated
// one) implements these; failures reach the caller as ErrorInfo with the host's
// numbers (287: the user refused access in Outlook's security prompt).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/events.h"

namespace platform::outlook {

class Application;
class CommandBarButton;

// Item classes, save formats, editors.
enum : int32_t { olAppointment = 26, olContact = 40, olMail = 43 };
enum : int32_t { olTXT = 0, olRTF = 1, olTemplate = 2, olMSG = 3 };
enum : int32_t { olEditorText = 1, olEditorHTML = 2, olEditorRTF = 3, olEditorWord = 4 };
// Command bars.
enum : int32_t { msoControlButton = 1 };
enum : int32_t { msoBarNoProtection = 0, msoBarNoChangeVisible = 8 };
enum : int32_t { msoButtonIconAndCaption = 3 };

// ---- command bars -------------------------------------------------------------

class CommandBarControl {
public:
    virtual ~CommandBarControl();
    virtual int32_t Type() = 0;
    virtual std::string Tag() = 0;
    virtual void Tag(const std::string& value) = 0;
    virtual std::string Parameter() = 0;
    virtual void Delete() = 0;
};

class CommandBarButtonEvents {
public:
    virtual void Click(const std::shared_ptr<CommandBarButton>& ctrl, bool& cancelDefault) = 0;

protected:
    ~CommandBarButtonEvents() = default;
};

class CommandBarButton : public CommandBarControl, public com::EventSource<CommandBarButtonEvents> {
public:
    virtual std::string Caption() = 0;
    virtual void Caption(const std::string& value) = 0;
    virtual int32_t Style() = 0;
    virtual void Style(int32_t value) = 0;
    virtual int32_t FaceId() = 0;
    virtual void FaceId(int32_t value) = 0;
    virtual bool BeginGroup() = 0;
    virtual void BeginGroup(bool value) = 0;
    virtual std::string OnAction() = 0;
    virtual void OnAction(const std::string& value) = 0;
    virtual bool Visible() = 0;
    virtual void Visible(bool value) = 0;
};

class CommandBarControls {
public:
    virtual ~CommandBarControls();
    virtual int32_t Count() = 0;
    // 1-based, as Office counts.
    virtual std::shared_ptr<CommandBarControl> Item(int32_t index) = 0;
    // A new control of the type at position `before` (1-based; 0 appends); a
    // temporary one goes with its window.
    virtual std::shared_ptr<CommandBarControl> Add(int32_t type, int32_t id, const std::string& parameter,
                                                   int32_t before, bool temporary) = 0;
};

class CommandBar {
public:
    virtual ~CommandBar();
    virtual std::string Name() = 0;
    virtual bool Visible() = 0;
    virtual void Visible(bool value) = 0;
    virtual int32_t Protection() = 0;
    virtual void Protection(int32_t value) = 0;
    virtual std::shared_ptr<outlook::CommandBarControls> Controls() = 0;
};

class CommandBars {
public:
    virtual ~CommandBars();
    // The first control of that type and Tag on any bar, or null.
    virtual std::shared_ptr<CommandBarControl> FindControl(int32_t type, const std::string& tag) = 0;
    // A bar by name ("Standard"); fails when there is none.
    virtual std::shared_ptr<CommandBar> Item(const std::string& name) = 0;
};

// ---- items ---------------------------------------------------------------------

// Any item a window can show. Class tells which kind it is (43 a mail message).
class OutlookItem {
public:
    virtual ~OutlookItem();
    virtual int32_t Class() = 0;
};

class Attachments {
public:
    virtual ~Attachments();
    virtual int32_t Count() = 0;
};

class Recipients {
public:
    virtual ~Recipients();
    virtual int32_t Count() = 0;
};

class MailItemEvents {
public:
    virtual void Close(bool& cancel) = 0;
    virtual void Send(bool& cancel) = 0;

protected:
    ~MailItemEvents() = default;
};

class MailItem : public OutlookItem, public com::EventSource<MailItemEvents> {
public:
    virtual bool Sent() = 0;
    virtual std::string Subject() = 0;
    virtual void Subject(const std::string& value) = 0;
    virtual std::string Body() = 0;
    virtual void Body(const std::string& value) = 0;
    virtual std::string HTMLBody() = 0;
    virtual void HTMLBody(const std::string& value) = 0;
    virtual std::shared_ptr<outlook::Attachments> Attachments() = 0;
    virtual std::shared_ptr<outlook::Recipients> Recipients() = 0;
    // Writes the item to a file (type 3: an Outlook message file); an existing file
    // is replaced.
    virtual void SaveAs(const std::string& path, int32_t type) = 0;
    // Sends the item; fails for an item without recipients.
    virtual void Send() = 0;
};

// ---- windows and the application -----------------------------------------------

class InspectorEvents {
public:
    virtual void Activate() = 0;
    virtual void Close() = 0;

protected:
    ~InspectorEvents() = default;
};

class Inspector : public com::EventSource<InspectorEvents> {
public:
    virtual ~Inspector();
    virtual std::shared_ptr<OutlookItem> CurrentItem() = 0;
    virtual std::shared_ptr<outlook::CommandBars> CommandBars() = 0;
    virtual bool IsWordMail() = 0;
    virtual int32_t EditorType() = 0;
};

class InspectorsEvents {
public:
    virtual void NewInspector(const std::shared_ptr<Inspector>& inspector) = 0;

protected:
    ~InspectorsEvents() = default;
};

class Inspectors : public com::EventSource<InspectorsEvents> {
public:
    virtual ~Inspectors();
    virtual int32_t Count() = 0;
};

class Recipient {
public:
    virtual ~Recipient();
    virtual std::string Name() = 0;
};

class NameSpace {
public:
    virtual ~NameSpace();
    virtual std::shared_ptr<Recipient> CurrentUser() = 0;
};

class MAPIFolder {
public:
    virtual ~MAPIFolder();
};
class AppointmentItem : public OutlookItem {};
class ContactItem : public OutlookItem {};
class Attachment {
public:
    virtual ~Attachment();
};

class ApplicationEvents {
public:
    virtual void Quit() = 0;

protected:
    ~ApplicationEvents() = default;
};

class Application : public com::EventSource<ApplicationEvents> {
public:
    virtual ~Application();
    // "11.0.0.0": the leading number is the major version.
    virtual std::string Version() = 0;
    virtual std::shared_ptr<NameSpace> GetNamespace(const std::string& type) = 0;
    virtual std::shared_ptr<outlook::Inspectors> Inspectors() = 0;
    // The window in front, or null.
    virtual std::shared_ptr<Inspector> ActiveInspector() = 0;
};

}  // namespace platform::outlook
