// Walks one failure of the file layer through every host call an operation makes, as
// a test VFS does: for each kind of fault, the 1st, then the 2nd, ... call of that
// kind fails, until the operation runs through without meeting it.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/errors/errors.h"
#include "platform/files/posix/fault_injection.h"

namespace fault_loop {

using platform::files::faults::HostCall;

struct Fault {
    HostCall call;
    int hostError;
    bool persistent;
    const char* name;
};

// Every kind of host call, failing as it fails in life.
inline const std::vector<Fault>& Faults() {
    static const std::vector<Fault> faults{
        {HostCall::Read, EIO, false, "read fails"},
        {HostCall::Create, EACCES, false, "create refused"},
        {HostCall::Create, ENOSPC, false, "no room to create"},
        {HostCall::Write, EIO, false, "write fails"},
        {HostCall::Write, ENOSPC, true, "disk full"},
        {HostCall::Flush, EIO, false, "flush fails"},
        {HostCall::Rename, EIO, false, "rename fails"},
        {HostCall::Delete, EACCES, false, "delete refused"},
    };
    return faults;
}

// The files a write left beside its target in a host folder (hidden, named with a dot).
inline int AsideFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".")) ++count;
    return count;
}

// One run of the operation with one fault armed.
struct Run {
    Fault fault;
    int n = 0;            // the n-th call of the fault's kind was to fail
    bool met = false;     // the operation made that call (and it failed)
    int32_t failure = 0;  // the number the operation raised; 0 when it raised none
    std::string Describe() const {
        return std::string(fault.name) + " at call " + std::to_string(n) + (met ? "" : " (not reached)") +
               ", raised " + std::to_string(failure);
    }
};

// For each fault and each n: setup(), then operation() with the fault armed, then
// check(run). Stops a fault's walk at the first run that does not meet it, so the
// last run of each walk is a clean one. Returns the number of runs that met a fault.
template <class Setup, class Operation, class Check>
int ForEachFault(Setup&& setup, Operation&& operation, Check&& check) {
    namespace faults = platform::files::faults;
    int met = 0;
    for (const Fault& fault : Faults()) {
        for (int n = 1; n <= 1000; ++n) {
            setup();
            Run run{fault, n};
            faults::FailNth(fault.call, n, fault.hostError, fault.persistent);
            try {
                operation();
            } catch (const platform::ErrorInfo& error) {
                run.failure = error.Number;
            }
            run.met = faults::Fired();
            faults::Disarm();
            SCOPED_TRACE(run.Describe());
            check(run);
            if (!run.met) break;
            ++met;
        }
    }
    return met;
}

}  // namespace fault_loop
