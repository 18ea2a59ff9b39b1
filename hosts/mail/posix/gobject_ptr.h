// A GObject reference (libgsf's and GMime's objects) held by a smart pointer that
// drops it.
#pragma once

#include <memory>

namespace mail {

struct GObjectUnref {
    void operator()(void* object) const;
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace mail
