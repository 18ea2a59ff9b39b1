// The controller's fields read by name, as text (Booleans as True/False), for the
// simulator's checks and for diagnostics.
#include <cstdio>
#include <functional>
#include <map>

#include "addin/controller/clsQuillet.h"

namespace {
std::string Bool(bool value) { return value ? "True" : "False"; }
}  // namespace

std::optional<std::string> clsQuillet::FieldText(std::string_view name) const {
    const std::map<std::string_view, std::function<std::string()>> fields = {
        {"PlexarInstalled", [&] { return Bool(PlexarInstalled_); }},
        {"UsePlexar", [&] { return Bool(UsePlexar_); }},
        {"MailSent", [&] { return Bool(MailSent_); }},
        {"CurrentMailSent", [&] { return Bool(CurrentMailSent_); }},
        {"Root", [&] { return Root_; }},
        {"ProjDelim", [&] { return ProjDelim_; }},
        {"SubjDelim", [&] { return SubjDelim_; }},
        {"EmailFolder", [&] { return EmailFolder_; }},
        {"WorkUnit", [&] { return WorkUnit_; }},
        {"ProjectNumber", [&] { return ProjectNumber_; }},
        {"ProjectName", [&] { return ProjectName_; }},
        {"ProjFilePath", [&] { return ProjFilePath_; }},
        {"ProjActive", [&] { return Bool(ProjActive_); }},
        {"ProjectID", [&] { return std::to_string(ProjectID_); }},
        {"MailSubject", [&] { return MailSubject_; }},
        {"FillingForm", [&] { return Bool(FillingForm_); }},
        {"BrowseTarget", [&] { return std::to_string(BrowseTarget_); }},
        {"BrowseFolder", [&] { return BrowseFolder_; }},
        {"FolderMessageText", [&] { return FolderMessageText_; }},
        {"ProjInfoMode", [&] { return ProjInfoMode_; }},
        {"TypedLength", [&] { return std::to_string(TypedLength_); }},
        {"ComboDeleting", [&] { return Bool(ComboDeleting_); }},
        {"ProjectTyped", [&] { return Bool(ProjectTyped_); }},
        {"DriveOk", [&] { return Bool(DriveOk_); }},
        {"ProjFormClosed", [&] { return Bool(ProjFormClosed_); }},
        {"ProjectListSQL", [&] { return ProjectListSQL_; }},
        {"SetupLoading", [&] { return Bool(SetupLoading_); }},
        {"HintWorkUnit", [&] { return HintWorkUnit_; }},
    };
    if (auto it = fields.find(name); it != fields.end()) return it->second();
    // ProjectList(column,row)
    unsigned column = 0, row = 0;
    std::string text(name);
    if (std::sscanf(text.c_str(), "ProjectList(%u,%u)", &column, &row) == 2 ||
        std::sscanf(text.c_str(), "ProjectList(%u, %u)", &column, &row) == 2) {
        if (column < ProjectList_.Columns() && row < ProjectList_.Rows()) return std::string(ProjectList_(column, row));
        return std::nullopt;
    }
    if (name == "ProjectList") return ProjectList_.empty() ? "empty" : std::to_string(ProjectList_.Rows()) + " rows";
    if (name == "ProjectListBytes") return std::to_string(ProjectList_.MemoryBytes());
    return std::nullopt;
}
