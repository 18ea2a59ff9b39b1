// The add-in's state read by name, for a host that checks it (the simulator's
// "expect field" and "expect db" steps): controller fields, the module-level
// strings and objects ("gController" reads "held" or "released"), and the database
// object's properties ("db.ConnectString").
#include <string>

#include "addin/controller/clsQuillet.h"
#include "addin/host/modMain.h"
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

// True with the value when the name is known (and its object is still held).
QUILLET_EXPORT bool QuilletDiagnostic(const char* name, std::string* value) {
    if (!name || !value) return false;
    auto text = Read(name);
    if (!text) return false;
    *value = *text;
    return true;
}
