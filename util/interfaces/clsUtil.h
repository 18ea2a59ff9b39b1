// _clsUtil: the default interface of the utility object clsUtil, as both libraries
// bind to it. Members are declared in the binding slot order; a property's read
// comes before its write.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/com/unknown.h"
#include "platform/errors/errors.h"
#include "platform/files/files.h"

class IclsDbADO;

class _clsUtil : public platform::com::IUnknown {
public:
    static constexpr platform::com::Guid IID = platform::com::Guid::Parse("{B9340F46-D960-4EBE-82A2-69400352A7A0}");
    using FileSystemObject = platform::files::FileSystemObject;
    using TextStream = platform::files::TextStream;

    virtual std::string INIFile() = 0;
    virtual void INIFile(const std::string& value) = 0;
    virtual std::shared_ptr<FileSystemObject> FileSys() = 0;
    virtual void FileSys(std::shared_ptr<FileSystemObject> value) = 0;
    virtual std::shared_ptr<TextStream> UtilFile() = 0;
    virtual int32_t NORM_EXIT_ERR() = 0;
    virtual std::string NORM_EXIT_DESCR() = 0;

    virtual bool CreateNewFolder(const std::string& strFolder) = 0;
    virtual void UtilCopyFile(const std::string& strSource, const std::string& strDestination,
                              bool bOverwrite = true) = 0;
    virtual void UtilDeleteFile(const std::string& strFile, bool bOverwrite = true) = 0;
    virtual bool DoesDriveExist(const std::string& strDrive) = 0;
    virtual bool DoesFileExist(const std::string& strFolder, const std::string& strFile) = 0;
    virtual bool DoesFolderExist(const std::string& strFolder) = 0;
    virtual std::string GetNewProjectNumber(const std::string& strSQL, std::shared_ptr<IclsDbADO>& cDbADO) = 0;
    virtual std::string GetSettingINI(const std::string& Appl, const std::string& Sec, const std::string& Key,
                                      const std::string& DefVal, const std::string& strIniFile) = 0;
    virtual bool OpenFile(const std::string& strPath, int32_t Mode, bool blnCreate) = 0;
    virtual bool CloseFile() = 0;
    virtual std::string RemoveIllegalCharacters(const std::string& strFileName) = 0;
    virtual int32_t SaveSettingINI(const std::string& Appl, const std::string& Sec, const std::string& Key,
                                   const std::string& Value, const std::string& strIniFile) = 0;
    virtual std::string ShellNewFolder(int32_t& lHwnd, const std::string& strTitle, bool blnSetRoot,
                                       const std::optional<std::string>& strRootFolder = std::nullopt) = 0;
    virtual int32_t UtilStartDoc(int32_t& lHwnd, const std::string& strVerb, const std::string& strTitle,
                                 const std::string& strParms = "", const std::string& strFolder = "") = 0;
    virtual int32_t UtilGetDesktopWindow() = 0;
    virtual bool UtilCreateFileObject() = 0;
    virtual void UtilDestroyFileObject() = 0;
    virtual int32_t UtilWinExec(const std::string& strCmdLine) = 0;
    virtual int32_t UtilSleep(int32_t lWait, bool bAlert) = 0;
    virtual void ErrHandler(const platform::ErrorInfo& oErr, const std::string& strModuleName,
                            const std::string& strProcedureName, const std::string& strExeName = "") = 0;
};
