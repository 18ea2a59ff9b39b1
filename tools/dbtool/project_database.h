// The project database itself: making a new one with its Project table, and filling
// it with projects. Used by the database tool and by the simulator; the system only
// reads and writes an existing database through Connection.
//
// Table Project: ProjectID (assigned by the database), [Project Number],
// [Project Name], ProjFilePath (text compared without regard to case, as Access
// does), Active (a Yes/No column, False unless given).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace dbtool {

struct ProjectRecord {
    std::string number;
    std::string name;
    std::string folder;
    bool active = true;
};

// Creates a new project database in a host file: 58 when the file exists already,
// 76 when its folder does not.
void CreateProjectDatabase(const std::filesystem::path& hostPath);

// Adds the projects to an existing project database in one transaction (all of them
// or none) and returns how many were added. The file is checked as when a connection
// opens it.
size_t AddProjects(const std::filesystem::path& hostPath, const std::vector<ProjectRecord>& projects);

// What an import did: the projects added, the projects updated, and the numbers of the
// projects skipped because the table held that number already.
struct ImportResult {
    size_t added = 0;
    size_t updated = 0;
    std::vector<std::string> skipped;
};

// Imports the projects in one transaction (all or none). A project whose number the
// table holds already (without regard to case; also one imported earlier in the same
// run) is skipped, or, with update, its name, folder and active flag are replaced.
ImportResult ImportProjects(const std::filesystem::path& hostPath, const std::vector<ProjectRecord>& projects,
                            bool update);

}  // namespace dbtool
