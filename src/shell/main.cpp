// The game's entry: the player's command line, then the program with the player's own driver (the
// system clock, frames paced, input from the keyboard and mouse alone).

#include <cstdio>

#include "shell/command_line.h"
#include "shell/game_driver.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    const ParsedCommandLine parsed = ParseCommandLine(argc, argv);
    if (parsed.exitCode) {
        std::fputs(parsed.output.c_str(), parsed.outputIsError ? stderr : stdout);
        return *parsed.exitCode;
    }
    GameDriver driver;
    return RunProgram(argc, argv, parsed.line, driver);
}
