// The file system as the system sees it: Windows paths, the file-system object and
// its text streams, and drive types.
//
// Paths are Windows paths ("C:\ProgramData\Quillet\", "\\server\share\x"). On this
// machine they reach real files through the prefix's drive map (prefix.h): each
// drive letter and each \\server\share names a host folder and a drive type; an
// unmapped drive does not exist; path components compare without regard to case.
//
// Failures raise ErrorInfo with Windows' numbers: 52 "Bad file name or number" (a
// closed stream), 53 "File not found", 54 "Bad file mode", 58 "File already exists",
// 62 "Input past end of file", 70 "Permission denied" (also a file in use by someone
// else), 75 "Path/File access error" (also a name no Windows file may have: one of
// <>:"|?* or a control character), 76 "Path not found" (also an unmapped drive, and
// ".." above a drive's root). "Read-only" is a file without any write permission bit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Windows' headers make CopyFile and DeleteFile macros for their own functions; the
// file-system object keeps its members' names in every translation unit.
#ifdef CopyFile
#undef CopyFile
#endif
#ifdef DeleteFile
#undef DeleteFile
#endif

namespace platform::files {

// GetDriveTypeA's answers.
enum class DriveType : int32_t {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// The type of the drive that holds the path ("C:\", "\\srv\share\"); NoRootDir when
// the path names no drive that exists (an empty path included).
DriveType GetDriveTypeA(std::string_view rootPath);

// Whether two paths name the same existing file, whatever their spelling (other
// capitals, a mapped drive and the share behind it).
bool SameFile(std::string_view a, std::string_view b);

// Writes a whole file in one step: the bytes go to a new file beside it, reach the
// disk, and then take the old file's place (keeping its mode), so the file holds its
// old content or the new, never part of one, and a failure leaves nothing beside it.
// 70 when the file is read-only, in use by someone else or a folder, or the system
// refuses; 76 when its folder is missing; 75 for other failures (a full disk).
void WriteFileAtomically(std::string_view windowsPath, std::string_view bytes);

// OpenTextFile's modes and formats.
enum IOMode : int32_t { ForReading = 1, ForWriting = 2, ForAppending = 8 };
enum Tristate : int32_t { TristateUseDefault = -2, TristateTrue = -1, TristateFalse = 0 };

// An open text file. Lines end with CRLF when written; CRLF, LF and a lone CR all end
// a line when read. Text passes through as bytes (UTF-8), whatever the format asked.
// A stream read opens on the file's content as it was when opened; what is written
// reaches the file at Close at the latest (and when the stream is dropped).
class TextStream {
public:
    virtual ~TextStream();

    virtual std::string ReadLine() = 0;                      // 62 past the end; 54 when not open for reading
    virtual void WriteLine(std::string_view text = {}) = 0;  // 54 when not open for writing
    virtual void Write(std::string_view text) = 0;           // 54 when not open for writing
    virtual bool AtEndOfStream() = 0;                        // 54 when not open for reading
    virtual void Close() = 0;  // closing twice does nothing; any other use after Close raises 52
};

// The file-system object: one is created per operation and dropped at its end.
class FileSystemObject {
public:
    virtual ~FileSystemObject();

    // "C:", "c:\", "\\srv\share": whether the drive exists (is mapped).
    virtual bool DriveExists(std::string_view drive) = 0;
    virtual bool FolderExists(std::string_view path) = 0;
    virtual bool FileExists(std::string_view path) = 0;
    // The drive part of a path: "C:" for "C:\a\b", "\\srv\share" for "\\srv\share\x",
    // "" for a path without one.
    virtual std::string GetDriveName(std::string_view path) = 0;

    // Creates one folder; its parent must exist (76), it must not (58).
    virtual void CreateFolder(std::string_view path) = 0;
    // Copies one file; 58 when the target exists and overwrite is false, 53 when the
    // source is missing, 76 when the target's folder is, 70 when either is locked or
    // the target is read-only (or a folder, or the source itself), 75 when the copy
    // cannot be written (a full disk). A destination that ends with "\" is a folder to
    // copy into. The copy is written beside the target, reaches the disk and is then
    // renamed over it, so a failure never leaves half a file; it takes the source's
    // read-only state, as Windows' copy takes the source's attributes.
    virtual void CopyFile(std::string_view source, std::string_view destination, bool overwrite = true) = 0;
    // Deletes one file; a read-only file only with force (70 otherwise); 53 when missing.
    virtual void DeleteFile(std::string_view path, bool force = false) = 0;
    // Opens a text file for reading (1), writing (2) or appending (8); with create,
    // a missing file is made (53 otherwise).
    virtual std::shared_ptr<TextStream> OpenTextFile(std::string_view path, int32_t mode = ForReading,
                                                     bool create = false, int32_t format = TristateFalse) = 0;
};

// A new file-system object of this platform.
std::shared_ptr<FileSystemObject> NewFileSystemObject();

}  // namespace platform::files
