#include "shell/controls.h"

#include "shell/picture.h"
#include "shell/wide.h"

#include <commctrl.h>

#include <memory>
#include <string>

namespace tandrel {
namespace {

constexpr wchar_t kLabelClass[] = L"TandrelLabel";
constexpr wchar_t kPictureClass[] = L"TandrelPicture";
constexpr UINT_PTR kSubclassId = 1;

// Extra window bytes of our own classes: a label's font, a picture box's picture.
constexpr int kDataSlot = 0;

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void FillWithColour(HDC dc, const RECT& rect, Colour colour) {
    if (colour.system) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

UINT LabelFormat(const TextLayout& layout) {
    UINT format = DT_NOCLIP;
    switch (layout.hAlign) {
    case HAlign::Left:
        format |= DT_LEFT;
        break;
    case HAlign::Centre:
        format |= DT_CENTER;
        break;
    case HAlign::Right:
        format |= DT_RIGHT;
        break;
    }
    if (layout.wordWrap) {
        return format | DT_WORDBREAK | DT_VCENTER;
    }
    format |= DT_SINGLELINE;
    switch (layout.vAlign) {
    case VAlign::Top:
        return format | DT_TOP;
    case VAlign::Centre:
        return format | DT_VCENTER;
    case VAlign::Bottom:
        return format | DT_BOTTOM;
    }
    return format;
}

void PaintLabel(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const ControlSpec* spec = ControlSpecOf(hwnd);
    RECT rect;
    GetClientRect(hwnd, &rect);
    if (spec != nullptr) {
        FillWithColour(dc, rect, spec->backgroundColour);
        const std::wstring text = WindowText(hwnd);
        if (!text.empty()) {
            auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, kDataSlot));
            HGDIOBJ oldFont =
                SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ToColorRef(spec->textColour));
            DrawTextW(dc, text.c_str(), -1, &rect, LabelFormat(spec->layout));
            SelectObject(dc, oldFont);
        }
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintLabel(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, kDataSlot, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam) != 0) {
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(hwnd, kDataSlot);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The picture box keeps its decoded picture on its handle.
void PaintPicture(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rect;
    GetClientRect(hwnd, &rect);
    const ControlSpec* spec = ControlSpecOf(hwnd);
    FillWithColour(dc, rect, spec != nullptr ? spec->backgroundColour : kWhite);
    const auto* picture =
        reinterpret_cast<const DecodedPicture*>(GetWindowLongPtrW(hwnd, kDataSlot));
    if (picture != nullptr) {
        DrawPictureStretched(dc, *picture, rect);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* spec = static_cast<const ControlSpec*>(create->lpCreateParams);
        std::unique_ptr<DecodedPicture> picture = LoadPicture(spec->picture);
        SetWindowLongPtrW(hwnd, kDataSlot, reinterpret_cast<LONG_PTR>(picture.release()));
        return 0;
    }
    case WM_NCDESTROY:
        delete reinterpret_cast<DecodedPicture*>(GetWindowLongPtrW(hwnd, kDataSlot));
        SetWindowLongPtrW(hwnd, kDataSlot, 0);
        return 0;
    case WM_PAINT:
        PaintPicture(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

int TextLineHeight(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, L"W", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cy;
}

// A single-line edit box shows its one line halfway down the box: the client
// area shrinks to one line (and the edit's own frame around it) and the rest
// is painted as part of the box's border area.
void CentreClientArea(HWND hwnd, RECT& client) {
    InflateRect(&client, -GetSystemMetrics(SM_CXBORDER), 0);
    const int line = TextLineHeight(hwnd) + 2 * GetSystemMetrics(SM_CYBORDER);
    const int height = client.bottom - client.top;
    if (height <= line) {
        return;
    }
    client.top += (height - line) / 2;
    client.bottom = client.top + line;
}

HBRUSH CreateBackgroundBrush(const ControlSpec& spec) {
    return spec.backgroundColour.system ? GetSysColorBrush(COLOR_BTNFACE)
                                        : CreateSolidBrush(ToColorRef(spec.backgroundColour));
}

void DeleteBackgroundBrush(const ControlSpec& spec, HBRUSH brush) {
    if (!spec.backgroundColour.system) {
        DeleteObject(brush);
    }
}

// The box's border around its whole rectangle, and its background between
// the border and the centred line.
void PaintCentringBands(HWND hwnd) {
    const ControlSpec* spec = ControlSpecOf(hwnd);
    if (spec == nullptr) {
        return;
    }
    RECT window;
    GetWindowRect(hwnd, &window);
    RECT client;
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    HDC dc = GetWindowDC(hwnd);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    HBRUSH background = CreateBackgroundBrush(*spec);
    FillRect(dc, &window, background);
    DeleteBackgroundBrush(*spec, background);
    FrameRect(dc, &window, GetSysColorBrush(COLOR_WINDOWFRAME));
    ReleaseDC(hwnd, dc);
}

// The edit control frames its client area itself; the box's border is drawn
// around the whole box instead, so that inner frame is painted over.
void PaintOverInnerFrame(HWND hwnd) {
    const ControlSpec* spec = ControlSpecOf(hwnd);
    if (spec == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    HBRUSH background = CreateBackgroundBrush(*spec);
    FrameRect(dc, &client, background);
    DeleteBackgroundBrush(*spec, background);
    ReleaseDC(hwnd, dc);
}

LRESULT CALLBACK SingleLineEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    switch (message) {
    case WM_NCCALCSIZE: {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : *reinterpret_cast<RECT*>(lParam);
        CentreClientArea(hwnd, client);
        return result;
    }
    case WM_NCPAINT:
        PaintCentringBands(hwnd);
        return 0;
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        PaintOverInnerFrame(hwnd);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, SingleLineEditProc, kSubclassId);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    default:
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
}

// A group box is the parent of its controls; it hands their notifications
// and colour requests to the top-level window and paints its own background.
LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
        const ControlSpec* spec = ControlSpecOf(hwnd);
        RECT rect;
        GetClientRect(hwnd, &rect);
        FillWithColour(reinterpret_cast<HDC>(wParam), rect,
                       spec != nullptr ? spec->backgroundColour : kWhite);
        return 1;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, GroupBoxProc, kSubclassId);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    default:
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
}

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
};

DWORD ButtonStyle(const ControlSpec& spec) {
    return WS_TABSTOP | BS_MULTILINE | BS_CENTER | BS_VCENTER |
           (spec.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

DWORD EditStyleBits(const ControlSpec& spec) {
    DWORD style = WS_TABSTOP | WS_BORDER;
    if (spec.edit.multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (spec.edit.verticalScrollBar) {
            style |= WS_VSCROLL;
        }
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (spec.edit.readOnly) {
        style |= ES_READONLY;
    }
    if (spec.edit.align == HAlign::Centre) {
        style |= ES_CENTER;
    }
    return style;
}

ClassAndStyle ClassFor(const ControlSpec& spec) {
    switch (spec.kind) {
    case ControlKind::Button:
        return {WC_BUTTONW, ButtonStyle(spec)};
    case ControlKind::Label:
        return {kLabelClass, 0};
    case ControlKind::EditBox:
        return {WC_EDITW, EditStyleBits(spec)};
    case ControlKind::GroupBox:
        return {WC_BUTTONW,
                static_cast<DWORD>(BS_GROUPBOX |
                                   (spec.captionAlign == HAlign::Centre ? BS_CENTER : BS_LEFT))};
    case ControlKind::PicBox:
        return {kPictureClass, 0};
    }
    return {kLabelClass, 0};
}

// A single-line edit box must be at least one text line plus its edges high.
void RaiseToMinimumHeight(HWND control, HFONT font, const ControlSpec& spec) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const int minimum = metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
    if (spec.rect.height < minimum) {
        SetWindowPos(control, nullptr, 0, 0, spec.rect.width, minimum,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

COLORREF ToColorRef(Colour colour) {
    if (colour.system) {
        return GetSysColor(COLOR_BTNFACE);
    }
    return RGB(colour.red, colour.green, colour.blue);
}

const ControlSpec* ControlSpecOf(HWND control) {
    return reinterpret_cast<const ControlSpec*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

ATOM RegisterProgramClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon,
                          HICON smallIcon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc);
}

void RegisterControlClasses(HINSTANCE instance) {
    RegisterProgramClass(instance, kLabelClass, LabelProc);
    RegisterProgramClass(instance, kPictureClass, PictureProc);
}

HWND CreateControl(const ControlSpec& spec, HWND parent, int id, HINSTANCE instance) {
    const ClassAndStyle cs = ClassFor(spec);
    const std::wstring caption = Widen(spec.caption);
    HWND control =
        CreateWindowExW(0, cs.className, caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS | cs.style,
                        spec.rect.left, spec.rect.top, spec.rect.width, spec.rect.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                        const_cast<ControlSpec*>(&spec));
    if (control == nullptr) {
        return nullptr;
    }
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&spec));
    if (spec.kind == ControlKind::GroupBox) {
        SetWindowSubclass(control, GroupBoxProc, kSubclassId, 0);
    } else if (spec.kind == ControlKind::EditBox) {
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
        if (!spec.edit.multiLine) {
            SetWindowSubclass(control, SingleLineEditProc, kSubclassId, 0);
        }
    }
    return control;
}

void ApplyControlFont(HWND control, const ControlSpec& spec, HFONT font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (spec.kind == ControlKind::EditBox && !spec.edit.multiLine) {
        RaiseToMinimumHeight(control, font, spec);
        SetWindowPos(control, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

} // namespace tandrel
