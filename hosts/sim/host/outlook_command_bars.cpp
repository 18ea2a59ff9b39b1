#include "hosts/sim/host/outlook_command_bars.h"

#include <algorithm>
#include <type_traits>

#include "hosts/sim/host/outlook_faults.h"

namespace sim {

namespace {

// Control types Office can add to a bar: button, edit box, drop-down, combo box, pop-up.
bool AddableType(int32_t type) { return type == 1 || type == 2 || type == 3 || type == 4 || type == 10; }

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

// ---- controls ------------------------------------------------------------------

template <class Interface>
void SimControlOf<Interface>::Delete() {
    if (deleted)
        RaiseMethodFailed("Delete",
                          std::is_same_v<Interface, ol::CommandBarButton> ? "CommandBarButton" : "CommandBarControl");
    if (auto row = owner.lock())
        row->Remove(this);
    else
        deleted = true;
}

template class SimControlOf<ol::CommandBarControl>;
template class SimControlOf<ol::CommandBarButton>;

void SimCommandBarButton::RaiseClick(const std::shared_ptr<ol::CommandBarButton>& clicked, bool& cancelDefault) {
    Raise([&](ol::CommandBarButtonEvents& sink) { sink.Click(clicked, cancelDefault); });
}

// ---- a bar's row of controls ----------------------------------------------------

std::shared_ptr<ol::CommandBarControl> SimCommandBarControls::Item(int32_t index) {
    if (index < 1 || index > Count()) RaiseInvalidArgument();
    return slots_[size_t(index - 1)].control;
}

std::shared_ptr<ol::CommandBarControl> SimCommandBarControls::Add(int32_t type, int32_t id,
                                                                  const std::string& parameter, int32_t before,
                                                                  bool temporary) {
    if (!AddableType(type) || before < 0 || id < 0) RaiseMethodFailed("Add", "CommandBarControls");
    size_t position = before == 0 || before > Count() ? slots_.size() : size_t(before - 1);
    return Make(type, id, parameter, temporary, position);
}

std::shared_ptr<ol::CommandBarControl> SimCommandBarControls::Place(int32_t type, int32_t id,
                                                                    const std::string& caption,
                                                                    const std::string& tag, bool temporary) {
    auto control = Make(type, id, {}, temporary, slots_.size());
    slots_.back().record->tag = tag;
    if (auto button = std::dynamic_pointer_cast<SimCommandBarButton>(control)) button->Caption(caption);
    return control;
}

std::shared_ptr<ol::CommandBarControl> SimCommandBarControls::Make(int32_t type, int32_t id,
                                                                   const std::string& parameter, bool temporary,
                                                                   size_t position) {
    std::shared_ptr<ol::CommandBarControl> control;
    ControlRecord* record = nullptr;
    if (type == ol::msoControlButton) {
        auto button = std::make_shared<SimCommandBarButton>();
        record = button.get();
        control = button;
    } else {
        auto other = std::make_shared<SimCommandBarControl>();
        record = other.get();
        control = other;
    }
    record->type = type;
    record->id = id;
    record->parameter = parameter;
    record->temporary = temporary;
    record->owner = weak_from_this();
    slots_.insert(slots_.begin() + std::ptrdiff_t(position), Slot{control, record});
    return control;
}

void SimCommandBarControls::Remove(const ControlRecord* control) {
    auto slot = std::find_if(slots_.begin(), slots_.end(), [&](const Slot& s) { return s.record == control; });
    if (slot == slots_.end()) return;
    auto keep = slot->control;  // alive until the record is marked
    slot->record->deleted = true;
    slot->record->owner.reset();
    slots_.erase(slot);
}

void SimCommandBarControls::DiscardTemporary() {
    std::vector<Slot> kept;
    for (auto& slot : slots_) {
        if (slot.record->temporary) {
            slot.record->deleted = true;
            slot.record->owner.reset();
        } else {
            kept.push_back(slot);
        }
    }
    slots_ = std::move(kept);
}

std::vector<std::shared_ptr<ol::CommandBarControl>> SimCommandBarControls::All() const {
    std::vector<std::shared_ptr<ol::CommandBarControl>> all;
    for (const auto& slot : slots_) all.push_back(slot.control);
    return all;
}

// ---- the bars of a window -------------------------------------------------------

std::shared_ptr<ol::CommandBarControl> SimCommandBars::FindControl(int32_t type, const std::string& tag) {
    for (const auto& bar : bars_)
        for (const auto& control : bar->Row()->All())
            if (control->Type() == type && control->Tag() == tag) return control;
    return nullptr;
}

std::shared_ptr<ol::CommandBar> SimCommandBars::Item(const std::string& name) {
    auto bar = Bar(name);
    if (!bar) RaiseInvalidArgument();
    return bar;
}

std::shared_ptr<SimCommandBar> SimCommandBars::AddBar(const std::string& name) {
    return bars_.emplace_back(std::make_shared<SimCommandBar>(name));
}

std::shared_ptr<SimCommandBar> SimCommandBars::Bar(const std::string& name) const {
    for (const auto& bar : bars_)
        if (SameName(bar->Name(), name)) return bar;
    return nullptr;
}

std::vector<std::shared_ptr<ol::CommandBarControl>> SimCommandBars::Tagged(const std::string& tag) const {
    std::vector<std::shared_ptr<ol::CommandBarControl>> tagged;
    for (const auto& bar : bars_)
        for (const auto& control : bar->Row()->All())
            if (control->Tag() == tag) tagged.push_back(control);
    return tagged;
}

void SimCommandBars::DiscardTemporary() {
    for (const auto& bar : bars_) bar->Row()->DiscardTemporary();
}

std::shared_ptr<SimCommandBars> MakeInspectorCommandBars() {
    constexpr int32_t kComboBox = 4;
    auto bars = std::make_shared<SimCommandBars>();
    auto standard = bars->AddBar("Standard")->Row();
    standard->Place(ol::msoControlButton, 2617, "&Send", {}, false);
    standard->Place(ol::msoControlButton, 3, "&Save", {}, false);
    standard->Place(ol::msoControlButton, 4, "&Print", {}, false);
    standard->Place(ol::msoControlButton, 1079, "Insert F&ile...", {}, false);
    standard->Place(ol::msoControlButton, 353, "Address &Book...", {}, false);
    standard->Place(ol::msoControlButton, 361, "Chec&k Names", {}, false);
    standard->Place(ol::msoControlButton, 5598, "Options...", {}, false);
    auto formatting = bars->AddBar("Formatting")->Row();
    formatting->Place(kComboBox, 1732, "Style", {}, false);
    formatting->Place(kComboBox, 1728, "Font", {}, false);
    formatting->Place(ol::msoControlButton, 113, "&Bold", {}, false);
    formatting->Place(ol::msoControlButton, 114, "&Italic", {}, false);
    return bars;
}

}  // namespace sim
