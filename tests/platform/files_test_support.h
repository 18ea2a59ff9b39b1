// Helpers for the tests of the file system and the registry store.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/errors/errors.h"

namespace files_test {

// The number of the failure the call raises; 0 when it raises none.
template <class Call>
int32_t FailureOf(Call&& call) {
    try {
        std::forward<Call>(call)();
    } catch (const platform::ErrorInfo& failure) {
        return failure.Number;
    }
    return 0;
}

}  // namespace files_test
