#include "platform/ado/ado_failures.h"

#include <string>

#include "platform/ado/ado.h"
#include "platform/errors/errors.h"

namespace platform::ado {

namespace {

std::string_view Text(int32_t number) {
    switch (number) {
        case adoerr::WrongArguments:
            return "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
                   "another.";
        case adoerr::NoCurrentRecord:
            return "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                   "requires a current record.";
        case adoerr::NotCapable: return "Object or provider is not capable of performing requested operation.";
        case adoerr::ItemNotFound:
            return "Item cannot be found in the collection corresponding to the requested name or ordinal.";
        case adoerr::ObjectClosed: return "Operation is not allowed when the object is closed.";
        case adoerr::ObjectOpen: return "Operation is not allowed when the object is open.";
        case adoerr::ProviderNotFound: return "Provider cannot be found. It may not be properly installed.";
        case adoerr::ConnectionInvalid:
            return "The connection cannot be used to perform this operation. It is either closed or invalid in "
                   "this context.";
        case adoerr::NoTransaction: return "No transaction is active.";
        default: return "Unspecified error";
    }
}

}  // namespace

void RaiseAdo(int32_t number, std::string_view source, std::string_view extra) {
    std::string description(Text(number));
    if (!extra.empty()) {
        description += ' ';
        description += extra;
    }
    Raise(number, std::move(description), std::string(source));
}

std::optional<std::string> MissingNameDescription(std::string_view engineMessage) {
    constexpr std::string_view kTable = "no such table: ", kColumn = "no such column: ";
    if (engineMessage.starts_with(kTable))
        return "The database cannot find the input table or query '" +
               std::string(engineMessage.substr(kTable.size())) +
               "'. Make sure it exists and that its name is spelled correctly.";
    if (engineMessage.starts_with(kColumn))
        return "No value given for one or more required parameters: the statement names '" +
               std::string(engineMessage.substr(kColumn.size())) + "', which is no column of its tables.";
    return std::nullopt;
}

}  // namespace platform::ado
