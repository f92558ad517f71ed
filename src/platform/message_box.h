#pragma once

#include <string>

// Tells the player why the game ended: always on standard error, and in a message box with an OK
// button when there is a screen to show one on.
void ShowErrorMessage(const std::string& title, const std::string& text);
