#include "tools/dbtool/dbtool.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/errors/errors.h"
#include "platform/text/text.h"

namespace dbtool {

namespace {

constexpr const char* kUsage =
    "usage: quillet-dbtool create FILE\n"
    "       quillet-dbtool import [--update] FILE CSV\n"
    "  create   makes a new, empty project database in FILE\n"
    "  import   adds the projects of CSV (a header line naming the columns Project Number,\n"
    "           Project Name, ProjFilePath, Active) to the project database in FILE; a\n"
    "           project whose number is there already is skipped (with --update, changed)\n";

// The CSV file's text as UTF-8: a UTF-16 file (with its byte-order mark, as Windows
// programs save "Unicode" text) is converted.
std::string CsvText(const std::string& bytes) {
    const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
    if (!little && !big) return bytes;
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(little ? (second << 8 | first) : (first << 8 | second));
    }
    return platform::text::FromUtf16(units);
}

int Create(const std::string& file, std::ostream& out) {
    dbtool::CreateProjectDatabase(file);
    out << "Created the project database " << file << ".\n";
    return 0;
}

int Import(const std::string& file, const std::string& csvFile, bool update, std::ostream& out,
           std::ostream& err) {
    std::error_code ec;
    if (std::filesystem::is_directory(csvFile, ec)) {
        err << "quillet-dbtool: " << csvFile << " is a folder, not a CSV file\n";
        return 1;
    }
    std::ifstream in(csvFile, std::ios::binary);
    if (!in) {
        err << "quillet-dbtool: cannot read " << csvFile << "\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<std::string> warnings;
    std::vector<dbtool::ProjectRecord> projects;
    try {
        projects = ProjectsFromCsv(ParseCsv(CsvText(text.str())), warnings);
    } catch (const std::runtime_error& e) {
        err << "quillet-dbtool: " << csvFile << ": " << e.what() << "\n";
        return 1;
    }
    for (const std::string& warning : warnings) err << "quillet-dbtool: " << csvFile << ": " << warning << "\n";
    const ImportResult result = dbtool::ImportProjects(file, projects, update);
    for (const std::string& number : result.skipped)
        err << "quillet-dbtool: " << csvFile << ": the project number \"" << number
            << "\" is in the database already; skipped (--update changes it)\n";
    auto count = [](size_t n) { return std::to_string(n) + (n == 1 ? " project" : " projects"); };
    out << "Imported " << count(result.added) << " into " << file;
    if (result.updated) out << ", updated " << count(result.updated);
    if (!result.skipped.empty()) out << ", skipped " << count(result.skipped.size());
    out << ".\n";
    return 0;
}

}  // namespace

int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        // An empty name names no file: it would be taken for the working folder.
        for (size_t i = 1; i < args.size(); ++i)
            if (args[i].empty()) {
                err << "quillet-dbtool: an empty name is no file name\n" << kUsage;
                return 2;
            }
        if (args.size() == 2 && args[0] == "create") return Create(args[1], out);
        if (args.size() == 3 && args[0] == "import") return Import(args[1], args[2], false, out, err);
        if (args.size() == 4 && args[0] == "import" && args[1] == "--update")
            return Import(args[2], args[3], true, out, err);
    } catch (const platform::ErrorInfo& failure) {
        const std::string& file = args.size() == 4 ? args[2] : args[1];
        if (failure.Number == platform::err::FileAlreadyExists)
            err << "quillet-dbtool: " << file << " exists already; it was left as it was.\n";
        else if (failure.Number == platform::err::PathNotFound || failure.Number == platform::err::FileNotFound)
            err << "quillet-dbtool: " << file << ": " << failure.Description << "\n";
        else
            err << "quillet-dbtool: " << failure.Description << "\n";
        return 1;
    }
    err << kUsage;
    return 2;
}

}  // namespace dbtool
