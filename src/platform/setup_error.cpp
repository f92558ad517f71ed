#include "platform/setup_error.h"

#include "i18n/translation.h"

std::string SetupErrorText(const std::string& procedure, int number, const std::string& description) {
    // TRANSLATORS: the first line of a start-up error box; {procedure} is the program's own name of the
    // step that failed.
    return FillText(Tr("Error in function {procedure}() "), {{"procedure", procedure}}) + "\r\n" +
           FillText(Tr("Error Number: {number}"), {{"number", std::to_string(number)}}) + "\r\n" +
           description;
}

SetupError::SetupError(std::string procedure, int number, std::string description)
    : std::runtime_error(SetupErrorText(procedure, number, description)),
      procedure_(std::move(procedure)),
      number_(number),
      description_(std::move(description)) {}
