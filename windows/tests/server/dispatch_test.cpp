// The registered classes as a script or a macro meets them: created by ProgID through
// COM, their members found by name and called through IDispatch; and as the add-in
// meets them: created by class id and called by slot. The database object reaches its
// database through ODBC, where the SQLite3 ODBC driver is installed. (Nothing here may
// show a message box: the DLLs draw with the system's windows, and nobody answers.)
#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/class_factory.h"
#include "platform/text/win/wide.h"
#include "servers.h"
#include "support/project_database.h"
#include "support/scratch.h"
#include "util/interfaces/class_ids.h"
#include "util/interfaces/clsUtil_bridge.h"

namespace {

using platform::text::win::Narrow;
using platform::text::win::Wide;

// A VARIANT holding text, or a number.
VARIANT Text(const std::string& text) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(Wide(text).c_str());
    return value;
}

// An object of a registered class, by its ProgID, as CreateObject makes it.
class Scripted {
public:
    explicit Scripted(const std::string& progId) {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(Wide(progId).c_str(), &clsid), S_OK) << progId;
        EXPECT_EQ(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object_)),
            S_OK)
            << progId;
    }
    ~Scripted() {
        if (object_) object_->Release();
    }
    explicit operator bool() const { return object_ != nullptr; }

    DISPID Id(const std::string& name) {
        std::wstring wide = Wide(name);
        LPOLESTR names[] = {wide.data()};
        DISPID id = DISPID_UNKNOWN;
        last_ = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        return id;
    }

    // Calls a member with the arguments in their written order; the result, or VT_EMPTY.
    VARIANT Call(const std::string& name, WORD kind, std::vector<VARIANT> arguments = {}) {
        VARIANT result;
        VariantInit(&result);
        const DISPID id = Id(name);
        if (FAILED(last_)) return result;
        std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS parameters{reversed.data(), kind & DISPATCH_PROPERTYPUT ? &named : nullptr, UINT(reversed.size()),
                              kind & DISPATCH_PROPERTYPUT ? 1u : 0u};
        EXCEPINFO exception{};
        UINT argumentError = 0;
        last_ =
            object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, &result, &exception, &argumentError);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        for (auto& argument : arguments) VariantClear(&argument);
        return result;
    }
    std::string CallText(const std::string& name, WORD kind, std::vector<VARIANT> arguments = {}) {
        VARIANT result = Call(name, kind, std::move(arguments));
        std::string text = result.vt == VT_BSTR ? Narrow(result.bstrVal ? result.bstrVal : L"") : "<not text>";
        VariantClear(&result);
        return text;
    }
    void Put(const std::string& name, const std::string& value) {
        VARIANT ignored = Call(name, DISPATCH_PROPERTYPUT, {Text(value)});
        VariantClear(&ignored);
    }
    HRESULT Last() const { return last_; }

private:
    IDispatch* object_ = nullptr;
    HRESULT last_ = S_OK;
};

TEST(Registered, ScriptsCleanFileNamesThroughTheUtilityObject) {
    Scripted util("UtilOrvek2.clsUtil");
    ASSERT_TRUE(util);
    EXPECT_EQ(util.CallText("RemoveIllegalCharacters", DISPATCH_METHOD, {Text("  Re: Roof / Drawings <v2>?  ")}),
              "Re Roof Drawings v2");
    EXPECT_EQ(util.Last(), S_OK);
    EXPECT_EQ(util.CallText("NORM_EXIT_DESCR", DISPATCH_PROPERTYGET), "No Error - Normal Exit");
    VARIANT number = util.Call("norm_exit_err", DISPATCH_PROPERTYGET);  // names without regard to case
    EXPECT_EQ(number.vt, VT_I4);
    EXPECT_EQ(number.lVal, 57000);
}

TEST(Registered, ScriptsReadAndWriteSettingsThroughTheUtilityObject) {
    scratch::Folder folder;
    const std::string ini = folder.Path("Quillet.ini");
    Scripted util("UtilOrvek2.clsUtil");
    ASSERT_TRUE(util);
    VARIANT written = util.Call("SaveSettingINI", DISPATCH_METHOD,
                                {Text("Quillet"), Text("Setup"), Text("Root"), Text("P:\\Jobs\\"), Text(ini)});
    EXPECT_EQ(written.vt, VT_I4);
    EXPECT_NE(written.lVal, 0);
    EXPECT_EQ(folder.Read("Quillet.ini"), "[Setup]\r\nRoot=P:\\Jobs\\\r\n");
    EXPECT_EQ(util.CallText("GetSettingINI", DISPATCH_METHOD,
                            {Text("Quillet"), Text("setup"), Text("ROOT"), Text("C:\\"), Text(ini)}),
              "P:\\Jobs\\");
    EXPECT_EQ(util.CallText("GetSettingINI", DISPATCH_METHOD,
                            {Text("Quillet"), Text("Setup"), Text("WorkUnit"), Text("Project"), Text(ini)}),
              "Project");
    VARIANT exists = util.Call("DoesFileExist", DISPATCH_METHOD, {Text(folder.Path()), Text("Quillet.ini")});
    EXPECT_EQ(exists.vt, VT_BOOL);
    EXPECT_EQ(exists.boolVal, VARIANT_TRUE);
}

TEST(Registered, ScriptsBuildConnectionStringsThroughTheDatabaseObject) {
    Scripted db("UtilOrvek2.clsDbADO");
    ASSERT_TRUE(db);
    db.Put("DbType", "Access");
    db.Put("DbProvider", "Microsoft.Jet.OLEDB.4.0");
    db.Put("DbServer", "C:\\Data\\Quillet.mdb");
    EXPECT_EQ(db.CallText("DbType", DISPATCH_PROPERTYGET), "Access");
    VARIANT ignored = db.Call("BuildDBConnnectString", DISPATCH_METHOD);
    VariantClear(&ignored);
    EXPECT_EQ(db.Last(), S_OK);
    EXPECT_EQ(db.CallText("ConnectString", DISPATCH_PROPERTYGET),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Data\\Quillet.mdb;Persist Security Info=False;");
    db.Put("ConnectString", "set by hand");
    EXPECT_EQ(db.CallText("ConnectString", DISPATCH_PROPERTYGET), "set by hand");
}

TEST(Registered, ScriptsQueryAProjectDatabaseThroughTheDatabaseObject) {
    scratch::Folder folder;
    const std::string path = folder.Path("Quillet.mdb");
    const auto missing = windows_tests::MakeProjectDatabase(
        path, {{"05-123", "Smith House", "P:\\Jobs\\05-123\\"}, {"05-124", "Anbau Ødegård", "P:\\Jobs\\"}});
    if (missing) GTEST_SKIP() << *missing;
    Scripted db("UtilOrvek2.clsDbADO");
    ASSERT_TRUE(db);
    db.Put("DbType", "Access");
    db.Put("DbProvider", "Microsoft.ACE.OLEDB.12.0");
    db.Put("DbServer", path);
    VARIANT ignored = db.Call("BuildDBConnnectString", DISPATCH_METHOD);
    VariantClear(&ignored);

    VARIANT list = db.Call("GetRSArray", DISPATCH_METHOD,
                           {Text("SELECT [Project Number], [Project Name] FROM Project ORDER BY [Project Name]")});
    ASSERT_EQ(db.Last(), S_OK);
    ASSERT_TRUE(list.vt & VT_ARRAY) << list.vt;
    SAFEARRAY* array = list.parray;
    ASSERT_EQ(SafeArrayGetDim(array), 2u);
    LONG lastColumn = -1, lastRow = -1;
    SafeArrayGetUBound(array, 1, &lastColumn);
    SafeArrayGetUBound(array, 2, &lastRow);
    EXPECT_EQ(lastColumn, 1);
    EXPECT_EQ(lastRow, 1);
    // The cell of a column and a row, as a script indexes it: list(column, row).
    auto cell = [&](LONG column, LONG row) {
        LONG at[] = {column, row};
        VARIANT value;
        VariantInit(&value);
        if ((list.vt & VT_TYPEMASK) == VT_VARIANT) {
            SafeArrayGetElement(array, at, &value);
        } else {
            value.vt = VT_BSTR;
            SafeArrayGetElement(array, at, &value.bstrVal);
        }
        std::string text = value.vt == VT_BSTR && value.bstrVal ? Narrow(value.bstrVal) : "";
        VariantClear(&value);
        return text;
    };
    EXPECT_EQ(cell(0, 0), "05-124");
    EXPECT_EQ(cell(1, 0), "Anbau Ødegård");
    EXPECT_EQ(cell(0, 1), "05-123");
    EXPECT_EQ(cell(1, 1), "Smith House");
    VariantClear(&list);

    // A query that finds nothing gives no array at all.
    list = db.Call("GetRSArray", DISPATCH_METHOD, {Text("SELECT * FROM Project WHERE [Project Number] = 'none'")});
    EXPECT_EQ(db.Last(), S_OK);
    EXPECT_FALSE(list.vt & VT_ARRAY) << list.vt;
    VariantClear(&list);
}

TEST(Registered, ScriptsGetTheRuntimesErrorsForWrongCalls) {
    Scripted util("UtilOrvek2.clsUtil");
    ASSERT_TRUE(util);
    EXPECT_EQ(util.Id("NoSuchMember"), DISPID_UNKNOWN);
    EXPECT_EQ(util.Last(), DISP_E_UNKNOWNNAME);
    VARIANT ignored = util.Call("RemoveIllegalCharacters", DISPATCH_METHOD);
    VariantClear(&ignored);
    EXPECT_EQ(util.Last(), DISP_E_PARAMNOTFOUND);
    ignored = util.Call("RemoveIllegalCharacters", DISPATCH_METHOD, {Text("a"), Text("b")});
    VariantClear(&ignored);
    EXPECT_EQ(util.Last(), DISP_E_BADPARAMCOUNT);
}

TEST(Registered, TheAddinCreatesTheUtilityObjectByClassIdAndCallsItBySlot) {
    auto util = platform::com::CreateObjectAs<_clsUtil>(class_ids::clsUtil);
    ASSERT_NE(util, nullptr);
    EXPECT_EQ(util->RemoveIllegalCharacters("05-123: Smith/House"), "05-123 Smith House");
    EXPECT_EQ(util->NORM_EXIT_ERR(), 57000);
    auto db = platform::com::CreateObjectAs<IclsDbADO>(class_ids::clsDbADO);
    ASSERT_NE(db, nullptr);
    db->DbType("SQLServer");
    db->DbProvider("SQLOLEDB");
    db->DbServer("srv");
    db->DbName("Projects");
    db->UserID("sa");
    db->PassWd("pw");
    db->BuildDBConnnectString();
    EXPECT_EQ(db->ConnectString(),
              "Provider=SQLOLEDB;Data Source=srv;Initial Catalog=Projects;Persist Security Info=False;"
              "User ID=sa;Pwd=pw;");
}

TEST(Registered, TheAddinsClassesHaveTheirFactories) {
    // The connection class is only asked for its factory: making one starts the add-in.
    for (const auto& c : servers::All()[0].classes) {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(CoGetClassObject(servers::GuidOf(c.clsid), CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory)),
                  S_OK)
            << c.name;
        if (factory) factory->Release();
    }
}

TEST(Registered, ALockedServerStaysLoaded) {
    const GUID clsUtil = servers::GuidOf("{ADD9B7A7-C511-4A04-B6B1-D4C38B8A6570}");
    auto factory = [&] {
        IClassFactory* made = nullptr;
        EXPECT_EQ(CoGetClassObject(clsUtil, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   reinterpret_cast<void**>(&made)),
                  S_OK);
        return made;
    };
    IClassFactory* first = factory();
    ASSERT_NE(first, nullptr);
    HMODULE library = GetModuleHandleW(L"UtilOrvek2.dll");
    ASSERT_NE(library, nullptr) << "COM has loaded the library";
    auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory is held";
    first->LockServer(TRUE);
    first->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the server is locked";
    IClassFactory* second = factory();
    ASSERT_NE(second, nullptr);
    second->LockServer(FALSE);
    second->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
