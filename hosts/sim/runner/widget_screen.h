// The scenario's forms in real widgets (Qt), for `quillet-sim --toolkit qt`: the Qt
// backend with the scenario's person standing in at the screen (answering the real
// dialogs, working in modal forms), and hands that act through the widgets.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "hosts/sim/host/person.h"
#include "platform/toolkit/backend.h"

namespace sim::runner {

struct WidgetScreen {
    std::shared_ptr<platform::toolkit::Backend> toolkit;
    std::unique_ptr<Hands> hands;
};

// Makes the QApplication when there is none. With a folder, each form's window is
// saved there as it closes.
WidgetScreen MakeWidgetScreen(Person& person, std::optional<std::filesystem::path> screenshots);

}  // namespace sim::runner
