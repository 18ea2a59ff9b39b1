// What a platform conformance test works in, on every platform: a fresh folder and a
// fresh registry key, both reached the way the system reaches them (Windows paths,
// registry key paths), and dropped with everything in them when the test ends. Here
// they live in a fresh prefix (its C: drive and its registry store); on Windows in the
// temporary folder and under HKEY_CURRENT_USER\Software.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/errors/errors.h"

namespace scratch {

class Folder {
public:
    Folder();
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // The Windows path of a file or folder inside; "" names the folder itself, which
    // ends with a backslash.
    std::string Path(std::string_view relative = "") const;

    // Writes a file (making its folders) / reads one, bytes as given. Both take paths
    // inside, relative or as Path gave them.
    void Write(std::string_view path, std::string_view bytes) const;
    std::string Read(std::string_view path) const;
    void MakeFolder(std::string_view path) const;
    // The file loses (or gets back) every permission to write it.
    void SetReadOnly(std::string_view path, bool readOnly) const;
    bool IsReadOnly(std::string_view path) const;
    // A second name for a file (a hard link): it keeps naming the file it named when the
    // first name is given to another.
    void Link(std::string_view existing, std::string_view second) const;
    // The names of what a folder holds, in name order.
    std::vector<std::string> Names(std::string_view folder = "") const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The file held open by someone else, who lets nobody else open, change or delete it,
// for as long as this lives. The file must exist.
class InUse {
public:
    explicit InUse(std::string_view windowsPath);
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A drive letter ("Q:") that no drive has.
std::string MissingDrive();

// A fresh registry key for the test: Path gives key paths below it (the hive is
// HKEY_CURRENT_USER).
class RegistryKey {
public:
    RegistryKey();
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    std::string Path(std::string_view relative = "") const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The number of the failure the call raises; 0 when it raises none.
template <class Call>
int32_t FailureOf(Call&& call) {
    try {
        std::forward<Call>(call)();
    } catch (const platform::ErrorInfo& failure) {
        return failure.Number;
    }
    return 0;
}

}  // namespace scratch
