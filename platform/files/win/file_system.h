// The file-system object on Windows: Windows paths reach the system's files directly,
// through the wide-character functions.
#pragma once

#include "platform/files/files.h"

namespace platform::files {

class WindowsFileSystem final : public FileSystemObject {
public:
    bool DriveExists(std::string_view drive) override;
    bool FolderExists(std::string_view path) override;
    bool FileExists(std::string_view path) override;
    std::string GetDriveName(std::string_view path) override;
    void CreateFolder(std::string_view path) override;
    void CopyFile(std::string_view source, std::string_view destination, bool overwrite = true) override;
    void DeleteFile(std::string_view path, bool force = false) override;
    std::shared_ptr<TextStream> OpenTextFile(std::string_view path, int32_t mode = ForReading, bool create = false,
                                             int32_t format = TristateFalse) override;
};

}  // namespace platform::files
