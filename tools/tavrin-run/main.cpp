// tavrin-run: runs scenario scripts against the list control on the simulated desktop.
#include <iostream>
#include <string>
#include <vector>

#include "tools/tavrin-run/Runner.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavrin::run::runCommandLine(args, std::cout, std::cerr);
}
