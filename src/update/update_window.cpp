#include "update/update_window.h"

namespace tandrel {

const WindowSpec& UpdateCheckWindowSpec() {
    static const WindowSpec spec = [] {
        WindowSpec w;
        w.id = WindowId::UpdateCheck;
        w.caption = "检查更新";
        w.width = 388;
        w.height = 303;
        return w;
    }();
    return spec;
}

} // namespace tandrel
