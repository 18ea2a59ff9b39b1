#include "hosts/sim/runner/control_properties.h"

#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/text_box.h"

namespace sim::runner {

namespace toolkit = platform::toolkit;

namespace {
std::string Truth(bool value) { return value ? "true" : "false"; }

std::optional<std::string> CaptionOf(toolkit::Control& control) {
    if (auto* c = dynamic_cast<toolkit::Label*>(&control)) return c->Caption();
    if (auto* c = dynamic_cast<toolkit::CommandButton*>(&control)) return c->Caption();
    if (auto* c = dynamic_cast<toolkit::CheckBox*>(&control)) return c->Caption();
    if (auto* c = dynamic_cast<toolkit::OptionButton*>(&control)) return c->Caption();
    if (auto* c = dynamic_cast<toolkit::Frame*>(&control)) return c->Caption();
    return std::nullopt;
}
}  // namespace

std::optional<std::string> ControlProperty(toolkit::Control& control, const std::string& property) {
    auto* text = dynamic_cast<toolkit::TextControl*>(&control);
    auto* combo = dynamic_cast<toolkit::ComboBox*>(&control);
    if (property == "Text" && text) return text->Text();
    if (property == "Caption") return CaptionOf(control);
    if (property == "Visible") return Truth(control.Visible());
    if (property == "Enabled") return Truth(control.Enabled());
    if (property == "Locked" && text) return Truth(text->Locked());
    if (property == "Left") return std::to_string(control.Left());
    if (property == "Top") return std::to_string(control.Top());
    if (property == "Width") return std::to_string(control.Width());
    if (property == "Height") return std::to_string(control.Height());
    if (property == "BackColor") return std::to_string(uint32_t(control.BackColor()));
    if (property == "ForeColor") return std::to_string(uint32_t(control.ForeColor()));
    if (property == "Tag") return control.Tag();
    if (property == "ToolTipText") return control.ToolTipText();
    if (property == "Value") {
        if (auto* c = dynamic_cast<toolkit::CheckBox*>(&control)) return std::to_string(c->Value());
        if (auto* c = dynamic_cast<toolkit::OptionButton*>(&control)) return Truth(c->Value());
        return std::nullopt;
    }
    if (property == "SelStart" && text) return std::to_string(text->SelStart());
    if (property == "SelLength" && text) return std::to_string(text->SelLength());
    if (combo) {
        if (property == "ListCount") return std::to_string(combo->ListCount());
        if (property == "DroppedDown") return Truth(combo->DroppedDown());
        if (property == "ListIndex") return std::to_string(combo->ListIndex());
        if (property.rfind("List(", 0) == 0) {
            int index = std::stoi(property.substr(5));
            if (index < 0 || index >= combo->ListCount()) return std::nullopt;
            return combo->List(index);
        }
    }
    return std::nullopt;
}

}  // namespace sim::runner
