#include <algorithm>
#include <optional>
#include <stdexcept>

#include "tools/dbtool/dbtool.h"

namespace dbtool {

namespace {

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

std::string Lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return s;
}

// A column heading as a name: blanks and brackets dropped, lower case.
std::string ColumnName(const std::string& heading) {
    std::string name = Trimmed(heading);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = Trimmed(name.substr(1, name.size() - 2));
    return Lowered(name);
}

std::optional<bool> ActiveValue(const std::string& text) {
    const std::string value = Lowered(Trimmed(text));
    if (value == "true" || value == "yes" || value == "1" || value == "-1") return true;
    if (value == "false" || value == "no" || value == "0" || value.empty()) return false;
    return std::nullopt;
}

}  // namespace

std::vector<dbtool::ProjectRecord> ProjectsFromCsv(const std::vector<CsvRecord>& records,
                                                          std::vector<std::string>& warnings) {
    if (records.empty()) throw std::runtime_error("the CSV file is empty: its first line must name the columns");
    const CsvRecord& header = records.front();

    enum Column { Number, Name, Folder, Active, Count };
    const char* const names[Count] = {"project number", "project name", "projfilepath", "active"};
    std::optional<size_t> index[Count];
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = ColumnName(header.fields[i]);
        auto known = std::find_if(std::begin(names), std::end(names), [&](const char* n) { return name == n; });
        if (known != std::end(names)) {
            auto& slot = index[known - std::begin(names)];
            if (slot) throw std::runtime_error("line " + std::to_string(header.line) + ": the column \"" +
                                               header.fields[i] + "\" is named twice");
            slot = i;
        } else if (name == "projectid") {
            warnings.push_back("the column \"" + header.fields[i] +
                               "\" is skipped: the database numbers the projects itself");
        } else {
            warnings.push_back("the column \"" + header.fields[i] + "\" is not a column of the Project table; skipped");
        }
    }
    if (!index[Number] || !index[Name])
        throw std::runtime_error("line " + std::to_string(header.line) +
                                 ": the first line must name the columns \"Project Number\" and \"Project Name\"");
    if (!index[Active]) warnings.push_back("there is no column \"Active\": every project is imported as active");

    std::vector<dbtool::ProjectRecord> projects;
    projects.reserve(records.size() - 1);
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string line = "line " + std::to_string(record.line) + ": ";
        if (record.fields.size() > header.fields.size())
            throw std::runtime_error(line + std::to_string(record.fields.size()) + " fields, but only " +
                                     std::to_string(header.fields.size()) + " columns are named");
        if (record.fields.size() < header.fields.size())
            throw std::runtime_error(line + std::to_string(record.fields.size()) + " fields, but " +
                                     std::to_string(header.fields.size()) + " columns are named");
        auto cell = [&](const std::optional<size_t>& column) -> std::string {
            if (!column || *column >= record.fields.size()) return {};
            return record.fields[*column];
        };
        dbtool::ProjectRecord project;
        project.number = cell(index[Number]);
        project.name = cell(index[Name]);
        project.folder = cell(index[Folder]);
        if (Trimmed(project.number).empty()) throw std::runtime_error(line + "the project has no Project Number");
        if (Trimmed(project.name).empty()) throw std::runtime_error(line + "the project has no Project Name");
        for (const auto& [text, column] : {std::pair{&project.number, "Project Number"},
                                           std::pair{&project.name, "Project Name"},
                                           std::pair{&project.folder, "ProjFilePath"}})
            if (text->find('\0') != std::string::npos)
                throw std::runtime_error(line + "the " + column + " holds a NUL character");
        if (index[Active]) {
            auto active = ActiveValue(cell(index[Active]));
            if (!active)
                throw std::runtime_error("line " + std::to_string(record.line) + ": \"" + cell(index[Active]) +
                                         "\" is not a value for Active (True/False, Yes/No, 1/0)");
            project.active = *active;
        }
        projects.push_back(std::move(project));
    }
    return projects;
}

}  // namespace dbtool
