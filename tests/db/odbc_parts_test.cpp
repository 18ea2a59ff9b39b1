// The pieces of the ODBC provider that need no driver: which driver a provider name
// and a file lead to, the connection strings, reading a command, and what a driver's
// diagnostics become.
#include <gtest/gtest.h>

#include "platform/ado/ado.h"
#include "platform/ado/odbc/odbc_drivers.h"
#include "platform/ado/odbc/odbc_failures.h"
#include "platform/ado/odbc/statement_text.h"
#include "platform/errors/errors.h"

namespace {

using namespace platform::ado;
using namespace platform::ado::odbc;

TEST(OdbcDrivers, ProviderNamesWithoutRegardToCase) {
    EXPECT_EQ(DatabaseOf("microsoft.jet.oledb.4.0"), Database::AccessFile);
    EXPECT_EQ(DatabaseOf("Microsoft.ACE.OLEDB.16.0"), Database::AccessFile);
    EXPECT_EQ(DatabaseOf("sqlncli11"), Database::SqlServer);
    EXPECT_EQ(DatabaseOf("MSOLEDBSQL"), Database::SqlServer);
    EXPECT_FALSE(DatabaseOf("MSDASQL").has_value());
    EXPECT_FALSE(DatabaseOf("").has_value());
}

TEST(OdbcDrivers, TheFirstInstalledDriverInOrderOfPreference) {
    const std::vector<std::string> both = {"sqlite3", "SQL Server", "SQLite3 ODBC Driver"};
    EXPECT_EQ(FirstInstalled(kSqliteFileDrivers, both), "SQLite3 ODBC Driver");
    EXPECT_EQ(FirstInstalled(kSqliteFileDrivers, {"SQLite", "sqlite3"}), "sqlite3");
    EXPECT_FALSE(FirstInstalled(kSqliteFileDrivers, {"SQLite"}).has_value());
    // The older Access driver reads Jet files only.
    const std::vector<std::string> older = {"Microsoft Access Driver (*.mdb)"};
    EXPECT_EQ(FirstInstalled(kJetFileDrivers, older), "Microsoft Access Driver (*.mdb)");
    EXPECT_FALSE(FirstInstalled(kAceFileDrivers, older).has_value());
}

TEST(OdbcConnectionStrings, ValuesWithSeparatorsGoInBraces) {
    EXPECT_EQ(OdbcValue("C:\\Data\\Quillet.mdb"), "C:\\Data\\Quillet.mdb");
    EXPECT_EQ(OdbcValue(""), "");
    EXPECT_EQ(OdbcValue("a;b"), "{a;b}");
    EXPECT_EQ(OdbcValue("x}y{"), "{x}}y{}");
    EXPECT_EQ(OdbcValue(" pad"), "{ pad}");
    EXPECT_EQ(OdbcValue("k=v"), "{k=v}");
}

TEST(OdbcConnectionStrings, EachDriversString) {
    EXPECT_EQ(AccessConnectionString("Microsoft Access Driver (*.mdb, *.accdb)", "P:\\Jobs; old\\Quillet.mdb", "admin",
                                     "se;cret}"),
              "DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ={P:\\Jobs; old\\Quillet.mdb};UID=admin;"
              "PWD={se;cret}}};");
    EXPECT_EQ(SqlServerConnectionString("SQL Server", "DBHOST\\SQLEXPRESS", "Plexar", "PXR", "qvz"),
              "DRIVER={SQL Server};SERVER=DBHOST\\SQLEXPRESS;DATABASE=Plexar;UID=PXR;PWD=qvz;");
    EXPECT_EQ(SqliteConnectionString("SQLite3", "/srv/data/Quillet.mdb", 5000),
              "DRIVER={SQLite3};Database=/srv/data/Quillet.mdb;NoCreat=1;Timeout=5000;");
}

TEST(OdbcConnectionStrings, TheSqliteDriverTakesAnAwkwardPathAsAUri) {
    // It reads no braces: the path goes percent-encoded, opened for reading and writing only.
    EXPECT_EQ(SqliteConnectionString("SQLite3", "/srv/a;b {c}/Qu%é.mdb", 5000),
              "DRIVER={SQLite3};Database=file:/srv/a%3Bb%20%7Bc%7D/Qu%25%C3%A9.mdb?mode=rw;NoCreat=1;Timeout=5000;");
    EXPECT_EQ(SqliteConnectionString("SQLite3 ODBC Driver", "C:\\Data\\a;b.mdb", 5000),
              "DRIVER={SQLite3 ODBC Driver};Database=file:///C:/Data/a%3Bb.mdb?mode=rw;NoCreat=1;Timeout=5000;");
    EXPECT_EQ(SqliteConnectionString("SQLite3 ODBC Driver", "\\\\srv\\jobs\\a;b.mdb", 5000),
              "DRIVER={SQLite3 ODBC Driver};Database=file:////srv/jobs/a%3Bb.mdb?mode=rw;NoCreat=1;Timeout=5000;");
}

TEST(OdbcCommands, OneStatementAndWhatMayFollowIt) {
    CommandStatement one = ReadCommand("SELECT max([Project Number]) FROM Project; ");
    EXPECT_EQ(one.shape, CommandStatement::Shape::One);
    EXPECT_EQ(one.statement, "SELECT max([Project Number]) FROM Project");
    EXPECT_EQ(ReadCommand("SELECT 1;; -- done\n/* really */ ").statement, "SELECT 1");
    EXPECT_EQ(ReadCommand("SELECT 1 -- no semicolon").statement, "SELECT 1");
    // Semicolons and comment marks inside quotes belong to the statement.
    const std::string quoted = "UPDATE Project SET [a;b] = 'x; -- y', \"c;\" = 'it''s; /*' WHERE `d;` = 1";
    EXPECT_EQ(ReadCommand(quoted + ";").statement, quoted);
    EXPECT_EQ(ReadCommand("SELECT 'open;").statement, "SELECT 'open;");  // the driver judges it
}

TEST(OdbcCommands, NoStatementOrMoreThanOne) {
    EXPECT_EQ(ReadCommand("").shape, CommandStatement::Shape::None);
    EXPECT_EQ(ReadCommand("  \r\n -- nothing\n /* at all */ ;").shape, CommandStatement::Shape::None);
    EXPECT_EQ(ReadCommand("DELETE FROM Project; DELETE FROM Project").shape, CommandStatement::Shape::More);
    EXPECT_EQ(ReadCommand("SELECT 1; x").shape, CommandStatement::Shape::More);
}

Diagnostic Record(std::string state, int32_t native, std::string message) {
    return {std::move(state), native, std::move(message)};
}

TEST(OdbcDiagnostics, TheDriversWordsWithoutTags) {
    EXPECT_EQ(DriverMessage(Record("42S02", -1305,
                                   "[Microsoft][ODBC Microsoft Access Driver] The Microsoft Access database engine "
                                   "cannot find the input table or query 'Projects'.")),
              "The Microsoft Access database engine cannot find the input table or query 'Projects'.");
    EXPECT_EQ(DriverMessage(Record("HY000", 1, "[SQLite]no such table: Projects (1)")), "no such table: Projects");
    EXPECT_EQ(DriverMessage(Record("HY000", 5, "[SQLite]busy (1)")), "busy (1)");  // not its own number
    EXPECT_EQ(DriverMessage(Record("IM002", 0, "[unixODBC][Driver Manager]Data source name not found")),
              "Data source name not found");
}

TEST(OdbcDiagnostics, TheSameNumbersAsTheEnginesProvider) {
    auto number = [](Diagnostic record, Dialect dialect) { return FailureNumber({std::move(record)}, dialect); };
    // Standard states, whatever the driver.
    EXPECT_EQ(number(Record("42S02", -1305, "no table"), Dialect::Access), adoerr::NoSuchTable);
    EXPECT_EQ(number(Record("07002", -3010, "Too few parameters. Expected 1."), Dialect::Access),
              adoerr::MissingValue);
    EXPECT_EQ(number(Record("42S22", 207, "Invalid column name 'Nope'."), Dialect::SqlServer), adoerr::MissingValue);
    EXPECT_EQ(number(Record("37000", -3500, "Syntax error"), Dialect::Access), adoerr::CommandError);
    EXPECT_EQ(number(Record("42000", 102, "Incorrect syntax"), Dialect::SqlServer), adoerr::CommandError);
    EXPECT_EQ(number(Record("IM002", 0, "not found"), Dialect::Sqlite), adoerr::ProviderNotFound);
    EXPECT_EQ(number(Record("HY000", -1, "Unrecognized database format"), Dialect::Access), adoerr::ProviderFailure);
    // The SQLite3 driver says everything with HY000 and the engine's result code.
    EXPECT_EQ(number(Record("HY000", 1, "[SQLite]no such table: X (1)"), Dialect::Sqlite), adoerr::NoSuchTable);
    EXPECT_EQ(number(Record("HY000", 1, "[SQLite]no such column: Y (1)"), Dialect::Sqlite), adoerr::MissingValue);
    EXPECT_EQ(number(Record("HY000", 1, "[SQLite]near \"SELEC\": syntax error (1)"), Dialect::Sqlite),
              adoerr::CommandError);
    EXPECT_EQ(number(Record("HY000", 5, "[SQLite]database is locked (5)"), Dialect::Sqlite), adoerr::ProviderFailure);
    EXPECT_EQ(number(Record("HY000", 1, "no such table: X"), Dialect::Access), adoerr::ProviderFailure);
    EXPECT_EQ(FailureNumber({}, Dialect::Access), adoerr::ProviderFailure);
}

TEST(OdbcDiagnostics, AFilesTroubleInTheEnginesProvidersWords) {
    auto raised = [](Diagnostic record, const std::string& path) {
        try {
            RaiseDiagnostics({std::move(record)}, Dialect::Sqlite, path);
        } catch (const platform::ErrorInfo& e) {
            return std::to_string(e.Number) + " " + e.Description;
        }
        return std::string("nothing raised");
    };
    EXPECT_EQ(raised(Record("HY000", 11, "[SQLite]database disk image is malformed (11)"), "C:\\D\\Q.mdb"),
              "-2147467259 The file 'C:\\D\\Q.mdb' is a damaged project database (database disk image is "
              "malformed). Restore the file from a backup copy.");
    EXPECT_EQ(raised(Record("HY000", 14, "[SQLite]connect failed"), "C:\\D\\Q.mdb"),
              "-2147467259 The database cannot open the file 'C:\\D\\Q.mdb'. It is already opened exclusively by "
              "another user, or you need permission to view its data.");
    EXPECT_EQ(raised(Record("HY000", 1, "[SQLite]no such column: Nope (1)"), "C:\\D\\Q.mdb"),
              "-2147217904 No value given for one or more required parameters: the statement names 'Nope', which "
              "is no column of its tables.");
    EXPECT_EQ(raised(Record("HY000", 1, "[SQLite]no such table: Project (1)"), ""),
              "-2147217865 The database cannot find the input table or query 'Project'. Make sure it exists and "
              "that its name is spelled correctly.");
    EXPECT_EQ(raised(Record("IM002", 0, "[unixODBC][Driver Manager]Data source name not found"), ""),
              "3706 Provider cannot be found. It may not be properly installed. Data source name not found");
}

}  // namespace
