// The statements of clsDbADO: commands, recordsets and the query result array.
#include "util/clsDbADO/clsDbADO.h"

#include <string>
#include <vector>

#include "util/clsUtil/clsUtil.h"

using namespace platform::ado;

std::shared_ptr<Recordset> clsDbADO::ExecuteCommand(const std::string& strSQL, int32_t* lRecordsAffected,
                                                    int32_t lOptions) {
    if (OpenConn() != adStateOpen) RaiseNormalExit();
    // The connection stays open.
    return m_Conn->Execute(strSQL, lRecordsAffected, lOptions);
}

void clsDbADO::OpenRecordSet(const std::string& strSQL, std::shared_ptr<Recordset>& rs,
                             std::optional<CursorTypeEnum> adType, std::optional<LockTypeEnum> adLock,
                             int32_t lOptions) {
    Guard("OpenRecordSet").Run([&] {
        if (rs && rs->State() != adStateClosed) rs->Close();
        rs.reset();
        rs = platform::ado::NewRecordset();
        rs->CursorLocation(CursorLocation_);
        const CursorTypeEnum cursorType = adType.value_or(CursorType_);
        const LockTypeEnum lockType = adLock.value_or(LockType_);
        const int32_t options = lOptions == 0 ? int32_t(adCmdUnspecified) : lOptions;
        if (OpenConn() != adStateOpen) RaiseNormalExit();
        // The connection stays open; the recordset goes back through rs.
        rs->Open(strSQL, m_Conn, cursorType, lockType, options);
    });
}

QueryResult clsDbADO::GetRSArray(const std::string& strSQL) {
    QueryResult result;
    std::shared_ptr<Recordset> rs;
    Guard("GetRSArray")
        .Exit([&] {
            if (rs && rs->State() == adStateOpen) rs->Close();
            rs.reset();
            CloseConn();
        })
        .Run([&] {
            if (OpenConn() != adStateOpen) RaiseNormalExit();
            // The same statement on a database that provably has not changed since
            // gives the same array: the one read then is handed out again. The stamp
            // is taken before the statement runs, so a change in between only makes
            // the next call read afresh.
            const std::string stamp = m_Conn->ChangeStamp();
            if (!stamp.empty() && stamp == last_.stamp && strSQL == last_.sql &&
                m_Conn->ConnectionString() == last_.connection) {
                result = last_.result;
                return;
            }
            last_ = {};
            OpenRecordSet(strSQL, rs, adOpenKeyset, adLockOptimistic);
            if (!rs || rs->State() != adStateOpen) RaiseNormalExit();
            if (!(rs->EndOfFile() && rs->BOF())) {  // no records: the result stays empty
                rs->MoveLast();
                rs->MoveFirst();
                const Fields fields = rs->Fields();
                const size_t columns = size_t(fields.Count());
                const size_t rows = size_t(rs->RecordCount());
                QueryResult array(columns, rows);
                std::vector<Field> byColumn;
                byColumn.reserve(columns);
                for (size_t c = 0; c < columns; ++c) byColumn.push_back(fields.Item(int32_t(c)));
                // Record by record (the array's text ends up in the order in which it
                // crosses to another library): once to size the text, so that it is
                // written once into memory of its exact size, then to fill it.
                std::string scratch;
                const auto eachCell = [&](auto&& use) {
                    rs->MoveFirst();
                    for (size_t r = 0; r < rows; ++r) {
                        for (size_t c = 0; c < columns; ++c) use(c, r, byColumn[c].Text(scratch));
                        rs->MoveNext();
                    }
                };
                size_t textBytes = 0;
                eachCell([&](size_t, size_t, std::string_view text) { textBytes += text.size(); });
                array.ReserveText(textBytes);
                eachCell([&](size_t c, size_t r, std::string_view text) { array.Set(c, r, text); });
                result = std::move(array);
            }
            if (!stamp.empty()) last_ = {strSQL, m_Conn->ConnectionString(), stamp, result};
        });
    return result;
}
