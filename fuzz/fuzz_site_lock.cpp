// The site lock on hostile addresses: a page's address is the page's own
// choice. Input: a list of entries, a newline, then a page's address. No
// input may crash; and the promises hold: an allowed page has an origin, and
// an entry written back as an address reads as the same origin and is
// allowed by the entry, as are the names below a wildcard entry.
#include "host/site_lock.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace prestova;

namespace {

void broken(const char* promise, std::string_view input)
{
    std::fprintf(stderr, "broken promise: %s: %.*s\n", promise, static_cast<int>(input.size()), input.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view entries = input.substr(0, newline);
    const std::string_view address = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);
    AllowedSites sites;
    sites.add(entries);
    if (sites.allows(address) && sites.in_force() && !page_origin(address)) broken("allowed without an origin", input);

    const auto entry = parse_site_entry(entries);
    if (!entry) return 0;
    const std::string written = entry->scheme + "://" + entry->host + ":" + std::to_string(entry->port) + "/";
    auto origin = page_origin(written);
    if (origin) origin->subdomains = entry->subdomains;
    if (origin != entry) broken("an entry written back reads otherwise", input);
    if (!sites.allows(written)) broken("an entry does not allow its own site", input);
    const std::string below = entry->scheme + "://a." + entry->host + ":" + std::to_string(entry->port) + "/";
    if (entry->subdomains && entry->host.size() <= 250 && !sites.allows(below))
        broken("a wildcard entry does not allow the names below it", input);
    return 0;
}
