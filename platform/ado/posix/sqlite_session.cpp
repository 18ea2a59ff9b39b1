#include "platform/ado/posix/sqlite_session.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ado/ado.h"
#include "platform/ado/ado_failures.h"
#include "platform/ado/posix/sqlite_pool.h"
#include "platform/errors/errors.h"

namespace platform::ado {

namespace {

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// Columns declared as Access' Yes/No (or SQL Server's bit) read as Booleans.
bool IsBooleanType(const char* declared) {
    if (!declared) return false;
    for (std::string_view name : {"BOOLEAN", "BOOL", "BIT", "YESNO", "YES/NO", "LOGICAL"})
        if (SameWord(declared, name)) return true;
    return false;
}

class SqliteSession final : public Session {
public:
    explicit SqliteSession(std::unique_ptr<SqliteDatabase> database) : database_(std::move(database)) {}
    ~SqliteSession() override { PoolDatabase(std::move(database_)); }

    RowSet Execute(std::string_view statement, bool wantRows) override {
        sqlite3* db = database_->Handle();
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(db, statement.data(), int(statement.size()), &raw, &tail);
        StatementPtr prepared(raw);
        if (rc != SQLITE_OK) database_->Fail(rc, true);
        if (!prepared)
            Raise(adoerr::CommandError, std::string(kNoStatementText), "Project database");
        RejectTrailingStatement(tail, statement.data() + statement.size());
        // A statement that may write, or any inside or ending a transaction (whose
        // rollback would undo what was read), counts as a change of this handle's.
        const bool writes = !sqlite3_stmt_readonly(prepared.get()) || !sqlite3_get_autocommit(db);

        RowSet result;
        const int columns = sqlite3_column_count(prepared.get());
        result.returnsRows = columns > 0;
        std::vector<bool> boolean(size_t(columns), false);
        result.names.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c) {
            const char* name = sqlite3_column_name(prepared.get(), c);
            result.names.emplace_back(name ? name : "");
            boolean[size_t(c)] = IsBooleanType(sqlite3_column_decltype(prepared.get(), c));
        }

        sqlite3_stmt* s = prepared.get();
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            if (!wantRows) continue;
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(s, c)) {
                    case SQLITE_INTEGER: {
                        const int64_t value = sqlite3_column_int64(s, c);
                        if (boolean[size_t(c)])
                            result.cells.push_back(value != 0);
                        else
                            result.cells.push_back(value);
                        break;
                    }
                    case SQLITE_FLOAT: {
                        const double value = sqlite3_column_double(s, c);
                        if (boolean[size_t(c)])
                            result.cells.push_back(value != 0.0);
                        else
                            result.cells.push_back(value);
                        break;
                    }
                    case SQLITE_TEXT: {
                        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                        result.cells.push_text(std::string_view(text, size_t(sqlite3_column_bytes(s, c))));
                        break;
                    }
                    case SQLITE_BLOB: {
                        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s, c));
                        const size_t size = size_t(sqlite3_column_bytes(s, c));
                        result.cells.push_text(bytes ? std::string_view(bytes, size) : std::string_view());
                        break;
                    }
                    default: result.cells.push_null(); break;
                }
            }
        }
        if (writes || !sqlite3_get_autocommit(db)) database_->NoteWrite();
        if (rc != SQLITE_DONE) database_->Fail(rc);
        if (!result.returnsRows) result.recordsAffected = sqlite3_changes64(db);
        return result;
    }

    std::string ChangeStamp() override { return database_->ChangeStamp(); }
    bool KeepsChangeStamps() const override { return true; }

    void BeginTransaction(int32_t level) override {
        // The outermost level takes the write lock at once: two connections that
        // both read first and then write would otherwise lock each other out.
        if (level == 1)
            database_->Exec("BEGIN IMMEDIATE");
        else
            database_->Exec(("SAVEPOINT level" + std::to_string(level)).c_str());
    }
    void CommitTransaction(int32_t level) override {
        if (level == 1)
            database_->Exec("COMMIT");
        else
            database_->Exec(("RELEASE level" + std::to_string(level)).c_str());
    }
    void RollbackTransaction(int32_t level) override {
        database_->NoteWrite();
        if (level == 1) {
            database_->Exec("ROLLBACK");
        } else {
            const std::string name = "level" + std::to_string(level);
            database_->Exec(("ROLLBACK TO " + name + "; RELEASE " + name).c_str());
        }
    }

private:
    // One statement at a time, as Access takes them: anything but blanks and
    // comments after the first statement is refused.
    void RejectTrailingStatement(const char* tail, const char* end) {
        while (tail && tail < end) {
            sqlite3_stmt* raw = nullptr;
            const char* next = nullptr;
            int rc = sqlite3_prepare_v2(database_->Handle(), tail, int(end - tail), &raw, &next);
            StatementPtr extra(raw);
            if (rc != SQLITE_OK || extra)
                Raise(adoerr::CommandError, std::string(kTrailingStatementText), "Project database");
            if (next == tail) break;
            tail = next;
        }
    }

    std::unique_ptr<SqliteDatabase> database_;
};

}  // namespace

std::unique_ptr<Session> MakeSqliteSession(std::unique_ptr<SqliteDatabase> database) {
    return std::make_unique<SqliteSession>(std::move(database));
}

}  // namespace platform::ado
