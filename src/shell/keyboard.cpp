#include "shell/keyboard.h"

#include "shell/window_builder.h"

#include <commctrl.h>

namespace tandrel {
namespace {

bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

bool NoModifiers() {
    return !KeyHeld(VK_CONTROL) && !KeyHeld(VK_SHIFT) && !KeyHeld(VK_MENU);
}

bool IsButtonWithStyle(HWND control, LONG_PTR kind) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, WC_BUTTONW) != 0) {
        return false;
    }
    return (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == kind;
}

bool IsEnabledDefaultButton(HWND control) {
    return control != nullptr && IsWindow(control) && IsWindowEnabled(control) &&
           IsButtonWithStyle(control, BS_DEFPUSHBUTTON);
}

// Only an editable multi-line edit box takes Enter for itself.
bool TakesEnter(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, WC_EDITW) != 0) {
        return false;
    }
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    return (style & ES_MULTILINE) != 0 && (style & ES_WANTRETURN) != 0 &&
           (style & ES_READONLY) == 0;
}

int IndexOfControl(const LiveWindow& window, HWND control) {
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        if (window.controls[i] == control) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool PressEnter(LiveWindow& window) {
    HWND focus = GetFocus();
    if (TakesEnter(focus)) {
        return false;
    }
    const int focused = IndexOfControl(window, focus);
    if (focused >= 0 && IsEnabledDefaultButton(focus)) {
        ClickControl(window, static_cast<std::size_t>(focused));
        return true;
    }
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        if (IsEnabledDefaultButton(window.controls[i])) {
            ClickControl(window, i);
            return true;
        }
    }
    return true;
}

bool CanTakeTabFocus(const LiveWindow& window, std::size_t index) {
    HWND control = window.controls[index];
    return window.spec->controls[index].tabStop && control != nullptr && IsWindowVisible(control) &&
           IsWindowEnabled(control);
}

void MoveFocus(const LiveWindow& window, bool backward) {
    const int count = static_cast<int>(window.controls.size());
    if (count == 0) {
        return;
    }
    const int current = IndexOfControl(window, GetFocus());
    const int step = backward ? count - 1 : 1;
    int index = current >= 0 ? current : (backward ? 0 : count - 1);
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step) % count;
        if (CanTakeTabFocus(window, static_cast<std::size_t>(index))) {
            SetFocus(window.controls[static_cast<std::size_t>(index)]);
            return;
        }
    }
}

} // namespace

bool HandleWindowKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    LiveWindow* window = FindLiveWindow(root);
    if (window == nullptr) {
        return false;
    }
    switch (message.wParam) {
    case VK_ESCAPE:
        if (!NoModifiers()) {
            return false;
        }
        SendMessageW(root, WM_CLOSE, 0, 0);
        return true;
    case VK_RETURN:
        return NoModifiers() && PressEnter(*window);
    case VK_TAB:
        if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) {
            return false;
        }
        MoveFocus(*window, KeyHeld(VK_SHIFT));
        return true;
    default:
        return false;
    }
}

} // namespace tandrel
