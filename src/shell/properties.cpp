#include "shell/properties.h"

#include "shell/controls.h"
#include "shell/wide.h"
#include "shell/window_builder.h"

namespace tandrel {
namespace {

struct PropertyRequest {
    std::string_view target;
    int property;
    const PropertyValue* value;
};

HWND Target(HWND window, std::string_view target) {
    if (OpenWindowSpec(window) == nullptr) {
        return nullptr;
    }
    return target.empty() ? window : ControlHandle(window, target);
}

// The place of a window relative to its parent's client area (the screen for
// a top-level window).
RECT PlaceInParent(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    if (HWND parent = GetAncestor(hwnd, GA_PARENT); parent != GetDesktopWindow()) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

std::string TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

bool HasTextProperty(HWND window, HWND hwnd, int property) {
    if (hwnd == window) {
        return property == kText;
    }
    const ControlSpec* spec = ControlSpecOf(hwnd);
    if (spec == nullptr) {
        return false;
    }
    if (spec->kind == ControlKind::Button) {
        return property == kButtonCaption;
    }
    return property == kText && spec->kind != ControlKind::PicBox;
}

} // namespace

PropertyValue GetProperty(HWND window, std::string_view target, int property) {
    HWND hwnd = Target(window, target);
    if (hwnd == nullptr) {
        return {};
    }
    const RECT place = PlaceInParent(hwnd);
    switch (property) {
    case kLeft:
        return static_cast<int>(place.left);
    case kTop:
        return static_cast<int>(place.top);
    case kWidth:
        return static_cast<int>(place.right - place.left);
    case kHeight:
        return static_cast<int>(place.bottom - place.top);
    case kVisible:
        return IsWindowVisible(hwnd) != FALSE;
    case kDisabled:
        return IsWindowEnabled(hwnd) == FALSE;
    default:
        if (HasTextProperty(window, hwnd, property)) {
            return TextOf(hwnd);
        }
        return {};
    }
}

void SetProperty(HWND window, std::string_view target, int property, const PropertyValue& value) {
    if (OpenWindowSpec(window) == nullptr) {
        return;
    }
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        // Changed on the window's own thread, where it cannot close meanwhile;
        // a window closed before that ignores the request.
        PropertyRequest request{target, property, &value};
        SendMessageW(window, kSetPropertyMessage, 0, reinterpret_cast<LPARAM>(&request));
        return;
    }
    HWND hwnd = Target(window, target);
    if (hwnd == nullptr) {
        return;
    }
    if (const auto* number = std::get_if<int>(&value); number != nullptr && property <= kHeight) {
        RECT place = PlaceInParent(hwnd);
        int edges[4] = {place.left, place.top, place.right - place.left, place.bottom - place.top};
        edges[property] = *number;
        SetWindowPos(hwnd, nullptr, edges[0], edges[1], edges[2], edges[3],
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (const auto* flag = std::get_if<bool>(&value);
               flag != nullptr && property == kVisible) {
        ShowWindow(hwnd, *flag ? SW_SHOW : SW_HIDE);
    } else if (flag != nullptr && property == kDisabled) {
        EnableWindow(hwnd, *flag ? FALSE : TRUE);
    } else if (const auto* text = std::get_if<std::string>(&value);
               text != nullptr && HasTextProperty(window, hwnd, property)) {
        SetWindowTextW(hwnd, Widen(*text).c_str());
    }
}

void ApplyPropertyRequest(HWND window, LPARAM request) {
    const auto* r = reinterpret_cast<const PropertyRequest*>(request);
    SetProperty(window, r->target, r->property, *r->value);
}

std::string GetText(HWND window, std::string_view target) {
    PropertyValue value = GetProperty(window, target, kText);
    auto* text = std::get_if<std::string>(&value);
    return text != nullptr ? std::move(*text) : std::string();
}

void SetText(HWND window, std::string_view target, std::string_view text) {
    SetProperty(window, target, kText, std::string(text));
}

} // namespace tandrel
