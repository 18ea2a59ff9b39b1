// What a file on the disk holds, judged from its first bytes and its size before any
// database engine touches it: a project database must never be created, repaired or
// rewritten by merely opening the wrong file.
#pragma once

#include <cstdint>
#include <filesystem>
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

// Why a file that is not a sound database cannot be used, and what to do about it,
// naming the file as path.
std::string UnusableFileDescription(const std::string& path, const DatabaseFileInspection& inspection);

}  // namespace platform::ado
