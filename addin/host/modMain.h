// The add-in library's module-level objects and the library start that creates them.
#pragma once

#include <memory>
#include <string>

class _clsUtil;
class IclsDbADO;
class IclsOutlook;
class clsQuillet;

// The add-in's module name (its error reports' titles) and its title (its own
// message boxes' caption).
inline constexpr const char* kExeName = "Quillet09";
inline constexpr const char* kAppTitle = "Quillet";

extern std::shared_ptr<IclsDbADO> gDb;
extern std::shared_ptr<_clsUtil> gUtil;
extern std::shared_ptr<clsQuillet> gController;
extern std::shared_ptr<IclsOutlook> gOutlook;
extern std::string gCommonAppData;
extern std::string gProgramFiles;
extern std::string gSettingsFolder;

// Creates gDb, gUtil, gController and gOutlook, in this order, once: when the host
// creates the library's first object, before the first connection.
void LibraryStart();
