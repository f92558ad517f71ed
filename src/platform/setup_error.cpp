#include "platform/setup_error.h"

std::string SetupErrorText(const std::string& procedure, int number, const std::string& description) {
    return "Error in function " + procedure + "() " + "\r\n" + "Error Number: " + std::to_string(number) +
           "\r\n" + description;
}

SetupError::SetupError(std::string procedure, int number, std::string description)
    : std::runtime_error(SetupErrorText(procedure, number, description)),
      procedure_(std::move(procedure)),
      number_(number),
      description_(std::move(description)) {}
