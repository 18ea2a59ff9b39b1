#include "hosts/sim/host/outlook_item_files.h"

#include <sys/stat.h>

#include <filesystem>

#include "hosts/sim/host/outlook_faults.h"
#include "platform/errors/errors.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"
#include "platform/files/posix/prefix.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// The one write of the bytes: aside, then renamed over the file.
void WriteAside(const std::string& windowsPath, std::string_view bytes) {
    platform::files::detail::WriteHostFileAtomically(platform::files::detail::ResolveOrRaise(windowsPath).host, bytes);
}

[[noreturn]] void RaiseOutlook(int32_t number, const char* description) {
    platform::Raise(number, description, "Microsoft Outlook");
}

// Without a write permission bit (checked from the mode bits: the kernel lets root
// write anything).
bool ReadOnly(const fs::path& host) {
    struct stat info {};
    return ::stat(host.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

constexpr const char* kNoPath = "The system cannot find the path specified.";
constexpr const char* kDenied = "You don't have appropriate permission to perform this operation.";
constexpr const char* kInUse = "The process cannot access the file because it is being used by another process.";
constexpr const char* kDiskFull = "There is not enough space on the disk.";
constexpr const char* kFailed = "The operation failed.";

}  // namespace

void WriteItemFile(const std::string& windowsPath, std::string_view bytes) {
    const auto host = platform::files::Prefix::HostPath(windowsPath);
    std::error_code ec;
    if (!host || !fs::is_directory(host->parent_path(), ec)) RaiseOutlook(olerr::PathNotFound, kNoPath);
    if (platform::files::Prefix::IsLocked(windowsPath)) RaiseOutlook(olerr::SharingViolation, kInUse);
    if (fs::is_directory(*host, ec) || ReadOnly(host->parent_path()) || (fs::exists(*host, ec) && ReadOnly(*host)))
        RaiseOutlook(olerr::AccessDenied, kDenied);
    try {
        WriteAside(windowsPath, bytes);
    } catch (const platform::ErrorInfo& failure) {
        const auto space = fs::space(host->parent_path(), ec);
        if (!ec && space.available < bytes.size() + 4096) RaiseOutlook(olerr::DiskFull, kDiskFull);
        if (failure.Number == platform::err::PermissionDenied) RaiseOutlook(olerr::AccessDenied, kDenied);
        RaiseOutlook(olerr::Failed, kFailed);
    }
}

}  // namespace sim
