// prestova_interface_sources SOURCE_TREE: writes the Windows component's
// sources that come from the member table (the type library's IDL and the
// dual interface's property list) into the source tree, where they are
// committed. The build target interface_sources runs it.
#include "tools/interface_sources.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: prestova_interface_sources SOURCE_TREE\n";
        return 2;
    }
    for (const auto& source : prestova::generated_sources()) {
        const std::filesystem::path path = std::filesystem::path(argv[1]) / source.path;
        std::ofstream out(path, std::ios::binary);
        out << source.text();
        out.close();
        if (!out) {
            std::cerr << "prestova_interface_sources: cannot write " << path.string() << "\n";
            return 1;
        }
        std::cout << "wrote " << path.string() << "\n";
    }
    return 0;
}
