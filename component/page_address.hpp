#pragma once
// The address of the page a container shows the control on, asked of the
// client site the ways browsers answer.
#include <windows.h>
#include <ole2.h>

#include <optional>
#include <string>

namespace prestova::component {

// Tried in turn, the first address winning: the browser the site serves
// (IWebBrowser2's LocationURL), the document that contains the control
// (IHTMLDocument2's URL), the container's moniker. Nothing when the site
// answers none of them.
std::optional<std::string> page_address(IOleClientSite* site);

}  // namespace prestova::component
