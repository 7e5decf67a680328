// Descriptions of the small windows opened from the main window.
#pragma once

#include "shell/window_spec.h"

namespace tandrel {

const WindowSpec& ByteConverterWindowSpec();
const WindowSpec& UpdateLogWindowSpec();
const WindowSpec& BootImgWindowSpec();
const WindowSpec& ApkCommandWindowSpec();
const WindowSpec& ApkToolsWindowSpec();
const WindowSpec& WeChatDonationWindowSpec();
const WindowSpec& AlipayDonationWindowSpec();

} // namespace tandrel
