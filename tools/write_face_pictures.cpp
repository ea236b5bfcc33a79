// prestova_face_pictures SOURCE_TREE: draws the three face pictures, encodes
// them as GIFs and writes both into the source tree as byte arrays
// (pictures/embedded_face_pictures.cpp), where they are committed. The build
// target face_pictures runs it.
#include "tools/face_picture_source.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: prestova_face_pictures SOURCE_TREE\n";
        return 2;
    }
    const std::filesystem::path path = std::filesystem::path(argv[1]) / prestova::kEmbeddedFacePicturesPath;
    std::ofstream out(path, std::ios::binary);
    out << prestova::embedded_face_pictures_source();
    out.close();
    if (!out) {
        std::cerr << "prestova_face_pictures: cannot write " << path.string() << "\n";
        return 1;
    }
    std::cout << "wrote " << path.string() << "\n";
    return 0;
}
