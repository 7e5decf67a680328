// The control kinds of the window model: creation of each kind and the
// window classes and subclasses that make them look and behave as described.
#pragma once

#include "shell/window_spec.h"

#include <windows.h>

namespace tandrel {

// A window class of the program: arrow cursor, one pointer of extra window bytes.
ATOM RegisterProgramClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc,
                          HICON icon = nullptr, HICON smallIcon = nullptr);

void RegisterControlClasses(HINSTANCE instance);

// Creates the control hidden as a child of `parent`, with `id` as its window id.
HWND CreateControl(const ControlSpec& spec, HWND parent, int id, HINSTANCE instance);

// Gives the control its font once the window owns the font handle.
void ApplyControlFont(HWND control, const ControlSpec& spec, HFONT font);

COLORREF ToColorRef(Colour colour);

// The control description a control window was created from.
const ControlSpec* ControlSpecOf(HWND control);

} // namespace tandrel
