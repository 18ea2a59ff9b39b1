// The command bars of a simulated Outlook window: bars by name, each with its row of
// controls. Controls are found by type and Tag, added at a place, deleted; the
// temporary ones go when their window closes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/outlook/outlook.h"

namespace sim {

namespace ol = platform::outlook;

class SimCommandBarControls;

// What the bar keeps of each of its controls, whatever its kind.
struct ControlRecord {
    int32_t type = ol::msoControlButton;
    int32_t id = 0;  // a built-in control's identifier; 0 for one an add-in made
    bool temporary = false;
    bool deleted = false;
    std::string tag;
    std::string parameter;
    std::weak_ptr<SimCommandBarControls> owner;
};

template <class Interface>
class SimControlOf : public Interface, public ControlRecord {
public:
    int32_t Type() override { return type; }
    std::string Tag() override { return tag; }
    void Tag(const std::string& value) override { tag = value; }
    std::string Parameter() override { return parameter; }
    void Delete() override;
};

extern template class SimControlOf<ol::CommandBarControl>;
extern template class SimControlOf<ol::CommandBarButton>;

// Any control that is not a button (a combo box, a pop-up).
class SimCommandBarControl final : public SimControlOf<ol::CommandBarControl> {};

class SimCommandBarButton final : public SimControlOf<ol::CommandBarButton> {
public:
    std::string Caption() override { return caption_; }
    void Caption(const std::string& value) override { caption_ = value; }
    int32_t Style() override { return style_; }
    void Style(int32_t value) override { style_ = value; }
    int32_t FaceId() override { return faceId_; }
    void FaceId(int32_t value) override { faceId_ = value; }
    bool BeginGroup() override { return beginGroup_; }
    void BeginGroup(bool value) override { beginGroup_ = value; }
    std::string OnAction() override { return onAction_; }
    void OnAction(const std::string& value) override { onAction_ = value; }
    bool Visible() override { return visible_; }
    void Visible(bool value) override { visible_ = value; }

    // The button's own Click, raised to its sinks; `clicked` is the button the
    // person pressed (Office raises the click to every button of the same Tag).
    void RaiseClick(const std::shared_ptr<ol::CommandBarButton>& clicked, bool& cancelDefault);

private:
    std::string caption_;
    int32_t style_ = 0;  // msoButtonAutomatic
    int32_t faceId_ = 0;
    bool beginGroup_ = false;
    std::string onAction_;
    bool visible_ = true;
};

class SimCommandBarControls final : public ol::CommandBarControls,
                                    public std::enable_shared_from_this<SimCommandBarControls> {
public:
    int32_t Count() override { return int32_t(slots_.size()); }
    std::shared_ptr<ol::CommandBarControl> Item(int32_t index) override;
    // `before` past the last control appends, as 0 does.
    std::shared_ptr<ol::CommandBarControl> Add(int32_t type, int32_t id, const std::string& parameter,
                                               int32_t before, bool temporary) override;

    // The host's own controls and those an earlier session left: appended.
    std::shared_ptr<ol::CommandBarControl> Place(int32_t type, int32_t id, const std::string& caption,
                                                 const std::string& tag, bool temporary);
    // Takes the control off the bar; it counts as deleted from then on.
    void Remove(const ControlRecord* control);
    void DiscardTemporary();
    std::vector<std::shared_ptr<ol::CommandBarControl>> All() const;

private:
    struct Slot {
        std::shared_ptr<ol::CommandBarControl> control;
        ControlRecord* record;
    };
    std::shared_ptr<ol::CommandBarControl> Make(int32_t type, int32_t id, const std::string& parameter,
                                                bool temporary, size_t position);

    std::vector<Slot> slots_;
};

class SimCommandBar final : public ol::CommandBar {
public:
    explicit SimCommandBar(std::string name) : name_(std::move(name)) {}

    std::string Name() override { return name_; }
    bool Visible() override { return visible_; }
    void Visible(bool value) override { visible_ = value; }
    int32_t Protection() override { return protection_; }
    void Protection(int32_t value) override { protection_ = value; }
    std::shared_ptr<ol::CommandBarControls> Controls() override { return controls_; }
    const std::shared_ptr<SimCommandBarControls>& Row() const { return controls_; }

private:
    std::string name_;
    bool visible_ = true;
    int32_t protection_ = ol::msoBarNoProtection;
    std::shared_ptr<SimCommandBarControls> controls_ = std::make_shared<SimCommandBarControls>();
};

class SimCommandBars final : public ol::CommandBars {
public:
    std::shared_ptr<ol::CommandBarControl> FindControl(int32_t type, const std::string& tag) override;
    // Names compare without regard to (ASCII) case; an unknown name is 5.
    std::shared_ptr<ol::CommandBar> Item(const std::string& name) override;

    std::shared_ptr<SimCommandBar> AddBar(const std::string& name);
    std::shared_ptr<SimCommandBar> Bar(const std::string& name) const;  // null when none
    // Every control with that Tag, whatever its type, bar after bar.
    std::vector<std::shared_ptr<ol::CommandBarControl>> Tagged(const std::string& tag) const;
    // The window closed: its temporary controls go.
    void DiscardTemporary();

private:
    std::vector<std::shared_ptr<SimCommandBar>> bars_;
};

// The bars of a mail window as Outlook offers them: "Standard" (Send, Save, Print,
// Insert File, Address Book, Check Names, Options) and "Formatting".
std::shared_ptr<SimCommandBars> MakeInspectorCommandBars();

}  // namespace sim
