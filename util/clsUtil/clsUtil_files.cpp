// Files and folders: each operation works with a fresh file-system object in FileSys
// and drops it at its end.
#include "platform/text/text.h"
#include "util/clsUtil/clsUtil.h"

namespace text = platform::text;

bool clsUtil::DoesDriveExist(const std::string& strDrive) {
    FileSys_ = platform::files::NewFileSystemObject();
    bool exists = FileSys_->DriveExists(strDrive);
    FileSys_ = nullptr;
    return exists;
}

bool clsUtil::DoesFolderExist(const std::string& strFolder) {
    FileSys_ = platform::files::NewFileSystemObject();
    bool exists = FileSys_->FolderExists(strFolder);
    FileSys_ = nullptr;
    return exists;
}

// The folder and the file name are run together as given: the folder must end with
// its backslash.
bool clsUtil::DoesFileExist(const std::string& strFolder, const std::string& strFile) {
    FileSys_ = platform::files::NewFileSystemObject();
    bool exists = FileSys_->FileExists(strFolder + strFile);
    FileSys_ = nullptr;
    return exists;
}

// Creates every missing level of the folder, from the drive down.
bool clsUtil::CreateNewFolder(const std::string& strFolder) {
    bool result = false;
    Guard("CreateNewFolder")
        .Exit([&] { FileSys_ = nullptr; })
        .Run([&] {
            FileSys_ = platform::files::NewFileSystemObject();
            std::string prefix = FileSys_->GetDriveName(strFolder) + "\\";
            do {
                long next = text::InStr(text::Len(prefix) + 1, strFolder, "\\");
                prefix = next > 0 ? text::Left(strFolder, next) : strFolder;
                if (!FileSys_->FolderExists(prefix)) FileSys_->CreateFolder(prefix);
            } while (!text::EqualNoCase(prefix, strFolder));
            result = FileSys_->FolderExists(strFolder);
        });
    return result;
}

void clsUtil::UtilCopyFile(const std::string& strSource, const std::string& strDestination, bool bOverwrite) {
    Guard("UtilCopyFile")
        .Exit([&] { FileSys_ = nullptr; })
        .Run([&] {
            FileSys_ = platform::files::NewFileSystemObject();
            FileSys_->CopyFile(strSource, strDestination, bOverwrite);
        });
}

// The flag is the force flag: read-only files are deleted too.
void clsUtil::UtilDeleteFile(const std::string& strFile, bool bOverwrite) {
    Guard("UtilDeleteFile")
        .Exit([&] { FileSys_ = nullptr; })
        .Run([&] {
            FileSys_ = platform::files::NewFileSystemObject();
            FileSys_->DeleteFile(strFile, bOverwrite);
        });
}

bool clsUtil::UtilCreateFileObject() {
    FileSys_ = platform::files::NewFileSystemObject();
    return FileSys_ != nullptr;
}

void clsUtil::UtilDestroyFileObject() { FileSys_ = nullptr; }
