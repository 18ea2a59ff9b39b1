#include "platform/ado/posix/access_file_provider.h"

#include <algorithm>
#include <string>

#include "platform/ado/ado.h"
#include "platform/ado/database_file.h"
#include "platform/ado/posix/sqlite_pool.h"
#include "platform/ado/posix/sqlite_session.h"
#include "platform/errors/errors.h"
#include "platform/files/posix/prefix.h"

namespace platform::ado {

namespace {

constexpr const char* kSource = "Project database";

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return text;
}

[[noreturn]] void Refuse(std::string description) {
    Raise(adoerr::ProviderFailure, std::move(description), kSource);
}

[[noreturn]] void RefuseFile(const std::string& path, const DatabaseFileInspection& inspection) {
    Refuse(UnusableFileDescription(path, inspection));
}

class AccessFileProvider final : public Provider {
public:
    std::unique_ptr<Session> Connect(const ConnectionProperties& properties, std::string_view,
                                     std::string_view) override {
        // Access files hold no users of their own: "admin" and an empty password are
        // what the system passes, and nothing else is checked.
        const std::string isam = properties.Get("Extended Properties");
        if (!isam.empty() && Lowered(isam).rfind("access", 0) != 0) Refuse("Could not find installable ISAM.");

        const std::string path = properties.Get("Data Source");
        auto host = files::Prefix::HostPath(path);
        if (!host) {
            // A bare file name has no folder to be missing; anything else names a
            // drive or share that is not there.
            const bool bare = path.find_first_of("\\/:") == std::string::npos;
            RefuseFile(path, {bare ? DatabaseFileKind::Missing : DatabaseFileKind::NoFolder, {}, 0});
        }
        const DatabaseFileInspection inspection = InspectDatabaseFile(*host);
        if (inspection.kind != DatabaseFileKind::Database) RefuseFile(path, inspection);
        std::unique_ptr<SqliteDatabase> database = TakePooledDatabase(*host);
        if (database)
            database->Recheck(path, inspection.pageSize);
        else
            database = SqliteDatabase::OpenExisting(*host, path, inspection.pageSize);
        return MakeSqliteSession(std::move(database));
    }
};

}  // namespace

std::shared_ptr<Provider> MakeAccessFileProvider() { return std::make_shared<AccessFileProvider>(); }

}  // namespace platform::ado
