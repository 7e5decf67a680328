#include "windows/auxiliary_windows.h"

#include "shell/tool_kit.h"

namespace tandrel {
namespace {

namespace tk = toolkit;

constexpr FontSpec kYaHei14{"微软雅黑", 14};
constexpr FontSpec kYaHei16Bold{"微软雅黑", 16, 700};
constexpr FontSpec kYaHei19{"微软雅黑", 19};
constexpr FontSpec kNsimSun12{"新宋体", 12};
constexpr FontSpec kNsimSun14{"新宋体", 14};
constexpr FontSpec kNsimSun16{"新宋体", 16};

// The converter's multiplier: bytes per gigabyte, read from this caption at
// every conversion.
constexpr std::string_view kBytesPerGigabyte = "1073741824";

WindowSpec Frame(WindowId id, std::string_view caption, int width, int height) {
    WindowSpec w;
    w.id = id;
    w.caption = caption;
    w.width = width;
    w.height = height;
    return w;
}

ControlSpec BlackOnWhite(std::string_view name, Rect rect, std::string_view caption, FontSpec font,
                         TextLayout layout) {
    return Label(name, "", rect, caption, font, kBlack, kWhite, layout);
}

ControlSpec Viewer(std::string_view name, Rect rect) {
    return EditBox(name, "", rect, "", kNsimSun12, kViewerBox);
}

WindowSpec BuildByteConverterWindow() {
    WindowSpec w = Frame(WindowId::ByteConverter, "字节转换", 378, 351);
    // clang-format off
    w.controls = {
        Hidden(Label("标签5", "", {0, 0, 64, 24}, kBytesPerGigabyte, kGuiFont, kBlack, kSystemFace, kLeftCentre)),
        Button("按钮1", "", {126, 200, 120, 40}, "转换", kNsimSun16, {Run(Operation::ConvertGigabytes)}),
        BlackOnWhite("标签4", {336, 112, 30, 32}, ":B", kYaHei14, kLeftCentre),
        EditBox("编辑框2", "", {168, 112, 168, 32}, "", kNsimSun16, kResultBox),
        BlackOnWhite("标签3", {149, 112, 16, 32}, "=", kYaHei16Bold, kCentreCentre),
        BlackOnWhite("标签2", {122, 112, 30, 32}, ":GB", kYaHei14, kLeftCentre),
        EditBox("编辑框1", "", {8, 112, 112, 32}, "", kNsimSun16, kInputBox),
        BlackOnWhite("标签1", {58, 48, 256, 32}, "目前已经支持所有千兆字节转换", kNsimSun16, kCentreCentre),
    };
    // clang-format on
    return w;
}

WindowSpec BuildUpdateLogWindow() {
    WindowSpec w = Frame(WindowId::UpdateLog, "更新日志", 387, 514);
    w.onCreated = {LoadTextFile(tk::kCurrentChangeLog, "编辑框1"),
                   LoadTextFile(tk::kHistoryChangeLog, "编辑框2")};
    // clang-format off
    w.controls = {
        Viewer("编辑框2", {19, 256, 341, 165}),
        Viewer("编辑框1", {19, 48, 341, 165}),
        BlackOnWhite("标签3", {19, 224, 128, 32}, "历史更新日志：", kNsimSun14, kLeftCentre),
        Button("按钮1", "", {109, 440, 162, 40}, "确认", kYaHei19, {Close(WindowId::UpdateLog)}),
        BlackOnWhite("标签1", {19, 16, 128, 32}, "当前版本更新日志：", kNsimSun14, kLeftCentre),
    };
    // clang-format on
    return w;
}

WindowSpec BuildBootImgWindow() {
    WindowSpec w = Frame(WindowId::BootImg, "boot.img", 337, 432);
    w.onCreated = {LoadTextFile(tk::kBootImgCommands, "编辑框1")};
    // clang-format off
    w.controls = {
        Button("按钮2", "", {15, 344, 149, 35}, "打开boot_files目录", kYaHei14, {Launch(tk::kOpenBootFiles)}),
        Viewer("编辑框1", {15, 8, 300, 320}),
        Button("按钮1", "", {166, 344, 149, 35}, "自己输入命令", kYaHei14, {Launch(tk::kBootTool)}),
    };
    // clang-format on
    return w;
}

WindowSpec BuildApkCommandWindow() {
    WindowSpec w = Frame(WindowId::ApkCommand, "反编译APK", 380, 408);
    w.onCreated = {LoadTextFile(tk::kApktoolUsage, "编辑框1")};
    // clang-format off
    w.controls = {
        Viewer("编辑框1", {26, 8, 321, 320}),
        Button("按钮1", "", {119, 336, 135, 35}, "自己输入命令", kYaHei14, {Launch(tk::kApktool)}),
    };
    // clang-format on
    return w;
}

WindowSpec BuildApkToolsWindow() {
    WindowSpec w = Frame(WindowId::ApkTools, "反编译", 550, 181);
    // clang-format off
    w.controls = {
        Button("按钮5", "", {184, 101, 208, 35}, "自己输入命令", kYaHei14, {Open(WindowId::ApkCommand)}),
        BlackOnWhite("标签1", {128, 10, 288, 32}, "一键反编译/回编译/添加构架APK功能", kNsimSun14, kCentreCentre),
        Button("按钮4", "", {184, 56, 110, 35}, "添加构架", kYaHei14, {Launch(tk::kApktoolFramework)}),
        Button("按钮3", "", {424, 56, 110, 35}, "回编译APK", kYaHei14, {Launch(tk::kApktoolRecompile)}),
        Button("按钮2", "", {304, 56, 110, 35}, "反编译APK", kYaHei14, {Launch(tk::kApktoolDecompile)}),
        Button("按钮1", "", {8, 56, 168, 35}, "打开g-apktool目录", kYaHei14, {Launch(tk::kOpenApktoolFiles)}),
    };
    // clang-format on
    return w;
}

// What tells the two donation windows apart.
struct Donation {
    WindowId id;
    std::string_view caption;
    std::string_view hint;
    std::string_view buttonCaption;
    Handler onButton;
    Picture picture;
};

WindowSpec BuildDonationWindow(const Donation& d) {
    WindowSpec w = Frame(d.id, d.caption, 342, 426);
    // clang-format off
    w.controls = {
        BlackOnWhite("标签2", {44, 16, 248, 24}, d.hint, kGuiFont, kCentreCentre),
        Button("按钮1", "", {96, 346, 144, 40}, d.buttonCaption, kYaHei14, d.onButton),
        BlackOnWhite("标签1", {68, 300, 200, 24}, "感谢您的捐赠!", kYaHei19, kCentreCentre),
        PicBox("图片框1", "", {44, 44, 248, 248}, d.picture),
    };
    // clang-format on
    return w;
}

} // namespace

const WindowSpec& ByteConverterWindowSpec() {
    static const WindowSpec spec = BuildByteConverterWindow();
    return spec;
}

const WindowSpec& UpdateLogWindowSpec() {
    static const WindowSpec spec = BuildUpdateLogWindow();
    return spec;
}

const WindowSpec& BootImgWindowSpec() {
    static const WindowSpec spec = BuildBootImgWindow();
    return spec;
}

const WindowSpec& ApkCommandWindowSpec() {
    static const WindowSpec spec = BuildApkCommandWindow();
    return spec;
}

const WindowSpec& ApkToolsWindowSpec() {
    static const WindowSpec spec = BuildApkToolsWindow();
    return spec;
}

const WindowSpec& WeChatDonationWindowSpec() {
    static const WindowSpec spec = BuildDonationWindow({
        WindowId::WeChatDonation,
        "微信捐赠",
        "提示:打开微信,进行扫一扫即可捐赠！",
        "支付宝捐赠",
        {Close(WindowId::WeChatDonation), Open(WindowId::AlipayDonation)},
        Picture::WeChatCode,
    });
    return spec;
}

const WindowSpec& AlipayDonationWindowSpec() {
    static const WindowSpec spec = BuildDonationWindow({
        WindowId::AlipayDonation,
        "支付宝捐赠",
        "提示:打开支付宝,进行扫一扫即可捐赠！",
        "退出",
        {Close(WindowId::AlipayDonation)},
        Picture::AlipayCode,
    });
    return spec;
}

} // namespace tandrel
