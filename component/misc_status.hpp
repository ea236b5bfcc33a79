#pragma once
// How the control wants to be embedded, as IOleObject::GetMiscStatus answers
// and the class's MiscStatus key says to containers that ask before they
// create it. The site comes first, so that the site lock knows the page
// before the page's parameters arrive.
#include <windows.h>
#include <oleidl.h>

namespace prestova::component {

constexpr DWORD kMiscStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT |
                              OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;

}  // namespace prestova::component
