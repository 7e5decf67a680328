// The window builder in this process: fonts, painting, edit box layout and
// properties, checked on live windows.
#include "shell/controls.h"
#include "shell/main_window.h"
#include "shell/properties.h"
#include "shell/wide.h"
#include "shell/window_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

void Pump(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount64() < end);
}

// A window built from a description, destroyed at the end of the test.
class BuiltWindow {
  public:
    explicit BuiltWindow(const WindowSpec& spec) : hwnd_(BuildWindow(spec, nullptr, &destroyed_)) {
        Pump(100);
    }
    ~BuiltWindow() {
        if (!destroyed_) {
            DestroyWindow(hwnd_);
        }
        Pump(20);
    }
    HWND Handle() const { return hwnd_; }
    HWND Control(std::string_view name) const { return ControlHandle(hwnd_, name); }
    bool Destroyed() const { return destroyed_; }

  private:
    bool destroyed_ = false;
    HWND hwnd_;
};

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof(font), &font);
    return font;
}

TEST(WindowBuilder, MainWindowFontsFollowTheirDescriptions) {
    BuiltWindow window(MainWindowSpec());
    ASSERT_NE(window.Handle(), nullptr);
    const HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    for (const ControlSpec& control : MainWindowSpec().controls) {
        SCOPED_TRACE(std::string(control.name));
        HWND hwnd = window.Control(control.name);
        ASSERT_NE(hwnd, nullptr);
        auto handle = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
        if (control.font.IsDefault()) {
            EXPECT_EQ(handle, stock);
            continue;
        }
        const LOGFONTW font = FontOf(hwnd);
        EXPECT_EQ(Narrow(font.lfFaceName), control.font.face);
        EXPECT_EQ(font.lfHeight, -control.font.pixelHeight);
        EXPECT_EQ(font.lfWeight, control.font.weight);
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    }
}

// Counts the pixels of a control that are not its white background.
int InkedPixels(HWND control) {
    RECT rect;
    GetClientRect(control, &rect);
    HDC dc = GetDC(control);
    int inked = 0;
    for (int y = 0; y < rect.bottom; ++y) {
        for (int x = 0; x < rect.right; ++x) {
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                ++inked;
            }
        }
    }
    ReleaseDC(control, dc);
    return inked;
}

TEST(WindowBuilder, DashLinesAndBarColumnsShowAThinLine) {
    BuiltWindow window(MainWindowSpec());
    Pump(300);
    // The dashes of a 6-pixel label show as a line across most of it (the
    // credit line covers the middle of the notice's dashes); the bar columns
    // show their bars down most of their height.
    for (std::string_view name : {"标签4", "标签1", "标签9"}) {
        HWND label = window.Control(name);
        RECT rect;
        GetClientRect(label, &rect);
        EXPECT_GT(InkedPixels(label), rect.right / (name == "标签9" ? 5 : 2)) << name;
    }
    for (std::string_view name : {"标签3", "标签5", "标签17", "标签20"}) {
        HWND label = window.Control(name);
        RECT rect;
        GetClientRect(label, &rect);
        EXPECT_GT(InkedPixels(label), rect.bottom / 2) << name;
    }
}

WindowSpec EditBoxWindow() {
    WindowSpec w;
    w.id = WindowId::ByteConverter;
    w.caption = "edit boxes";
    w.width = 300;
    w.height = 300;
    w.controls = {
        EditBox("编辑框1", "", {10, 10, 200, 80}, "Wg", FontSpec{"新宋体", 16}, kInputBox),
        EditBox("编辑框2", "", {10, 100, 200, 8}, "Wg", FontSpec{"新宋体", 16}, kResultBox),
        EditBox("编辑框3", "", {10, 120, 200, 100}, "Wg", FontSpec{"新宋体", 16}, kViewerBox),
        Hidden(Label("标签1", "", {10, 230, 100, 20}, "hidden caption", kGuiFont, kBlack, kWhite,
                     kLeftCentre)),
        Button("按钮1", "", {120, 230, 100, 24}, "按钮", kGuiFont, {}),
    };
    return w;
}

int LineHeight(HWND edit) {
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, L"W", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return size.cy;
}

TEST(WindowBuilder, SingleLineEditBoxCentresItsLineVertically) {
    const WindowSpec spec = EditBoxWindow();
    BuiltWindow window(spec);
    HWND edit = window.Control("编辑框1");
    RECT outer;
    GetWindowRect(edit, &outer);
    RECT client;
    GetClientRect(edit, &client);
    POINT origin{0, 0};
    ClientToScreen(edit, &origin);
    // One text line and the edit's one-pixel frame around it.
    const int line = LineHeight(edit) + 2 * GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(client.bottom, line);
    const int above = origin.y - outer.top;
    const int below = outer.bottom - (origin.y + client.bottom);
    EXPECT_LE(std::abs(above - below), 2) << above << " above, " << below << " below";
}

TEST(WindowBuilder, LowSingleLineEditBoxIsRaisedToOneLineAndItsEdges) {
    const WindowSpec spec = EditBoxWindow();
    BuiltWindow window(spec);
    HWND edit = window.Control("编辑框2");
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    RECT outer;
    GetWindowRect(edit, &outer);
    EXPECT_EQ(outer.bottom - outer.top, metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE));
    // A multi-line box keeps its size and its whole client area.
    HWND viewer = window.Control("编辑框3");
    GetWindowRect(viewer, &outer);
    EXPECT_EQ(outer.bottom - outer.top, 100);
}

TEST(WindowBuilder, PropertiesReadAndWriteTheLiveWindow) {
    const WindowSpec spec = EditBoxWindow();
    BuiltWindow window(spec);
    HWND hwnd = window.Handle();
    EXPECT_EQ(GetProperty(hwnd, "编辑框3", kLeft), PropertyValue{10});
    EXPECT_EQ(GetProperty(hwnd, "编辑框3", kTop), PropertyValue{120});
    EXPECT_EQ(GetProperty(hwnd, "编辑框3", kWidth), PropertyValue{200});
    EXPECT_EQ(GetProperty(hwnd, "编辑框3", kHeight), PropertyValue{100});
    EXPECT_EQ(GetProperty(hwnd, "", kWidth), PropertyValue{300});
    EXPECT_EQ(GetProperty(hwnd, "", kText), PropertyValue{std::string("edit boxes")});

    // A hidden label still reads back its caption; showing it works.
    EXPECT_EQ(GetProperty(hwnd, "标签1", kVisible), PropertyValue{false});
    EXPECT_EQ(GetText(hwnd, "标签1"), "hidden caption");
    SetProperty(hwnd, "标签1", kVisible, true);
    EXPECT_EQ(GetProperty(hwnd, "标签1", kVisible), PropertyValue{true});

    // Text is replaced unchanged, bare LF included.
    SetText(hwnd, "编辑框3", "一\n二\r\n三");
    EXPECT_EQ(GetText(hwnd, "编辑框3"), "一\n二\r\n三");
    SetText(hwnd, "", "新标题");
    EXPECT_EQ(GetText(hwnd, ""), "新标题");

    // A button's caption is property 10; 8 is its picture, which it has none of.
    EXPECT_EQ(GetProperty(hwnd, "按钮1", kButtonCaption), PropertyValue{std::string("按钮")});
    EXPECT_EQ(GetProperty(hwnd, "按钮1", kText), PropertyValue{});
    SetProperty(hwnd, "按钮1", kDisabled, true);
    EXPECT_EQ(GetProperty(hwnd, "按钮1", kDisabled), PropertyValue{true});
    EXPECT_EQ(GetProperty(hwnd, "没有这个", kText), PropertyValue{});
}

TEST(WindowBuilder, PropertiesOfAClosedWindowAreEmptyAndIgnored) {
    const WindowSpec spec = EditBoxWindow();
    HWND closed = nullptr;
    {
        BuiltWindow window(spec);
        closed = window.Handle();
    }
    EXPECT_FALSE(IsWindow(closed));
    EXPECT_EQ(GetProperty(closed, "编辑框1", kText), PropertyValue{});
    EXPECT_EQ(GetProperty(closed, "", kWidth), PropertyValue{});
    SetText(closed, "编辑框1", "ignored");
    SetProperty(closed, "编辑框1", kVisible, true);
    EXPECT_EQ(GetProperty(nullptr, "", kText), PropertyValue{});
}

} // namespace
} // namespace tandrel
