#pragma once
// The face pictures as data URIs that SVG and HTML can show inline.
#include "design/panel_design.hpp"

#include <string>

namespace prestova {

// "data:image/gif;base64,..." of the verdict's face.
const std::string& face_data_uri(Verdict verdict);

}  // namespace prestova
