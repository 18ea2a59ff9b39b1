// Fuzz target: a subject's project tag (number, "-", name, "=>", subject) as the add-in
// reads it when a save form opens in Plexar mode. Any subject is read or refused with
// the add-in's own failure, never a crash; a tag read in full gives back parts that
// were in the subject.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "addin_machine.h"
#include "platform/errors/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::AddinMachine();
    const std::string subject(reinterpret_cast<const char*>(data), size);
    std::string parsed = subject;
    try {
        gController->ParseSubjectTag(parsed);
    } catch (const platform::ErrorInfo&) {
        return 0;
    }
    if (subject.find(parsed) == std::string::npos) {
        std::fprintf(stderr, "subject tags fuzz target: the subject read is not part of the subject\n");
        std::abort();
    }
    return 0;
}
