// The error frame of a guarded procedure.
//
// A guarded procedure arms a frame, runs its statements under it, and ends with its
// exit step. A failure in a statement (or in anything it calls that has no frame of
// its own) goes to the frame's handler: first the procedure's own tests on the error
// number, otherwise the library's error report. Then the procedure resumes at its exit
// step (the usual case) or with the statement after the failed one. The result is
// whatever the procedure had assigned before the failure.
//
//     bool clsUtil::OpenFile(...) {
//         bool result = false;
//         Guard("OpenFile()")
//             .Exit([&] { ... })                       // the exit step, optional
//             .Run([&] { ...; result = true; });       // the body
//         return result;
//     }
//
// A body written as several statements can resume after a failed one:
//
//     Guard("SetNewIniLocation()")
//         .Skip(58)               // 58: go on silently with the next statement
//         .Quiet(70)              // 70: go silently to the exit step
//         .Exit([&] { gUtil->UtilDestroyFileObject(); })
//         .Run({[&] { gUtil->UtilCreateFileObject(); },
//               [&] { ...CopyFile... },
//               [&] { result = true; }});
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/errors/errors.h"

namespace platform {

enum class Resume { ExitStep, NextStatement };

inline constexpr int32_t kInternalError = 51;  // a failure that was not an ErrorInfo

// Turns whatever was thrown into the ErrorInfo a handler sees.
ErrorInfo CurrentFailure();

class ErrorFrame {
public:
    // The report of the library that owns the procedure: its ErrHandler with the
    // module name, the procedure name and, in the add-in, the exe name bound in.
    using Reporter = std::function<void(const ErrorInfo&)>;
    using Handler = std::function<Resume(const ErrorInfo&)>;

    explicit ErrorFrame(Reporter report) : report_(std::move(report)) {}

    // Number tests, applied before the report.
    ErrorFrame& On(int32_t number, Handler handler) {
        tests_.emplace_back(number, std::move(handler));
        return *this;
    }
    ErrorFrame& Skip(int32_t number) {
        return On(number, [](const ErrorInfo&) { return Resume::NextStatement; });
    }
    ErrorFrame& Quiet(int32_t number) {
        return On(number, [](const ErrorInfo&) { return Resume::ExitStep; });
    }
    // After the report, go on with the statement after the failed one.
    ErrorFrame& ResumeNextAfterReport() {
        afterReport_ = Resume::NextStatement;
        return *this;
    }
    ErrorFrame& Exit(std::function<void()> exitStep) {
        exit_ = std::move(exitStep);
        return *this;
    }

    void Run(std::initializer_list<std::function<void()>> statements) {
        for (const auto& statement : statements) {
            Resume resume = Resume::NextStatement;
            try {
                statement();
            } catch (...) {
                resume = Handle(CurrentFailure());
            }
            if (resume == Resume::ExitStep) break;
        }
        if (exit_) exit_();
    }
    void Run(const std::function<void()>& body) { Run({body}); }

private:
    Resume Handle(const ErrorInfo& failure) {
        for (auto& [number, handler] : tests_)
            if (number == failure.Number) return handler(failure);
        report_(failure);
        return afterReport_;
    }

    Reporter report_;
    std::vector<std::pair<int32_t, Handler>> tests_;
    Resume afterReport_ = Resume::ExitStep;
    std::function<void()> exit_;
};

// For the seams where the outside world calls in (events of forms and of the mail
// host): a failure that escapes every frame shows nothing and never reaches the host.
template <class F>
void Contain(F&& f) noexcept {
    try {
        f();
    } catch (...) {
    }
}

}  // namespace platform
