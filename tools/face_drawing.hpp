#pragma once
// The three verdict pictures drawn by code: 85 by 85 yellow faces with black
// eyes that smile (good), keep a straight mouth (okay) or frown (bad), on a
// transparent background, with smoothed edges from a small palette. Only the
// build's picture writer and the tests draw them; the programs use the
// pictures embedded from that drawing (pictures/face_pictures.hpp).
#include "pictures/face_pictures.hpp"

namespace prestova {

// kFaceSize square, with a 256-entry palette whose entry 0 is transparent.
IndexedImage draw_face(Verdict verdict);

}  // namespace prestova
