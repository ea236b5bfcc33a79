// The registry-export reader on any bytes: a ProfileError is its answer to
// what it cannot take; anything else (a crash, another exception) is a fault.
#include "platform/simulated/reg_file.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const prestova::RegistryTree tree = prestova::parse_reg_text(bytes, "fuzz.reg");
        // Reading every hive back touches what the reader built.
        for (const auto h : {prestova::Hive::LocalMachine, prestova::Hive::CurrentUser, prestova::Hive::Users,
                             prestova::Hive::CurrentConfig})
            (void)tree.find_hive(h);
    } catch (const prestova::ProfileError&) {
    }
    return 0;
}
