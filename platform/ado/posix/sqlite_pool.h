// Idle database handles, kept for a while after their connection closes, as OLE DB's
// resource pooling keeps sessions: the system closes its connection after every
// query, and a handle taken back keeps the pages it has read.
//
// A handle is taken back only by the same process, for the same file, when the file
// has not been touched since the handle was given back (same file, size and
// modification time), when the path still names the very file the handle holds open,
// and after the checks a new handle gets. The engine itself also drops pages that
// another writer has changed since.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/ado/posix/sqlite_database.h"

namespace platform::ado {

// How long an idle handle is kept.
inline constexpr int kPoolIdleSeconds = 60;

// An idle handle on this file, or null.
std::unique_ptr<SqliteDatabase> TakePooledDatabase(const std::filesystem::path& hostPath);

// Keeps a handle whose connection has closed; a transaction still open is rolled
// back first.
void PoolDatabase(std::unique_ptr<SqliteDatabase> database);

}  // namespace platform::ado
