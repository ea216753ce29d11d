#include <iostream>
#include <string>
#include <vector>

#include "BatchRunner.h"

int main(int argc, char* argv[]) {
    return halosoil::RunBatch(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
