// zarn-test-driver: the game as zarn runs it, built from the same libraries, with a scripted driver
// (keys at set frames, a lost display, the fast frame clock, the scale report) for the end-to-end tests
// and benchmarks. It is neither installed nor packaged.

#include <cstdio>

#include "shell/program.h"
#include "shell/scripted_input.h"

int main(int argc, char** argv) {
    const TestDriverCommandLine parsed = ParseTestDriverCommandLine(argc, argv);
    if (parsed.parsed.exitCode) {
        std::fputs(parsed.parsed.output.c_str(), parsed.parsed.outputIsError ? stderr : stdout);
        return *parsed.parsed.exitCode;
    }
    ScriptedDriver driver(parsed.hooks);
    return RunProgram(argc, argv, parsed.parsed.line, driver, parsed.hooks.keepDemo);
}
