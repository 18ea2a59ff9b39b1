// Each DLL's type library against the member tables that its objects are served
// through: every interface's members by name, kind, member id and vtable slot, each
// with its parameters' automation types; the coclasses with their interfaces; the
// library's id, version and description. The IDL is a second statement of the tables;
// this is where the two must agree.
#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/ado/ado_bridge.h"
#include "platform/com/error_object.h"
#include "platform/files/files_bridge.h"
#include "platform/outlook/addin_connection.h"
#include "platform/text/win/wide.h"
#include "servers.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/IclsOutlook_bridge.h"
#include "util/interfaces/clsUtil_bridge.h"

namespace {

namespace com = platform::com;
using platform::text::win::Narrow;
using platform::text::win::Wide;

// ---- what a member's parameters must be, from its C++ signature

// VT_UNKNOWN stands for any object (an interface pointer of whatever kind).
struct Shape {
    VARTYPE vt;
    bool byReference;
};

template <class T>
concept Scalar = std::is_arithmetic_v<T> || std::is_enum_v<T>;

template <class T>
struct ShapeOf;
template <Scalar T>
struct ShapeOf<T> {
    static constexpr Shape value{std::is_same_v<T, bool>      ? VARTYPE(VT_BOOL)
                                 : std::is_same_v<T, int16_t> ? VARTYPE(VT_I2)
                                 : std::is_same_v<T, double>  ? VARTYPE(VT_R8)
                                                              : VARTYPE(VT_I4),
                                 false};
};
template <Scalar T>
struct ShapeOf<T&> {
    static constexpr Shape value{ShapeOf<T>::value.vt, true};
};
template <Scalar T>
struct ShapeOf<T*> {
    static constexpr Shape value{ShapeOf<T>::value.vt, true};
};
template <>
struct ShapeOf<std::string> {
    static constexpr Shape value{VT_BSTR, false};
};
template <>
struct ShapeOf<const std::string&> : ShapeOf<std::string> {};
template <>
struct ShapeOf<std::string_view> : ShapeOf<std::string> {};
template <>
struct ShapeOf<std::string&> {
    static constexpr Shape value{VT_BSTR, true};
};
template <class T>
struct ShapeOf<std::optional<T>> {
    static constexpr Shape value{VT_VARIANT, false};
};
template <class T>
struct ShapeOf<const std::optional<T>&> : ShapeOf<std::optional<T>> {};
template <class X>
struct ShapeOf<std::shared_ptr<X>> {
    static constexpr Shape value{VT_UNKNOWN, false};
};
template <class X>
struct ShapeOf<const std::shared_ptr<X>&> : ShapeOf<std::shared_ptr<X>> {};
template <class X>
struct ShapeOf<std::shared_ptr<X>&> {
    static constexpr Shape value{VT_UNKNOWN, true};
};
template <class X>
struct ShapeOf<std::shared_ptr<X>*> : ShapeOf<std::shared_ptr<X>&> {};
template <>
struct ShapeOf<const platform::ErrorInfo&> {
    static constexpr Shape value{VT_UNKNOWN, false};
};
template <>
struct ShapeOf<std::vector<std::string>&> {
    static constexpr Shape value{VT_SAFEARRAY, true};
};

// A result is the last parameter, [out, retval]: a pointer to its type.
template <class R>
struct ResultShape {
    static constexpr Shape value{ShapeOf<R>::value.vt, true};
};
template <>
struct ResultShape<QueryResult> {
    static constexpr Shape value{VT_VARIANT, true};
};
template <>
struct ResultShape<const platform::ado::Variant&> {
    static constexpr Shape value{VT_VARIANT, true};
};

template <class F>
std::vector<Shape> ShapesOf() {
    using S = com::Signature<F>;
    std::vector<Shape> shapes = []<class... A>(com::TypeList<A...>) {
        return std::vector<Shape>{ShapeOf<A>::value...};
    }(typename S::Arguments{});
    if constexpr (!std::is_void_v<typename S::Result>) shapes.push_back(ResultShape<typename S::Result>::value);
    return shapes;
}

// Each member's parameters, in table order.
template <class TableType, size_t... Is>
std::vector<std::vector<Shape>> ShapesOfMembers(std::index_sequence<Is...>) {
    return {ShapesOf<typename TableType::template At<Is>::Function>()...};
}

std::string Describe(const TYPEDESC& type) {
    if (type.vt == VT_PTR) return Describe(*type.lptdesc) + "*";
    return "vt " + std::to_string(type.vt);
}

bool Matches(const TYPEDESC& type, const Shape& shape) {
    const TYPEDESC* t = &type;
    if (shape.byReference) {
        if (t->vt != VT_PTR) return false;
        t = t->lptdesc;
    }
    if (shape.vt == VT_UNKNOWN)
        return t->vt == VT_UNKNOWN || t->vt == VT_DISPATCH || (t->vt == VT_PTR && t->lptdesc->vt == VT_USERDEFINED);
    return t->vt == shape.vt;
}

INVOKEKIND KindOf(com::MemberKind kind) {
    switch (kind) {
        case com::MemberKind::Method: return INVOKE_FUNC;
        case com::MemberKind::Get: return INVOKE_PROPERTYGET;
        case com::MemberKind::Put: return INVOKE_PROPERTYPUT;
        case com::MemberKind::PutRef: return INVOKE_PROPERTYPUTREF;
    }
    return INVOKE_FUNC;
}

// ---- the type libraries

struct TypeLibrary {
    explicit TypeLibrary(const std::string& dll) {
        const HRESULT loaded = LoadTypeLibEx(Wide(servers::Beside(dll)).c_str(), REGKIND_NONE, &library);
        EXPECT_EQ(loaded, S_OK) << dll;
    }
    ~TypeLibrary() {
        if (library) library->Release();
    }
    ITypeLib* library = nullptr;
};

// The interface's own vtable description (for a dual interface, behind its dispatch one).
ITypeInfo* VtableInfo(ITypeLib* library, const GUID& iid) {
    ITypeInfo* info = nullptr;
    if (FAILED(library->GetTypeInfoOfGuid(iid, &info))) return nullptr;
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    const TYPEKIND kind = attributes->typekind;
    info->ReleaseTypeAttr(attributes);
    if (kind == TKIND_INTERFACE) return info;
    HREFTYPE reference = 0;
    ITypeInfo* vtable = nullptr;
    if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &reference))) info->GetRefTypeInfo(reference, &vtable);
    info->Release();
    return vtable;
}

template <class TableType>
void ExpectInterfaceIsTable(ITypeLib* library, const GUID& iid, const std::string& label) {
    SCOPED_TRACE(label);
    ITypeInfo* info = VtableInfo(library, iid);
    ASSERT_NE(info, nullptr) << "the type library does not describe " << label;
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    EXPECT_EQ(attributes->cFuncs, TableType::kSize);
    EXPECT_EQ(attributes->cImplTypes, 1) << "derived from IDispatch";
    const size_t count = std::min<size_t>(attributes->cFuncs, TableType::kSize);
    info->ReleaseTypeAttr(attributes);

    const std::vector<std::vector<Shape>> shapes =
        ShapesOfMembers<TableType>(std::make_index_sequence<TableType::kSize>{});

    for (size_t i = 0; i < count; ++i) {
        const std::string name(TableType::names[i]);
        SCOPED_TRACE("member " + std::to_string(i) + " " + name);
        FUNCDESC* function = nullptr;
        ASSERT_EQ(info->GetFuncDesc(UINT(i), &function), S_OK);
        BSTR found = nullptr;
        UINT names = 0;
        info->GetNames(function->memid, &found, 1, &names);
        EXPECT_EQ(Narrow(found ? found : L""), name);
        SysFreeString(found);
        EXPECT_EQ(function->memid, TableType::DispidAt(i));
        EXPECT_EQ(function->invkind, KindOf(TableType::kinds[i]));
        EXPECT_EQ(size_t(function->oVft), (TableType::kFirstSlot + i) * sizeof(void*)) << "the binding slot";
        EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
        ASSERT_EQ(size_t(function->cParams), shapes[i].size());
        for (size_t p = 0; p < shapes[i].size(); ++p)
            EXPECT_TRUE(Matches(function->lprgelemdescParam[p].tdesc, shapes[i][p]))
                << "parameter " << p << " is " << Describe(function->lprgelemdescParam[p].tdesc) << ", expected vt "
                << shapes[i][p].vt << (shapes[i][p].byReference ? " by reference" : "");
        info->ReleaseFuncDesc(function);
    }
    info->Release();
}

GUID Native(const com::Guid& id) { return reinterpret_cast<const GUID&>(id); }

// A coclass's interfaces: the default one first, then the others it lists.
std::vector<GUID> InterfacesOf(ITypeLib* library, const std::string& clsid) {
    std::vector<GUID> interfaces;
    ITypeInfo* info = nullptr;
    if (FAILED(library->GetTypeInfoOfGuid(servers::GuidOf(clsid), &info))) return interfaces;
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    const WORD count = attributes->typekind == TKIND_COCLASS ? attributes->cImplTypes : 0;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < count; ++i) {
        int flags = 0;
        HREFTYPE reference = 0;
        ITypeInfo* implemented = nullptr;
        info->GetImplTypeFlags(i, &flags);
        info->GetRefTypeOfImplType(i, &reference);
        if (FAILED(info->GetRefTypeInfo(reference, &implemented))) continue;
        TYPEATTR* implementedAttributes = nullptr;
        implemented->GetTypeAttr(&implementedAttributes);
        const GUID iid = implementedAttributes->guid;
        implemented->ReleaseTypeAttr(implementedAttributes);
        implemented->Release();
        if (flags & IMPLTYPEFLAG_FDEFAULT)
            interfaces.insert(interfaces.begin(), iid);
        else
            interfaces.push_back(iid);
    }
    info->Release();
    return interfaces;
}

TEST(TypeLibrary, UtilOrvek2DescribesEveryInterfaceAsItsTableServesIt) {
    TypeLibrary util("UtilOrvek2.dll");
    ASSERT_NE(util.library, nullptr);
    ExpectInterfaceIsTable<clsutil::Table>(util.library, Native(clsutil::Table::iid), "_clsUtil");
    ExpectInterfaceIsTable<iclsdbado::Table>(util.library, Native(iclsdbado::Table::iid), "_IclsDbADO");
    // The utility library's own IclsOutlook class declares the members that the add-in's
    // Outlook-side object serves under the interface of the outside library.
    ExpectInterfaceIsTable<iclsoutlook::Table>(util.library, servers::GuidOf("{732CBAA5-7D05-4CC3-9D65-2CA783CF2490}"),
                                               "_IclsOutlook");
    ExpectInterfaceIsTable<platform::ado::recordset::Table>(util.library, Native(platform::ado::recordset::kIid),
                                                            "IRecordset");
    ExpectInterfaceIsTable<platform::ado::connection::Table>(util.library, Native(platform::ado::connection::kIid),
                                                             "IConnection");
    ExpectInterfaceIsTable<platform::files::textstream::Table>(util.library, Native(platform::files::textstream::kIid),
                                                               "ITextStream");
    ExpectInterfaceIsTable<platform::files::filesystem::Table>(util.library, Native(platform::files::filesystem::kIid),
                                                               "IFileSystemObject");
    ExpectInterfaceIsTable<com::errobject::Table>(util.library, Native(com::errobject::kIid), "IErrObject");
}

TEST(TypeLibrary, Quillet09DescribesTheConnectionAndTheOutlookSideObject) {
    TypeLibrary addin("Quillet09.dll");
    ASSERT_NE(addin.library, nullptr);
    ExpectInterfaceIsTable<platform::outlook::extensibility::Table>(
        addin.library, Native(platform::outlook::IDTExtensibility2::IID), "IDTExtensibility2");
    ExpectInterfaceIsTable<iclsoutlook::Table>(addin.library, Native(IclsOutlook::IID), "IclsOutlook");
}

TEST(TypeLibrary, LibrariesAndClassesCarryTheirIds) {
    for (const auto& server : servers::All()) {
        SCOPED_TRACE(server.file);
        TypeLibrary type(server.file);
        ASSERT_NE(type.library, nullptr);
        TLIBATTR* attributes = nullptr;
        type.library->GetLibAttr(&attributes);
        EXPECT_TRUE(IsEqualGUID(attributes->guid, servers::GuidOf(server.libid)));
        EXPECT_EQ(attributes->wMajorVerNum, server.major);
        EXPECT_EQ(attributes->wMinorVerNum, server.minor);
        EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        type.library->ReleaseTLibAttr(attributes);
        BSTR name = nullptr, description = nullptr;
        type.library->GetDocumentation(-1, &name, &description, nullptr, nullptr);
        EXPECT_EQ(Narrow(name ? name : L""), server.project);
        EXPECT_EQ(Narrow(description ? description : L""), server.description);
        SysFreeString(name);
        SysFreeString(description);

        for (const auto& c : server.classes) {
            SCOPED_TRACE(c.name);
            const std::vector<GUID> interfaces = InterfacesOf(type.library, c.clsid);
            ASSERT_FALSE(interfaces.empty()) << "no coclass " << c.name;
            EXPECT_TRUE(IsEqualGUID(interfaces.front(), servers::GuidOf(c.defaultInterface)));
            ITypeInfo* info = nullptr;
            type.library->GetTypeInfoOfGuid(servers::GuidOf(c.clsid), &info);
            BSTR className = nullptr;
            info->GetDocumentation(MEMBERID_NIL, &className, nullptr, nullptr, nullptr);
            EXPECT_EQ(Narrow(className ? className : L""), c.name);
            SysFreeString(className);
            info->Release();
        }
    }
}

TEST(TypeLibrary, ClassesListTheInterfacesTheirObjectsServe) {
    TypeLibrary util("UtilOrvek2.dll"), addin("Quillet09.dll");
    ASSERT_NE(util.library, nullptr);
    ASSERT_NE(addin.library, nullptr);
    auto lists = [](ITypeLib* library, const std::string& clsid, const com::Guid& iid) {
        for (const GUID& listed : InterfacesOf(library, clsid))
            if (IsEqualGUID(listed, Native(iid))) return true;
        return false;
    };
    EXPECT_TRUE(lists(util.library, "{02A7052C-E908-4A73-BAD9-CDDB89D3AAE3}", IclsDbADO::IID)) << "clsDbADO";
    EXPECT_TRUE(
        lists(addin.library, "{AAE619F5-1B17-4B8B-9168-33CCFC389532}", platform::outlook::IDTExtensibility2::IID))
        << "Connect";
    EXPECT_TRUE(lists(addin.library, "{4AAAE779-8750-4398-9A10-052409EEB246}", IclsOutlook::IID)) << "clsQLOutlook";
}

}  // namespace
