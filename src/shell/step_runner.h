#pragma once

#include "shell/window_spec.h"

#include <windows.h>

namespace tandrel {

// Carries out one step of a handler for `window`, the window whose control
// was clicked or which is being created.
void RunStep(const Step& step, HWND window);

} // namespace tandrel
