#include "hosts/mail/posix/gobject_ptr.h"

#include <glib-object.h>

namespace mail {

void GObjectUnref::operator()(void* object) const {
    if (object) g_object_unref(object);
}

}  // namespace mail
