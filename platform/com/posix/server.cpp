// Creating registered classes: the registry names the library, dlopen loads it once,
// its DllGetClassObject hands out the class factory.
#include "platform/com/server.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "platform/com/abi_values.h"
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

abi::HRESULT CallRegistration(const std::string& libraryFile, const char* entry) {
    void* handle = Load(libraryFile);
    if (!handle) return abi::hr::ModuleNotFound;
    auto fn = reinterpret_cast<DllRegistrationFn>(dlsym(handle, entry));
    if (!fn) {
        LoadError() = std::string("no ") + entry + " in " + libraryFile;
        return abi::hr::ProcNotFound;
    }
    return fn();
}

}  // namespace

abi::IUnknown* CreateInstance(const Guid& clsid) {
    const std::string key = "CLSID\\" + clsid.ToString() + "\\InprocServer32";
    auto file = registry::QueryString(registry::Hive::ClassesRoot, key, "");
    if (!file || file->empty()) CannotCreate(clsid.ToString() + " is not registered");
    void* handle = Load(*file);
    if (!handle) CannotCreate(LoadError());
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject) CannotCreate(*file + " exports no DllGetClassObject");
    abi::IClassFactory* factory = nullptr;
    if (abi::Failed(getClassObject(clsid, abi::IID_IClassFactory, reinterpret_cast<void**>(&factory))) || !factory)
        CannotCreate(*file + " does not offer " + clsid.ToString());
    abi::IUnknown* object = nullptr;
    const abi::HRESULT made = factory->CreateInstance(nullptr, abi::IID_IUnknown, reinterpret_cast<void**>(&object));
    factory->Release();
    if (abi::Failed(made) || !object) {
        if (abi::Failed(made)) {
            ErrorInfo why = abi::FailureOf(made);
            CannotCreate(*file + " could not create " + clsid.ToString() + ": " + why.Description);
        }
        CannotCreate(*file + " could not create " + clsid.ToString());
    }
    return object;
}

abi::IUnknown* CreateInstance(std::string_view progId) {
    auto clsid = registry::QueryString(registry::Hive::ClassesRoot, std::string(progId) + "\\CLSID", "");
    if (!clsid) CannotCreate(std::string(progId) + " is not registered");
    Guid id = Guid::Parse(*clsid);
    if (id == Guid{}) CannotCreate(std::string(progId) + " has a malformed class id");
    return CreateInstance(id);
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
