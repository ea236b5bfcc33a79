#pragma once
// The source of the embedded face pictures: the three faces drawn and
// GIF-encoded now, written as C++ byte arrays. tools/write_face_pictures.cpp
// writes it into the source tree, where it is committed so that every build
// tree, the Windows cross builds included, compiles the same bytes; a unit
// test fails when the committed file differs from what this writes.
#include <string>
#include <string_view>

namespace prestova {

// Relative to the source tree.
constexpr std::string_view kEmbeddedFacePicturesPath = "pictures/embedded_face_pictures.cpp";

// Throws std::logic_error when the faces cannot share one palette table.
std::string embedded_face_pictures_source();

}  // namespace prestova
