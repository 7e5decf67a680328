// The keyboard rules shared by every window: Esc closes, Enter clicks the
// default button, Tab and Shift+Tab move through the tab stops.
#pragma once

#include <windows.h>

namespace tandrel {

// Handles a key-down message addressed to one of the program's windows or
// its controls; returns true when the message was used up.
bool HandleWindowKeys(const MSG& message);

} // namespace tandrel
