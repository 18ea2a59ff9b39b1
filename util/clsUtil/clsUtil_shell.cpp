// Shell operations: the folder picker, opening documents, and plain system calls.
#include "platform/shell/shell.h"
#include "platform/toolkit/dialogs.h"
#include "util/clsUtil/clsUtil.h"

namespace {
// Only file-system folders may be chosen; the new-style dialog with its new-folder button.
constexpr int32_t kPickerOptions = 0x41;
}  // namespace

std::string clsUtil::ShellNewFolder(int32_t& lHwnd, const std::string& strTitle, bool blnSetRoot,
                                    const std::optional<std::string>& strRootFolder) {
    std::optional<std::string> root;
    if (blnSetRoot) root = strRootFolder.value_or("");
    return platform::toolkit::BrowseForFolder(lHwnd, strTitle, kPickerOptions, root);
}

// An empty parameter or folder is passed as no string at all.
int32_t clsUtil::UtilStartDoc(int32_t& lHwnd, const std::string& strVerb, const std::string& strTitle,
                              const std::string& strParms, const std::string& strFolder) {
    int32_t result = 0;
    Guard("StartDoc").Run([&] {
        std::optional<std::string> parameters, folder;
        if (!strParms.empty()) parameters = strParms;
        if (!strFolder.empty()) folder = strFolder;
        result = platform::shell::ShellExecuteA(lHwnd, strVerb, strTitle, parameters, folder,
                                                platform::shell::sw::ShowNormal);
    });
    return result;
}

int32_t clsUtil::UtilWinExec(const std::string& strCmdLine) {
    return platform::shell::WinExec(strCmdLine, platform::shell::sw::ShowNormal);
}

int32_t clsUtil::UtilGetDesktopWindow() { return platform::shell::GetDesktopWindow(); }

int32_t clsUtil::UtilSleep(int32_t lWait, bool bAlert) {
    int32_t result = 0;
    Guard("UtilSleep").Run([&] { result = platform::shell::SleepEx(lWait, bAlert); });
    return result;
}
