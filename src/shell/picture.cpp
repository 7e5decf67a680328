#include "shell/picture.h"

#include "resources/resource_ids.h"

namespace tandrel {
namespace {

int ResourceOf(Picture picture) {
    switch (picture) {
    case Picture::WeChatCode:
        return IDR_WECHAT_CODE;
    case Picture::AlipayCode:
        return IDR_ALIPAY_CODE;
    case Picture::None:
        return 0;
    }
    return 0;
}

} // namespace

std::unique_ptr<DecodedPicture> LoadPicture(Picture picture) {
    const int id = ResourceOf(picture);
    HRSRC resource = id != 0 ? FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA) : nullptr;
    HGLOBAL loaded = resource != nullptr ? LoadResource(nullptr, resource) : nullptr;
    const auto* bytes =
        static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) {
        return nullptr;
    }
    std::optional<DecodedPicture> decoded = DecodeJpeg({bytes, SizeofResource(nullptr, resource)});
    return decoded ? std::make_unique<DecodedPicture>(std::move(*decoded)) : nullptr;
}

void DrawPictureStretched(HDC dc, const DecodedPicture& picture, const RECT& target) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, picture.width, picture.height,
                  picture.bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

} // namespace tandrel
