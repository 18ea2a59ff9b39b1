// The toolkit's own table of window handles: each form and control gets one, never
// reused in the process, and the window calls find them by it. Internal to the
// toolkit's implementation.
#pragma once

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {
class Control;
class Form;
}  // namespace platform::toolkit

namespace platform::toolkit::detail {

Hwnd Register(Form& form);
Hwnd Register(Control& control);
void Unregister(Hwnd hwnd);
Form* FindForm(Hwnd hwnd);
Control* FindControl(Hwnd hwnd);

}  // namespace platform::toolkit::detail
