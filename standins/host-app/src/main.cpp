#include <iostream>
#include <string>
#include <vector>

#include "HostAppProgram.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return TESSARIL_HOST_APP::HostAppProgram(std::cout, std::cerr).Run(arguments);
}
