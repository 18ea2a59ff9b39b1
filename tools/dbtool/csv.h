// CSV text as RFC 4180 has it: fields separated by commas, records by CRLF or LF; a
// field in double quotes may hold commas, line breaks and doubled quotes ("" for ").
// A UTF-8 byte-order mark at the start is dropped; blank lines are skipped.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dbtool {

struct CsvRecord {
    size_t line = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
};

class CsvError : public std::runtime_error {
public:
    CsvError(size_t line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    size_t Line() const { return line_; }

private:
    size_t line_;
};

// Raises CsvError for a quoted field that never ends or text after a closing quote.
std::vector<CsvRecord> ParseCsv(std::string_view text);

}  // namespace dbtool
