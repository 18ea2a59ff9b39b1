// What a file on the disk holds, judged from its first bytes and its size before any
// database engine or driver touches it: a project database must never be created,
// repaired or rewritten by merely opening the wrong file. Both providers of Access
// files judge a file the same way and describe a refusal in the same words.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::ado {

enum class DatabaseFileKind {
    Missing,         // no such file (its folder exists)
    NoFolder,        // the folder that should hold it does not exist
    Unreadable,      // a folder, or a file this user may not read
    Empty,           // 0 bytes
    AccessJet,       // a Microsoft Access database, Jet format (.mdb)
    AccessAce,       // a Microsoft Access database, ACE format (.accdb)
    Text,            // a text file
    Unknown,         // some other kind of file
    DamagedDatabase, // a database file whose header or length does not hold together
    Database,        // a database file whose header and length look right
};

struct DatabaseFileInspection {
    DatabaseFileKind kind = DatabaseFileKind::Unknown;
    std::string detail;       // for a damaged database: what is wrong
    uint32_t pageSize = 0;    // for a database: the page size of its header
};

DatabaseFileInspection InspectDatabaseFile(const std::filesystem::path& hostPath);

// The first bytes of a file (at most limit of them), read the platform's way; nullopt
// when it cannot be read.
std::optional<std::string> ReadFileHead(const std::filesystem::path& path, size_t limit);

// Why a file that is not a sound database cannot be used, and what to do about it,
// naming the file as path.
std::string UnusableFileDescription(const std::string& path, const DatabaseFileInspection& inspection);

// A database that its engine found damaged once opened: what the engine said, or
// that the file is shorter than its header says (size against expected bytes).
std::string DamagedDatabaseDescription(const std::string& path, const std::string& engineMessage);
std::string ShortDatabaseDescription(const std::string& path, uintmax_t size, uintmax_t expected);

}  // namespace platform::ado
