// The error report: one modal message box naming the failure and where it happened.
#include <string>

#include "platform/toolkit/dialogs.h"
#include "util/clsUtil/clsUtil.h"

void clsUtil::ErrHandler(const platform::ErrorInfo& oErr, const std::string& strModuleName,
                         const std::string& strProcedureName, const std::string& strExeName) {
    // The normal exit is recognised by its words alone, whatever its number.
    if (oErr.Description == NORM_EXIT_DESCR()) return;
    std::string message = "Error " + std::to_string(oErr.Number) + ": " + oErr.Description + "\r\n" +
                          "The error occurred in " + strModuleName + ":" + strProcedureName;
    platform::toolkit::MsgBox(message, platform::toolkit::vbOKOnly + platform::toolkit::vbCritical,
                              strExeName + " Error");
}
