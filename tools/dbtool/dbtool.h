// The commands of quillet-dbtool:
//   create FILE        makes a new, empty project database in FILE
//   import FILE CSV    adds the projects of a CSV file to the database in FILE
// FILE and CSV are paths of this machine.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/dbtool/project_database.h"
#include "tools/dbtool/csv.h"

namespace dbtool {

// The projects of CSV records whose first record names the columns: "Project Number",
// "Project Name", "ProjFilePath", "Active" (without regard to case, brackets
// allowed). Active reads True/False, Yes/No, 1/0 or -1 (an empty cell is False); a
// file without that column imports every project as active. "ProjectID" and
// unknown columns are skipped, each with a warning. Raises std::runtime_error,
// naming the line, for records the table cannot take: more or fewer fields than
// columns, no number or no name, a NUL character, an Active that is no Boolean.
std::vector<dbtool::ProjectRecord> ProjectsFromCsv(const std::vector<CsvRecord>& records,
                                                          std::vector<std::string>& warnings);

// Runs one command (args without the program name); returns the exit code: 0 done,
// 1 failed, 2 wrong use.
int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dbtool
