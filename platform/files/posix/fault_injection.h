// A switch that makes the file layer's host calls fail on purpose, as a test VFS
// does: the n-th read, create, write, flush, rename or delete fails with the host
// error a test chooses, or the disk fills up. Every call of the file, settings and
// registry code that reads or changes a host file goes through the few calls counted
// here (host_calls.h), so a test can walk a failure through each of them in turn.
//
// Only tests and hosts include this header; the system itself cannot reach it.
#pragma once

#include <cerrno>

namespace platform::files::faults {

enum class HostCall {
    Read,    // reading a file's bytes
    Create,  // making a file or a folder, or opening a file for writing
    Write,   // writing bytes to a file
    Flush,   // forcing a file's bytes to the disk
    Rename,  // renaming a file (over another)
    Delete,  // removing a file
};

// Arms one fault, replacing any armed before: counted from now, the n-th call of that
// kind (1 the first) fails with the host error (an errno value: EIO by default,
// ENOSPC a full disk, EACCES a refusal). A failing write writes the first half of its
// bytes before it fails, as a disk that fills up midway does. Persistent: every later
// call of that kind fails as well.
void FailNth(HostCall call, int n, int hostError = EIO, bool persistent = false);

// The disk is full from the n-th write on.
inline void DiskFullFrom(int nthWrite) { FailNth(HostCall::Write, nthWrite, ENOSPC, true); }

// Disarms the fault; calls are no longer counted.
void Disarm();

// Whether the armed fault has failed a call since it was armed.
bool Fired();

// Arms a fault for its own lifetime.
class ScopedFault {
public:
    ScopedFault(HostCall call, int n, int hostError = EIO, bool persistent = false) {
        FailNth(call, n, hostError, persistent);
    }
    ~ScopedFault() { Disarm(); }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;
};

namespace detail {

// Counts one call of the kind: 0 when it goes ahead, else the host error it fails with.
int Next(HostCall call);

}  // namespace detail

}  // namespace platform::files::faults
