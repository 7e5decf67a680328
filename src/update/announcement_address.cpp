#include "update/announcement_address.h"

namespace tandrel {

const char kAnnouncementAddress[] = TANDREL_ANNOUNCEMENT_URL;

} // namespace tandrel
