#include "host/site_lock.hpp"

#include "core/ascii_case.hpp"

#include <algorithm>
#include <cctype>

namespace prestova {

namespace {

// A scheme, a name of 253 characters, a port and a slash fit; longer is a
// mistake, not a site.
constexpr std::size_t kLongestEntry = 300;
constexpr std::size_t kLongestName = 253;
constexpr std::size_t kLongestLabel = 63;
constexpr std::size_t kLongestAddressLiteral = 47;  // [IPv6 with an IPv4 tail]

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool is_label_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

// A host as compared: lower case, one final dot dropped (it names the same
// host). Names are dot-separated labels of letters, digits, '-' and '_';
// anything else (percent-encoding, spaces, non-ASCII) is no host at all.
std::optional<std::string> host_of(std::string_view text)
{
    std::string host = to_lower_ascii(text);
    if (host.starts_with('[')) {
        const bool literal = host.size() > 3 && host.size() <= kLongestAddressLiteral && host.ends_with(']') &&
                             host.find(':') != std::string::npos &&
                             std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
                                 return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
                             });
        return literal ? std::optional(host) : std::nullopt;
    }
    if (host.ends_with('.')) host.pop_back();
    if (host.empty() || host.size() > kLongestName) return std::nullopt;
    std::size_t label = 0;
    for (const char c : host) {
        if (c == '.') {
            if (label == 0) return std::nullopt;
            label = 0;
        } else if (!is_label_char(c) || ++label > kLongestLabel) {
            return std::nullopt;
        }
    }
    if (label == 0) return std::nullopt;
    return host;
}

// "host[:port]" of SCHEME.
std::optional<SiteEntry> origin_of(std::string scheme, std::string_view authority)
{
    const std::size_t host_end = authority.starts_with('[') ? authority.find(']') + 1 : authority.find(':');
    const std::string_view port = host_end == std::string_view::npos || host_end >= authority.size()
                                      ? std::string_view()
                                      : authority.substr(host_end);
    if (!port.empty() && port.front() != ':') return std::nullopt;
    SiteEntry origin;
    origin.port = scheme == "https" ? 443 : 80;
    if (port.size() > 1) {
        const std::string_view digits = port.substr(1);
        if (digits.size() > 5 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        origin.port = static_cast<unsigned>(std::stoul(std::string(digits)));
        if (origin.port == 0 || origin.port > 65535) return std::nullopt;
    }
    auto host = host_of(authority.substr(0, std::min(host_end, authority.size())));
    if (!host) return std::nullopt;
    origin.scheme = std::move(scheme);
    origin.host = std::move(*host);
    return origin;
}

// The lower-cased scheme of "scheme://..." when it is http or https, and
// what follows the slashes.
std::optional<std::string> web_scheme(std::string_view& text)
{
    const std::size_t slashes = text.find("://");
    if (slashes == std::string_view::npos) return std::nullopt;
    std::string scheme = to_lower_ascii(text.substr(0, slashes));
    if (scheme != "http" && scheme != "https") return std::nullopt;
    text.remove_prefix(slashes + 3);
    return scheme;
}

}  // namespace

std::optional<SiteEntry> parse_site_entry(std::string_view text)
{
    text = trimmed(text);
    if (text.size() > kLongestEntry) return std::nullopt;
    auto scheme = web_scheme(text);
    if (!scheme) return std::nullopt;
    // A path would promise a narrower lock than a site: only "/" is taken.
    if (text.ends_with('/')) text.remove_suffix(1);
    const bool subdomains = text.starts_with("*.");
    if (subdomains) text.remove_prefix(2);
    if (text.find_first_of("/?#@\\*") != std::string_view::npos || (text.starts_with('[') && subdomains))
        return std::nullopt;
    auto entry = origin_of(std::move(*scheme), text);
    if (entry) entry->subdomains = subdomains;
    return entry;
}

std::optional<SiteEntry> page_origin(std::string_view address)
{
    address = trimmed(address);
    auto scheme = web_scheme(address);
    if (!scheme) return std::nullopt;
    std::string_view authority = address.substr(0, address.find_first_of("/?#\\"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
    return origin_of(std::move(*scheme), authority);
}

void AllowedSites::add(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view item = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (item.empty()) continue;
        // Where both registry views are one key, each entry comes twice.
        if (auto entry = parse_site_entry(item)) {
            if (std::find(entries_.begin(), entries_.end(), *entry) == entries_.end())
                entries_.push_back(std::move(*entry));
        } else if (std::find(ignored_.begin(), ignored_.end(), item) == ignored_.end()) {
            ignored_.emplace_back(item);
        }
    }
}

bool AllowedSites::allows(std::string_view address) const
{
    if (!in_force()) return true;
    const auto page = page_origin(address);
    if (!page) return false;
    return std::any_of(entries_.begin(), entries_.end(), [&](const SiteEntry& entry) {
        if (entry.scheme != page->scheme || entry.port != page->port) return false;
        if (entry.host == page->host) return true;
        return entry.subdomains && page->host.size() > entry.host.size() && page->host.ends_with(entry.host) &&
               page->host[page->host.size() - entry.host.size() - 1] == '.';
    });
}

}  // namespace prestova
