#include "windows/jpeg_picture.h"

#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace tandrel {
namespace {

// libjpeg's error manager, extended with the place to jump back to: its
// error_exit must never return to libjpeg nor end the process.
struct ErrorTrap {
    jpeg_error_mgr manager; // first, so that a jpeg_error_mgr* points here
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void Discard(j_common_ptr) {}

void CopyRowAsBgra(const JSAMPLE* rgb, JDIMENSION width, std::uint8_t* bgra) {
    for (JDIMENSION x = 0; x < width; ++x, rgb += 3, bgra += 4) {
        bgra[0] = rgb[2];
        bgra[1] = rgb[1];
        bgra[2] = rgb[0];
        bgra[3] = 0xFF;
    }
}

bool IsAcceptedSize(JDIMENSION width, JDIMENSION height) {
    return width > 0 && height > 0 &&
           static_cast<std::int64_t>(width) * height <= kMaxPicturePixels;
}

// Decodes `bytes` into `picture`. Every libjpeg error lands back here through
// the trap; nothing with a destructor is created after setjmp, so the jump
// skips no clean-up. The caller destroys `info` on every path.
bool Decompress(jpeg_decompress_struct& info, ErrorTrap& trap, std::span<const std::uint8_t> bytes,
                DecodedPicture& picture) {
    if (setjmp(trap.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
        !IsAcceptedSize(info.image_width, info.image_height)) {
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.bgra.resize(static_cast<std::size_t>(info.output_width) * info.output_height * 4);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        const std::size_t y = info.output_scanline;
        if (jpeg_read_scanlines(&info, row, 1) != 1) {
            return false;
        }
        CopyRowAsBgra(row[0], info.output_width, &picture.bgra[y * info.output_width * 4]);
    }
    jpeg_finish_decompress(&info);
    return info.err->num_warnings == 0;
}

} // namespace

std::optional<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > ULONG_MAX) {
        return std::nullopt;
    }
    ErrorTrap trap{};
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpBack;
    trap.manager.output_message = Discard;
    DecodedPicture picture;
    const bool decoded = Decompress(info, trap, bytes, picture);
    jpeg_destroy_decompress(&info);
    if (!decoded) {
        return std::nullopt;
    }
    return picture;
}

} // namespace tandrel
