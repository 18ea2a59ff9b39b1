// A complete demo prefix for a first run: C: and a P: share for project folders, the
// settings and hint files, a project database of sample projects (made as the
// installer's database tool makes it), an inbox of sample messages, and both
// libraries registered.
#pragma once

#include <filesystem>

namespace desk {

// The mail store's folders, under "C:\Quillet Mail\".
inline constexpr const char* kMailFolders[] = {"Inbox", "Drafts", "Outbox", "Sent"};

// Makes the demo in `folder` (new or empty) with the libraries found in `libraries`,
// and opens it as the current prefix.
void MakeDemoPrefix(const std::filesystem::path& folder, const std::filesystem::path& libraries);

}  // namespace desk
