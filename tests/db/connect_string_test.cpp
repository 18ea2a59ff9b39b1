// The connection strings the database object builds for each database type.
#include "db_fixture.h"
#include "platform/ado/connection_properties.h"
#include "platform/toolkit/dialogs.h"

namespace dbtest {
namespace {

using platform::toolkit::vbCancel;
using platform::toolkit::vbOK;

class ConnectString : public DbTest {
protected:
    ConnectString() {
        db.DbProvider("Prov");
        db.DbServer("S:\\x\\Db.mdb");
        db.DbName("Catalogue");
        db.UserID("usr");
        db.PassWd("pw");
    }
    std::string Built(const std::string& type) {
        db.DbType(type);
        db.BuildDBConnnectString();
        return db.ConnectString();
    }
    clsDbADO db;
};

TEST_F(ConnectString, EachKnownTypeBuildsItsString) {
    EXPECT_EQ(Built("Access"), "Provider=Prov;Data Source=S:\\x\\Db.mdb;Persist Security Info=False;");
    EXPECT_EQ(Built("Access2007"), "Provider=Prov;Data Source=S:\\x\\Db.mdb;User ID=usr;Pwd=pw;");
    EXPECT_EQ(Built("Text"),
              "Provider=Prov;Data Source=S:\\x\\Db.mdb;Extended Properties=\"text;HDR=No;FMT=Delimited\";");
    EXPECT_EQ(Built("SQLServer"),
              "Provider=Prov;Data Source=S:\\x\\Db.mdb;Initial Catalog=Catalogue;Persist Security Info=False;"
              "User ID=usr;Pwd=pw;");
}

TEST_F(ConnectString, OwnDatabaseExample) {
    auto own = MakeDb("C:\\Data\\Quillet.mdb");
    EXPECT_EQ(own->ConnectString(), kJetString);
}

TEST_F(ConnectString, ValuesThatWouldBeCutAreQuotedAndReadBackWhole) {
    db.DbServer("C:\\Data;Old\\Q.mdb");
    db.UserID(" usr");
    db.PassWd("p\"w;");
    db.DbName("it's \"x\";");
    EXPECT_EQ(Built("Access2007"), "Provider=Prov;Data Source=\"C:\\Data;Old\\Q.mdb\";User ID=\" usr\";Pwd='p\"w;';");
    auto properties = platform::ado::ConnectionProperties::Parse(Built("SQLServer"));
    EXPECT_EQ(properties.Get("Data Source"), "C:\\Data;Old\\Q.mdb");
    EXPECT_EQ(properties.Get("User ID"), " usr");
    EXPECT_EQ(properties.Get("Pwd"), "p\"w;");
    EXPECT_EQ(properties.Get("Initial Catalog"), "it's \"x\";");
    EXPECT_EQ(properties.Get("Persist Security Info"), "False");
}

TEST_F(ConnectString, ExcelIsKnownButLeavesTheStringAsItWas) {
    Built("Access");
    const std::string before = db.ConnectString();
    EXPECT_EQ(Built("Excel"), before);
    EXPECT_TRUE(machine.Person().Seen().empty());
}

TEST_F(ConnectString, UnknownTypesShowTheMessageAndKeepTheString) {
    const std::string text = "The database connection string could not be created.\r\nNo Database type was found.";
    db.ConnectString("kept");
    // The comparison is exact: the type in other capitals, or none, is unknown.
    for (const std::string type : {"access", "", "SQLSERVER", "Oracle"}) {
        machine.Person().ExpectMsgBox("No database available", vbOK, text);
        EXPECT_EQ(Built(type), "kept") << type;
    }
    // Which button is pressed makes no difference.
    machine.Person().ExpectMsgBox("No database available", vbCancel, text);
    EXPECT_EQ(Built("Jet"), "kept");

    ASSERT_EQ(machine.Person().Seen().size(), 5u);
    for (const auto& shown : machine.Person().Seen()) EXPECT_EQ(shown.flags, 1 + 48);
}

TEST_F(ConnectString, PropertiesAreStoredAsGivenAndTouchNothing) {
    clsDbADO fresh;
    EXPECT_EQ(fresh.DbType(), "");
    EXPECT_EQ(fresh.ConnectString(), "");
    EXPECT_EQ(fresh.DbFilePath(), "");
    EXPECT_EQ(fresh.DatabaseFileSpec(), "");
    fresh.DbFilePath("C:\\Data\\");
    fresh.DatabaseFileSpec("C:\\Data\\Quillet.mdb");
    fresh.DbName("Quillet.mdb");
    EXPECT_EQ(fresh.DbFilePath(), "C:\\Data\\");
    EXPECT_EQ(fresh.DatabaseFileSpec(), "C:\\Data\\Quillet.mdb");
    EXPECT_EQ(fresh.DbName(), "Quillet.mdb");
    EXPECT_EQ(fresh.ConnectString(), "");  // only BuildDBConnnectString writes it
    EXPECT_EQ(fresh.DBConn()->State(), platform::ado::adStateClosed);
}

}  // namespace
}  // namespace dbtest
