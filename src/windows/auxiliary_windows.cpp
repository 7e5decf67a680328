#include "windows/auxiliary_windows.h"

namespace tandrel {
namespace {

WindowSpec Frame(WindowId id, std::string_view caption, int width, int height) {
    WindowSpec w;
    w.id = id;
    w.caption = caption;
    w.width = width;
    w.height = height;
    return w;
}

} // namespace

const WindowSpec& ByteConverterWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::ByteConverter, "字节转换", 378, 351);
    return spec;
}

const WindowSpec& UpdateLogWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::UpdateLog, "更新日志", 387, 514);
    return spec;
}

const WindowSpec& BootImgWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::BootImg, "boot.img", 337, 432);
    return spec;
}

const WindowSpec& ApkCommandWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::ApkCommand, "反编译APK", 380, 408);
    return spec;
}

const WindowSpec& ApkToolsWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::ApkTools, "反编译", 550, 181);
    return spec;
}

const WindowSpec& WeChatDonationWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::WeChatDonation, "微信捐赠", 342, 426);
    return spec;
}

const WindowSpec& AlipayDonationWindowSpec() {
    static const WindowSpec spec = Frame(WindowId::AlipayDonation, "支付宝捐赠", 342, 426);
    return spec;
}

} // namespace tandrel
