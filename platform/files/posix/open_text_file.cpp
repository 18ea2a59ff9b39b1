// HostFileSystem::OpenTextFile.
#include <string>
#include <system_error>
#include <utility>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/posix/host_calls.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/text_stream_impl.h"

namespace platform::files {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kInvalidArgument = 5;

// Lines are gathered and written to the file in large pieces, and at Close.
class HostTextSink final : public TextSink {
public:
    explicit HostTextSink(int fd) : fd_(fd) {}
    ~HostTextSink() override {
        if (fd_ < 0) return;
        detail::WriteAll(fd_, pending_);
        detail::CloseFile(fd_);
    }

    void Put(std::string_view bytes) override {
        pending_ += bytes;
        if (pending_.size() >= kPiece) Drain();
    }

    void Close() override {
        int failure = detail::WriteAll(fd_, std::exchange(pending_, {}));
        int closed = detail::CloseFile(std::exchange(fd_, -1));
        if (failure || closed) RaiseStandard(detail::WindowsNumber(failure ? failure : closed));
    }

private:
    static constexpr size_t kPiece = 64 * 1024;

    void Drain() {
        if (int failure = detail::WriteAll(fd_, std::exchange(pending_, {})))
            RaiseStandard(detail::WindowsNumber(failure));
    }

    int fd_;
    std::string pending_;
};

// The host file opened for writing or appending (made when missing).
int OpenForWriting(const fs::path& host, bool append) {
    int fd = -1;
    if (int failure = detail::OpenForWriting(host, append, fd)) RaiseStandard(detail::WindowsNumber(failure));
    return fd;
}

}  // namespace

// The format (ASCII, Unicode, default) is accepted and ignored: text passes through
// as bytes, UTF-8 being this system's one encoding.
std::shared_ptr<TextStream> HostFileSystem::OpenTextFile(std::string_view path, int32_t mode, bool create,
                                                         int32_t /*format*/) {
    if (mode != ForReading && mode != ForWriting && mode != ForAppending)
        Raise(kInvalidArgument, "Invalid procedure call or argument");
    auto resolved = detail::ResolveOrRaise(path);
    const fs::path& host = resolved.host;
    std::error_code ec;
    if (resolved.windows.components.empty() || fs::is_directory(host, ec)) RaiseStandard(err::PermissionDenied);
    if (resolved.windows.trailingSeparator) RaiseStandard(err::PathNotFound);

    bool exists = fs::exists(host, ec);
    if (!exists) {
        if (!fs::is_directory(host.parent_path(), ec)) RaiseStandard(err::PathNotFound);
        if (!create) RaiseStandard(err::FileNotFound);
    }
    if (detail::IsLockedHost(host)) RaiseStandard(err::PermissionDenied);
    if (exists && mode != ForReading && detail::IsReadOnly(host)) RaiseStandard(err::PermissionDenied);

    if (mode == ForReading) {
        if (!exists) detail::CloseFile(OpenForWriting(host, true));  // made empty, then read
        auto content = detail::ReadHostFile(host);
        if (!content) RaiseStandard(err::PermissionDenied);
        return std::make_shared<FileTextStream>(std::move(*content));
    }
    int fd = OpenForWriting(host, mode == ForAppending);
    return std::make_shared<FileTextStream>(std::make_unique<HostTextSink>(fd));
}

}  // namespace platform::files
