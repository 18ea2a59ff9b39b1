// The database object itself: its interfaces, its cursor and lock settings and its
// reserved members.
#include "util/interfaces/class_ids.h"
#include "db_fixture.h"
#include "platform/com/unknown.h"

namespace dbtest {
namespace {

using namespace platform::ado;

TEST(DbObject, AnswersItsInterfacesOnly) {
    auto db = std::make_shared<clsDbADO>();
    std::shared_ptr<platform::com::IUnknown> unknown = db;
    auto viaInterface = platform::com::Query<IclsDbADO>(unknown);
    ASSERT_TRUE(viaInterface);
    EXPECT_EQ(viaInterface.get(), static_cast<IclsDbADO*>(db.get()));
    EXPECT_TRUE(platform::com::Query<platform::com::IUnknown>(unknown));
    // Not the utility object's interface, for one.
    EXPECT_EQ(db->QueryInterface(platform::com::Guid::Parse("{B9340F46-D960-4EBE-82A2-69400352A7A0}")), nullptr);
    EXPECT_EQ(IclsDbADO::IID.ToString(), "{7B388241-E024-45E8-A917-C4AC99AA21ED}");
    EXPECT_EQ(class_ids::clsDbADO.ToString(), "{02A7052C-E908-4A73-BAD9-CDDB89D3AAE3}");
}

TEST(DbObject, CursorAndLockSettingsStartAtClientDynamicOptimistic) {
    clsDbADO db;
    EXPECT_EQ(db.CursorLocation(), adUseClient);
    EXPECT_EQ(db.CursorType(), adOpenDynamic);
    EXPECT_EQ(db.LockType(), adLockOptimistic);
}

TEST(DbObject, LetsKeepOnlyValuesAdoKnows) {
    clsDbADO db;
    db.CursorLocation(CursorLocationEnum(1));  // adUseNone is not taken
    EXPECT_EQ(db.CursorLocation(), adUseClient);
    db.CursorLocation(adUseServer);
    EXPECT_EQ(db.CursorLocation(), adUseServer);
    db.CursorLocation(CursorLocationEnum(4));
    EXPECT_EQ(db.CursorLocation(), adUseServer);

    db.CursorType(CursorTypeEnum(-1));
    db.CursorType(CursorTypeEnum(4));
    EXPECT_EQ(db.CursorType(), adOpenDynamic);
    db.CursorType(adOpenForwardOnly);
    EXPECT_EQ(db.CursorType(), adOpenForwardOnly);
    db.CursorType(adOpenStatic);
    EXPECT_EQ(db.CursorType(), adOpenStatic);

    db.LockType(LockTypeEnum(0));
    db.LockType(LockTypeEnum(5));
    EXPECT_EQ(db.LockType(), adLockOptimistic);
    db.LockType(adLockReadOnly);
    EXPECT_EQ(db.LockType(), adLockReadOnly);
    db.LockType(adLockBatchOptimistic);
    EXPECT_EQ(db.LockType(), adLockBatchOptimistic);
}

TEST(DbObject, ReservedMembersGiveEmptyValues) {
    clsDbADO db;
    std::shared_ptr<Recordset> rs;
    EXPECT_EQ(db.ExecuteResultSet("SELECT 1"), nullptr);
    EXPECT_FALSE(db.FindInRecordset("x", rs));
    EXPECT_EQ(db.AffectedRowCount(), 0);
    EXPECT_EQ(db.ErrorDesc(), "");
    EXPECT_EQ(db.ErrorNumber(), 0);
    EXPECT_EQ(db.RowCount(), 0);
    db.MaxRecords(50);
    EXPECT_EQ(db.MaxRecords(), 0);
    // Nothing of them touched the connection.
    EXPECT_EQ(db.DBConn()->State(), adStateClosed);
}

TEST(DbObject, TheConnectionIsSharedAndNeverReplaced) {
    clsDbADO db;
    auto conn = db.DBConn();
    EXPECT_EQ(conn, db.DBConn());
    EXPECT_EQ(conn->State(), adStateClosed);
    EXPECT_EQ(db.CloseConn(), 0);  // closing a closed connection is no failure
    EXPECT_EQ(conn, db.DBConn());
}

TEST(DbObject, QueryResultIsColumnFirst) {
    QueryResult empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.Columns(), 0u);
    EXPECT_EQ(empty.Rows(), 0u);

    QueryResult array(2, 3);
    EXPECT_FALSE(array.empty());
    array.Set(1, 2, "last");
    array.Set(0, 1, "a");
    EXPECT_EQ(array.at(1, 2), "last");
    EXPECT_EQ(array(0, 0), "");
    try {
        array.at(2, 0);
        FAIL() << "no failure";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 9);
    }
    EXPECT_THROW(array.at(0, 3), platform::ErrorInfo);

    array.ResizeRows(4);  // a row more, the values kept
    EXPECT_EQ(array.Rows(), 4u);
    EXPECT_EQ(array(1, 2), "last");
    EXPECT_EQ(array(0, 1), "a");
    EXPECT_EQ(array(1, 3), "");
    array.ResizeRows(2);
    EXPECT_EQ(array(0, 1), "a");
    EXPECT_THROW(array.at(1, 2), platform::ErrorInfo);
}

}  // namespace
}  // namespace dbtest
