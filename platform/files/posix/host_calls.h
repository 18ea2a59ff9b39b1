// The host calls through which the file layer reads and changes files: the file-system
// object, the settings files, the registry store and the copies of database files all
// reach the disk through these and nothing else. Each returns 0 or the host's error
// (an errno value), and each can be made to fail on purpose (fault_injection.h).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace platform::files::detail {

// Reads (counted as reads): opening a file to read it, and reading up to size bytes
// (got is 0 at the end of the file).
int OpenForReading(const std::filesystem::path& file, int& fd);
int ReadSome(int fd, char* buffer, std::size_t size, std::size_t& got);

// Creates (counted as creates): a new file that must not exist yet, with the usual
// mode of a new file; an existing or new file opened for writing (emptied unless
// appending); a folder.
int CreateNewFile(const std::filesystem::path& file, int& fd);
int OpenForWriting(const std::filesystem::path& file, bool append, int& fd);
int MakeFolder(const std::filesystem::path& folder);

// Writes every byte, however many calls the host needs.
int WriteAll(int fd, std::string_view bytes);
// Forces what was written to the disk.
int FlushToDisk(int fd);
// Renames a file, replacing whatever file the new name held.
int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
int RemoveFile(const std::filesystem::path& file);

// Closes a file; its errors are those of writes that never reached the disk.
int CloseFile(int fd);

}  // namespace platform::files::detail
