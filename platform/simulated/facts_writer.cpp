#include "platform/simulated/facts_writer.hpp"

#include "core/ansi.hpp"

#include <sstream>

namespace prestova {

namespace {

std::string listed(const std::vector<std::string>& items)
{
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : ", ") + ansi_to_utf8(item);
    return out;
}

} // namespace

std::string write_machine_facts(const MachineProfile& p, std::string_view reg_file, std::string_view heading)
{
    std::ostringstream out;
    if (!heading.empty()) out << "; " << heading << "\n";

    out << "\n[windows]\n"
        << "platform_id = " << p.platform_id << "\n"
        << "major = " << p.major << "\n"
        << "minor = " << p.minor << "\n"
        << "build = " << p.build << "\n";
    if (!p.service_pack.empty()) out << "service_pack = " << ansi_to_utf8(p.service_pack) << "\n";
    out << "service_pack_major = " << p.service_pack_major << "\n"
        << "service_pack_minor = " << p.service_pack_minor << "\n";
    if (p.product_type) out << "product_type = " << static_cast<unsigned>(*p.product_type) << "\n";
    out << "extended_record = " << (p.answers_extended_record() ? "yes" : "no") << "\n";

    out << "\n[screen]\n"
        << "width = " << p.width << "\n"
        << "height = " << p.height << "\n"
        << "twips_per_pixel = " << p.twips_per_pixel << "\n"
        << "bits_per_pixel = " << p.bits_per_pixel << "\n"
        << "planes = " << p.planes << "\n"
        << "hdc = 0x" << std::hex << std::uppercase << p.device_context << std::dec << "\n";

    out << "\n[memory]\n";
    if (p.total_physical) out << "total_physical = " << *p.total_physical << "\n";

    out << "\n[disk]\n";
    for (const auto& [letter, free] : p.free_bytes) {
        const char key = static_cast<char>(letter - 'A' + 'a');
        out << key << "_free = " << free << "\n";
        if (const auto total = p.total_bytes.find(letter); total != p.total_bytes.end())
            out << key << "_total = " << total->second << "\n";
    }

    out << "\n[objects]\n";
    if (!p.creatable.empty()) out << "creatable = " << listed(p.creatable) << "\n";

    out << "\n[locale]\n"
        << "decimal_separator = " << ansi_to_utf8(std::string(1, p.decimal_separator)) << "\n";

    out << "\n[registry]\n";
    if (!reg_file.empty()) out << "file = " << reg_file << "\n";
    if (!p.denied_keys.empty()) out << "denied = " << listed(p.denied_keys) << "\n";

    out << "\n[shell]\n";
    if (!p.programs.empty()) out << "programs = " << listed(p.programs) << "\n";
    return out.str();
}

} // namespace prestova
