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

// OpenTextFile's modes and formats.
enum IOMode : int32_t { ForReading = 1, ForWriting = 2, ForAppending = 8 };
enum Tristate : int32_t { TristateUseDefault = -2, TristateTrue = -1, TristateFalse = 0 };

// An open text file. Lines end with CRLF when written; CRLF, LF and a lone CR all end
// a line when read. Text passes through as bytes (UTF-8), whatever the format asked.
// A stream read opens on the file's content as it was when opened; what is written
// reaches the file at Close at the latest (and when the stream is dropped).
class TextStream {
public:
    ~TextStream();
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    std::string ReadLine();                      // 62 past the end; 54 when not open for reading
    void WriteLine(std::string_view text = {});  // 54 when not open for writing
    void Write(std::string_view text);           // 54 when not open for writing
    bool AtEndOfStream();                        // 54 when not open for reading
    void Close();  // closing twice does nothing; any other use after Close raises 52

    struct Impl;
    explicit TextStream(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

// The file-system object: one is created per operation and dropped at its end.
class FileSystemObject {
public:
    FileSystemObject();
    ~FileSystemObject();

    // "C:", "c:\", "\\srv\share": whether the drive exists (is mapped).
    bool DriveExists(std::string_view drive);
    bool FolderExists(std::string_view path);
    bool FileExists(std::string_view path);
    // The drive part of a path: "C:" for "C:\a\b", "\\srv\share" for "\\srv\share\x",
    // "" for a path without one.
    std::string GetDriveName(std::string_view path);

    // Creates one folder; its parent must exist (76), it must not (58).
    void CreateFolder(std::string_view path);
    // Copies one file; 58 when the target exists and overwrite is false, 53 when the
    // source is missing, 76 when the target's folder is, 70 when either is locked or
    // the target is read-only (or a folder, or the source itself). A destination that
    // ends with "\" is a folder to copy into. The copy is written beside the target
    // and renamed over it, so a failure never leaves half a file.
    void CopyFile(std::string_view source, std::string_view destination, bool overwrite = true);
    // Deletes one file; a read-only file only with force (70 otherwise); 53 when missing.
    void DeleteFile(std::string_view path, bool force = false);
    // Opens a text file for reading (1), writing (2) or appending (8); with create,
    // a missing file is made (53 otherwise).
    std::shared_ptr<TextStream> OpenTextFile(std::string_view path, int32_t mode = ForReading,
                                             bool create = false, int32_t format = TristateFalse);
};

}  // namespace platform::files
