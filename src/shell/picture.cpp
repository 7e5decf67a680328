#include "shell/picture.h"

namespace tandrel {

std::unique_ptr<Bitmap> LoadPicture(Picture) { return nullptr; }

void DrawBitmapStretched(HDC dc, const Bitmap& bitmap, const RECT& target) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bitmap.width;
    info.bmiHeader.biHeight = -bitmap.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, bitmap.width, bitmap.height,
                  bitmap.bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

} // namespace tandrel
