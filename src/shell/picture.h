// Pictures shown by picture boxes: decoded once from the program's resources.
#pragma once

#include "shell/window_spec.h"
#include "windows/jpeg_picture.h"

#include <windows.h>

#include <memory>

namespace tandrel {

// The decoded picture, or null for no picture or one that cannot be decoded.
std::unique_ptr<DecodedPicture> LoadPicture(Picture picture);

void DrawPictureStretched(HDC dc, const DecodedPicture& picture, const RECT& target);

} // namespace tandrel
