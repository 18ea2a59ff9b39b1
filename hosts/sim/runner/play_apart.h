// A scenario played in a process of its own, so that whatever it leaves in the
// process (loaded libraries, the add-in's module state, a crash) ends with it: here a
// fork that runs `play`; on Windows this program again, for that file alone, with
// the same options. The result is the scenario's exit code (0: passed); a crash is
// reported on its own line.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sim::runner {

int PlayApart(const std::string& file, const std::vector<std::string>& options,
              const std::optional<std::filesystem::path>& keep, const std::function<int()>& play);

}  // namespace sim::runner
