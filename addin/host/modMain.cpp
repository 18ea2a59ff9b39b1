#include "addin/host/modMain.h"

#include "addin/controller/clsQuillet.h"
#include "addin/host/clsQLOutlook.h"
#include "platform/com/class_factory.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/clsUtil_bridge.h"
#include "util/interfaces/class_ids.h"

std::shared_ptr<IclsDbADO> gDb;
std::shared_ptr<_clsUtil> gUtil;
std::shared_ptr<clsQuillet> gController;
std::shared_ptr<IclsOutlook> gOutlook;
std::string gCommonAppData;
std::string gProgramFiles;
std::string gSettingsFolder;

void LibraryStart() {
    static bool started = false;
    if (started) return;
    started = true;
    gDb = platform::com::CreateObjectAs<IclsDbADO>(class_ids::clsDbADO);
    gUtil = platform::com::CreateObjectAs<_clsUtil>(class_ids::clsUtil);
    gController = std::make_shared<clsQuillet>();
    gOutlook = std::make_shared<clsQLOutlook>();
}
