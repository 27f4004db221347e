#include "Tool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = qx::cli::runQxtool(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout.fail() && status == 0 ? 2 : status;
}
