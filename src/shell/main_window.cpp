#include "shell/main_window.h"

#include "shell/tool_kit.h"

#include <string>

namespace tandrel {
namespace {

namespace tk = toolkit;

std::string Repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

constexpr FontSpec kYaHei12{"微软雅黑", 12};
constexpr FontSpec kYaHei14{"微软雅黑", 14};
constexpr FontSpec kNsimSun12{"新宋体", 12};
constexpr FontSpec kNsimSun14{"新宋体", 14};
constexpr FontSpec kSimSun14{"宋体", 14};

constexpr std::string_view kNotice = "每做完一个工作,都必须执行一次清除所有工作目录！\r\n"
                                     "执行前请把重要文件移走,比如done文件夹中的文件。\r\n"
                                     "注意：本工具箱需要JRE和JDK环境支持";

constexpr std::string_view kAuthorCredit = "Tandrel 安卓固件工具箱 · 开源社区维护";

constexpr std::string_view kToolCredits =
    "apktool - Connor Tumbleson 等人的 Apktool 开源项目\r\n"
    "brotli - Google 的 Brotli 压缩库\r\n"
    "adb - Android 开源项目的 platform-tools\r\n"
    "bootimg - Android 开源项目的 mkbootimg 与 unpackbootimg\r\n"
    "file_contexts - SELinux 开源项目的 sefcontext 编译工具\r\n"
    "img2sdat - xpirt 的 img2sdat 开源脚本\r\n"
    "upext4fsimg - 社区整理的 ext4 镜像解包工具\r\n"
    "sdat2img - xpirt 的 sdat2img 开源脚本\r\n"
    "make_ext4fs - Android 开源项目的 make_ext4fs\r\n"
    "img2simg - Android 开源项目的 libsparse 工具\r\n"
    "\r\n"
    "感谢以上所有作者！";

WindowSpec BuildMainWindow() {
    // Caption texts that the table below points into.
    static const std::string twelveBars = Repeat("|\r\n", 11) + "|";
    static const std::string elevenBars = Repeat("|\r\n", 10) + "|";
    static const std::string eightBarLines = Repeat("|\r\n", 8);
    static const std::string dashes116 = Repeat("-", 116);
    static const std::string dashes214 = Repeat("-", 214);

    const auto greyLabel = [](std::string_view name, std::string_view parent, Rect rect,
                              std::string_view caption, TextLayout layout) {
        return Label(name, parent, rect, caption, kGuiFont, kGrey, kWhite, layout);
    };
    const auto silverLabel = [](std::string_view name, std::string_view parent, Rect rect,
                                std::string_view caption, TextLayout layout) {
        return Label(name, parent, rect, caption, kGuiFont, kSilver, kWhite, layout);
    };
    constexpr bool kDefault = true;

    WindowSpec w;
    w.id = WindowId::Main;
    w.caption = "当前版本:V2.0.0(正式版)";
    w.width = 874;
    w.height = 537;
    // clang-format off
    w.controls = {
        Button("按钮27", "分组框4", {552, 14, 128, 20}, "检查JAVA环境", kGuiFont, {Launch(tk::kJavaCheck)}),
        Button("按钮26", "分组框4", {552, 38, 128, 20}, "一键安装配置JAVA环境", kGuiFont, {Launch(tk::kInstallJava)}),
        Button("按钮25", "", {309, 218, 287, 40}, "打开boot_files目录", kYaHei14, {Launch(tk::kOpenBootFiles)}, kDefault),
        Button("按钮23", "", {309, 259, 287, 40}, "打开done目录", kYaHei14, {Launch(tk::kOpenDone)}, kDefault),
        Button("按钮22", "分组框5", {200, 15, 184, 30}, "一键提取file_contexts文件", kYaHei12, {Launch(tk::kExtractFileContexts)}),
        GroupBox("分组框6", "", {8, 312, 202, 158}, "system.new.dat.br 分区", kGuiFont, HAlign::Centre),
        Button("按钮24", "分组框6", {21, 28, 160, 30}, "转换SYSTEM.NEW.DAT.BR", kYaHei12, {Launch(tk::kConvertSystemNewDatBr)}),
        Button("按钮21", "", {752, 481, 104, 24}, "工具卸载", kNsimSun14, {Launch(tk::kUninstall)}),
        Button("按钮20", "", {597, 259, 128, 40}, "功能工具来源", kYaHei14, {Message(kToolCredits, "功能工具来源")}, kDefault),
        Button("按钮10", "分组框3", {21, 114, 160, 30}, "自己输入命令", kYaHei12, {Open(WindowId::BootImg)}),
        Button("按钮19", "", {728, 259, 112, 40}, "捐赠", kYaHei14, {Open(WindowId::WeChatDonation)}, kDefault),
        Button("按钮18", "分组框5", {591, 15, 205, 30}, "字节转换(打包system.img需用到)", kYaHei12, {Open(WindowId::ByteConverter)}),
        greyLabel("标签16", "分组框2", {9, 35, 25, 5}, "-----", kLeftCentre),
        greyLabel("标签21", "分组框2", {19, 80, 11, 10}, "->", kLeftCentre),
        greyLabel("标签20", "分组框2", {15, 48, 8, 35}, twelveBars, kLeftWrap),
        greyLabel("标签19", "分组框2", {18, 45, 16, 5}, "----", kLeftCentre),
        greyLabel("标签18", "分组框2", {9, 124, 23, 10}, "--->", kLeftCentre),
        greyLabel("标签17", "分组框2", {5, 37, 6, 91}, elevenBars, kLeftWrap),
        greyLabel("标签15", "分组框1", {19, 80, 11, 10}, "->", kLeftCentre),
        greyLabel("标签14", "分组框1", {15, 48, 8, 35}, twelveBars, kLeftWrap),
        greyLabel("标签13", "分组框1", {18, 45, 16, 5}, "----", kLeftCentre),
        greyLabel("标签12", "分组框1", {9, 124, 23, 10}, "--->", kLeftCentre),
        greyLabel("标签11", "分组框1", {9, 35, 25, 5}, "-----", kLeftCentre),
        greyLabel("标签10", "分组框1", {5, 37, 6, 91}, elevenBars, kLeftWrap),
        Button("按钮17", "分组框2", {34, 114, 160, 30}, "打包为SYSTEM.NEW.DAT", kYaHei12, {Launch(tk::kRepackSystemImgToDat)}),
        Button("按钮15", "分组框1", {34, 114, 160, 30}, "打包为SYSTEM.IMG", kYaHei12, {Launch(tk::kRepackSystemNewDatToImg)}),
        Button("按钮16", "分组框5", {391, 15, 94, 30}, "反编译APK", kYaHei12, {Open(WindowId::ApkTools)}),
        Button("按钮14", "分组框5", {491, 15, 94, 30}, "ADB命令行", kYaHei12, {Launch(tk::kOpenAdbFolder), Launch(tk::kAdb)}),
        Button("按钮13", "分组框5", {8, 15, 184, 30}, "file_contexts.bin转换工具", kYaHei12, {Launch(tk::kConvertFileContexts)}),
        GroupBox("分组框5", "", {8, 115, 848, 93}, "其它功能", kNsimSun12, HAlign::Left),
        Label("标签7", "", {249, 70, 370, 24}, kAuthorCredit, kNsimSun14, kBlack, kWhite, kLeftCentre),
        Button("按钮12", "", {642, 481, 104, 24}, "更新日志", kNsimSun14, {Open(WindowId::UpdateLog)}),
        silverLabel("标签9", "分组框4", {2, 65, 687, 6}, dashes116, kLeftCentre),
        Button("按钮11", "", {728, 218, 112, 40}, "关注作者微博", kYaHei14, {Launch(tk::kOpenAuthorProfile)}, kDefault),
        Button("按钮9", "", {597, 218, 128, 40}, "检查更新", kYaHei14, {Open(WindowId::UpdateCheck)}, kDefault),
        Label("标签6", "分组框4", {8, 16, 675, 54}, kNotice, kSimSun14, kBlack, kWhite, kCentreWrap),
        silverLabel("标签5", "", {852, 215, 6, 87}, eightBarLines, kLeftWrap),
        silverLabel("标签3", "", {5, 215, 6, 87}, eightBarLines, kLeftWrap),
        GroupBox("分组框4", "", {88, 2, 692, 95}, "须知", kGuiFont, HAlign::Centre),
        GroupBox("分组框3", "", {654, 312, 202, 158}, "boot.img 分区", kGuiFont, HAlign::Centre),
        Button("按钮7", "分组框3", {21, 74, 160, 30}, "打包为BOOT.IMG", kYaHei12, {Launch(tk::kRepackBootImg)}),
        Button("按钮8", "分组框3", {21, 28, 160, 30}, "解压BOOT.IMG", kYaHei12, {Launch(tk::kUnpackBootImg)}),
        GroupBox("分组框2", "", {436, 312, 202, 158}, "system.img 分区", kGuiFont, HAlign::Centre),
        Button("按钮5", "分组框2", {34, 70, 160, 30}, "打包为SYSTEM.IMG", kYaHei12, {Launch(tk::kRepackSystemImgToImg)}),
        Button("按钮6", "分组框2", {34, 28, 160, 30}, "解压SYSTEM.IMG", kYaHei12, {Launch(tk::kUnpackSystemImg)}),
        Button("按钮4", "分组框1", {34, 70, 160, 30}, "打包为SYSTEM.NEW.DAT", kYaHei12, {Launch(tk::kRepackSystemNewDatToDat)}),
        silverLabel("标签4", "", {8, 212, 848, 6}, dashes214, kLeftCentre),
        Button("按钮3", "分组框1", {34, 28, 160, 30}, "解压SYSTEM.NEW.DAT", kYaHei12, {Launch(tk::kUnpackSystemNewDat)}),
        silverLabel("标签1", "", {8, 300, 848, 6}, dashes214, kLeftCentre),
        Button("按钮2", "", {21, 259, 287, 40}, "清除所有工作目录", kYaHei14, {Launch(tk::kCleanUpFolders)}, kDefault),
        Button("按钮1", "", {21, 218, 287, 40}, "打开system_files目录", kYaHei14, {Launch(tk::kOpenSystemFiles)}, kDefault),
        GroupBox("分组框1", "", {222, 312, 202, 158}, "system.new.dat 分区", kGuiFont, HAlign::Centre),
    };
    // clang-format on
    return w;
}

} // namespace

const WindowSpec& MainWindowSpec() {
    static const WindowSpec spec = BuildMainWindow();
    return spec;
}

} // namespace tandrel
