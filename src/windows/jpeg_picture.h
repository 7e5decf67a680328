// Decoding the JPEG pictures that picture boxes show.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tandrel {

// Top-down rows of 4 bytes per pixel: blue, green, red, 255.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;
};

// Pictures with more pixels than this are refused.
inline constexpr std::int64_t kMaxPicturePixels = 4096 * 4096;

// The picture held by an in-memory JPEG file, or nothing when the bytes are
// not a complete, intact JPEG file of at most kMaxPicturePixels pixels
// (libjpeg's warnings about damaged data count as failures).
std::optional<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> bytes);

} // namespace tandrel
