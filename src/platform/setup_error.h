#pragma once

#include <stdexcept>
#include <string>

// A set-up step that failed and ends the game. Its text is the one the player sees:
// "Error in function " + procedure + "() " + CR LF + "Error Number: " + number + CR LF + description.
class SetupError : public std::runtime_error {
public:
    SetupError(std::string procedure, int number, std::string description);

    const std::string& Procedure() const { return procedure_; }
    int Number() const { return number_; }
    const std::string& Description() const { return description_; }

private:
    std::string procedure_;
    int number_;
    std::string description_;
};

// The message text of a failed set-up procedure.
std::string SetupErrorText(const std::string& procedure, int number, const std::string& description);

// Error numbers, after the runtime errors these failures were always reported with.
inline constexpr int kErrorFileNotFound = 53;
inline constexpr int kErrorInvalidPicture = 481;
inline constexpr int kErrorDisplayLibrary = 5;    // the display library refused a call
inline constexpr int kErrorInvalidArchive = 321;  // "Invalid file format"
