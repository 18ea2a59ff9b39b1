// Host files inside the platform library: the one read-only check, the one reader and
// the one writer, all over the host calls of host_calls.h.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::files::detail {

// The Windows number of a host error: 70 for a refusal (no permission, a read-only
// file system, a busy file), 76 for a missing folder, 75 for anything else (a full
// disk, an input/output error).
int32_t WindowsNumber(int hostError);

// Read-only as Windows sees it: the host file has no write permission bit. (Checked
// from the mode bits, because the kernel lets root write anything.) A file whose mode
// cannot be read counts as read-only: what cannot be shown writable is not written.
bool IsReadOnly(const std::filesystem::path& host);

// The bytes of a file (at most limit of them); nullopt when it cannot be read.
std::optional<std::string> ReadHostFile(const std::filesystem::path& host,
                                        std::size_t limit = std::string::npos);

// A file written aside, then put in the target's place in one step: readers of the
// target see its old content or the new, never part of one, and a failure at any
// point leaves the target as it was and nothing beside it.
class AsideFile {
public:
    // Creates a file with a fresh name beside the target (same folder, hidden, unique).
    explicit AsideFile(std::filesystem::path target);
    // Removes the aside file unless it has replaced the target.
    ~AsideFile();
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // Appends bytes; after a failure nothing more is written.
    void Write(std::string_view bytes);
    // Gives the file its mode (the one asked for; else the mode of the file it
    // replaces; a new target keeps the usual mode of a new file), forces it to the
    // disk and renames it over the target. 0, or the host error of the first failure,
    // after which the aside file is gone and the target untouched.
    int Commit(std::optional<mode_t> mode = std::nullopt);

private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path aside_;
    int fd_ = -1;
    int failure_ = 0;
    bool settled_ = false;  // renamed over the target, removed, or never made
};

// The whole content written aside and put in the target's place: 0 or the host error.
int ReplaceHostFile(const std::filesystem::path& target, std::string_view content);
// As ReplaceHostFile, raising the Windows number of a failure.
void WriteHostFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace platform::files::detail
