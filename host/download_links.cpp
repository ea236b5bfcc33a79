#include "host/download_links.hpp"

#include "host/hyper_jump.hpp"

namespace prestova {

namespace {

using enum ControlId;

constexpr std::array<DownloadLink, 7> kLinks{{
    {acrolink, Prop::AdobeURL},
    {flashlink, Prop::FlashURL},
    {reallink, Prop::RealURL},
    {ziplink1, Prop::Zip1URL},
    {ziplink2, Prop::Zip2URL},
    {javalink, Prop::JavaURL},
    {explorerLink, Prop::IEURL},
}};

}  // namespace

const std::array<DownloadLink, 7>& download_links() { return kLinks; }

std::optional<Prop> address_of(ControlId link)
{
    for (const auto& l : kLinks)
        if (l.link == link) return l.address;
    return std::nullopt;
}

std::intptr_t click_link(Prestova& control, ControlId link)
{
    const auto address = address_of(link);
    if (!address) return kShellFileNotFound;
    const std::string text = control.get(*address).to_text(control.locale());
    return OpenInBrowser(control.platform().registry, control.platform().shell, text, true);
}

}  // namespace prestova
