#include "tools/dbtool/csv.h"

namespace dbtool {

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    size_t line = 1;
    record.line = 1;
    bool fieldStarted = false;  // the record has at least one character or separator

    auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
    };
    auto endRecord = [&] {
        if (fieldStarted) {
            endField();
            records.push_back(std::move(record));
        }
        record = CsvRecord();
        fieldStarted = false;
    };

    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '"' && field.empty()) {
            // A quoted field: up to the lone closing quote.
            const size_t openLine = line;
            fieldStarted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (text[i] == '\n') ++line;
                field += text[i++];
            }
            if (!closed) throw CsvError(openLine, "a quoted field is never closed");
            if (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                throw CsvError(line, "text follows the closing quote of a field");
            continue;
        }
        if (c == ',') {
            fieldStarted = true;
            endField();
            ++i;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            ++i;
            endRecord();
            ++line;
            record.line = line;
        } else {
            fieldStarted = true;
            field += c;
            ++i;
        }
    }
    endRecord();
    return records;
}

}  // namespace dbtool
