#include "update/update_window.h"

namespace tandrel {
namespace {

constexpr FontSpec kSimSun14{"宋体", 14};
constexpr FontSpec kNsimSun14{"新宋体", 14};
constexpr FontSpec kNsimSun16{"新宋体", 16};
constexpr EditStyle kNotesBox{true, true, true, HAlign::Left};

WindowSpec BuildUpdateCheckWindow() {
    WindowSpec w;
    w.id = WindowId::UpdateCheck;
    w.caption = "检查更新";
    w.width = 388;
    w.height = 303;
    w.onCreated = {Run(Operation::ShowCurrentVersion, "标签1")};
    // clang-format off
    w.controls = {
        Hidden(EditBox("编辑框1", "", {136, 8, 232, 200}, "\r\n更新内容：\r\n暂无", kSimSun14, kNotesBox)),
        Label("标签2", "", {16, 81, 64, 32}, "当前版本：", kNsimSun14, kBlack, kWhite, kLeftCentre),
        Button("按钮1", "", {132, 224, 117, 40}, "检查更新", kNsimSun16, {Run(Operation::StartUpdateCheck)}),
        Label("标签1", "", {80, 81, 64, 32}, "", kNsimSun14, kBlack, kWhite, kLeftCentre),
    };
    // clang-format on
    return w;
}

} // namespace

const WindowSpec& UpdateCheckWindowSpec() {
    static const WindowSpec spec = BuildUpdateCheckWindow();
    return spec;
}

} // namespace tandrel
