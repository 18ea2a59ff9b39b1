// Fuzz target: a CSV file of projects as quillet-dbtool imports it. Any bytes are read
// into records or refused with a message naming the line; a record read holds no more
// fields than there were separators, and the projects made of it hold no NUL and
// never an empty number or name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/dbtool/dbtool.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "csv fuzz target: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<dbtool::CsvRecord> records;
    try {
        records = dbtool::ParseCsv(text);
    } catch (const dbtool::CsvError& e) {
        if (std::string(e.what()).empty()) Fault("a refusal without a message");
        return 0;
    }
    size_t line = 0;
    for (const auto& record : records) {
        if (record.line <= line) Fault("records out of line order");
        line = record.line;
    }
    std::vector<std::string> warnings;
    try {
        for (const auto& project : dbtool::ProjectsFromCsv(records, warnings)) {
            if (project.number.empty() || project.name.empty()) Fault("a project without a number or a name");
            if ((project.number + project.name + project.folder).find('\0') != std::string::npos)
                Fault("a project holding NUL");
        }
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()).empty()) Fault("a refusal without a message");
    }
    return 0;
}
