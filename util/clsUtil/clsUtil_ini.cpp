// INI access through the private-profile functions. The application argument is
// accepted and ignored.
#include "platform/profile/profile.h"
#include "util/clsUtil/clsUtil.h"

std::string clsUtil::GetSettingINI(const std::string& /*Appl*/, const std::string& Sec, const std::string& Key,
                                   const std::string& DefVal, const std::string& strIniFile) {
    constexpr uint32_t kBuffer = 512;
    std::string value = platform::profile::GetPrivateProfileStringA(Sec, Key, DefVal, kBuffer, strIniFile);
    // A missing key and a key with an empty value both give the default.
    return value.empty() ? DefVal : value;
}

int32_t clsUtil::SaveSettingINI(const std::string& /*Appl*/, const std::string& Sec, const std::string& Key,
                                const std::string& Value, const std::string& strIniFile) {
    return platform::profile::WritePrivateProfileStringA(Sec, Key, Value, strIniFile);
}
