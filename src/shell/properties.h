// Reading and writing a window's or a control's properties by number.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <variant>

namespace tandrel {

enum Property : int {
    kLeft = 0,
    kTop = 1,
    kWidth = 2,
    kHeight = 3,
    kVisible = 5,
    kDisabled = 6,
    kText = 8, // a window's title, a label's or group box's caption, an edit box's content
    kButtonCaption = 10,
};

// Empty when the window is not open or has no such property.
using PropertyValue = std::variant<std::monostate, int, bool, std::string>;

// `target` names a control of the window; an empty name means the window itself.
// Both may be called from any thread; on a window that is not open they do nothing.
PropertyValue GetProperty(HWND window, std::string_view target, int property);
void SetProperty(HWND window, std::string_view target, int property, const PropertyValue& value);

// Carries out a change asked for from another thread, on the window's thread.
inline constexpr UINT kSetPropertyMessage = WM_APP + 2;
void ApplyPropertyRequest(HWND window, LPARAM request);

std::string GetText(HWND window, std::string_view target);
void SetText(HWND window, std::string_view target, std::string_view text);

} // namespace tandrel
