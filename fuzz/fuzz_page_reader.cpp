// The page reader on any bytes: the <object> params, and the entity decoder
// on the page as a whole. An InputError (no <object>) is its answer.
#include "session/page_params.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    (void)prestova::decode_html_entities(html);
    try {
        for (const auto& [name, value] : prestova::read_page_params(html, "fuzz.html"))
            (void)prestova::decode_html_entities(value);
    } catch (const prestova::InputError&) {}
    return 0;
}
