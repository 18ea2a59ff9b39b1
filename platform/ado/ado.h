// ADO as the system uses it: a Connection opened with an OLE DB connection string,
// commands run on it, and Recordsets whose Fields hold Variants.
//
// The classes are concrete, with their members out of line: this machine implements
// them over embedded database files; a Windows build puts the real ADO behind the
// same declarations. Failures raise ErrorInfo with the numbers a caller of ADO sees:
// ADO's own (3021, 3704, 3706, ...) in plain decimal, the provider's as HRESULTs
// (-2147467259 and the others below).
//
// Recordsets use a client-side cursor whatever location is asked for: every row is
// fetched when the recordset opens, RecordCount is exact and moving is free.
// Closing a connection closes the recordsets opened on it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/variant.h"

namespace platform::ado {

enum ObjectStateEnum : int32_t { adStateClosed = 0, adStateOpen = 1 };
enum CursorLocationEnum : int32_t { adUseNone = 1, adUseServer = 2, adUseClient = 3 };
enum CursorTypeEnum : int32_t {
    adOpenUnspecified = -1, adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3,
};
enum LockTypeEnum : int32_t {
    adLockUnspecified = -1, adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};
enum ConnectOptionEnum : int32_t { adConnectUnspecified = -1, adAsyncConnect = 16 };
// A command's options: one command type, plus execute options.
enum CommandTypeEnum : int32_t {
    adCmdUnspecified = -1, adCmdText = 1, adCmdTable = 2, adCmdStoredProc = 4, adCmdUnknown = 8,
    adCmdFile = 256, adCmdTableDirect = 512,
};
enum ExecuteOptionEnum : int32_t {
    adOptionUnspecified = -1, adAsyncExecute = 16, adAsyncFetch = 32, adExecuteNoRecords = 128,
};

// Failure numbers.
namespace adoerr {
inline constexpr int32_t WrongArguments = 3001;    // arguments of the wrong type or out of range
inline constexpr int32_t NoCurrentRecord = 3021;   // BOF or EOF is True
inline constexpr int32_t NotCapable = 3251;        // the provider cannot do that
inline constexpr int32_t ItemNotFound = 3265;      // no field of that name or ordinal
inline constexpr int32_t ObjectClosed = 3704;      // the object is closed
inline constexpr int32_t ObjectOpen = 3705;        // the object is open
inline constexpr int32_t ProviderNotFound = 3706;  // no provider of that name
inline constexpr int32_t ConnectionInvalid = 3709; // the connection is closed or invalid
// The provider's own failures (HRESULTs).
inline constexpr int32_t ProviderFailure = -2147467259;  // the database's errors: files, locks, damage
inline constexpr int32_t CommandError = -2147217900;     // the statement is not valid SQL
inline constexpr int32_t NoSuchTable = -2147217865;      // the statement names a table that does not exist
inline constexpr int32_t MissingValue = -2147217904;     // the statement names an unknown column
inline constexpr int32_t NoTransaction = -2147168242;    // commit or rollback without a transaction
}  // namespace adoerr

class Connection;
class Recordset;

// One field of the current record.
class Field {
public:
    std::string Name() const;
    // The value in the current record; 3021 when there is none (BOF or EOF). Valid
    // until the recordset moves or is asked for another value.
    const Variant& Value() const;
    // The value as text (Variant::ToText), valid as long as Value's; held in scratch
    // when it has to be made, and otherwise where the recordset keeps it.
    std::string_view Text(std::string& scratch) const;

private:
    friend class Fields;
    Field(const Recordset* recordset, int32_t index) : recordset_(recordset), index_(index) {}
    const Recordset* recordset_;
    int32_t index_;
};

// The fields of a recordset.
class Fields {
public:
    int32_t Count() const;
    // By ordinal (0..Count-1) or by name without regard to case; 3265 when none.
    Field Item(int32_t index) const;
    Field Item(std::string_view name) const;

private:
    friend class Recordset;
    explicit Fields(const Recordset* recordset) : recordset_(recordset) {}
    const Recordset* recordset_;
};

class Recordset {
public:
    virtual ~Recordset();

    virtual int32_t State() const = 0;  // adStateClosed or adStateOpen
    virtual CursorLocationEnum CursorLocation() const = 0;
    virtual void CursorLocation(CursorLocationEnum location) = 0;  // 3705 while open

    // Runs source on an open connection (3709 otherwise) and fetches its rows. A
    // source that returns no rows (an INSERT, say) runs and leaves the recordset
    // closed. With adCmdTable or adCmdTableDirect the source is a table name. The
    // connection must be one of this platform's (3001 otherwise).
    virtual void Open(std::string_view source, const std::shared_ptr<Connection>& activeConnection,
                      CursorTypeEnum cursorType = adOpenUnspecified, LockTypeEnum lockType = adLockUnspecified,
                      int32_t options = adCmdUnspecified) = 0;
    virtual void Close() = 0;  // 3704 when closed

    // Before the first record / after the last one. Both True when there are none.
    virtual bool BOF() const = 0;
    virtual bool EndOfFile() const = 0;  // ADO's EOF (a macro name in C and C++)
    virtual void MoveFirst() = 0;        // 3021 when there are no records
    virtual void MoveLast() = 0;         // 3021 when there are no records
    virtual void MoveNext() = 0;         // 3021 at EOF
    virtual void MovePrevious() = 0;     // 3021 at BOF
    virtual int32_t RecordCount() const = 0;
    platform::ado::Fields Fields() const;

    // The fields' count, names and values in the current record (3704 when closed),
    // for Fields and Field.
    virtual int32_t FieldCount() const = 0;
    virtual std::string FieldName(int32_t index) const = 0;
    virtual const Variant& FieldValue(int32_t index) const = 0;
    // For Field::Text; by default the text of FieldValue.
    virtual std::string_view FieldText(int32_t index, std::string& scratch) const;
};

class Connection {
public:
    virtual ~Connection();  // closes an open connection, rolling back an unfinished transaction

    virtual int32_t State() const = 0;  // adStateClosed or adStateOpen
    virtual CursorLocationEnum CursorLocation() const = 0;
    virtual void CursorLocation(CursorLocationEnum location) = 0;
    virtual std::string ConnectionString() const = 0;

    // Opens the database that the connection string names through its "Provider"
    // (3705 when open already). User and password, when given, stand for the
    // string's "User ID" and "Password".
    virtual void Open(std::string_view connectionString, std::string_view userID = {},
                      std::string_view password = {}, int32_t options = adConnectUnspecified) = 0;
    // Closes the connection and the recordsets opened on it (3704 when closed). An
    // unfinished transaction is rolled back.
    virtual void Close() = 0;

    // Runs one statement (3709 when closed). The count of records it changed goes to
    // recordsAffected (-1 for a query). The result is an open recordset for a query,
    // a closed one for other statements, and none with adExecuteNoRecords.
    virtual std::shared_ptr<Recordset> Execute(std::string_view commandText, int32_t* recordsAffected = nullptr,
                                               int32_t options = adOptionUnspecified) = 0;

    // Transactions nest; each returns the nesting level it leaves in force (Begin: the
    // new level, from 1). Commit and rollback without a transaction fail.
    virtual int32_t BeginTrans() = 0;
    virtual int32_t CommitTrans() = 0;
    virtual int32_t RollbackTrans() = 0;

    // Not ADO's: a text that stays the same only as long as the database provably has
    // not changed, whoever changed it: the one open, or, on a closed connection, the
    // one it opened last (looked at through a connection of its own). Empty when that
    // cannot be told (never opened, the database cannot be opened now, a provider
    // that cannot tell). A caller may keep a query's result for as long as it holds.
    virtual std::string ChangeStamp() { return {}; }
};

// A new, closed connection and recordset of this platform.
std::shared_ptr<Connection> NewConnection();
std::shared_ptr<Recordset> NewRecordset();

}  // namespace platform::ado
