// Creating registered classes: the registry names the library, dlopen loads it once,
// its DllGetClassObject hands out the class factory.
#include "platform/com/server.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "platform/com/library.h"
#include "platform/errors/errors.h"
#include "platform/registry/registry.h"

namespace platform::com {

namespace {

std::string& LoadError() {
    static std::string error;
    return error;
}

// Libraries stay loaded for the life of the process, as COM keeps them until the
// host frees unused ones.
void* Load(const std::string& file) {
    static std::map<std::string, void*> loaded;
    auto it = loaded.find(file);
    if (it != loaded.end()) return it->second;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        LoadError() = why ? why : "cannot load " + file;
        return nullptr;
    }
    loaded.emplace(file, handle);
    return handle;
}

[[noreturn]] void CannotCreate(const std::string& what) {
    Raise(kCannotCreateObject, "ActiveX component can't create object", what);
}

int32_t CallRegistration(const std::string& libraryFile, const char* entry) {
    void* handle = Load(libraryFile);
    if (!handle) return int32_t(0x8007007Eu);  // the module could not be found
    auto fn = reinterpret_cast<DllRegistrationFn>(dlsym(handle, entry));
    if (!fn) {
        LoadError() = std::string("no ") + entry + " in " + libraryFile;
        return int32_t(0x8007007Fu);  // the procedure could not be found
    }
    return fn();
}

}  // namespace

std::shared_ptr<IUnknown> CreateObject(const Guid& clsid) {
    const std::string key = "CLSID\\" + clsid.ToString() + "\\InprocServer32";
    auto file = registry::QueryString(registry::Hive::ClassesRoot, key, "");
    if (!file || file->empty()) CannotCreate(clsid.ToString() + " is not registered");
    void* handle = Load(*file);
    if (!handle) CannotCreate(LoadError());
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject) CannotCreate(*file + " exports no DllGetClassObject");
    std::shared_ptr<IUnknown> factoryObject;
    if (getClassObject(&clsid, &IClassFactory::IID, &factoryObject) != hresult::Ok || !factoryObject)
        CannotCreate(*file + " does not offer " + clsid.ToString());
    auto factory = Query<IClassFactory>(factoryObject);
    if (!factory) CannotCreate(*file + " gave no class factory");
    auto object = factory->CreateInstance();
    if (!object) CannotCreate(*file + " could not create " + clsid.ToString());
    return object;
}

std::shared_ptr<IUnknown> CreateObject(std::string_view progId) {
    auto clsid = registry::QueryString(registry::Hive::ClassesRoot, std::string(progId) + "\\CLSID", "");
    if (!clsid) CannotCreate(std::string(progId) + " is not registered");
    Guid id = Guid::Parse(*clsid);
    if (id == Guid{}) CannotCreate(std::string(progId) + " has a malformed class id");
    return CreateObject(id);
}

std::string ModuleFileName(const void* addressInModule) {
    Dl_info info{};
    if (dladdr(addressInModule, &info) && info.dli_fname) return info.dli_fname;
    return {};
}

int32_t RegisterLibrary(const std::string& libraryFile) { return CallRegistration(libraryFile, "DllRegisterServer"); }
int32_t UnregisterLibrary(const std::string& libraryFile) {
    return CallRegistration(libraryFile, "DllUnregisterServer");
}
std::string LastLoadError() { return LoadError(); }

}  // namespace platform::com
