// The files the simulated Outlook writes for its items: a saved item (SaveAs) and a
// sent message in the outbox. Each is written aside and renamed over any earlier file
// of its name, so a failed write leaves that file whole; a failure is raised as
// Outlook raises it (the Windows error of the failed write, from "Microsoft Outlook").
#pragma once

#include <string>
#include <string_view>

namespace sim {

void WriteItemFile(const std::string& windowsPath, std::string_view bytes);

}  // namespace sim
