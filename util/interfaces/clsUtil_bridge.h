// _clsUtil across the binary boundary: the member table in binding slot order and the
// stand-in another library uses.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/com/bridge.h"
#include "platform/com/error_object.h"
#include "platform/files/files_bridge.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/clsUtil.h"

namespace clsutil {
namespace com = platform::com;
using I = _clsUtil;
using FileSystemObject = platform::files::FileSystemObject;
using TextStream = platform::files::TextStream;

using INIFile_get = com::Get<I, std::string(), &I::INIFile, "INIFile">;
using INIFile_put = com::Put<I, void(const std::string&), &I::INIFile, "INIFile">;
using FileSys_get = com::Get<I, std::shared_ptr<FileSystemObject>(), &I::FileSys, "FileSys">;
using FileSys_put = com::PutRef<I, void(std::shared_ptr<FileSystemObject>), &I::FileSys, "FileSys">;
using UtilFile = com::Get<I, std::shared_ptr<TextStream>(), &I::UtilFile, "UtilFile">;
using NORM_EXIT_ERR = com::Get<I, int32_t(), &I::NORM_EXIT_ERR, "NORM_EXIT_ERR">;
using NORM_EXIT_DESCR = com::Get<I, std::string(), &I::NORM_EXIT_DESCR, "NORM_EXIT_DESCR">;
using CreateNewFolder = com::Method<I, bool(const std::string&), &I::CreateNewFolder, "CreateNewFolder">;
using UtilCopyFile =
    com::Method<I, void(const std::string&, const std::string&, bool), &I::UtilCopyFile, "UtilCopyFile">;
using UtilDeleteFile = com::Method<I, void(const std::string&, bool), &I::UtilDeleteFile, "UtilDeleteFile">;
using DoesDriveExist = com::Method<I, bool(const std::string&), &I::DoesDriveExist, "DoesDriveExist">;
using DoesFileExist =
    com::Method<I, bool(const std::string&, const std::string&), &I::DoesFileExist, "DoesFileExist">;
using DoesFolderExist = com::Method<I, bool(const std::string&), &I::DoesFolderExist, "DoesFolderExist">;
using GetNewProjectNumber = com::Method<I, std::string(const std::string&, std::shared_ptr<IclsDbADO>&),
                                        &I::GetNewProjectNumber, "GetNewProjectNumber">;
using GetSettingINI = com::Method<I,
                                  std::string(const std::string&, const std::string&, const std::string&,
                                              const std::string&, const std::string&),
                                  &I::GetSettingINI, "GetSettingINI">;
using OpenFile = com::Method<I, bool(const std::string&, int32_t, bool), &I::OpenFile, "OpenFile">;
using CloseFile = com::Method<I, bool(), &I::CloseFile, "CloseFile">;
using RemoveIllegalCharacters =
    com::Method<I, std::string(const std::string&), &I::RemoveIllegalCharacters, "RemoveIllegalCharacters">;
using SaveSettingINI = com::Method<I,
                                   int32_t(const std::string&, const std::string&, const std::string&,
                                           const std::string&, const std::string&),
                                   &I::SaveSettingINI, "SaveSettingINI">;
using ShellNewFolder =
    com::Method<I, std::string(int32_t&, const std::string&, bool, const std::optional<std::string>&),
                &I::ShellNewFolder, "ShellNewFolder">;
using UtilStartDoc = com::Method<I,
                                 int32_t(int32_t&, const std::string&, const std::string&, const std::string&,
                                         const std::string&),
                                 &I::UtilStartDoc, "UtilStartDoc">;
using UtilGetDesktopWindow = com::Method<I, int32_t(), &I::UtilGetDesktopWindow, "UtilGetDesktopWindow">;
using UtilCreateFileObject = com::Method<I, bool(), &I::UtilCreateFileObject, "UtilCreateFileObject">;
using UtilDestroyFileObject = com::Method<I, void(), &I::UtilDestroyFileObject, "UtilDestroyFileObject">;
using UtilWinExec = com::Method<I, int32_t(const std::string&), &I::UtilWinExec, "UtilWinExec">;
using UtilSleep = com::Method<I, int32_t(int32_t, bool), &I::UtilSleep, "UtilSleep">;
using ErrHandler = com::Method<I,
                               void(const platform::ErrorInfo&, const std::string&, const std::string&,
                                    const std::string&),
                               &I::ErrHandler, "ErrHandler">;

using Table = com::Table<I, I::IID, INIFile_get, INIFile_put, FileSys_get, FileSys_put, UtilFile, NORM_EXIT_ERR,
                         NORM_EXIT_DESCR, CreateNewFolder, UtilCopyFile, UtilDeleteFile, DoesDriveExist, DoesFileExist,
                         DoesFolderExist, GetNewProjectNumber, GetSettingINI, OpenFile, CloseFile,
                         RemoveIllegalCharacters, SaveSettingINI, ShellNewFolder, UtilStartDoc, UtilGetDesktopWindow,
                         UtilCreateFileObject, UtilDestroyFileObject, UtilWinExec, UtilSleep, ErrHandler>;

// The utility object of another library.
class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    void* QueryInterface(const com::Guid& iid) override {
        return iid == I::IID || iid == com::IUnknown::IID ? static_cast<I*>(this) : nullptr;
    }
    std::string INIFile() override { return Call<INIFile_get>(); }
    void INIFile(const std::string& value) override { Call<INIFile_put>(value); }
    std::shared_ptr<FileSystemObject> FileSys() override { return Call<FileSys_get>(); }
    void FileSys(std::shared_ptr<FileSystemObject> value) override { Call<FileSys_put>(value); }
    std::shared_ptr<TextStream> UtilFile() override { return Call<clsutil::UtilFile>(); }
    int32_t NORM_EXIT_ERR() override { return Call<clsutil::NORM_EXIT_ERR>(); }
    std::string NORM_EXIT_DESCR() override { return Call<clsutil::NORM_EXIT_DESCR>(); }
    bool CreateNewFolder(const std::string& strFolder) override { return Call<clsutil::CreateNewFolder>(strFolder); }
    void UtilCopyFile(const std::string& strSource, const std::string& strDestination, bool bOverwrite) override {
        Call<clsutil::UtilCopyFile>(strSource, strDestination, bOverwrite);
    }
    void UtilDeleteFile(const std::string& strFile, bool bOverwrite) override {
        Call<clsutil::UtilDeleteFile>(strFile, bOverwrite);
    }
    bool DoesDriveExist(const std::string& strDrive) override { return Call<clsutil::DoesDriveExist>(strDrive); }
    bool DoesFileExist(const std::string& strFolder, const std::string& strFile) override {
        return Call<clsutil::DoesFileExist>(strFolder, strFile);
    }
    bool DoesFolderExist(const std::string& strFolder) override { return Call<clsutil::DoesFolderExist>(strFolder); }
    std::string GetNewProjectNumber(const std::string& strSQL, std::shared_ptr<IclsDbADO>& cDbADO) override {
        return Call<clsutil::GetNewProjectNumber>(strSQL, cDbADO);
    }
    std::string GetSettingINI(const std::string& Appl, const std::string& Sec, const std::string& Key,
                              const std::string& DefVal, const std::string& strIniFile) override {
        return Call<clsutil::GetSettingINI>(Appl, Sec, Key, DefVal, strIniFile);
    }
    bool OpenFile(const std::string& strPath, int32_t Mode, bool blnCreate) override {
        return Call<clsutil::OpenFile>(strPath, Mode, blnCreate);
    }
    bool CloseFile() override { return Call<clsutil::CloseFile>(); }
    std::string RemoveIllegalCharacters(const std::string& strFileName) override {
        return Call<clsutil::RemoveIllegalCharacters>(strFileName);
    }
    int32_t SaveSettingINI(const std::string& Appl, const std::string& Sec, const std::string& Key,
                           const std::string& Value, const std::string& strIniFile) override {
        return Call<clsutil::SaveSettingINI>(Appl, Sec, Key, Value, strIniFile);
    }
    std::string ShellNewFolder(int32_t& lHwnd, const std::string& strTitle, bool blnSetRoot,
                               const std::optional<std::string>& strRootFolder) override {
        return Call<clsutil::ShellNewFolder>(lHwnd, strTitle, blnSetRoot, strRootFolder);
    }
    int32_t UtilStartDoc(int32_t& lHwnd, const std::string& strVerb, const std::string& strTitle,
                         const std::string& strParms, const std::string& strFolder) override {
        return Call<clsutil::UtilStartDoc>(lHwnd, strVerb, strTitle, strParms, strFolder);
    }
    int32_t UtilGetDesktopWindow() override { return Call<clsutil::UtilGetDesktopWindow>(); }
    bool UtilCreateFileObject() override { return Call<clsutil::UtilCreateFileObject>(); }
    void UtilDestroyFileObject() override { Call<clsutil::UtilDestroyFileObject>(); }
    int32_t UtilWinExec(const std::string& strCmdLine) override { return Call<clsutil::UtilWinExec>(strCmdLine); }
    int32_t UtilSleep(int32_t lWait, bool bAlert) override { return Call<clsutil::UtilSleep>(lWait, bAlert); }
    void ErrHandler(const platform::ErrorInfo& oErr, const std::string& strModuleName,
                    const std::string& strProcedureName, const std::string& strExeName) override {
        Call<clsutil::ErrHandler>(oErr, strModuleName, strProcedureName, strExeName);
    }
};
}  // namespace clsutil

template <>
struct platform::com::Bridge<_clsUtil> : TableBridge<_clsUtil, clsutil::Table, clsutil::Proxy> {};
