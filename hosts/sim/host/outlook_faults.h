// The simulated Outlook's failures: the errors Outlook and Office raise on their own
// (a send without recipients, an item that is gone, a bad argument), and the failures
// a test or a scenario arms for the next call of a kind ("fail saveas 287").
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/errors/errors.h"

namespace sim {

// Outlook's and Office's own numbers.
namespace olerr {
inline constexpr int32_t Failed = int32_t(0x80004005u);        // E_FAIL: a method that failed
inline constexpr int32_t ItemGone = int32_t(0x8004010Au);      // the item was moved or deleted
inline constexpr int32_t InvalidArgument = 5;                  // "Invalid procedure call or argument"
inline constexpr int32_t BadParameter = int32_t(0x80070057u);  // E_INVALIDARG
// Windows' file failures as Outlook passes them on (HRESULTs of the Win32 errors).
inline constexpr int32_t PathNotFound = int32_t(0x80070003u);      // no such folder
inline constexpr int32_t AccessDenied = int32_t(0x80070005u);      // read-only, or a folder of that name
inline constexpr int32_t SharingViolation = int32_t(0x80070020u);  // the file is in use
inline constexpr int32_t DiskFull = int32_t(0x80070070u);          // no room left on the disk
}  // namespace olerr

// "Method 'Delete' of object 'CommandBarButton' failed", as Office says it.
[[noreturn]] void RaiseMethodFailed(std::string_view method, std::string_view object);
// 5 "Invalid procedure call or argument".
[[noreturn]] void RaiseInvalidArgument();

// The kinds of calls a failure can be armed for: on a mail item (Body covers every
// read and write of Body and HTMLBody), and the application's GetNamespace (the first
// call an add-in makes when it connects).
enum class OutlookCall { SaveAs, Send, Body, Namespace };

// Failures armed for the next call of a kind, on whichever mail item makes it. Each
// fires once.
class OutlookFaults {
public:
    // Without a description, the one Windows gives the number.
    void FailNext(OutlookCall call, int32_t number, std::string description = {});
    // Raises the failure armed for this kind of call, and disarms it.
    void Check(OutlookCall call);
    bool Armed(OutlookCall call) const { return armed_.count(call) != 0; }

private:
    std::map<OutlookCall, platform::ErrorInfo> armed_;
};

}  // namespace sim
