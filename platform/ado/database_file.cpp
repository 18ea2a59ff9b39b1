#include "platform/ado/database_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <system_error>


namespace platform::ado {

namespace {

namespace fs = std::filesystem;

constexpr size_t kHeaderSize = 100;
constexpr char kDatabaseMagic[] = "SQLite format 3";  // followed by a zero byte

uint32_t BigEndian(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

// Text: no zero bytes and no control characters other than blanks and line ends
// (UTF-8 sequences pass, as do the bytes of other 8-bit code pages).
bool LooksLikeText(const unsigned char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        unsigned char c = bytes[i];
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') return false;
        if (c == 0x7F) return false;
    }
    return true;
}

DatabaseFileInspection Damaged(std::string detail) {
    return {DatabaseFileKind::DamagedDatabase, std::move(detail), 0};
}

}  // namespace

DatabaseFileInspection InspectDatabaseFile(const fs::path& hostPath) {
    std::error_code ec;
    fs::file_status status = fs::status(hostPath, ec);
    if (!fs::exists(status)) {
        fs::path folder = hostPath.parent_path();
        bool folderExists = folder.empty() || fs::is_directory(folder, ec);
        return {folderExists ? DatabaseFileKind::Missing : DatabaseFileKind::NoFolder, {}, 0};
    }
    if (!fs::is_regular_file(status)) return {DatabaseFileKind::Unreadable, {}, 0};

    std::optional<std::string> bytes = ReadFileHead(hostPath, 512);
    if (!bytes) return {DatabaseFileKind::Unreadable, {}, 0};
    uintmax_t size = fs::file_size(hostPath, ec);
    if (ec) return {DatabaseFileKind::Unreadable, {}, 0};
    if (size == 0) return {DatabaseFileKind::Empty, {}, 0};

    std::array<unsigned char, 512> head{};
    const size_t got = bytes->copy(reinterpret_cast<char*>(head.data()), head.size());

    if (got >= 19 && std::memcmp(head.data() + 4, "Standard Jet DB", 15) == 0)
        return {DatabaseFileKind::AccessJet, {}, 0};
    if (got >= 19 && std::memcmp(head.data() + 4, "Standard ACE DB", 15) == 0)
        return {DatabaseFileKind::AccessAce, {}, 0};

    const size_t magicSize = sizeof kDatabaseMagic;  // with its zero byte
    const bool magicPrefix = std::memcmp(head.data(), kDatabaseMagic, std::min(got, magicSize)) == 0;
    if (!magicPrefix) {
        return {LooksLikeText(head.data(), got) ? DatabaseFileKind::Text : DatabaseFileKind::Unknown, {}, 0};
    }
    if (got < kHeaderSize) return Damaged("it is cut short inside its header");

    uint32_t pageSize = BigEndian(head.data() + 16, 2);
    if (pageSize == 1) pageSize = 65536;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return Damaged("its header gives an impossible page size");
    if (head[21] != 64 || head[22] != 32 || head[23] != 32)
        return Damaged("its header is not valid");
    if (size < pageSize) return Damaged("it is cut short inside its first page");

    // The page count in the header is valid only while it was written by the same
    // change as the change counter; the length is checked against it once the file is
    // locked (a writer may be growing it right now).
    return {DatabaseFileKind::Database, {}, pageSize};
}

namespace {

constexpr const char* kMakeOne =
    " A new project database is made with \"quillet-dbtool create FILE\" and filled from a CSV file with "
    "\"quillet-dbtool import FILE CSV\".";

}  // namespace

std::string UnusableFileDescription(const std::string& path, const DatabaseFileInspection& inspection) {
    const std::string file = "'" + path + "'";
    switch (inspection.kind) {
        case DatabaseFileKind::Missing: return "Could not find file " + file + ".";
        case DatabaseFileKind::NoFolder:
            return file + " is not a valid path. Make sure that the path name is spelled correctly and that you "
                   "are connected to the server on which the file resides.";
        case DatabaseFileKind::Unreadable:
            return "The database cannot open the file " + file +
                   ". It is already opened exclusively by another user, or you need permission to view its data.";
        case DatabaseFileKind::Empty:
            return "The file " + file + " is empty (0 bytes): it is not a project database. Put the project "
                   "database in its place, or choose the folder that holds it." + std::string(kMakeOne);
        case DatabaseFileKind::AccessJet:
        case DatabaseFileKind::AccessAce:
            return "The file " + file + " is a Microsoft Access database (" +
                   (inspection.kind == DatabaseFileKind::AccessJet ? "Jet" : "ACE") +
                   " format). On this platform the project database is read only after conversion: export the "
                   "Project table from Access to a CSV file with a header row, then run \"quillet-dbtool create "
                   "FILE\" and \"quillet-dbtool import FILE CSV\" and put the new file in its place.";
        case DatabaseFileKind::Text:
            return "The file " + file + " is a text file, not a project database. Choose the folder that holds the "
                   "project database." + std::string(kMakeOne);
        case DatabaseFileKind::Unknown:
            return "The file " + file + " is not a project database (its contents are of an unknown kind). Choose "
                   "the folder that holds the project database." + std::string(kMakeOne);
        case DatabaseFileKind::DamagedDatabase:
            return "The file " + file + " is a damaged project database: " + inspection.detail +
                   ". Restore the file from a backup copy.";
        case DatabaseFileKind::Database: break;
    }
    return "The file " + file + " cannot be opened.";
}

std::string DamagedDatabaseDescription(const std::string& path, const std::string& engineMessage) {
    return "The file '" + path + "' is a damaged project database (" + engineMessage +
           "). Restore the file from a backup copy.";
}

std::string ShortDatabaseDescription(const std::string& path, uintmax_t size, uintmax_t expected) {
    return "The file '" + path + "' is a damaged project database: it is shorter than its header says (" +
           std::to_string(size) + " of " + std::to_string(expected) +
           " bytes), so part of it is missing. Restore the file from a backup copy.";
}

}  // namespace platform::ado
