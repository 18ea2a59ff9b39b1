#include "platform/errors/errors.h"

namespace platform {

ErrorInfo::ErrorInfo(int32_t number, std::string description, std::string source)
    : Number(number), Description(std::move(description)), Source(std::move(source)) {}

const char* ErrorInfo::what() const noexcept { return Description.c_str(); }

void Raise(int32_t number, std::string description, std::string source) {
    throw ErrorInfo(number, std::move(description), std::move(source));
}

std::string StandardDescription(int32_t number) {
    switch (number) {
        case err::ObjectNotSet: return "Object variable or With block variable not set";
        case err::BadFileName: return "Bad file name or number";
        case err::FileNotFound: return "File not found";
        case err::BadFileMode: return "Bad file mode";
        case err::FileAlreadyExists: return "File already exists";
        case err::InputPastEnd: return "Input past end of file";
        case err::PermissionDenied: return "Permission denied";
        case err::PathFileAccess: return "Path/File access error";
        case err::PathNotFound: return "Path not found";
        case err::ObjectRequired: return "Object required";
        default: return "Application-defined or object-defined error";
    }
}

void RaiseStandard(int32_t number, std::string source) {
    throw ErrorInfo(number, StandardDescription(number), std::move(source));
}

}  // namespace platform

#include "platform/errors/frame.h"

namespace platform {

ErrorInfo CurrentFailure() {
    try {
        throw;
    } catch (const ErrorInfo& e) {
        return e;
    } catch (const std::exception& e) {
        return ErrorInfo(kInternalError, e.what());
    } catch (...) {
        return ErrorInfo(kInternalError, "Internal error");
    }
}

}  // namespace platform
