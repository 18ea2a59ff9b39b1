#include "hosts/sim/runner/widget_screen.h"

#include <stdexcept>

namespace sim::runner {

// Here the add-in's forms are drawn by the system's own windows inside the DLLs;
// the simulator's person works in the headless forms.
WidgetScreen MakeWidgetScreen(Person&, std::optional<std::filesystem::path>) {
    throw std::runtime_error("there is no Qt on Windows: the scenarios play on the headless toolkit");
}

}  // namespace sim::runner
