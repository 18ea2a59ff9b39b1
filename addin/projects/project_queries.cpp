// The project table: the project list, the next-number suggestion and the test for
// a number already taken.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/clsUtil.h"
#include "util/interfaces/next_project_number.h"
#include "util/interfaces/sql_text.h"

namespace text = platform::text;

void clsQuillet::LoadProjectList() {
    const bool sqlServer = text::EqualNoCase(Use(gDb).DbType(), "SQLServer");
    ProjectListSQL_ = std::string("SELECT P.[Project Number], P.[Project Name], P.ProjFilePath, P.Active, P.ProjectID ") +
                      "FROM Project AS P " + "WHERE P.[Project Number] <> '0' " +
                      (sqlServer ? "AND P.Active = 'true' " : "AND P.Active ") + "ORDER BY P.[Project Name]";
    ProjectList_ = gDb->GetRSArray(ProjectListSQL_);
}

std::string clsQuillet::GetNewProjectNumber() {
    std::string highest;
    std::string suggestion;
    Guard("GetNewProjectNumber()").Run([&] {
        QueryResult result = Use(gDb).GetRSArray(std::string("SELECT max([Project Number]) ") + "FROM Project;");
        highest = result.empty() ? std::string() : std::string(result(0, 0));
        suggestion = highest;  // what a failure of the suggestion leaves
        suggestion = SuggestNextProjectNumber(highest);
    });
    return suggestion;
}

// True only when the number is in the table and the person declines a duplicate.
bool clsQuillet::IsExisitingProjectNumber(const std::string& number) {
    bool result = false;
    Guard("IsExisitingProjectNumber()").Run([&] {
        if (number.empty()) platform::Raise(gUtil->NORM_EXIT_ERR(), gUtil->NORM_EXIT_DESCR());
        QueryResult found = Use(gDb).GetRSArray(std::string("SELECT [Project Number] ") + "FROM Project " +
                                                "WHERE [Project Number] = '" + SqlQuoted(number) + "'; ");
        if (!found.empty()) {
            int32_t answer = platform::toolkit::MsgBox(
                "The " + WorkUnit_ + " Number already exists. Do you want to add a duplicate?",
                platform::toolkit::vbYesNo + platform::toolkit::vbInformation, "Existing " + WorkUnit_ + " Number");
            result = answer != platform::toolkit::vbYes;
        }
    });
    return result;
}
