#include "render/face_uri.hpp"

#include "pictures/face_pictures.hpp"
#include "render/base64.hpp"

#include <array>

namespace prestova {

const std::string& face_data_uri(Verdict verdict)
{
    // Encoded once per verdict: the pictures never change.
    static const std::array<std::string, 3> uris = [] {
        std::array<std::string, 3> all;
        for (Verdict v : {Verdict::Good, Verdict::Okay, Verdict::Bad})
            all[static_cast<std::size_t>(v)] = "data:image/gif;base64," + base64_encode(face_gif(v));
        return all;
    }();
    return uris[static_cast<std::size_t>(verdict)];
}

}  // namespace prestova
