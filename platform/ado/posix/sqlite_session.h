// The Session of the Access-file provider: statements in the Access dialect that the
// system sends, run on an embedded database file. Closing the session hands its
// handle to the pool (sqlite_pool.h).
#pragma once

#include <memory>

#include "platform/ado/provider.h"
#include "platform/ado/posix/sqlite_database.h"

namespace platform::ado {

std::unique_ptr<Session> MakeSqliteSession(std::unique_ptr<SqliteDatabase> database);

}  // namespace platform::ado
