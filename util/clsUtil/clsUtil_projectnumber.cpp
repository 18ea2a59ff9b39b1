// The project-number prompt: a suggested number, offered until the person gives one
// that is not taken (or gives none).
#include "platform/toolkit/dialogs.h"
#include "util/clsUtil/clsUtil.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/next_project_number.h"
#include "util/interfaces/sql_text.h"

std::string clsUtil::GetNewProjectNumber(const std::string& strSQL, std::shared_ptr<IclsDbADO>& cDbADO) {
    std::string current;
    Guard("GetNewProjectNumber").Run([&] {
        if (!cDbADO) platform::RaiseStandard(platform::err::ObjectNotSet);
        QueryResult highest = cDbADO->GetRSArray(strSQL);
        current = SuggestNextProjectNumber(highest.empty() ? std::string() : std::string(highest(0, 0)));
        for (;;) {
            current = platform::toolkit::InputBox("Enter your new project number:", "Enter Project Number", current);
            if (current.empty()) platform::Raise(NORM_EXIT_ERR(), NORM_EXIT_DESCR());
            // The number goes into the statement with its single quotes doubled, so a
            // quote cannot break the statement (and so count as free) or end the literal.
            QueryResult taken = cDbADO->GetRSArray(std::string("SELECT [Project Number] ") + "FROM Project " +
                                                   "WHERE [Project Number]='" + SqlQuoted(current) + "'");
            if (taken.empty()) break;
            platform::toolkit::MsgBox(
                "You have entered a project number already in use. Your new project has not been added.",
                platform::toolkit::vbInformation, "Existing Project Number");
        }
    });
    return current;
}
