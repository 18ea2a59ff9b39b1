// COM's runtime on Windows: the system's own OleAut32 and Ole32. abi.h declares the
// binary types without <windows.h>; here they are checked against it, layout for
// layout, and every function forwards to the system's.
#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstddef>

#include "platform/com/abi.h"

namespace abi = platform::com::abi;

// ---- the layouts, as Windows' headers have them

static_assert(sizeof(platform::com::Guid) == sizeof(::GUID));
static_assert(offsetof(platform::com::Guid, data1) == offsetof(::GUID, Data1));
static_assert(offsetof(platform::com::Guid, data2) == offsetof(::GUID, Data2));
static_assert(offsetof(platform::com::Guid, data3) == offsetof(::GUID, Data3));
static_assert(offsetof(platform::com::Guid, data4) == offsetof(::GUID, Data4));

static_assert(sizeof(abi::OLECHAR) == sizeof(::OLECHAR));
static_assert(sizeof(abi::HRESULT) == sizeof(::HRESULT));
static_assert(sizeof(abi::VARIANT_BOOL) == sizeof(::VARIANT_BOOL));
static_assert(sizeof(abi::DATE) == sizeof(::DATE));
static_assert(sizeof(abi::DISPID) == sizeof(::DISPID));
static_assert(sizeof(abi::LCID) == sizeof(::LCID));

static_assert(sizeof(abi::VARIANT) == sizeof(::VARIANT));
static_assert(alignof(abi::VARIANT) == alignof(::VARIANT));
static_assert(offsetof(abi::VARIANT, vt) == offsetof(::VARIANT, vt));
static_assert(offsetof(abi::VARIANT, llVal) == offsetof(::VARIANT, llVal));
static_assert(offsetof(abi::VARIANT, lVal) == offsetof(::VARIANT, lVal));
static_assert(offsetof(abi::VARIANT, bstrVal) == offsetof(::VARIANT, bstrVal));
static_assert(offsetof(abi::VARIANT, parray) == offsetof(::VARIANT, parray));
static_assert(offsetof(abi::VARIANT, byref) == offsetof(::VARIANT, byref));
static_assert(offsetof(abi::VARIANT, brecVal) == offsetof(::VARIANT, pvRecord));

static_assert(sizeof(abi::SAFEARRAYBOUND) == sizeof(::SAFEARRAYBOUND));
static_assert(offsetof(abi::SAFEARRAYBOUND, lLbound) == offsetof(::SAFEARRAYBOUND, lLbound));
static_assert(sizeof(abi::SAFEARRAY) == sizeof(::SAFEARRAY));
static_assert(offsetof(abi::SAFEARRAY, cDims) == offsetof(::SAFEARRAY, cDims));
static_assert(offsetof(abi::SAFEARRAY, fFeatures) == offsetof(::SAFEARRAY, fFeatures));
static_assert(offsetof(abi::SAFEARRAY, cbElements) == offsetof(::SAFEARRAY, cbElements));
static_assert(offsetof(abi::SAFEARRAY, cLocks) == offsetof(::SAFEARRAY, cLocks));
static_assert(offsetof(abi::SAFEARRAY, pvData) == offsetof(::SAFEARRAY, pvData));
static_assert(offsetof(abi::SAFEARRAY, rgsabound) == offsetof(::SAFEARRAY, rgsabound));

static_assert(sizeof(abi::DISPPARAMS) == sizeof(::DISPPARAMS));
static_assert(offsetof(abi::DISPPARAMS, rgvarg) == offsetof(::DISPPARAMS, rgvarg));
static_assert(offsetof(abi::DISPPARAMS, rgdispidNamedArgs) == offsetof(::DISPPARAMS, rgdispidNamedArgs));
static_assert(offsetof(abi::DISPPARAMS, cArgs) == offsetof(::DISPPARAMS, cArgs));
static_assert(offsetof(abi::DISPPARAMS, cNamedArgs) == offsetof(::DISPPARAMS, cNamedArgs));

static_assert(sizeof(abi::EXCEPINFO) == sizeof(::EXCEPINFO));
static_assert(offsetof(abi::EXCEPINFO, bstrSource) == offsetof(::EXCEPINFO, bstrSource));
static_assert(offsetof(abi::EXCEPINFO, bstrDescription) == offsetof(::EXCEPINFO, bstrDescription));
static_assert(offsetof(abi::EXCEPINFO, dwHelpContext) == offsetof(::EXCEPINFO, dwHelpContext));
static_assert(offsetof(abi::EXCEPINFO, pfnDeferredFillIn) == offsetof(::EXCEPINFO, pfnDeferredFillIn));
static_assert(offsetof(abi::EXCEPINFO, scode) == offsetof(::EXCEPINFO, scode));

// The values both sides name.
static_assert(int(abi::VT_BSTR) == int(::VT_BSTR) && int(abi::VT_VARIANT) == int(::VT_VARIANT) &&
              int(abi::VT_ARRAY) == int(::VT_ARRAY) && int(abi::VT_BYREF) == int(::VT_BYREF) &&
              int(abi::VT_ERROR) == int(::VT_ERROR) && int(abi::VT_DISPATCH) == int(::VT_DISPATCH));
static_assert(abi::hr::ParamNotFound == DISP_E_PARAMNOTFOUND && abi::hr::Exception == DISP_E_EXCEPTION &&
              abi::hr::UnknownName == DISP_E_UNKNOWNNAME && abi::hr::ClassNotRegistered == REGDB_E_CLASSNOTREG &&
              abi::hr::SelfRegClass == SELFREG_E_CLASS && abi::hr::BadIndex == DISP_E_BADINDEX);
static_assert(abi::dispatch::PropertyPutId == DISPID_PROPERTYPUT && abi::dispatch::PropertyPut == DISPATCH_PROPERTYPUT);

namespace platform::com::abi {

namespace {

::VARIANT* Native(VARIANT* value) { return reinterpret_cast<::VARIANT*>(value); }
// The system's headers take a source that is only read without const.
::VARIANT* Native(const VARIANT* value) { return const_cast<::VARIANT*>(reinterpret_cast<const ::VARIANT*>(value)); }
::SAFEARRAY* Native(SAFEARRAY* array) { return reinterpret_cast<::SAFEARRAY*>(array); }

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) { return ::SysAllocStringLen(text, length); }
void SysFreeString(BSTR text) { ::SysFreeString(text); }
uint32_t SysStringLen(BSTR text) { return ::SysStringLen(text); }

void VariantInit(VARIANT* value) { ::VariantInit(Native(value)); }
HRESULT VariantClear(VARIANT* value) { return ::VariantClear(Native(value)); }
HRESULT VariantCopy(VARIANT* target, const VARIANT* source) { return ::VariantCopy(Native(target), Native(source)); }

// Conversions in the invariant locale, Booleans to text as the words True and False:
// the system's values read the same on every machine, whatever its language.
HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, uint16_t flags, VARTYPE type) {
    return ::VariantChangeTypeEx(Native(target), Native(source), LOCALE_INVARIANT, USHORT(flags | VARIANT_ALPHABOOL),
                                 type);
}

SAFEARRAY* SafeArrayCreate(VARTYPE type, uint32_t dimensions, const SAFEARRAYBOUND* bounds) {
    // Windows takes the bounds leftmost dimension first, as given here.
    auto* native = const_cast<::SAFEARRAYBOUND*>(reinterpret_cast<const ::SAFEARRAYBOUND*>(bounds));
    return reinterpret_cast<SAFEARRAY*>(::SafeArrayCreate(type, dimensions, native));
}
HRESULT SafeArrayDestroy(SAFEARRAY* array) { return ::SafeArrayDestroy(Native(array)); }
uint32_t SafeArrayGetDim(SAFEARRAY* array) { return array ? ::SafeArrayGetDim(Native(array)) : 0; }
HRESULT SafeArrayGetLBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound) {
    LONG value = 0;
    const HRESULT result = ::SafeArrayGetLBound(Native(array), dimension, &value);
    if (bound) *bound = value;
    return result;
}
HRESULT SafeArrayGetUBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound) {
    LONG value = 0;
    const HRESULT result = ::SafeArrayGetUBound(Native(array), dimension, &value);
    if (bound) *bound = value;
    return result;
}
HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type) { return ::SafeArrayGetVartype(Native(array), type); }
HRESULT SafeArrayPutElement(SAFEARRAY* array, const int32_t* indices, const void* value) {
    static_assert(sizeof(LONG) == sizeof(int32_t));
    return ::SafeArrayPutElement(Native(array), const_cast<LONG*>(reinterpret_cast<const LONG*>(indices)),
                                 const_cast<void*>(value));
}
HRESULT SafeArrayGetElement(SAFEARRAY* array, const int32_t* indices, void* value) {
    return ::SafeArrayGetElement(Native(array), const_cast<LONG*>(reinterpret_cast<const LONG*>(indices)), value);
}
HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy) {
    return ::SafeArrayCopy(Native(array), reinterpret_cast<::SAFEARRAY**>(copy));
}

HRESULT SetErrorInfo(uint32_t reserved, IErrorInfo* info) {
    return ::SetErrorInfo(reserved, reinterpret_cast<::IErrorInfo*>(info));
}
HRESULT GetErrorInfo(uint32_t reserved, IErrorInfo** info) {
    return ::GetErrorInfo(reserved, reinterpret_cast<::IErrorInfo**>(info));
}
HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
    return ::CreateErrorInfo(reinterpret_cast<::ICreateErrorInfo**>(info));
}

}  // namespace platform::com::abi
