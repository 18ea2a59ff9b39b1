// An OLE DB connection string read as its properties: "key=value;" pairs, keys
// without regard to case, blanks around keys and values dropped. A value in double
// or single quotes may hold ";" and "="; a doubled quote inside stands for one.
// "==" in a key stands for "=". A key given twice keeps its last value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::ado {

class ConnectionProperties {
public:
    static ConnectionProperties Parse(std::string_view text);

    // The value of a key, or nullopt when the string does not name it.
    std::optional<std::string> Find(std::string_view key) const;
    std::string Get(std::string_view key) const { return Find(key).value_or(std::string()); }

    const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace platform::ado
