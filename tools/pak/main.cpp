#include <iostream>
#include <string>
#include <vector>

#include "pak_tool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunPakTool(args, std::cout, std::cerr);
}
