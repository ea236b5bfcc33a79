#pragma once
// The control's own window while it is active in place: it paints the
// panel and passes clicks on to the control.
#include <windows.h>

namespace prestova::component {

class ControlObject;

HWND create_panel_window(ControlObject& control, HWND parent, const RECT& position);

}  // namespace prestova::component
