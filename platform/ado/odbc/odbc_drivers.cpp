#include "platform/ado/odbc/odbc_drivers.h"

#include <algorithm>

#include "platform/ado/odbc/odbc_api.h"

namespace platform::ado::odbc {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A byte a URI path may hold as it is.
bool UriPlain(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/' || c == ':';
}

// A path as a "file:" URI that the engine opens for reading and writing only.
std::string FileUri(std::string_view path) {
    std::string slashed(path);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::string uri = "file:";
    // A drive path ("C:/...") and a share ("//server/share/...") go after an empty
    // authority; a host path starts with its own "/".
    if (slashed.size() >= 2 && slashed[1] == ':')
        uri += "///";
    else if (slashed.rfind("//", 0) == 0)
        uri += "//";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : slashed) {
        if (UriPlain(c)) {
            uri += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xF];
        }
    }
    return uri + "?mode=rw";
}

bool NeedsBraces(std::string_view value) {
    return value.find_first_of(";{}=") != std::string_view::npos ||
           (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())));
}

}  // namespace

std::optional<Database> DatabaseOf(std::string_view providerName) {
    for (const ProviderName& entry : kProviderNames)
        if (SameName(entry.name, providerName)) return entry.database;
    return std::nullopt;
}

std::optional<std::string> FirstInstalled(std::span<const std::string_view> drivers,
                                          const std::vector<std::string>& installed) {
    for (std::string_view driver : drivers)
        for (const std::string& name : installed)
            if (SameName(driver, name)) return name;
    return std::nullopt;
}

std::vector<std::string> InstalledOdbcDrivers() {
    Handle environment = Handle::Environment();
    return environment ? InstalledDrivers(environment) : std::vector<std::string>();
}

std::string OdbcValue(std::string_view value) {
    if (!NeedsBraces(value)) return std::string(value);
    std::string braced = "{";
    for (char c : value) {
        braced += c;
        if (c == '}') braced += '}';
    }
    return braced + "}";
}

std::string AccessConnectionString(std::string_view driver, std::string_view file, std::string_view user,
                                   std::string_view password) {
    return "DRIVER={" + std::string(driver) + "};DBQ=" + OdbcValue(file) + ";UID=" + OdbcValue(user) +
           ";PWD=" + OdbcValue(password) + ";";
}

std::string SqliteConnectionString(std::string_view driver, std::string_view file, int busyTimeoutMs) {
    const std::string database = NeedsBraces(file) ? FileUri(file) : std::string(file);
    return "DRIVER={" + std::string(driver) + "};Database=" + database + ";NoCreat=1;Timeout=" +
           std::to_string(busyTimeoutMs) + ";";
}

std::string SqlServerConnectionString(std::string_view driver, std::string_view server, std::string_view database,
                                      std::string_view user, std::string_view password) {
    return "DRIVER={" + std::string(driver) + "};SERVER=" + OdbcValue(server) + ";DATABASE=" + OdbcValue(database) +
           ";UID=" + OdbcValue(user) + ";PWD=" + OdbcValue(password) + ";";
}

}  // namespace platform::ado::odbc
