// The type library's keys written by hand into the registry store: the library
// itself and each class's default interface, as registering a type library writes them.
#include "platform/com/type_library.h"
#include "platform/registry/registry.h"

namespace platform::com {

namespace {

using registry::Hive;

std::string InterfaceKey(const ClassEntry& c) { return "Interface\\" + c.defaultInterface.ToString(); }
std::string TypeLibKey(const ServerEntry& server) { return "TypeLib\\" + server.libid.ToString(); }

// The proxy of dispatch-compatible interfaces.
constexpr const char* kDispatchProxy = "{00020424-0000-0000-C000-000000000046}";

std::string FolderOf(const std::string& file) {
    auto slash = file.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

}  // namespace

void RegisterTypeLibrary(const ServerEntry& server) {
    const std::string lib = TypeLibKey(server) + "\\" + server.version;
    registry::SetString(Hive::ClassesRoot, lib, "", server.description);
    registry::SetString(Hive::ClassesRoot, lib + "\\0\\win32", "", server.libraryFile);
    registry::SetString(Hive::ClassesRoot, lib + "\\FLAGS", "", "0");
    registry::SetString(Hive::ClassesRoot, lib + "\\HELPDIR", "", FolderOf(server.libraryFile));
    for (const auto& c : server.classes) {
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c), "", "_" + c.name);
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c) + "\\ProxyStubClsid32", "", kDispatchProxy);
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c) + "\\TypeLib", "", server.libid.ToString());
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c) + "\\TypeLib", "Version", server.version);
    }
}

void UnregisterTypeLibrary(const ServerEntry& server) {
    for (const auto& c : server.classes) registry::DeleteTree(Hive::ClassesRoot, InterfaceKey(c));
    registry::DeleteTree(Hive::ClassesRoot, TypeLibKey(server));
}

}  // namespace platform::com
