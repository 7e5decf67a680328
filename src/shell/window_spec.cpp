#include "shell/window_spec.h"

#include "shell/main_window.h"
#include "update/update_window.h"
#include "windows/auxiliary_windows.h"

#include <utility>

namespace tandrel {

Step Launch(std::string_view commandLine) {
    return {Operation::LaunchCommand, commandLine, {}, WindowId::Main, {}};
}

Step Open(WindowId window) {
    return {Operation::OpenWindow, {}, {}, window, {}};
}

Step Close(WindowId window) {
    return {Operation::CloseWindow, {}, {}, window, {}};
}

Step Message(std::string_view text, std::string_view title) {
    return {Operation::ShowMessage, text, title, WindowId::Main, {}};
}

Step LoadTextFile(std::string_view path, std::string_view editBox) {
    return {Operation::LoadTextFile, path, {}, WindowId::Main, editBox};
}

Step Run(Operation operation, std::string_view control) {
    return {operation, {}, {}, WindowId::Main, control};
}

ControlSpec Button(std::string_view name, std::string_view parent, Rect rect,
                   std::string_view caption, FontSpec font, Handler onClick, bool isDefault) {
    ControlSpec c;
    c.name = name;
    c.kind = ControlKind::Button;
    c.parent = parent;
    c.rect = rect;
    c.caption = caption;
    c.font = font;
    c.tabStop = true;
    c.isDefault = isDefault;
    c.onClick = std::move(onClick);
    return c;
}

ControlSpec Label(std::string_view name, std::string_view parent, Rect rect,
                  std::string_view caption, FontSpec font, Colour textColour,
                  Colour backgroundColour, TextLayout layout) {
    ControlSpec c;
    c.name = name;
    c.kind = ControlKind::Label;
    c.parent = parent;
    c.rect = rect;
    c.caption = caption;
    c.font = font;
    c.textColour = textColour;
    c.backgroundColour = backgroundColour;
    c.layout = layout;
    return c;
}

ControlSpec EditBox(std::string_view name, std::string_view parent, Rect rect,
                    std::string_view text, FontSpec font, EditStyle style) {
    ControlSpec c;
    c.name = name;
    c.kind = ControlKind::EditBox;
    c.parent = parent;
    c.rect = rect;
    c.caption = text;
    c.font = font;
    c.tabStop = true;
    c.edit = style;
    return c;
}

ControlSpec GroupBox(std::string_view name, std::string_view parent, Rect rect,
                     std::string_view caption, FontSpec font, HAlign captionAlign) {
    ControlSpec c;
    c.name = name;
    c.kind = ControlKind::GroupBox;
    c.parent = parent;
    c.rect = rect;
    c.caption = caption;
    c.font = font;
    c.captionAlign = captionAlign;
    return c;
}

ControlSpec PicBox(std::string_view name, std::string_view parent, Rect rect, Picture picture) {
    ControlSpec c;
    c.name = name;
    c.kind = ControlKind::PicBox;
    c.parent = parent;
    c.rect = rect;
    c.picture = picture;
    return c;
}

ControlSpec Hidden(ControlSpec control) {
    control.visible = false;
    return control;
}

const WindowSpec& Describe(WindowId id) {
    switch (id) {
    case WindowId::Main:
        return MainWindowSpec();
    case WindowId::ApkTools:
        return ApkToolsWindowSpec();
    case WindowId::BootImg:
        return BootImgWindowSpec();
    case WindowId::ApkCommand:
        return ApkCommandWindowSpec();
    case WindowId::WeChatDonation:
        return WeChatDonationWindowSpec();
    case WindowId::AlipayDonation:
        return AlipayDonationWindowSpec();
    case WindowId::UpdateLog:
        return UpdateLogWindowSpec();
    case WindowId::ByteConverter:
        return ByteConverterWindowSpec();
    case WindowId::UpdateCheck:
        return UpdateCheckWindowSpec();
    }
    return MainWindowSpec();
}

int ControlId(const WindowSpec& window, std::string_view name) {
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        if (window.controls[i].name == name) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

const ControlSpec* FindControl(const WindowSpec& window, std::string_view name) {
    const int id = ControlId(window, name);
    return id == 0 ? nullptr : &window.controls[static_cast<std::size_t>(id) - 1];
}

} // namespace tandrel
