#include "platform/com/registration.h"

#include "platform/com/type_library.h"
#include "platform/registry/registry.h"

namespace platform::com {

namespace {

using registry::Hive;

std::string ProgId(const ServerEntry& server, const ClassEntry& c) { return server.projectName + "." + c.name; }
std::string ClassKey(const ClassEntry& c) { return "CLSID\\" + c.clsid.ToString(); }

}  // namespace

void Register(const ServerEntry& server) {
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
    }
    RegisterTypeLibrary(server);
}

void Unregister(const ServerEntry& server) {
    for (const auto& c : server.classes) {
        registry::DeleteTree(Hive::ClassesRoot, ClassKey(c));
        registry::DeleteTree(Hive::ClassesRoot, ProgId(server, c));
    }
    UnregisterTypeLibrary(server);
}

}  // namespace platform::com
