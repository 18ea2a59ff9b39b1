#include "hosts/mail/posix/gmime_support.h"

#include <mutex>

namespace mail {

void StartGMime() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

std::string BytesOf(GMimeStream* memoryStream) {
    GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memoryStream));
    if (!array || array->len == 0) return {};
    return std::string(reinterpret_cast<const char*>(array->data), array->len);
}

}  // namespace mail
