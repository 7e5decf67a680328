#include "shell/window_builder.h"

#include "shell/app.h"
#include "shell/controls.h"
#include "shell/operations.h"
#include "shell/properties.h"
#include "shell/wide.h"

#include <array>
#include <atomic>
#include <cstring>
#include <utility>

namespace tandrel {
namespace {

constexpr wchar_t kWindowClass[] = L"TandrelWindow";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Extra window bytes: the description the window was built from, so any
// thread can name its controls without touching the live state.
constexpr int kSpecSlot = 0;

std::atomic<ATOM> windowClass{0};
std::array<std::atomic<HWND>, kWindowCount> openInstances{};
int programWindows = 0; // top-level windows of the program that exist

std::size_t IndexOf(WindowId id) {
    return static_cast<std::size_t>(id);
}

HFONT CreateFontFor(const FontSpec& spec) {
    LOGFONTW font{};
    font.lfHeight = -spec.pixelHeight;
    font.lfWeight = spec.weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    const std::wstring face = Widen(spec.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

// Controls with the same font share one handle.
HFONT FontFor(LiveWindow& window, const FontSpec& spec) {
    const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (spec.IsDefault()) {
        return stock;
    }
    for (const auto& [created, handle] : window.fonts) {
        if (created == spec) {
            return handle;
        }
    }
    HFONT handle = CreateFontFor(spec);
    if (handle == nullptr) {
        return stock;
    }
    window.fonts.emplace_back(spec, handle);
    return handle;
}

// Controls with the same background share one brush.
HBRUSH BrushFor(LiveWindow& window, Colour colour) {
    if (colour.system) {
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    for (const auto& [created, brush] : window.brushes) {
        if (created == colour) {
            return brush;
        }
    }
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    window.brushes.emplace_back(colour, brush);
    return brush;
}

void ReleaseResources(LiveWindow& window) {
    for (const auto& font : window.fonts) {
        DeleteObject(font.second);
    }
    for (const auto& brush : window.brushes) {
        DeleteObject(brush.second);
    }
}

LRESULT OnControlColour(LiveWindow& window, HDC dc, HWND control) {
    const ControlSpec* spec = ControlSpecOf(control);
    if (spec == nullptr) {
        return reinterpret_cast<LRESULT>(window.background);
    }
    SetTextColor(dc, ToColorRef(spec->textColour));
    SetBkColor(dc, ToColorRef(spec->backgroundColour));
    const int id = GetDlgCtrlID(control);
    const std::size_t index = static_cast<std::size_t>(id) - 1;
    return reinterpret_cast<LRESULT>(
        index < window.controlBrushes.size() ? window.controlBrushes[index] : window.background);
}

void OnCommand(LiveWindow& window, WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0) {
        return;
    }
    const int id = LOWORD(wParam);
    if (id >= 1 && static_cast<std::size_t>(id) <= window.controls.size()) {
        ClickControl(window, static_cast<std::size_t>(id) - 1);
    }
}

void OnNcDestroy(HWND hwnd, LiveWindow* window) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    HWND expected = hwnd;
    openInstances[IndexOf(window->spec->id)].compare_exchange_strong(expected, nullptr);
    if (window->destroyedFlag != nullptr) {
        *window->destroyedFlag = true;
    }
    ReleaseResources(*window);
    delete window;
    if (--programWindows == 0) {
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LiveWindow* window = FindLiveWindow(hwnd);
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    switch (message) {
    case WM_COMMAND:
        OnCommand(*window, wParam, lParam);
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(*window, reinterpret_cast<HDC>(wParam),
                               reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: {
        RECT rect;
        GetClientRect(hwnd, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, window->background);
        return 1;
    }
    case WM_CLOSE:
        LeaveModal(*window);
        DestroyWindow(hwnd);
        return 0;
    case kCloseRequestMessage:
        if (window->closeRequested) {
            window->closeRequested = false;
            LeaveModal(*window);
            DestroyWindow(hwnd);
        }
        return 0;
    case kSetPropertyMessage:
        ApplyPropertyRequest(hwnd, lParam);
        return 0;
    case WM_DESTROY:
        LeaveModal(*window);
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy(hwnd, window);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// A top-level window of this process built from a description.
bool IsProgramWindow(HWND hwnd) {
    DWORD process = 0;
    return hwnd != nullptr && GetClassWord(hwnd, GCW_ATOM) == windowClass.load() &&
           GetWindowThreadProcessId(hwnd, &process) != 0 && process == GetCurrentProcessId();
}

void RegisterWindowClass(HINSTANCE instance) {
    if (windowClass.load() != 0) {
        return;
    }
    RegisterControlClasses(instance);
    windowClass.store(RegisterProgramClass(instance, kWindowClass, WindowProc, ProgramIcon(true),
                                           ProgramIcon(false)));
}

HWND CreateFrame(const WindowSpec& spec, HWND owner, HINSTANCE instance) {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    const std::wstring caption = Widen(spec.caption);
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, caption.c_str(), kWindowStyle, x,
                                y, spec.width, spec.height, owner, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        return nullptr;
    }
    RECT outer;
    GetWindowRect(hwnd, &outer);
    if (outer.right - outer.left != spec.width || outer.bottom - outer.top != spec.height) {
        SetWindowPos(hwnd, nullptr, x, y, spec.width, spec.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(true)));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(false)));
    return hwnd;
}

void CreateControls(LiveWindow& window, HINSTANCE instance) {
    const auto& specs = window.spec->controls;
    window.controls.resize(specs.size());
    window.controlBrushes.resize(specs.size());
    for (std::size_t i = 0; i < specs.size(); ++i) {
        HWND control = CreateControl(specs[i], window.hwnd, static_cast<int>(i) + 1, instance);
        window.controls[i] = control;
        if (control == nullptr) {
            continue;
        }
        window.controlBrushes[i] = BrushFor(window, specs[i].backgroundColour);
        ApplyControlFont(control, specs[i], FontFor(window, specs[i].font));
    }
    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (window.controls[i] != nullptr && !specs[i].parent.empty()) {
            SetParent(window.controls[i], ControlHandle(window.hwnd, specs[i].parent));
        }
    }
}

// The first control of each parent is topmost; each later one sits directly
// below the nearest earlier control with the same parent.
void StackInControlOrder(LiveWindow& window) {
    const auto& specs = window.spec->controls;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (window.controls[i] == nullptr) {
            continue;
        }
        HWND above = HWND_TOP;
        for (std::size_t j = i; j-- > 0;) {
            if (window.controls[j] != nullptr && specs[j].parent == specs[i].parent) {
                above = window.controls[j];
                break;
            }
        }
        if (above != HWND_TOP && GetWindow(window.controls[i], GW_HWNDPREV) == above) {
            continue; // already in place
        }
        SetWindowPos(window.controls[i], above, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void ShowVisibleControls(const LiveWindow& window) {
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        if (window.controls[i] != nullptr && window.spec->controls[i].visible) {
            ShowWindow(window.controls[i], SW_SHOWNA);
        }
    }
}

} // namespace

LiveWindow* FindLiveWindow(HWND hwnd) {
    if (OpenWindowSpec(hwnd) == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<LiveWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HWND OpenInstance(WindowId id) {
    return openInstances[IndexOf(id)].load();
}

const WindowSpec* OpenWindowSpec(HWND hwnd) {
    if (!IsProgramWindow(hwnd)) {
        return nullptr;
    }
    return reinterpret_cast<const WindowSpec*>(GetWindowLongPtrW(hwnd, kSpecSlot));
}

HWND ControlHandle(HWND window, std::string_view name) {
    const WindowSpec* windowSpec = OpenWindowSpec(window);
    if (windowSpec == nullptr) {
        return nullptr;
    }
    const WindowSpec& spec = *windowSpec;
    const ControlSpec* control = FindControl(spec, name);
    if (control == nullptr) {
        return nullptr;
    }
    HWND parent = control->parent.empty() ? window : ControlHandle(window, control->parent);
    // Before re-parenting, every control is still a child of the window.
    HWND handle = parent != nullptr ? GetDlgItem(parent, ControlId(spec, name)) : nullptr;
    return handle != nullptr ? handle : GetDlgItem(window, ControlId(spec, name));
}

HWND BuildWindow(const WindowSpec& spec, HWND owner, bool* destroyedFlag) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(instance);
    HWND hwnd = CreateFrame(spec, owner, instance);
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto* window = new LiveWindow;
    window->spec = &spec;
    window->hwnd = hwnd;
    window->destroyedFlag = destroyedFlag;
    window->background = BrushFor(*window, spec.backgroundColour);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    SetWindowLongPtrW(hwnd, kSpecSlot, reinterpret_cast<LONG_PTR>(&spec));
    openInstances[IndexOf(spec.id)].store(hwnd);
    ++programWindows;

    CreateControls(*window, instance);
    StackInControlOrder(*window);
    ShowVisibleControls(*window);
    RunHandler(spec.onCreated, hwnd);
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

void ClickControl(LiveWindow& window, std::size_t index) {
    RunHandler(window.spec->controls[index].onClick, window.hwnd);
}

} // namespace tandrel
