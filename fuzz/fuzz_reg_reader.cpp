// The registry-export reader on any bytes: a ProfileError is its answer to
// what it cannot take; anything else (a crash, another exception) is a fault.
// The file read a few bytes at a time gives what the whole text gave: the
// same keys and values, or the same refusal.
#include "fuzz_support.hpp"
#include "platform/simulated/reg_file.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<prestova::RegistryTree> whole;
    std::string refusal;
    try {
        whole = prestova::parse_reg_text(bytes, "fuzz.reg");
    } catch (const prestova::ProfileError& e) {
        refusal = e.what();
    }
    prestova::fuzz::put_file("blocks.reg", bytes);
    try {
        const auto read =
            prestova::read_reg_file(prestova::fuzz::scratch_dir() / "blocks.reg", "fuzz.reg", 1 + size % 7);
        // same_tree reads every key and value back.
        if (!read || !whole || !prestova::fuzz::same_tree(*whole, *read)) std::abort();
    } catch (const prestova::ProfileError& e) {
        if (e.what() != refusal) std::abort();
    }
    return 0;
}
