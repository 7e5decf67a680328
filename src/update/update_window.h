#pragma once

#include "shell/window_spec.h"

namespace tandrel {

const WindowSpec& UpdateCheckWindowSpec();

} // namespace tandrel
