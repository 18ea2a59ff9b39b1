#include "tools/dbtool/dbtool.h"

#include <fstream>
#include <sstream>

#include "platform/errors/errors.h"

namespace dbtool {

namespace {

constexpr const char* kUsage =
    "usage: quillet-dbtool create FILE\n"
    "       quillet-dbtool import FILE CSV\n"
    "  create   makes a new, empty project database in FILE\n"
    "  import   adds the projects of CSV (a header line naming the columns Project Number,\n"
    "           Project Name, ProjFilePath, Active) to the project database in FILE\n";

int Create(const std::string& file, std::ostream& out) {
    dbtool::CreateProjectDatabase(file);
    out << "Created the project database " << file << ".\n";
    return 0;
}

int Import(const std::string& file, const std::string& csvFile, std::ostream& out, std::ostream& err) {
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
        projects = ProjectsFromCsv(ParseCsv(text.str()), warnings);
    } catch (const std::runtime_error& e) {
        err << "quillet-dbtool: " << csvFile << ": " << e.what() << "\n";
        return 1;
    }
    for (const std::string& warning : warnings) err << "quillet-dbtool: " << csvFile << ": " << warning << "\n";
    const size_t added = dbtool::AddProjects(file, projects);
    out << "Imported " << added << (added == 1 ? " project" : " projects") << " into " << file << ".\n";
    return 0;
}

}  // namespace

int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.size() == 2 && args[0] == "create") return Create(args[1], out);
        if (args.size() == 3 && args[0] == "import") return Import(args[1], args[2], out, err);
    } catch (const platform::ErrorInfo& failure) {
        if (failure.Number == platform::err::FileAlreadyExists)
            err << "quillet-dbtool: " << args[1] << " exists already; it was left as it was.\n";
        else if (failure.Number == platform::err::PathNotFound || failure.Number == platform::err::FileNotFound)
            err << "quillet-dbtool: " << args[1] << ": " << failure.Description << "\n";
        else
            err << "quillet-dbtool: " << failure.Description << "\n";
        return 1;
    }
    err << kUsage;
    return 2;
}

}  // namespace dbtool
