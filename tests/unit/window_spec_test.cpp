#include "shell/main_window.h"
#include "shell/tool_kit.h"
#include "shell/window_spec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tandrel {
namespace {

const std::vector<WindowId> kAllWindows = {
    WindowId::Main,       WindowId::ApkTools,       WindowId::BootImg,
    WindowId::ApkCommand, WindowId::WeChatDonation, WindowId::AlipayDonation,
    WindowId::UpdateLog,  WindowId::ByteConverter,  WindowId::UpdateCheck,
};

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

TEST(WindowSpecs, EveryWindowIsWellFormed) {
    for (WindowId id : kAllWindows) {
        const WindowSpec& w = Describe(id);
        SCOPED_TRACE(std::string(w.caption));
        EXPECT_EQ(w.id, id);
        EXPECT_EQ(w.backgroundColour, kWhite);
        std::set<std::string_view> names;
        for (const ControlSpec& c : w.controls) {
            SCOPED_TRACE(std::string(c.name));
            EXPECT_TRUE(names.insert(c.name).second) << "duplicate name";
            EXPECT_EQ(c.tabStop, c.kind == ControlKind::Button || c.kind == ControlKind::EditBox);
            if (c.kind == ControlKind::Button) {
                EXPECT_FALSE(c.onClick.empty()) << "button without a handler";
            }
            if (!c.parent.empty()) {
                const ControlSpec* parent = FindControl(w, c.parent);
                ASSERT_NE(parent, nullptr);
                EXPECT_EQ(parent->kind, ControlKind::GroupBox);
            }
        }
    }
}

TEST(MainWindow, FrameAndControlCount) {
    const WindowSpec& w = MainWindowSpec();
    EXPECT_EQ(w.caption, "当前版本:V2.0.0(正式版)");
    EXPECT_EQ(w.width, 874);
    EXPECT_EQ(w.height, 537);
    EXPECT_TRUE(w.onCreated.empty());
    EXPECT_EQ(w.controls.size(), 52u);
    EXPECT_EQ(ControlId(w, "按钮27"), 1);
    EXPECT_EQ(ControlId(w, "分组框1"), 52);
    EXPECT_EQ(ControlId(w, "没有"), 0);
}

TEST(MainWindow, DefaultButtonsInControlOrder) {
    std::vector<std::string_view> defaults;
    for (const ControlSpec& c : MainWindowSpec().controls) {
        if (c.isDefault) {
            defaults.push_back(c.name);
        }
    }
    const std::vector<std::string_view> expected = {"按钮25", "按钮23", "按钮20", "按钮19",
                                                    "按钮11", "按钮9",  "按钮2",  "按钮1"};
    EXPECT_EQ(defaults, expected);
}

struct ActionRow {
    std::string_view control;
    std::vector<std::string_view> commandLines;
};

TEST(MainWindow, LaunchActionsStartExactlyTheirCommandLines) {
    const std::vector<ActionRow> rows = {
        {"按钮1", {"explorer.exe system_files"}},
        {"按钮2", {"bin\\Vorlin\\1\\2\\3\\4\\z\\8\\10\\11\\V\\o\\r\\l\\i\\n\\Eliminate.exe"}},
        {"按钮3", {"bin\\tools\\unpack_system.new.dat.exe"}},
        {"按钮4", {"bin\\tools\\repack_(system.new.dat).dat.exe"}},
        {"按钮5", {"bin\\tools\\repack_(system.img).img.exe"}},
        {"按钮6", {"bin\\tools\\unpack_system.img.exe"}},
        {"按钮7", {"bin\\tools\\repack_(boot.img).exe"}},
        {"按钮8", {"bin\\tools\\unpack_boot.img.exe"}},
        {"按钮11", {toolkit::kOpenAuthorProfile}},
        {"按钮13", {"bin\\tools\\convert_file_contexts.bin.exe"}},
        {"按钮14", {"explorer.exe bin\\ADB", "bin\\tools\\adb.exe"}},
        {"按钮15", {"bin\\tools\\repack_(system.new.dat).img.exe"}},
        {"按钮17", {"bin\\tools\\repack_(system.img).dat.exe"}},
        {"按钮21", {"Uninstall.exe"}},
        {"按钮22", {"bin\\tools\\extract_file_contexts.exe"}},
        {"按钮23", {"explorer.exe done"}},
        {"按钮24", {"bin\\tools\\convert_(system.new.dat.br).dat.exe"}},
        {"按钮25", {"explorer.exe boot_files"}},
        {"按钮26", {"bin\\tools\\install_java.exe"}},
    };
    const WindowSpec& w = MainWindowSpec();
    for (const ActionRow& row : rows) {
        SCOPED_TRACE(std::string(row.control));
        const ControlSpec* c = FindControl(w, row.control);
        ASSERT_NE(c, nullptr);
        ASSERT_EQ(c->onClick.size(), row.commandLines.size());
        for (std::size_t i = 0; i < row.commandLines.size(); ++i) {
            EXPECT_EQ(c->onClick[i].operation, Operation::LaunchCommand);
            EXPECT_EQ(c->onClick[i].text, row.commandLines[i]);
        }
    }
    EXPECT_TRUE(toolkit::kOpenAuthorProfile.starts_with("explorer.exe https://"));
}

TEST(MainWindow, OpenWindowActions) {
    const std::vector<std::pair<std::string_view, WindowId>> rows = {
        {"按钮9", WindowId::UpdateCheck},    {"按钮10", WindowId::BootImg},
        {"按钮12", WindowId::UpdateLog},     {"按钮16", WindowId::ApkTools},
        {"按钮18", WindowId::ByteConverter}, {"按钮19", WindowId::WeChatDonation},
    };
    for (const auto& [name, window] : rows) {
        const ControlSpec* c = FindControl(MainWindowSpec(), name);
        ASSERT_NE(c, nullptr);
        ASSERT_EQ(c->onClick.size(), 1u) << name;
        EXPECT_EQ(c->onClick[0].operation, Operation::OpenWindow);
        EXPECT_EQ(c->onClick[0].window, window) << name;
    }
}

TEST(MainWindow, JavaCheckLineIsAssembledFromItsPieces) {
    std::vector<std::string> pieces = {"cmd /c @echo off", "color 0C"};
    pieces.insert(pieces.end(), 8, "echo.");
    pieces.push_back("java -version");
    pieces.insert(pieces.end(), 3, "echo.");
    pieces.push_back("echo" + std::string(8, ' ') + "若出现JAVA版本号则JAVA环境已完成搭配！");
    pieces.push_back("echo.");
    pieces.push_back("echo" + std::string(8, ' ') +
                     "若出现java不是内部或外部命令，也不是可运行的程序或批处理文件。");
    pieces.push_back("echo" + std::string(8, ' ') +
                     "则JAVA环境还未搭配，解决方法，百度搜JAVA环境搭配！");
    pieces.push_back("echo.");
    pieces.push_back("echo" + std::string(16, ' ') + "按任意键退出！");
    pieces.push_back("pause>nul");
    pieces.push_back("exit");
    std::string expected;
    for (const std::string& p : pieces) {
        expected += (expected.empty() ? "" : "&") + p;
    }
    const ControlSpec* c = FindControl(MainWindowSpec(), "按钮27");
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->onClick.size(), 1u);
    EXPECT_EQ(c->onClick[0].text, expected);
}

TEST(MainWindow, ToolCreditsMessage) {
    const ControlSpec* c = FindControl(MainWindowSpec(), "按钮20");
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->onClick.size(), 1u);
    EXPECT_EQ(c->onClick[0].operation, Operation::ShowMessage);
    EXPECT_EQ(c->onClick[0].title, "功能工具来源");
    const std::vector<std::string> lines = Split(c->onClick[0].text, "\r\n");
    const std::vector<std::string> tools = {"apktool",       "brotli",   "adb",         "bootimg",
                                            "file_contexts", "img2sdat", "upext4fsimg", "sdat2img",
                                            "make_ext4fs",   "img2simg"};
    ASSERT_EQ(lines.size(), tools.size() + 2);
    for (std::size_t i = 0; i < tools.size(); ++i) {
        EXPECT_TRUE(lines[i].starts_with(tools[i] + " - ")) << lines[i];
        EXPECT_GT(lines[i].size(), tools[i].size() + 3) << "no source for " << tools[i];
    }
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "感谢以上所有作者！");
}

TEST(MainWindow, CaptionNotes) {
    const WindowSpec& w = MainWindowSpec();
    const auto caption = [&](std::string_view name) {
        const ControlSpec* c = FindControl(w, name);
        return c == nullptr ? std::string("?") : std::string(c->caption);
    };
    const auto bars = [](int lines, bool trailingBreak) {
        std::string s;
        for (int i = 0; i < lines; ++i) {
            s += "|";
            if (trailingBreak || i + 1 < lines) {
                s += "\r\n";
            }
        }
        return s;
    };
    EXPECT_EQ(caption("标签20"), bars(12, false));
    EXPECT_EQ(caption("标签14"), bars(12, false));
    EXPECT_EQ(caption("标签17"), bars(11, false));
    EXPECT_EQ(caption("标签10"), bars(11, false));
    EXPECT_EQ(caption("标签5"), bars(8, true));
    EXPECT_EQ(caption("标签3"), bars(8, true));
    EXPECT_EQ(caption("标签9"), std::string(116, '-'));
    EXPECT_EQ(caption("标签4"), std::string(214, '-'));
    EXPECT_EQ(caption("标签1"), std::string(214, '-'));
    EXPECT_EQ(caption("标签6"), "每做完一个工作,都必须执行一次清除所有工作目录！\r\n"
                                "执行前请把重要文件移走,比如done文件夹中的文件。\r\n"
                                "注意：本工具箱需要JRE和JDK环境支持");
    const std::string credit = caption("标签7");
    EXPECT_FALSE(credit.empty());
    EXPECT_EQ(credit.find("\r\n"), std::string::npos);
}

TEST(ToolKit, CommandLinesNameTheToolKitPrograms) {
    // Every launched program path is one of the tool kit's programs.
    for (const ControlSpec& c : MainWindowSpec().controls) {
        for (const Step& s : c.onClick) {
            if (s.operation != Operation::LaunchCommand || s.text.starts_with("explorer.exe ") ||
                s.text.starts_with("cmd ")) {
                continue;
            }
            EXPECT_NE(std::find(toolkit::kPrograms.begin(), toolkit::kPrograms.end(), s.text),
                      toolkit::kPrograms.end())
                << c.name;
        }
    }
}

} // namespace
} // namespace tandrel
