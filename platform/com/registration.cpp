#include "platform/com/registration.h"

#include "platform/registry/registry.h"

namespace platform::com {

namespace {

using registry::Hive;

std::string ProgId(const ServerEntry& server, const ClassEntry& c) { return server.projectName + "." + c.name; }
std::string ClassKey(const ClassEntry& c) { return "CLSID\\" + c.clsid.ToString(); }
std::string InterfaceKey(const ClassEntry& c) { return "Interface\\" + c.defaultInterface.ToString(); }
std::string TypeLibKey(const ServerEntry& server) { return "TypeLib\\" + server.libid.ToString(); }

// The proxy of dispatch-compatible interfaces.
constexpr const char* kDispatchProxy = "{00020424-0000-0000-C000-000000000046}";

std::string FolderOf(const std::string& file) {
    auto slash = file.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

}  // namespace

void Register(const ServerEntry& server) {
    const std::string lib = TypeLibKey(server) + "\\" + server.version;
    registry::SetString(Hive::ClassesRoot, lib, "", server.description);
    registry::SetString(Hive::ClassesRoot, lib + "\\0\\win32", "", server.libraryFile);
    registry::SetString(Hive::ClassesRoot, lib + "\\FLAGS", "", "0");
    registry::SetString(Hive::ClassesRoot, lib + "\\HELPDIR", "", FolderOf(server.libraryFile));

    for (const auto& c : server.classes) {
        const std::string progId = ProgId(server, c);
        registry::SetString(Hive::ClassesRoot, ClassKey(c), "", progId);
        registry::SetString(Hive::ClassesRoot, ClassKey(c) + "\\InprocServer32", "", server.libraryFile);
        registry::SetString(Hive::ClassesRoot, ClassKey(c) + "\\InprocServer32", "ThreadingModel", "Apartment");
        registry::SetString(Hive::ClassesRoot, ClassKey(c) + "\\ProgID", "", progId);
        registry::SetString(Hive::ClassesRoot, ClassKey(c) + "\\TypeLib", "", server.libid.ToString());
        registry::SetString(Hive::ClassesRoot, ClassKey(c) + "\\VERSION", "", server.version);
        registry::SetString(Hive::ClassesRoot, progId, "", progId);
        registry::SetString(Hive::ClassesRoot, progId + "\\CLSID", "", c.clsid.ToString());

        registry::SetString(Hive::ClassesRoot, InterfaceKey(c), "", "_" + c.name);
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c) + "\\ProxyStubClsid32", "", kDispatchProxy);
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c) + "\\TypeLib", "", server.libid.ToString());
        registry::SetString(Hive::ClassesRoot, InterfaceKey(c) + "\\TypeLib", "Version", server.version);
    }
}

void Unregister(const ServerEntry& server) {
    for (const auto& c : server.classes) {
        registry::DeleteTree(Hive::ClassesRoot, ClassKey(c));
        registry::DeleteTree(Hive::ClassesRoot, ProgId(server, c));
        registry::DeleteTree(Hive::ClassesRoot, InterfaceKey(c));
    }
    registry::DeleteTree(Hive::ClassesRoot, TypeLibKey(server));
}

}  // namespace platform::com
