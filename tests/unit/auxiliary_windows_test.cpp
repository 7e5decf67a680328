#include "windows/auxiliary_windows.h"
#include "windows/byte_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

const std::vector<WindowId> kAuxiliaryWindows = {
    WindowId::ByteConverter,  WindowId::UpdateLog, WindowId::BootImg,
    WindowId::ApkCommand,     WindowId::ApkTools,  WindowId::WeChatDonation,
    WindowId::AlipayDonation,
};

const ControlSpec& Control(WindowId window, std::string_view name) {
    const ControlSpec* c = FindControl(Describe(window), name);
    if (c == nullptr) {
        ADD_FAILURE() << "no control " << name;
        static const ControlSpec missing;
        return missing;
    }
    return *c;
}

const Handler& Click(WindowId window, std::string_view name) {
    return Control(window, name).onClick;
}

std::vector<std::string_view> ControlOrder(WindowId window) {
    std::vector<std::string_view> names;
    for (const ControlSpec& c : Describe(window).controls) {
        names.push_back(c.name);
    }
    return names;
}

TEST(AuxiliaryWindows, FramesAndControlOrder) {
    struct Expected {
        WindowId id;
        std::string_view caption;
        int width;
        int height;
        std::vector<std::string_view> controls;
    };
    const std::vector<Expected> windows = {
        {WindowId::ByteConverter,
         "字节转换",
         378,
         351,
         {"标签5", "按钮1", "标签4", "编辑框2", "标签3", "标签2", "编辑框1", "标签1"}},
        {WindowId::UpdateLog,
         "更新日志",
         387,
         514,
         {"编辑框2", "编辑框1", "标签3", "按钮1", "标签1"}},
        {WindowId::BootImg, "boot.img", 337, 432, {"按钮2", "编辑框1", "按钮1"}},
        {WindowId::ApkCommand, "反编译APK", 380, 408, {"编辑框1", "按钮1"}},
        {WindowId::ApkTools,
         "反编译",
         550,
         181,
         {"按钮5", "标签1", "按钮4", "按钮3", "按钮2", "按钮1"}},
        {WindowId::WeChatDonation, "微信捐赠", 342, 426, {"标签2", "按钮1", "标签1", "图片框1"}},
        {WindowId::AlipayDonation, "支付宝捐赠", 342, 426, {"标签2", "按钮1", "标签1", "图片框1"}},
    };
    for (const Expected& e : windows) {
        const WindowSpec& w = Describe(e.id);
        SCOPED_TRACE(std::string(e.caption));
        EXPECT_EQ(w.caption, e.caption);
        EXPECT_EQ(w.width, e.width);
        EXPECT_EQ(w.height, e.height);
        EXPECT_EQ(ControlOrder(e.id), e.controls);
    }
}

TEST(AuxiliaryWindows, NoDefaultButtonsSoEnterDoesNothing) {
    for (WindowId id : kAuxiliaryWindows) {
        for (const ControlSpec& c : Describe(id).controls) {
            EXPECT_FALSE(c.isDefault) << Describe(id).caption << " " << c.name;
        }
    }
}

TEST(AuxiliaryWindows, OnlyTheMultiplierLabelIsHidden) {
    for (WindowId id : kAuxiliaryWindows) {
        for (const ControlSpec& c : Describe(id).controls) {
            const bool isMultiplier = id == WindowId::ByteConverter && c.name == "标签5";
            EXPECT_EQ(c.visible, !isMultiplier) << Describe(id).caption << " " << c.name;
        }
    }
}

TEST(AuxiliaryWindows, LaunchButtonsStartExactlyTheirCommandLines) {
    struct Row {
        WindowId window;
        std::string_view control;
        std::string_view commandLine;
    };
    const std::vector<Row> rows = {
        {WindowId::ApkTools, "按钮1", "explorer.exe g-apktool"},
        {WindowId::ApkTools, "按钮2", "bin\\tools\\apktool_d_apk.exe"},
        {WindowId::ApkTools, "按钮3", "bin\\tools\\apktool_b_apk.exe"},
        {WindowId::ApkTools, "按钮4", "bin\\tools\\apktool_if_apk.exe"},
        {WindowId::BootImg, "按钮1", "bin\\tools\\boot.exe"},
        {WindowId::BootImg, "按钮2", "explorer.exe boot_files"},
        {WindowId::ApkCommand, "按钮1", "bin\\tools\\apktool.exe"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.control) + " -> " + std::string(row.commandLine));
        const Handler& h = Click(row.window, row.control);
        ASSERT_EQ(h.size(), 1u);
        EXPECT_EQ(h[0].operation, Operation::LaunchCommand);
        EXPECT_EQ(h[0].text, row.commandLine);
    }
}

void ExpectWindowStep(const Step& step, Operation operation, WindowId window) {
    EXPECT_EQ(step.operation, operation);
    EXPECT_EQ(step.window, window);
}

TEST(AuxiliaryWindows, OpenAndCloseChains) {
    const Handler& apkCommand = Click(WindowId::ApkTools, "按钮5");
    ASSERT_EQ(apkCommand.size(), 1u);
    ExpectWindowStep(apkCommand[0], Operation::OpenWindow, WindowId::ApkCommand);

    const Handler& confirm = Click(WindowId::UpdateLog, "按钮1");
    ASSERT_EQ(confirm.size(), 1u);
    ExpectWindowStep(confirm[0], Operation::CloseWindow, WindowId::UpdateLog);

    // The WeChat window asks to be closed first, then opens the Alipay window.
    const Handler& toAlipay = Click(WindowId::WeChatDonation, "按钮1");
    ASSERT_EQ(toAlipay.size(), 2u);
    ExpectWindowStep(toAlipay[0], Operation::CloseWindow, WindowId::WeChatDonation);
    ExpectWindowStep(toAlipay[1], Operation::OpenWindow, WindowId::AlipayDonation);

    const Handler& quit = Click(WindowId::AlipayDonation, "按钮1");
    ASSERT_EQ(quit.size(), 1u);
    ExpectWindowStep(quit[0], Operation::CloseWindow, WindowId::AlipayDonation);
}

TEST(AuxiliaryWindows, TextViewersLoadTheirFilesWhenCreated) {
    struct Load {
        std::string_view path;
        std::string_view editBox;
    };
    struct Row {
        WindowId window;
        std::vector<Load> loads;
    };
    const std::vector<Row> rows = {
        {WindowId::UpdateLog,
         {{"bin\\Vorlin\\1\\2\\当前版本更新日志.txt", "编辑框1"},
          {"bin\\Vorlin\\1\\2\\历史版本更新日志.txt", "编辑框2"}}},
        {WindowId::BootImg, {{"bin\\Vorlin\\1\\2\\bootimg\\使用命令.txt", "编辑框1"}}},
        {WindowId::ApkCommand, {{"bin\\Vorlin\\1\\2\\apktool\\使用说明.txt", "编辑框1"}}},
    };
    for (const Row& row : rows) {
        const WindowSpec& w = Describe(row.window);
        SCOPED_TRACE(std::string(w.caption));
        ASSERT_EQ(w.onCreated.size(), row.loads.size());
        for (std::size_t i = 0; i < row.loads.size(); ++i) {
            EXPECT_EQ(w.onCreated[i].operation, Operation::LoadTextFile);
            EXPECT_EQ(w.onCreated[i].text, row.loads[i].path);
            EXPECT_EQ(w.onCreated[i].control, row.loads[i].editBox);
            const ControlSpec& box = Control(row.window, row.loads[i].editBox);
            EXPECT_EQ(box.kind, ControlKind::EditBox);
            EXPECT_TRUE(box.edit.multiLine);
            EXPECT_TRUE(box.edit.verticalScrollBar);
            EXPECT_TRUE(box.edit.readOnly);
            EXPECT_TRUE(box.caption.empty());
        }
    }
    for (WindowId id : {WindowId::ByteConverter, WindowId::ApkTools, WindowId::WeChatDonation,
                        WindowId::AlipayDonation}) {
        EXPECT_TRUE(Describe(id).onCreated.empty()) << Describe(id).caption;
    }
}

TEST(ByteConverterWindow, ConvertButtonUsesTheHiddenMultiplierLabel) {
    const Handler& convert = Click(WindowId::ByteConverter, "按钮1");
    ASSERT_EQ(convert.size(), 1u);
    EXPECT_EQ(convert[0].operation, Operation::ConvertGigabytes);

    const ControlSpec& multiplier = Control(WindowId::ByteConverter, "标签5");
    EXPECT_EQ(multiplier.kind, ControlKind::Label);
    EXPECT_EQ(multiplier.textColour, kBlack);
    EXPECT_EQ(multiplier.backgroundColour, kSystemFace);
    EXPECT_EQ(ConvertGigabytesText("1", multiplier.caption), "1073741824");
}

TEST(ByteConverterWindow, InputIsEditableAndResultIsReadOnly) {
    const ControlSpec& input = Control(WindowId::ByteConverter, "编辑框1");
    const ControlSpec& result = Control(WindowId::ByteConverter, "编辑框2");
    for (const ControlSpec* box : {&input, &result}) {
        EXPECT_EQ(box->kind, ControlKind::EditBox);
        EXPECT_FALSE(box->edit.multiLine);
        EXPECT_EQ(box->edit.align, HAlign::Centre);
        EXPECT_TRUE(box->caption.empty());
    }
    EXPECT_FALSE(input.edit.readOnly);
    EXPECT_TRUE(result.edit.readOnly);
    EXPECT_EQ(Control(WindowId::ByteConverter, "标签3").font.weight, 700);
}

TEST(DonationWindows, SameLayoutWithTheirOwnPictures) {
    const WindowSpec& weChat = Describe(WindowId::WeChatDonation);
    const WindowSpec& alipay = Describe(WindowId::AlipayDonation);
    ASSERT_EQ(weChat.controls.size(), alipay.controls.size());
    for (std::size_t i = 0; i < weChat.controls.size(); ++i) {
        EXPECT_EQ(weChat.controls[i].rect, alipay.controls[i].rect) << weChat.controls[i].name;
    }
    EXPECT_EQ(Control(WindowId::WeChatDonation, "图片框1").picture, Picture::WeChatCode);
    EXPECT_EQ(Control(WindowId::AlipayDonation, "图片框1").picture, Picture::AlipayCode);
    EXPECT_EQ(Control(WindowId::WeChatDonation, "图片框1").rect, (Rect{44, 44, 248, 248}));
    EXPECT_EQ(Control(WindowId::WeChatDonation, "按钮1").caption, "支付宝捐赠");
    EXPECT_EQ(Control(WindowId::AlipayDonation, "按钮1").caption, "退出");
    EXPECT_EQ(Control(WindowId::WeChatDonation, "标签2").caption,
              "提示:打开微信,进行扫一扫即可捐赠！");
    EXPECT_EQ(Control(WindowId::AlipayDonation, "标签2").caption,
              "提示:打开支付宝,进行扫一扫即可捐赠！");
}

} // namespace
} // namespace tandrel
