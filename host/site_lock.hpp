#pragma once
// The site lock: an institution may name the sites whose pages may use the
// control. While such a list is in force, a page of any other site (or of a
// scheme other than http and https) gets no scripting, no initialisation
// and no check run. Without a list every page may, as always.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

// Where machine policy (Group Policy's list, the installer's ALLOWEDSITES)
// keeps the sites, under HKEY_LOCAL_MACHINE: REG_SZ values of any name, each
// one entry or several separated by ';'.
constexpr const char* kAllowedSitesPolicyKey = "SOFTWARE\\Policies\\Tallymere\\Prestova\\AllowedSites";

// One entry: "http://host" or "https://host", with an optional ":port" and
// an optional "/"; a host starting with "*." also stands for every name
// below it.
struct SiteEntry {
    std::string scheme;  // "http" or "https"
    std::string host;    // lower case, without a final dot; an IPv6 literal keeps its brackets
    unsigned port = 0;   // the scheme's own when none is written
    bool subdomains = false;

    bool operator==(const SiteEntry&) const = default;
};

// The entry TEXT stands for, or nothing when it does not parse.
std::optional<SiteEntry> parse_site_entry(std::string_view text);

// The scheme, host and port of a page's address, read as a browser reads
// them (user information before the host is skipped; '\' ends the host as
// '/' does). Nothing when the address is not http or https or its host is
// not a plain name or address literal.
std::optional<SiteEntry> page_origin(std::string_view address);

class AllowedSites {
public:
    // Takes the entries of TEXT, separated by ';'; blank ones are skipped,
    // ones that do not parse are kept aside.
    void add(std::string_view text);

    // Any entry was given, whether or not it parsed: a list of nothing but
    // mistakes locks every page out rather than none.
    bool in_force() const { return !entries_.empty() || !ignored_.empty(); }
    // Whether a page at ADDRESS may use the control (any page, when no list
    // is in force).
    bool allows(std::string_view address) const;
    std::size_t entry_count() const { return entries_.size(); }
    const std::vector<std::string>& ignored() const { return ignored_; }

private:
    std::vector<SiteEntry> entries_;
    std::vector<std::string> ignored_;
};

}  // namespace prestova
