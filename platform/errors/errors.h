// ErrorInfo: the one failure type of the system and its platform.
//
// Every failure, whether the platform raises it (file system, database, mail host)
// or the system raises its own, travels as an ErrorInfo exception carrying a 32-bit
// number and a description, as a run-time error does in the host's world.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace platform {

class ErrorInfo : public std::exception {
public:
    ErrorInfo(int32_t number, std::string description, std::string source = {});

    int32_t Number;
    std::string Description;
    std::string Source;

    const char* what() const noexcept override;  // defined in the platform library (unique type)
};

// Raises a failure.
[[noreturn]] void Raise(int32_t number, std::string description, std::string source = {});

// The numbers the platform gives its failures, as Windows does.
namespace err {
inline constexpr int32_t ObjectNotSet = 91;       // "Object variable or With block variable not set"
inline constexpr int32_t BadFileName = 52;        // "Bad file name or number"
inline constexpr int32_t FileNotFound = 53;       // "File not found"
inline constexpr int32_t BadFileMode = 54;        // "Bad file mode"
inline constexpr int32_t FileAlreadyExists = 58;  // "File already exists"
inline constexpr int32_t InputPastEnd = 62;       // "Input past end of file"
inline constexpr int32_t PermissionDenied = 70;   // "Permission denied"
inline constexpr int32_t PathFileAccess = 75;     // "Path/File access error"
inline constexpr int32_t PathNotFound = 76;       // "Path not found"
inline constexpr int32_t ObjectRequired = 424;    // "Object required"
inline constexpr int32_t OutlookRefused = 287;    // the user refused Outlook's security prompt
}  // namespace err

// The description Windows gives one of the numbers above ("File not found", ...).
std::string StandardDescription(int32_t number);

// Raises one of the numbered failures above with its standard description.
[[noreturn]] void RaiseStandard(int32_t number, std::string source = {});

}  // namespace platform
