// COM's binary rules, for what one library hands another (and any outside caller):
// interfaces whose first three members are IUnknown's, results as HRESULTs with an
// error object, strings as BSTRs, values as VARIANTs, arrays as SAFEARRAYs.
//
// These are layout-for-layout the declarations of Windows' own headers, spelled
// without them: on Windows the functions below are the system's own (OleAut32 and
// Ole32, checked against <windows.h> by the Windows implementation); elsewhere the
// platform library implements them, with one allocator that every module shares. So
// an object made by one library can be used and freed by another built by another
// compiler, and no header of the system's own code ever sees <windows.h>.
//
// Inside a library the convenient C++ types stay (bridge.h converts at the edge).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/com/unknown.h"

// COM's calling convention: __stdcall on 32-bit Windows, the platform's own elsewhere.
#if defined(_WIN32) && !defined(_WIN64)
#define QUILLET_STDCALL __attribute__((stdcall))
#else
#define QUILLET_STDCALL
#endif

namespace platform::com::abi {

using HRESULT = int32_t;
using ULONG = uint32_t;
using SCODE = int32_t;
using DISPID = int32_t;
using LCID = uint32_t;
using DATE = double;  // days since 30 December 1899, the time as the fraction
using VARTYPE = uint16_t;
using VARIANT_BOOL = int16_t;
#if defined(_WIN32)
using OLECHAR = wchar_t;
#else
using OLECHAR = char16_t;
#endif
// UTF-16, length-prefixed, NUL-terminated; null is the empty string.
using BSTR = OLECHAR*;

inline constexpr VARIANT_BOOL kVariantTrue = -1;
inline constexpr VARIANT_BOOL kVariantFalse = 0;

// HRESULTs, by Windows' numbers.
namespace hr {
inline constexpr HRESULT Ok = 0;
inline constexpr HRESULT False = 1;
inline constexpr HRESULT NotImpl = int32_t(0x80004001u);
inline constexpr HRESULT NoInterface = int32_t(0x80004002u);
inline constexpr HRESULT Pointer = int32_t(0x80004003u);
inline constexpr HRESULT Fail = int32_t(0x80004005u);
inline constexpr HRESULT Unexpected = int32_t(0x8000FFFFu);
inline constexpr HRESULT OutOfMemory = int32_t(0x8007000Eu);
inline constexpr HRESULT InvalidArg = int32_t(0x80070057u);
inline constexpr HRESULT ModuleNotFound = int32_t(0x8007007Eu);
inline constexpr HRESULT ProcNotFound = int32_t(0x8007007Fu);
inline constexpr HRESULT NoAggregation = int32_t(0x80040110u);
inline constexpr HRESULT ClassNotAvailable = int32_t(0x80040111u);
inline constexpr HRESULT ClassNotRegistered = int32_t(0x80040154u);
inline constexpr HRESULT NoConnection = int32_t(0x80040200u);
inline constexpr HRESULT SelfRegClass = int32_t(0x80040201u);
inline constexpr HRESULT UnknownInterface = int32_t(0x80020001u);
inline constexpr HRESULT MemberNotFound = int32_t(0x80020003u);
inline constexpr HRESULT ParamNotFound = int32_t(0x80020004u);
inline constexpr HRESULT TypeMismatch = int32_t(0x80020005u);
inline constexpr HRESULT UnknownName = int32_t(0x80020006u);
inline constexpr HRESULT NoNamedArgs = int32_t(0x80020007u);
inline constexpr HRESULT BadVarType = int32_t(0x80020008u);
inline constexpr HRESULT Exception = int32_t(0x80020009u);
inline constexpr HRESULT Overflow = int32_t(0x8002000Au);
inline constexpr HRESULT BadIndex = int32_t(0x8002000Bu);
inline constexpr HRESULT BadParamCount = int32_t(0x8002000Eu);
inline constexpr HRESULT ArrayIsLocked = int32_t(0x8002000Du);
}  // namespace hr

inline constexpr bool Failed(HRESULT result) { return result < 0; }

// VARIANT types (the subset this system passes) and flags.
enum : VARTYPE {
    VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R4 = 4, VT_R8 = 5, VT_DATE = 7, VT_BSTR = 8,
    VT_DISPATCH = 9, VT_ERROR = 10, VT_BOOL = 11, VT_VARIANT = 12, VT_UNKNOWN = 13, VT_UI1 = 17,
    VT_I8 = 20, VT_INT = 22,
    VT_ARRAY = 0x2000, VT_BYREF = 0x4000, VT_TYPEMASK = 0x0FFF,
};

struct IUnknown;
struct IDispatch;
struct ITypeInfo;  // never used here: the type library is the system's own business
struct SAFEARRAY;
struct VARIANT;

struct IUnknown {
    virtual HRESULT QUILLET_STDCALL QueryInterface(const Guid& iid, void** object) = 0;
    virtual ULONG QUILLET_STDCALL AddRef() = 0;
    virtual ULONG QUILLET_STDCALL Release() = 0;

protected:
    ~IUnknown() = default;
};
inline constexpr Guid IID_IUnknown = Guid::Parse("{00000000-0000-0000-C000-000000000046}");

struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1, wReserved2, wReserved3;
    union {
        int64_t llVal;
        int32_t lVal;
        uint8_t bVal;
        int16_t iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        int32_t* plVal;
        int16_t* piVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        void* byref;
        struct {
            void* pvRecord;
            void* pRecInfo;
        } brecVal;
    };
};

struct SAFEARRAYBOUND {
    ULONG cElements;
    int32_t lLbound;
};

struct SAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];  // cDims of them, the last dimension first
};

struct DISPPARAMS {
    VARIANT* rgvarg;  // the arguments, the last one first
    DISPID* rgdispidNamedArgs;
    uint32_t cArgs;
    uint32_t cNamedArgs;
};

struct EXCEPINFO {
    uint16_t wCode;
    uint16_t wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    uint32_t dwHelpContext;
    void* pvReserved;
    HRESULT(QUILLET_STDCALL* pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

// Invoke's kinds of call, and the member id that names a put's value.
namespace dispatch {
inline constexpr uint16_t Method = 1;
inline constexpr uint16_t PropertyGet = 2;
inline constexpr uint16_t PropertyPut = 4;
inline constexpr uint16_t PropertyPutRef = 8;
inline constexpr DISPID PropertyPutId = -3;
}  // namespace dispatch

struct IDispatch : IUnknown {
    virtual HRESULT QUILLET_STDCALL GetTypeInfoCount(uint32_t* count) = 0;
    virtual HRESULT QUILLET_STDCALL GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** info) = 0;
    virtual HRESULT QUILLET_STDCALL GetIDsOfNames(const Guid& iid, OLECHAR** names, uint32_t count, LCID lcid,
                                                  DISPID* ids) = 0;
    virtual HRESULT QUILLET_STDCALL Invoke(DISPID member, const Guid& iid, LCID lcid, uint16_t flags,
                                           DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                           uint32_t* argumentError) = 0;

protected:
    ~IDispatch() = default;
};
inline constexpr Guid IID_IDispatch = Guid::Parse("{00020400-0000-0000-C000-000000000046}");

struct IClassFactory : IUnknown {
    virtual HRESULT QUILLET_STDCALL CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
    virtual HRESULT QUILLET_STDCALL LockServer(int32_t lock) = 0;

protected:
    ~IClassFactory() = default;
};
inline constexpr Guid IID_IClassFactory = Guid::Parse("{00000001-0000-0000-C000-000000000046}");

// The error object that goes with a failed HRESULT (SetErrorInfo / GetErrorInfo).
struct IErrorInfo : IUnknown {
    virtual HRESULT QUILLET_STDCALL GetGUID(Guid* guid) = 0;
    virtual HRESULT QUILLET_STDCALL GetSource(BSTR* source) = 0;
    virtual HRESULT QUILLET_STDCALL GetDescription(BSTR* description) = 0;
    virtual HRESULT QUILLET_STDCALL GetHelpFile(BSTR* helpFile) = 0;
    virtual HRESULT QUILLET_STDCALL GetHelpContext(uint32_t* helpContext) = 0;

protected:
    ~IErrorInfo() = default;
};
inline constexpr Guid IID_IErrorInfo = Guid::Parse("{1CF2B120-547D-101B-8E65-08002B2BD119}");

struct ICreateErrorInfo : IUnknown {
    virtual HRESULT QUILLET_STDCALL SetGUID(const Guid& guid) = 0;
    virtual HRESULT QUILLET_STDCALL SetSource(const OLECHAR* source) = 0;
    virtual HRESULT QUILLET_STDCALL SetDescription(const OLECHAR* description) = 0;
    virtual HRESULT QUILLET_STDCALL SetHelpFile(const OLECHAR* helpFile) = 0;
    virtual HRESULT QUILLET_STDCALL SetHelpContext(uint32_t helpContext) = 0;

protected:
    ~ICreateErrorInfo() = default;
};
inline constexpr Guid IID_ICreateErrorInfo = Guid::Parse("{22F03340-547D-101B-8E65-08002B2BD119}");

struct ISupportErrorInfo : IUnknown {
    virtual HRESULT QUILLET_STDCALL InterfaceSupportsErrorInfo(const Guid& iid) = 0;

protected:
    ~ISupportErrorInfo() = default;
};
inline constexpr Guid IID_ISupportErrorInfo = Guid::Parse("{DF0B3D60-548F-101B-8E65-08002B2BD119}");

// Events: a source offers one connection point per event interface; a sink (an
// IDispatch answering the event interface's member ids) advises it.
struct IConnectionPointContainer;
struct IConnectionPoint : IUnknown {
    virtual HRESULT QUILLET_STDCALL GetConnectionInterface(Guid* iid) = 0;
    virtual HRESULT QUILLET_STDCALL GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
    virtual HRESULT QUILLET_STDCALL Advise(IUnknown* sink, uint32_t* cookie) = 0;
    virtual HRESULT QUILLET_STDCALL Unadvise(uint32_t cookie) = 0;
    virtual HRESULT QUILLET_STDCALL EnumConnections(void** enumerator) = 0;

protected:
    ~IConnectionPoint() = default;
};
inline constexpr Guid IID_IConnectionPoint = Guid::Parse("{B196B286-BAB4-101A-B69C-00AA00341D07}");

struct IConnectionPointContainer : IUnknown {
    virtual HRESULT QUILLET_STDCALL EnumConnectionPoints(void** enumerator) = 0;
    virtual HRESULT QUILLET_STDCALL FindConnectionPoint(const Guid& iid, IConnectionPoint** point) = 0;

protected:
    ~IConnectionPointContainer() = default;
};
inline constexpr Guid IID_IConnectionPointContainer = Guid::Parse("{B196B284-BAB4-101A-B69C-00AA00341D07}");

// ---- the runtime: strings, values, arrays, error objects ------------------------

BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length);
void SysFreeString(BSTR text);
uint32_t SysStringLen(BSTR text);

void VariantInit(VARIANT* value);
HRESULT VariantClear(VARIANT* value);
HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
// Converts between the value types above (numbers, Booleans, text, dates); flags as
// Windows' (0). DISP_E_TYPEMISMATCH when the value does not convert.
HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, uint16_t flags, VARTYPE type);

// Arrays of VARIANTs or BSTRs. Indices are given leftmost dimension first.
SAFEARRAY* SafeArrayCreate(VARTYPE type, uint32_t dimensions, const SAFEARRAYBOUND* bounds);
HRESULT SafeArrayDestroy(SAFEARRAY* array);
uint32_t SafeArrayGetDim(SAFEARRAY* array);
HRESULT SafeArrayGetLBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound);  // dimension from 1
HRESULT SafeArrayGetUBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound);
HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type);
HRESULT SafeArrayPutElement(SAFEARRAY* array, const int32_t* indices, const void* value);  // copies it
HRESULT SafeArrayGetElement(SAFEARRAY* array, const int32_t* indices, void* value);        // a copy
HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy);

// The calling thread's error object.
HRESULT SetErrorInfo(uint32_t reserved, IErrorInfo* info);
HRESULT GetErrorInfo(uint32_t reserved, IErrorInfo** info);  // hr::False when there is none
HRESULT CreateErrorInfo(ICreateErrorInfo** info);

}  // namespace platform::com::abi
