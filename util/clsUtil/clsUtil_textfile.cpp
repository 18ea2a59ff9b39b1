// The one open text file: OpenFile leaves its stream in UtilFile (and FileSys set)
// until CloseFile.
#include "util/clsUtil/clsUtil.h"

bool clsUtil::OpenFile(const std::string& strPath, int32_t Mode, bool blnCreate) {
    bool result = false;
    Guard("OpenFile()").Run([&] {
        FileSys_ = platform::files::NewFileSystemObject();
        UtilFile_ = FileSys_->OpenTextFile(strPath, Mode, blnCreate, platform::files::TristateFalse);
        result = UtilFile_ != nullptr;
    });
    return result;
}

// Its result is false in every case; callers ignore it.
bool clsUtil::CloseFile() {
    Guard("CloseFile()").Run([&] {
        if (!UtilFile_) platform::RaiseStandard(platform::err::ObjectNotSet);
        UtilFile_->Close();
        UtilFile_ = nullptr;
        FileSys_ = nullptr;
    });
    return false;
}
