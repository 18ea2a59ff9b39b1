// clsUtil: the utility object of UtilOrvek2. INI access, file and folder operations,
// file-name cleaning, shell operations, the project-number prompt and the error report.
#pragma once

#include "platform/com/server.h"
#include "platform/errors/frame.h"
#include "util/interfaces/clsUtil.h"

class clsUtil final : public _clsUtil {
public:

    void* QueryInterface(const platform::com::Guid& iid) override;

    std::string INIFile() override { return INIFile_; }
    void INIFile(const std::string& value) override { INIFile_ = value; }
    std::shared_ptr<FileSystemObject> FileSys() override { return FileSys_; }
    void FileSys(std::shared_ptr<FileSystemObject> value) override { FileSys_ = std::move(value); }
    std::shared_ptr<TextStream> UtilFile() override { return UtilFile_; }
    int32_t NORM_EXIT_ERR() override { return 57000; }
    std::string NORM_EXIT_DESCR() override { return "No Error - Normal Exit"; }

    bool CreateNewFolder(const std::string& strFolder) override;
    void UtilCopyFile(const std::string& strSource, const std::string& strDestination, bool bOverwrite = true) override;
    void UtilDeleteFile(const std::string& strFile, bool bOverwrite = true) override;
    bool DoesDriveExist(const std::string& strDrive) override;
    bool DoesFileExist(const std::string& strFolder, const std::string& strFile) override;
    bool DoesFolderExist(const std::string& strFolder) override;
    std::string GetNewProjectNumber(const std::string& strSQL, std::shared_ptr<IclsDbADO>& cDbADO) override;
    std::string GetSettingINI(const std::string& Appl, const std::string& Sec, const std::string& Key,
                              const std::string& DefVal, const std::string& strIniFile) override;
    bool OpenFile(const std::string& strPath, int32_t Mode, bool blnCreate) override;
    bool CloseFile() override;
    std::string RemoveIllegalCharacters(const std::string& strFileName) override;
    int32_t SaveSettingINI(const std::string& Appl, const std::string& Sec, const std::string& Key,
                           const std::string& Value, const std::string& strIniFile) override;
    std::string ShellNewFolder(int32_t& lHwnd, const std::string& strTitle, bool blnSetRoot,
                               const std::optional<std::string>& strRootFolder = std::nullopt) override;
    int32_t UtilStartDoc(int32_t& lHwnd, const std::string& strVerb, const std::string& strTitle,
                         const std::string& strParms = "", const std::string& strFolder = "") override;
    int32_t UtilGetDesktopWindow() override;
    bool UtilCreateFileObject() override;
    void UtilDestroyFileObject() override;
    int32_t UtilWinExec(const std::string& strCmdLine) override;
    int32_t UtilSleep(int32_t lWait, bool bAlert) override;
    void ErrHandler(const platform::ErrorInfo& oErr, const std::string& strModuleName,
                    const std::string& strProcedureName, const std::string& strExeName = "") override;

private:
    // The error frame of a guarded member: reports as "clsUtil" under its procedure name.
    platform::ErrorFrame Guard(const char* procedure);

    std::string INIFile_;
    std::shared_ptr<FileSystemObject> FileSys_;
    std::shared_ptr<TextStream> UtilFile_;
    platform::com::ServerLock lock_;
};
