// The library boundary, written once per interface from one member table.
//
// An interface that crosses between libraries (or to an outside caller) keeps its
// C++ declaration, members in binding slot order, and gets a table beside it:
//
//     namespace iclsdbado {
//     using I = IclsDbADO;
//     using BeginTransaction = com::Method<I, void(), &I::BeginTransaction, "BeginTransaction">;
//     using DbName_get = com::Get<I, std::string(), &I::DbName, "DbName">;
//     using DbName_put = com::Put<I, void(const std::string&), &I::DbName, "DbName">;
//     using Table = com::Table<I, I::IID, BeginTransaction, ..., DbName_get, DbName_put, ...>;
//     }
//
// From the table:
// - Adapter<Table> serves a C++ object to binary callers: a dual interface (IUnknown,
//   IDispatch, then the members in table order, each returning an HRESULT with its
//   result as the last out-parameter), plus ISupportErrorInfo. A failure inside the
//   object becomes its HRESULT and the thread's error object, inside one containment
//   frame; IDispatch finds the members by name (member ids count from 1 in table
//   order, a property's get and put sharing one).
// - Proxy<Table> is the base of a C++ stand-in for a binary object: each member of
//   the C++ interface forwards with one line, Call<Member>(arguments), which
//   converts, calls the slot and turns a failed HRESULT back into ErrorInfo.
// - TableBridge ties both to Bridge<X>, so that the object crosses wherever it is a
//   parameter or a result (marshal.h): a stand-in crosses back as the binary object it
//   stands for, and an adapter of this library as the object it serves.
// - A table may have a companion (Companion<Table>): a private interface of plain
//   IUnknown slots that the same object answers through QueryInterface. The project's
//   own libraries ask for it to pass a result in a leaner form than the published
//   member gives (CallThrough calls its members); other callers never see it.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"
#include "platform/com/marshal.h"
#include "platform/com/server.h"
#include "platform/errors/frame.h"

namespace platform::com {

// A member's name as a template argument.
template <size_t N>
struct Name {
    char text[N] = {};
    constexpr Name(const char (&name)[N]) {  // NOLINT(google-explicit-constructor): written as a literal
        for (size_t i = 0; i < N; ++i) text[i] = name[i];
    }
    constexpr std::string_view view() const { return std::string_view(text, N - 1); }
};

enum class MemberKind { Method, Get, Put, PutRef };

template <class I, class F, F I::*P, Name N, MemberKind K>
struct Member {
    using Interface = I;
    using Function = F;
    static constexpr auto pointer = P;
    static constexpr std::string_view name = N.view();
    static constexpr MemberKind kind = K;
};
template <class I, class F, F I::*P, Name N>
using Method = Member<I, F, P, N, MemberKind::Method>;
template <class I, class F, F I::*P, Name N>
using Get = Member<I, F, P, N, MemberKind::Get>;
template <class I, class F, F I::*P, Name N>
using Put = Member<I, F, P, N, MemberKind::Put>;
template <class I, class F, F I::*P, Name N>
using PutRef = Member<I, F, P, N, MemberKind::PutRef>;

// A method served by a function that takes the object first (Serve(I&, ...)), for a
// companion that passes a member's result on in another form.
template <class I, class F, auto Serve, Name N>
struct Served {
    using Interface = I;
    using Function = F;
    static constexpr auto pointer = Serve;
    static constexpr std::string_view name = N.view();
    static constexpr MemberKind kind = MemberKind::Method;
};

template <class... T>
struct TypeList {};

template <class F>
struct Signature;
template <class R, class... A>
struct Signature<R(A...)> {
    using Result = R;
    using Arguments = TypeList<A...>;
};
template <class R, class... A>
struct Signature<R(A...) const> {
    using Result = R;
    using Arguments = TypeList<A...>;
};

template <class I, Guid kIid, class... Members>
struct Table {
    using Interface = I;
    static constexpr Guid iid = kIid;
    using MemberList = TypeList<Members...>;
    static constexpr size_t kSize = sizeof...(Members);
    // The slots before the members: IUnknown's three and IDispatch's four.
    static constexpr size_t kFirstSlot = 7;

    template <size_t Index>
    using At = std::tuple_element_t<Index, std::tuple<Members...>>;

    template <class M>
    static constexpr size_t IndexOf() {
        constexpr std::array<bool, kSize> same = {std::is_same_v<M, Members>...};
        for (size_t i = 0; i < kSize; ++i)
            if (same[i]) return i;
        return kSize;
    }

    static constexpr std::array<std::string_view, kSize> names = {Members::name...};
    static constexpr std::array<MemberKind, kSize> kinds = {Members::kind...};

    // A member's id through IDispatch: members of one name share the first one's.
    static constexpr abi::DISPID DispidAt(size_t index) {
        for (size_t i = 0; i < index; ++i)
            if (names[i] == names[index]) return abi::DISPID(i + 1);
        return abi::DISPID(index + 1);
    }
};

// A private interface: IUnknown's three slots, then the members (no IDispatch).
template <class I, Guid kIid, class... Members>
struct PrivateTable : Table<I, kIid, Members...> {
    static constexpr size_t kFirstSlot = 3;
};

// The companion of a table (a PrivateTable over the same interface), or void.
template <class TableType>
struct Companion {
    using Table = void;
};

// A binary interface's slot, whatever its signature.
using Slot = void (*)();

// A vtable built here, laid out as the compiler lays out its own: the offset to the
// object's start and its type's information, then the slots, which the interface
// pointer points to. Binary callers only read the slots; C++ callers (and the
// sanitizers that check their calls) also find a type: Shape, an interface the slots
// answer to.
template <size_t N>
struct BuiltVtable {
    std::ptrdiff_t offsetToTop;
    const std::type_info* type;
    std::array<Slot, N> slots;
};
template <class Shape, size_t N>
BuiltVtable<N> Built(std::ptrdiff_t offsetToTop, const std::array<Slot, N>& slots) {
    return BuiltVtable<N>{offsetToTop, &typeid(Shape), slots};
}
// The shapes of the vtables built here: the dual interface and ISupportErrorInfo.
struct DualShape : abi::IDispatch {};
struct SupportErrorsShape : abi::ISupportErrorInfo {};

// Whether two names are the same without regard to (ASCII) case, as IDispatch finds members.
bool SameName(std::string_view a, const abi::OLECHAR* b);

// Fills an EXCEPINFO from a failure, for IDispatch's DISP_E_EXCEPTION.
void FillException(const ErrorInfo& failure, abi::EXCEPINFO* exception);

// ---- serving a C++ object to binary callers

template <class TableType>
class Adapter {
public:
    using I = typename TableType::Interface;

    // A new binary object serving the target, holding one reference.
    static abi::IUnknown* Wrap(std::shared_ptr<I> target) {
        auto* object = new Object;
        object->vtable = Vtable().slots.data();
        object->supportErrors = SupportErrorsVtable().slots.data();
        if constexpr (kHasCompanion) object->companion = CompanionVtable().slots.data();
        object->target = std::move(target);
        return reinterpret_cast<abi::IUnknown*>(object);
    }
    // The object served, when the pointer is an adapter of this table made by this
    // library; null otherwise.
    static std::shared_ptr<I> Unwrap(abi::IUnknown* pointer) {
        if (!pointer || *reinterpret_cast<const Slot* const*>(pointer) != Vtable().slots.data()) return nullptr;
        return reinterpret_cast<Object*>(pointer)->target;
    }

private:
    using CompanionTable = typename Companion<TableType>::Table;
    static constexpr bool kHasCompanion = !std::is_void_v<CompanionTable>;

    struct Object {
        const Slot* vtable;              // the interface itself
        const Slot* supportErrors;       // ISupportErrorInfo
        const Slot* companion = nullptr;  // the companion, when the table has one
        std::atomic<uint32_t> references{1};
        std::shared_ptr<I> target;
        ServerLock lock;
    };
    static Object* FromSupportErrors(void* pointer) {
        return reinterpret_cast<Object*>(static_cast<char*>(pointer) - sizeof(const Slot*));
    }
    static Object* FromCompanion(void* pointer) {
        return reinterpret_cast<Object*>(static_cast<char*>(pointer) - 2 * sizeof(const Slot*));
    }

    template <class F>
    static Slot AsSlot(F function) {
        return reinterpret_cast<Slot>(function);
    }

    // ---- IUnknown
    static abi::HRESULT QUILLET_STDCALL QueryInterface(Object* self, const Guid& iid, void** out) {
        if (!out) return abi::hr::Pointer;
        if (iid == abi::IID_IUnknown || iid == abi::IID_IDispatch || iid == TableType::iid) {
            *out = self;
        } else if (iid == abi::IID_ISupportErrorInfo) {
            *out = &self->supportErrors;
        } else if (self->companion && iid == CompanionIid()) {
            *out = &self->companion;
        } else {
            *out = nullptr;
            return abi::hr::NoInterface;
        }
        ++self->references;
        return abi::hr::Ok;
    }
    static abi::ULONG QUILLET_STDCALL AddRef(Object* self) { return ++self->references; }
    static abi::ULONG QUILLET_STDCALL Release(Object* self) {
        const abi::ULONG left = --self->references;
        if (left == 0) delete self;
        return left;
    }

    // ---- ISupportErrorInfo, on the second pointer
    static abi::HRESULT QUILLET_STDCALL ErrorsQueryInterface(void* self, const Guid& iid, void** out) {
        return QueryInterface(FromSupportErrors(self), iid, out);
    }
    static abi::ULONG QUILLET_STDCALL ErrorsAddRef(void* self) { return AddRef(FromSupportErrors(self)); }
    static abi::ULONG QUILLET_STDCALL ErrorsRelease(void* self) { return Release(FromSupportErrors(self)); }
    static abi::HRESULT QUILLET_STDCALL InterfaceSupportsErrorInfo(void*, const Guid& iid) {
        return iid == TableType::iid ? abi::hr::Ok : abi::hr::False;
    }

    // ---- the companion, on the third pointer: its members run as the table's do
    static Guid CompanionIid() {
        if constexpr (kHasCompanion)
            return CompanionTable::iid;
        else
            return Guid{};
    }
    static abi::HRESULT QUILLET_STDCALL CompanionQueryInterface(void* self, const Guid& iid, void** out) {
        return QueryInterface(FromCompanion(self), iid, out);
    }
    static abi::ULONG QUILLET_STDCALL CompanionAddRef(void* self) { return AddRef(FromCompanion(self)); }
    static abi::ULONG QUILLET_STDCALL CompanionRelease(void* self) { return Release(FromCompanion(self)); }
    template <class M, class R, class List>
    struct CompanionThunk;
    template <class M, class R, class... A>
    struct CompanionThunk<M, R, TypeList<A...>> {
        static abi::HRESULT QUILLET_STDCALL Call(void* self, typename Marshal<A>::Abi... args,
                                                 typename Returned<R>::Abi* result) {
            return Thunk<M, R, TypeList<A...>>::Call(FromCompanion(self), args..., result);
        }
    };
    template <class M, class... A>
    struct CompanionThunk<M, void, TypeList<A...>> {
        static abi::HRESULT QUILLET_STDCALL Call(void* self, typename Marshal<A>::Abi... args) {
            return Thunk<M, void, TypeList<A...>>::Call(FromCompanion(self), args...);
        }
    };
    template <class... Members>
    static auto MakeCompanionVtable(TypeList<Members...>) {
        return std::array<Slot, 3 + sizeof...(Members)>{
            AsSlot(&CompanionQueryInterface), AsSlot(&CompanionAddRef), AsSlot(&CompanionRelease),
            AsSlot(&CompanionThunk<Members, typename Signature<typename Members::Function>::Result,
                                   typename Signature<typename Members::Function>::Arguments>::Call)...};
    }
    struct CompanionShape : abi::IUnknown {};
    static const auto& CompanionVtable() {
        static const auto vtable = Built<CompanionShape>(0, MakeCompanionVtable(typename CompanionTable::MemberList{}));
        return vtable;
    }

    // ---- IDispatch
    static abi::HRESULT QUILLET_STDCALL GetTypeInfoCount(Object*, uint32_t* count) {
        if (!count) return abi::hr::Pointer;
        *count = 0;
        return abi::hr::Ok;
    }
    static abi::HRESULT QUILLET_STDCALL GetTypeInfo(Object*, uint32_t, abi::LCID, abi::ITypeInfo** info) {
        if (info) *info = nullptr;
        return abi::hr::NotImpl;
    }
    static abi::HRESULT QUILLET_STDCALL GetIDsOfNames(Object*, const Guid&, abi::OLECHAR** names, uint32_t count,
                                                      abi::LCID, abi::DISPID* ids) {
        if (!names || !ids || count == 0) return abi::hr::Pointer;
        for (uint32_t i = 0; i < count; ++i) ids[i] = -1;
        for (size_t m = 0; m < TableType::kSize; ++m)
            if (SameName(TableType::names[m], names[0])) {
                ids[0] = TableType::DispidAt(m);
                break;
            }
        return ids[0] == -1 || count > 1 ? abi::hr::UnknownName : abi::hr::Ok;
    }
    static abi::HRESULT QUILLET_STDCALL Invoke(Object* self, abi::DISPID id, const Guid&, abi::LCID, uint16_t flags,
                                               abi::DISPPARAMS* params, abi::VARIANT* result,
                                               abi::EXCEPINFO* exception, uint32_t*) {
        const bool put = flags & (abi::dispatch::PropertyPut | abi::dispatch::PropertyPutRef);
        for (size_t m = 0; m < TableType::kSize; ++m) {
            if (TableType::DispidAt(m) != id) continue;
            const MemberKind kind = TableType::kinds[m];
            const bool wanted = put ? (kind == MemberKind::Put || kind == MemberKind::PutRef)
                                    : ((kind == MemberKind::Get && (flags & abi::dispatch::PropertyGet)) ||
                                       (kind == MemberKind::Method && (flags & abi::dispatch::Method)));
            if (wanted) return Dispatchers()[m](self, params, result, exception);
        }
        return abi::hr::MemberNotFound;
    }

    // ---- the members, through the vtable
    template <class M, class R, class List>
    struct Thunk;
    template <class M, class R, class... A>
    struct Thunk<M, R, TypeList<A...>> {
        static abi::HRESULT QUILLET_STDCALL Call(Object* self, typename Marshal<A>::Abi... args,
                                                 typename Returned<R>::Abi* result) {
            if (!result) return abi::hr::Pointer;
            Returned<R>::Clear(result);
            return abi::Guarded(TableType::iid, [&] {
                std::tuple<typename Marshal<A>::Server...> in{args...};
                auto call = [&](auto&... converted) -> decltype(auto) {
                    return std::invoke(M::pointer, *self->target, converted.Get()...);
                };
                decltype(auto) value = std::apply(call, in);
                WriteBack(in, std::tuple<typename Marshal<A>::Abi...>(args...));
                Returned<R>::Put(value, result);
            });
        }
    };
    template <class M, class... A>
    struct Thunk<M, void, TypeList<A...>> {
        static abi::HRESULT QUILLET_STDCALL Call(Object* self, typename Marshal<A>::Abi... args) {
            return abi::Guarded(TableType::iid, [&] {
                std::tuple<typename Marshal<A>::Server...> in{args...};
                std::apply([&](auto&... converted) { std::invoke(M::pointer, *self->target, converted.Get()...); }, in);
                WriteBack(in, std::tuple<typename Marshal<A>::Abi...>(args...));
            });
        }
    };
    template <class In, class Raw>
    static void WriteBack(In& in, const Raw& raw) {
        [&]<size_t... Is>(std::index_sequence<Is...>) {
            (std::get<Is>(in).Back(std::get<Is>(raw)), ...);
        }(std::make_index_sequence<std::tuple_size_v<In>>{});
    }
    template <class M>
    static Slot SlotOf() {
        using S = Signature<typename M::Function>;
        return AsSlot(&Thunk<M, typename S::Result, typename S::Arguments>::Call);
    }

    // ---- the members, through IDispatch
    using Dispatcher = abi::HRESULT (*)(Object*, abi::DISPPARAMS*, abi::VARIANT*, abi::EXCEPINFO*);
    template <class M, class R, class List>
    struct Dispatch;
    template <class M, class R, class... A>
    struct Dispatch<M, R, TypeList<A...>> {
        static abi::HRESULT Call(Object* self, abi::DISPPARAMS* params, abi::VARIANT* result,
                                 abi::EXCEPINFO* exception) {
            constexpr size_t count = sizeof...(A);
            constexpr bool isPut = M::kind == MemberKind::Put || M::kind == MemberKind::PutRef;
            const uint32_t given = params ? params->cArgs : 0;
            const uint32_t named = params ? params->cNamedArgs : 0;
            if (named > (isPut ? 1u : 0u)) return abi::hr::NoNamedArgs;
            if (given > count) return abi::hr::BadParamCount;
            constexpr std::array<bool, count + 1> optional = {Marshal<A>::kOptional..., true};
            for (size_t i = given; i < count; ++i)
                if (!optional[i]) return abi::hr::ParamNotFound;
            // The arguments in declaration order: IDispatch passes them last first, and
            // a put's value (the last parameter) first of all, as the named one.
            abi::VARIANT missing = abi::Missing();
            std::array<abi::VARIANT*, count + 1> arguments{};
            for (size_t i = 0; i < count; ++i) arguments[i] = i < given ? &params->rgvarg[given - 1 - i] : &missing;
            if (isPut && named == 1 && given == count) {
                arguments[count - 1] = &params->rgvarg[0];
                for (size_t i = 0; i + 1 < count; ++i) arguments[i] = &params->rgvarg[given - 1 - i];
            }
            try {
                [&]<size_t... Is>(std::index_sequence<Is...>) {
                    std::tuple<typename Marshal<A>::Dispatched...> in{*arguments[Is]...};
                    auto call = [&](auto&... converted) -> decltype(auto) {
                        return std::invoke(M::pointer, *self->target, converted.Get()...);
                    };
                    if constexpr (std::is_void_v<R>) {
                        std::apply(call, in);
                    } else {
                        decltype(auto) value = std::apply(call, in);
                        if (result) {
                            abi::VariantClear(result);
                            Returned<R>::ToVariant(value, *result);
                        }
                    }
                    (std::get<Is>(in).Back(*arguments[Is]), ...);
                }(std::index_sequence_for<A...>{});
                return abi::hr::Ok;
            } catch (...) {
                FillException(CurrentFailure(), exception);
                return abi::hr::Exception;
            }
        }
    };
    template <class M>
    static Dispatcher DispatcherOf() {
        using S = Signature<typename M::Function>;
        return &Dispatch<M, typename S::Result, typename S::Arguments>::Call;
    }

    template <size_t... Is>
    static auto MakeVtable(std::index_sequence<Is...>) {
        return std::array<Slot, TableType::kFirstSlot + sizeof...(Is)>{
            AsSlot(&QueryInterface), AsSlot(&AddRef), AsSlot(&Release), AsSlot(&GetTypeInfoCount),
            AsSlot(&GetTypeInfo), AsSlot(&GetIDsOfNames), AsSlot(&Invoke),
            SlotOf<typename TableType::template At<Is>>()...};
    }
    static const auto& Vtable() {
        static const auto vtable = Built<DualShape>(0, MakeVtable(std::make_index_sequence<TableType::kSize>{}));
        return vtable;
    }
    template <size_t... Is>
    static auto MakeDispatchers(std::index_sequence<Is...>) {
        return std::array<Dispatcher, TableType::kSize>{DispatcherOf<typename TableType::template At<Is>>()...};
    }
    static const auto& Dispatchers() {
        static const auto dispatchers = MakeDispatchers(std::make_index_sequence<TableType::kSize>{});
        return dispatchers;
    }
    static const auto& SupportErrorsVtable() {
        static const auto vtable = Built<SupportErrorsShape>(
            0,  // seen from C++, each interface pointer is an object of its own shape
            std::array<Slot, 4>{AsSlot(&ErrorsQueryInterface), AsSlot(&ErrorsAddRef), AsSlot(&ErrorsRelease),
                                AsSlot(&InterfaceSupportsErrorInfo)});
        return vtable;
    }
};

// ---- standing in for a binary object

namespace detail {
template <class TableType, class M, class R, class... A, class... Args>
auto CallSlot(abi::IUnknown* pointer, TypeList<A...>, Args&&... args) {
    constexpr size_t index = TableType::template IndexOf<M>();
    static_assert(index < TableType::kSize, "the member is not in the interface's table");
    const Slot* vtable = *reinterpret_cast<const Slot* const*>(pointer);
    const Slot slot = vtable[TableType::kFirstSlot + index];
    std::tuple<typename Marshal<A>::Client...> in{std::forward<Args>(args)...};
    if constexpr (std::is_void_v<R>) {
        using Function = abi::HRESULT(QUILLET_STDCALL*)(abi::IUnknown*, typename Marshal<A>::Abi...);
        const abi::HRESULT result = std::apply(
            [&](auto&... converted) { return reinterpret_cast<Function>(slot)(pointer, converted.Get()...); }, in);
        abi::Check(result);
        std::apply([](auto&... converted) { (converted.Back(), ...); }, in);
    } else {
        using Out = typename Returned<R>::Abi;
        using Function = abi::HRESULT(QUILLET_STDCALL*)(abi::IUnknown*, typename Marshal<A>::Abi..., Out*);
        Out raw;
        Returned<R>::Clear(&raw);
        const abi::HRESULT result = std::apply(
            [&](auto&... converted) { return reinterpret_cast<Function>(slot)(pointer, converted.Get()..., &raw); },
            in);
        if (abi::Failed(result)) {
            ErrorInfo failure = abi::FailureOf(result);
            (void)Returned<R>::Take(raw);  // whatever the object left is freed
            throw failure;
        }
        std::apply([](auto&... converted) { (converted.Back(), ...); }, in);
        return Returned<R>::Take(raw);
    }
}
}  // namespace detail

// Calls member M of the table on a binary object (a pointer of the table's interface)
// with the arguments, converted; a failed HRESULT is raised as ErrorInfo. By-reference
// arguments get what the object left in them.
template <class TableType, class M, class... Args>
auto CallThrough(abi::IUnknown* pointer, Args&&... args) {
    using S = Signature<typename M::Function>;
    return detail::CallSlot<TableType, M, typename S::Result>(pointer, typename S::Arguments{},
                                                              std::forward<Args>(args)...);
}

// What every stand-in holds: the binary object, one reference.
class ProxyBase {
public:
    explicit ProxyBase(abi::IUnknown* pointer) : pointer_(pointer) {}
    virtual ~ProxyBase();
    ProxyBase(const ProxyBase&) = delete;
    ProxyBase& operator=(const ProxyBase&) = delete;
    abi::IUnknown* Pointer() const { return pointer_; }

protected:
    abi::IUnknown* pointer_;
};

template <class TableType>
class Proxy : public TableType::Interface, public ProxyBase {
public:
    // Takes over the reference to a pointer of the table's interface.
    explicit Proxy(abi::IUnknown* pointer) : ProxyBase(pointer) {}

protected:
    template <class M, class... Args>
    auto Call(Args&&... args) const {
        return CallThrough<TableType, M>(pointer_, std::forward<Args>(args)...);
    }
};

// Any object that is only held and handed back (the add-in instance Office passes at
// connection, for instance): it crosses as a bare IUnknown.
template <>
struct Bridge<IUnknown> {
    static abi::IUnknown* Export(const std::shared_ptr<IUnknown>& object);
    static std::shared_ptr<IUnknown> Import(abi::IUnknown* pointer);
};

// Bridge<X> for an interface with a table and a stand-in.
template <class X, class TableType, class ProxyType>
struct TableBridge {
    static abi::IUnknown* Export(const std::shared_ptr<X>& object) {
        if (!object) return nullptr;
        if (const auto* proxy = dynamic_cast<const ProxyBase*>(object.get())) {
            abi::IUnknown* pointer = proxy->Pointer();
            pointer->AddRef();
            return pointer;
        }
        return Adapter<TableType>::Wrap(object);
    }
    static std::shared_ptr<X> Import(abi::IUnknown* pointer) {
        if (!pointer) return nullptr;
        if (auto own = Adapter<TableType>::Unwrap(pointer)) return own;
        void* typed = nullptr;
        if (abi::Failed(pointer->QueryInterface(TableType::iid, &typed)) || !typed)
            Raise(13, "Type mismatch");
        return std::make_shared<ProxyType>(static_cast<abi::IUnknown*>(typed));
    }
};

}  // namespace platform::com
