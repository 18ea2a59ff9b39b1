#include "platform/toolkit/window_handles.h"

#include <map>
#include <variant>

namespace platform::toolkit::detail {

namespace {
// The first handles of the session belong to the desktop and the host's windows.
constexpr Hwnd kFirstHandle = 0x20010;
constexpr Hwnd kHandleStep = 4;

struct Table {
    Hwnd next = kFirstHandle;
    std::map<Hwnd, std::variant<Form*, Control*>> windows;
};
Table& Windows() {
    static Table table;
    return table;
}
template <class T>
Hwnd Add(T* window) {
    Table& table = Windows();
    Hwnd hwnd = table.next;
    table.next += kHandleStep;
    table.windows.emplace(hwnd, window);
    return hwnd;
}
template <class T>
T* Find(Hwnd hwnd) {
    const Table& table = Windows();
    auto it = table.windows.find(hwnd);
    if (it == table.windows.end() || !std::holds_alternative<T*>(it->second)) return nullptr;
    return std::get<T*>(it->second);
}
}  // namespace

Hwnd Register(Form& form) { return Add(&form); }
Hwnd Register(Control& control) { return Add(&control); }
void Unregister(Hwnd hwnd) { Windows().windows.erase(hwnd); }
Form* FindForm(Hwnd hwnd) { return Find<Form>(hwnd); }
Control* FindControl(Hwnd hwnd) { return Find<Control>(hwnd); }

}  // namespace platform::toolkit::detail
