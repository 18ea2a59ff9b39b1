// The test build of the add-in library: the production library's objects plus one
// more export, through which the simulator and the benchmarks read the add-in's state
// by name ("expect field", "expect db"): controller fields, the module-level strings
// and objects ("gController" reads "held" or "released"), and the database object's
// properties ("db.ConnectString"). The production library exports its four entry
// points alone.
#include <string>

#include "addin/controller/clsQuillet.h"
#include "addin/host/modMain.h"
#include "platform/com/abi_values.h"
#include "platform/com/server.h"
#include "util/interfaces/IclsDbADO.h"

namespace {

std::optional<std::string> DbProperty(std::string_view name) {
    if (!gDb) return std::nullopt;
    if (name == "ConnectString") return gDb->ConnectString();
    if (name == "DbType") return gDb->DbType();
    if (name == "DbProvider") return gDb->DbProvider();
    if (name == "DbName") return gDb->DbName();
    if (name == "DbServer") return gDb->DbServer();
    if (name == "UserID") return gDb->UserID();
    if (name == "PassWd") return gDb->PassWd();
    if (name == "DbFilePath") return gDb->DbFilePath();
    if (name == "DatabaseFileSpec") return gDb->DatabaseFileSpec();
    return std::nullopt;
}

std::string Held(bool held) { return held ? "held" : "released"; }

std::optional<std::string> Read(std::string_view name) {
    if (name == "gDb") return Held(gDb != nullptr);
    if (name == "gUtil") return Held(gUtil != nullptr);
    if (name == "gController") return Held(gController != nullptr);
    if (name == "gOutlook") return Held(gOutlook != nullptr);
    if (name == "gSettingsFolder") return gSettingsFolder;
    if (name == "gCommonAppData") return gCommonAppData;
    if (name == "gProgramFiles") return gProgramFiles;
    if (name.substr(0, 3) == "db.") return DbProperty(name.substr(3));
    if (!gController) return std::nullopt;
    return gController->FieldText(name);
}

}  // namespace

// S_OK with the value (a new BSTR) when the name is known and its object is still
// held; S_FALSE otherwise.
QUILLET_EXPORT platform::com::abi::HRESULT QuilletDiagnostic(const char* name, platform::com::abi::BSTR* value) {
    if (!name || !value) return platform::com::abi::hr::Pointer;
    *value = nullptr;
    auto text = Read(name);
    if (!text) return platform::com::abi::hr::False;
    *value = platform::com::abi::NewBstr(*text);
    return platform::com::abi::hr::Ok;
}
