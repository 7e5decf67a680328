// The tool kit beside the executable: every path and command line the
// program uses, relative to the tool root (the program's folder).
#pragma once

#include <array>
#include <string_view>

namespace tandrel::toolkit {

// Programs under the tool root.
inline constexpr std::string_view kUnpackSystemNewDat = "bin\\tools\\unpack_system.new.dat.exe";
inline constexpr std::string_view kRepackSystemNewDatToDat =
    "bin\\tools\\repack_(system.new.dat).dat.exe";
inline constexpr std::string_view kRepackSystemNewDatToImg =
    "bin\\tools\\repack_(system.new.dat).img.exe";
inline constexpr std::string_view kUnpackSystemImg = "bin\\tools\\unpack_system.img.exe";
inline constexpr std::string_view kRepackSystemImgToDat = "bin\\tools\\repack_(system.img).dat.exe";
inline constexpr std::string_view kRepackSystemImgToImg = "bin\\tools\\repack_(system.img).img.exe";
inline constexpr std::string_view kUnpackBootImg = "bin\\tools\\unpack_boot.img.exe";
inline constexpr std::string_view kRepackBootImg = "bin\\tools\\repack_(boot.img).exe";
inline constexpr std::string_view kBootTool = "bin\\tools\\boot.exe";
inline constexpr std::string_view kConvertSystemNewDatBr =
    "bin\\tools\\convert_(system.new.dat.br).dat.exe";
inline constexpr std::string_view kConvertFileContexts =
    "bin\\tools\\convert_file_contexts.bin.exe";
inline constexpr std::string_view kExtractFileContexts = "bin\\tools\\extract_file_contexts.exe";
inline constexpr std::string_view kAdb = "bin\\tools\\adb.exe";
inline constexpr std::string_view kApktoolDecompile = "bin\\tools\\apktool_d_apk.exe";
inline constexpr std::string_view kApktoolRecompile = "bin\\tools\\apktool_b_apk.exe";
inline constexpr std::string_view kApktoolFramework = "bin\\tools\\apktool_if_apk.exe";
inline constexpr std::string_view kApktool = "bin\\tools\\apktool.exe";
inline constexpr std::string_view kInstallJava = "bin\\tools\\install_java.exe";
inline constexpr std::string_view kUninstall = "Uninstall.exe";
inline constexpr std::string_view kCleanUpFolders =
    "bin\\Vorlin\\1\\2\\3\\4\\z\\8\\10\\11\\V\\o\\r\\l\\i\\n\\Eliminate.exe";

inline constexpr std::array<std::string_view, 20> kPrograms = {
    kUnpackSystemNewDat,
    kRepackSystemNewDatToDat,
    kRepackSystemNewDatToImg,
    kUnpackSystemImg,
    kRepackSystemImgToDat,
    kRepackSystemImgToImg,
    kUnpackBootImg,
    kRepackBootImg,
    kBootTool,
    kConvertSystemNewDatBr,
    kConvertFileContexts,
    kExtractFileContexts,
    kAdb,
    kApktoolDecompile,
    kApktoolRecompile,
    kApktoolFramework,
    kApktool,
    kInstallJava,
    kUninstall,
    kCleanUpFolders,
};

// Working folders, opened in the file explorer.
inline constexpr std::string_view kSystemFiles = "system_files";
inline constexpr std::string_view kBootFiles = "boot_files";
inline constexpr std::string_view kDone = "done";
inline constexpr std::string_view kApktoolFiles = "g-apktool";
inline constexpr std::string_view kAdbFolder = "bin\\ADB";
inline constexpr std::array<std::string_view, 5> kWorkingFolders = {
    kSystemFiles, kBootFiles, kDone, kApktoolFiles, kAdbFolder,
};

// Help and change-log texts (GBK, CR LF).
inline constexpr std::string_view kCurrentChangeLog = "bin\\Vorlin\\1\\2\\当前版本更新日志.txt";
inline constexpr std::string_view kHistoryChangeLog = "bin\\Vorlin\\1\\2\\历史版本更新日志.txt";
inline constexpr std::string_view kApktoolUsage = "bin\\Vorlin\\1\\2\\apktool\\使用说明.txt";
inline constexpr std::string_view kBootImgCommands = "bin\\Vorlin\\1\\2\\bootimg\\使用命令.txt";
inline constexpr std::array<std::string_view, 4> kHelpTexts = {
    kCurrentChangeLog,
    kHistoryChangeLog,
    kApktoolUsage,
    kBootImgCommands,
};

// Command lines that open a folder or a page in the file explorer.
inline constexpr std::string_view kOpenSystemFiles = "explorer.exe system_files";
inline constexpr std::string_view kOpenBootFiles = "explorer.exe boot_files";
inline constexpr std::string_view kOpenDone = "explorer.exe done";
inline constexpr std::string_view kOpenApktoolFiles = "explorer.exe g-apktool";
inline constexpr std::string_view kOpenAdbFolder = "explorer.exe bin\\ADB";
inline constexpr std::string_view kExplorerPrefix = "explorer.exe ";

// The maker's public profile page, opened by the "关注作者微博" button.
inline constexpr std::string_view kOpenAuthorProfile = "explorer.exe https://weibo.com/tandrel";

// Prints the Java version in a console window and waits for a key.
inline constexpr std::string_view kJavaCheck =
    "cmd /c @echo off&color 0C&echo.&echo.&echo.&echo.&echo.&echo.&echo.&echo.&java -version"
    "&echo.&echo.&echo.&echo        若出现JAVA版本号则JAVA环境已完成搭配！&echo.&echo        "
    "若出现java不是内部或外部命令，也不是可运行的程序或批处理文件。&echo        "
    "则JAVA环境还未搭配，解决方法，百度搜JAVA环境搭配！&echo.&echo                "
    "按任意键退出！&pause>nul&exit";

} // namespace tandrel::toolkit
