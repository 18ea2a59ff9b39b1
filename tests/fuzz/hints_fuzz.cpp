// Fuzz target: the hint file as the add-in loads it at start and after every setting
// saved. Any file loads or fails with the add-in's own failure (reading past the end,
// a count that is no number), never a crash or a hang.
#include <cstdint>
#include <string>

#include "addin_machine.h"
#include "platform/errors/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::TestMachine& machine = fuzz::AddinMachine();
    machine.Write("C:\\ProgramData\\Quillet\\Quillet.cnt", std::string(reinterpret_cast<const char*>(data), size));
    try {
        gController->LoadFormHints();
    } catch (const platform::ErrorInfo&) {
    }
    return 0;
}
