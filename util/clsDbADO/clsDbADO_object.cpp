// clsDbADO as an object: its life, its interfaces, its frame and the lets that keep
// only the values ADO knows.
#include "util/clsDbADO/clsDbADO.h"

#include "util/clsUtil/clsUtil.h"

clsDbADO::clsDbADO() : m_Conn(platform::ado::NewConnection()) {}

clsDbADO::~clsDbADO() {
    // The connection goes first (dropping an open connection closes it), then the
    // utility object.
    m_Conn.reset();
    m_Util.reset();
}

void* clsDbADO::QueryInterface(const platform::com::Guid& iid) {
    if (iid == platform::com::IUnknown::IID || iid == IclsDbADO::IID) return static_cast<IclsDbADO*>(this);
    return nullptr;
}

const std::shared_ptr<clsUtil>& clsDbADO::Util() {
    if (!m_Util) m_Util = std::make_shared<clsUtil>();
    return m_Util;
}

platform::ErrorFrame clsDbADO::Guard(const char* procedure) {
    return platform::ErrorFrame([this, procedure](const platform::ErrorInfo& failure) {
        Util()->ErrHandler(failure, "clsDbADO", procedure);
    });
}

void clsDbADO::RaiseNormalExit() { platform::Raise(Util()->NORM_EXIT_ERR(), Util()->NORM_EXIT_DESCR()); }

void clsDbADO::CursorLocation(CursorLocationEnum value) {
    if (value == platform::ado::adUseServer || value == platform::ado::adUseClient) CursorLocation_ = value;
}

void clsDbADO::CursorType(CursorTypeEnum value) {
    if (value >= platform::ado::adOpenForwardOnly && value <= platform::ado::adOpenStatic) CursorType_ = value;
}

void clsDbADO::LockType(LockTypeEnum value) {
    if (value >= platform::ado::adLockReadOnly && value <= platform::ado::adLockBatchOptimistic) LockType_ = value;
}

std::shared_ptr<clsDbADO::Recordset> clsDbADO::ExecuteResultSet(const std::string&) { return nullptr; }

bool clsDbADO::FindInRecordset(const std::string&, std::shared_ptr<Recordset>&) { return false; }
