#include "hosts/sim/host/outlook_item_files.h"

#include <filesystem>

#include "hosts/sim/host/outlook_faults.h"
#include "platform/errors/errors.h"
#include "hosts/sim/host/machine_files.h"
#include "platform/files/files.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void RaiseOutlook(int32_t number, const char* description) {
    platform::Raise(number, description, "Microsoft Outlook");
}

constexpr const char* kNoPath = "The system cannot find the path specified.";
constexpr const char* kDenied = "You don't have appropriate permission to perform this operation.";
constexpr const char* kInUse = "The process cannot access the file because it is being used by another process.";
constexpr const char* kDiskFull = "There is not enough space on the disk.";
constexpr const char* kFailed = "The operation failed.";

}  // namespace

// Outlook writes a file whole or not at all: through the platform's one atomic writer,
// with its failures told in Outlook's words.
void WriteItemFile(const std::string& windowsPath, std::string_view bytes) {
    const auto host = machine::HostFile(windowsPath);
    if (host && machine::HeldByAnother(*host)) RaiseOutlook(olerr::SharingViolation, kInUse);
    if (host && machine::FolderRefusesFiles(host->parent_path())) RaiseOutlook(olerr::AccessDenied, kDenied);
    std::error_code ec;
    try {
        platform::files::WriteFileAtomically(windowsPath, bytes);
    } catch (const platform::ErrorInfo& failure) {
        if (failure.Number == platform::err::PathNotFound) RaiseOutlook(olerr::PathNotFound, kNoPath);
        if (failure.Number == platform::err::PermissionDenied) RaiseOutlook(olerr::AccessDenied, kDenied);
        // A write that ran out of room: the folder has less free space than the file needs.
        const auto space = host ? fs::space(host->parent_path(), ec) : fs::space_info{};
        if (host && !ec && space.available < bytes.size() + 4096) RaiseOutlook(olerr::DiskFull, kDiskFull);
        RaiseOutlook(olerr::Failed, kFailed);
    }
}

}  // namespace sim
