// What a library writes into the registry store to register itself as an in-process
// server, and removes again: its type library, its public classes with their ids,
// default interfaces and ProgIDs, apartment threading.
#pragma once

#include <string>
#include <vector>

#include "platform/com/unknown.h"

namespace platform::com {

struct ClassEntry {
    std::string name;  // the class name ("Connect")
    Guid clsid;
    Guid defaultInterface;
};

struct ServerEntry {
    std::string libraryFile;  // the library's own file
    std::string projectName;  // ProgIDs are projectName + "." + class name
    Guid libid;               // the type library
    std::string version;      // "1.0"
    std::string description;  // the type library's description
    std::vector<ClassEntry> classes;
};

// Writes every key of the server; undone exactly by Unregister.
void Register(const ServerEntry& server);
void Unregister(const ServerEntry& server);

}  // namespace platform::com
