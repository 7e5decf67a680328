#include "tool_root.h"

#include "shell/tool_kit.h"

#include <string>

namespace tandrel {
namespace {

constexpr std::string_view kCurrentChangeLogText =
    "Tandrel 2.0.0 正式版\n"
    "1. 主界面按镜像类型重新分组：system.new.dat.br、system.new.dat、system.img、boot.img。\n"
    "2. 新增字节转换窗口，打包 system.img 时可直接换算分区大小。\n"
    "3. 新增在线检查更新，有新版本时自动打开下载地址。\n"
    "4. 修正部分工具路径含空格时无法启动的问题。\n";

constexpr std::string_view kHistoryChangeLogText =
    "Tandrel 1.2.0\n"
    "1. 新增 boot.img 解包与打包。\n"
    "2. 新增 ADB 命令行入口。\n"
    "\n"
    "Tandrel 1.1.0\n"
    "1. 新增 APK 反编译、回编译与添加构架。\n"
    "2. 新增一键提取 file_contexts 文件。\n"
    "\n"
    "Tandrel 1.0.0\n"
    "1. 首个版本：支持 system.new.dat 与 system.img 的解包和打包。\n";

constexpr std::string_view kApktoolUsageText =
    "apktool 使用说明\n"
    "\n"
    "把要处理的 APK 放进 g-apktool 文件夹，然后点击“自己输入命令”，在命令行中输入：\n"
    "\n"
    "反编译：apktool d 文件名.apk\n"
    "回编译：apktool b 文件夹名\n"
    "添加构架：apktool if framework-res.apk\n"
    "\n"
    "回编译得到的 APK 需要重新签名后才能安装。\n";

constexpr std::string_view kBootImgCommandsText =
    "boot.img 使用命令\n"
    "\n"
    "把 boot.img 放进 boot_files 文件夹，然后点击“自己输入命令”，在命令行中输入：\n"
    "\n"
    "解包：unpackbootimg -i boot.img -o out\n"
    "打包：mkbootimg --kernel out/boot.img-zImage --ramdisk out/boot.img-ramdisk.gz -o "
    "new-boot.img\n"
    "\n"
    "打包前请确认 kernel 与 ramdisk 的文件名与解包时一致。\n";

// The texts are written with LF above and stored with CR LF.
std::string WithCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

} // namespace

std::string HelpText(std::string_view path) {
    namespace tk = toolkit;
    if (path == tk::kCurrentChangeLog) {
        return WithCrLf(kCurrentChangeLogText);
    }
    if (path == tk::kHistoryChangeLog) {
        return WithCrLf(kHistoryChangeLogText);
    }
    if (path == tk::kApktoolUsage) {
        return WithCrLf(kApktoolUsageText);
    }
    if (path == tk::kBootImgCommands) {
        return WithCrLf(kBootImgCommandsText);
    }
    return {};
}

} // namespace tandrel
