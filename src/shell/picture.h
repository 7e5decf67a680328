// Pictures shown by picture boxes: decoded once from the program's resources.
#pragma once

#include "shell/window_spec.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace tandrel {

// Top-down 32-bit BGRA pixels.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;
};

// The decoded picture, or null for no picture or one that cannot be decoded.
std::unique_ptr<Bitmap> LoadPicture(Picture picture);

void DrawBitmapStretched(HDC dc, const Bitmap& bitmap, const RECT& target);

} // namespace tandrel
