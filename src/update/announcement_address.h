#pragma once

namespace tandrel {

// The published announcement page, fixed when the program is built.
extern const char kAnnouncementAddress[];

} // namespace tandrel
