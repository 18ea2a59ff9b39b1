// The project-number prompt arrives with the project table; until then the member
// holds its slot and refuses the call.
#include "util/clsUtil/clsUtil.h"

std::string clsUtil::GetNewProjectNumber(const std::string& /*strSQL*/, std::shared_ptr<IclsDbADO>& /*cDbADO*/) {
    platform::Raise(445, "Object doesn't support this action");
}
