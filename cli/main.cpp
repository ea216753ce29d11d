#include <iostream>
#include <string>
#include <vector>

#include "BatchCommandLine.h"

int main(int argc, char* argv[]) {
    return halosoil::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                    std::cerr);
}
