#include "apps/prestova/cli.hpp"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return prestova::run_cli(args, std::cout, std::cerr);
}
