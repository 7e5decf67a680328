#include "windows/jpeg_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include <jpeglib.h>

namespace tandrel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<std::uint8_t, 3>;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhiteRgb{255, 255, 255};
constexpr Rgb kBlackRgb{0, 0, 0};
constexpr Rgb kYellow{255, 255, 0};

// A 24 x 16 picture of six solid 8 x 8 blocks, one JPEG block each.
constexpr int kWidth = 24;
constexpr int kHeight = 16;
constexpr std::array<Rgb, 6> kBlocks = {kRed, kGreen, kBlue, kWhiteRgb, kBlackRgb, kYellow};

Rgb BlockColour(int x, int y) {
    return kBlocks[static_cast<std::size_t>(y / 8 * 3 + x / 8)];
}

// Encodes pixels (`components` bytes each, rows top-down) as a baseline JFIF
// file at full quality without chroma subsampling.
Bytes EncodeJpeg(int width, int height, int components, const Bytes& pixels) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(&pixels[info.next_scanline * width * components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

Bytes BlocksJpeg() {
    Bytes pixels;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = BlockColour(x, y);
            pixels.insert(pixels.end(), c.begin(), c.end());
        }
    }
    return EncodeJpeg(kWidth, kHeight, 3, pixels);
}

void ExpectNear(std::uint8_t got, std::uint8_t expected, const char* channel) {
    EXPECT_NEAR(static_cast<int>(got), static_cast<int>(expected), 8) << channel;
}

TEST(DecodeJpeg, ColourPictureBecomesTopDownBgra) {
    const Bytes file = BlocksJpeg();
    const auto picture = DecodeJpeg(file);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, kWidth);
    EXPECT_EQ(picture->height, kHeight);
    ASSERT_EQ(picture->bgra.size(), static_cast<std::size_t>(kWidth * kHeight * 4));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const std::uint8_t* p = &picture->bgra[static_cast<std::size_t>((y * kWidth + x) * 4)];
            const Rgb c = BlockColour(x, y);
            ExpectNear(p[0], c[2], "blue");
            ExpectNear(p[1], c[1], "green");
            ExpectNear(p[2], c[0], "red");
            EXPECT_EQ(p[3], 0xFF);
        }
    }
}

TEST(DecodeJpeg, GreyscalePictureBecomesGreyBgra) {
    const Bytes file = EncodeJpeg(8, 8, 1, Bytes(64, 100));
    const auto picture = DecodeJpeg(file);
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->bgra.size(), 8u * 8u * 4u);
    for (std::size_t i = 0; i < picture->bgra.size(); i += 4) {
        EXPECT_NEAR(picture->bgra[i], 100, 2);
        EXPECT_EQ(picture->bgra[i], picture->bgra[i + 1]);
        EXPECT_EQ(picture->bgra[i], picture->bgra[i + 2]);
        EXPECT_EQ(picture->bgra[i + 3], 0xFF);
    }
}

TEST(DecodeJpeg, EveryCutShortFileIsRefused) {
    const Bytes file = BlocksJpeg();
    for (std::size_t length = 0; length < file.size(); ++length) {
        EXPECT_FALSE(DecodeJpeg(std::span(file.data(), length)).has_value())
            << "first " << length << " of " << file.size() << " bytes";
    }
}

Bytes WithByte(Bytes file, std::size_t at, std::uint8_t value) {
    file.at(at) = value;
    return file;
}

// Where the frame header's height and width stand.
std::size_t FrameSizeOffset(const Bytes& file) {
    constexpr std::array<std::uint8_t, 2> kStartOfFrame = {0xFF, 0xC0};
    const auto at =
        std::search(file.begin(), file.end(), kStartOfFrame.begin(), kStartOfFrame.end());
    return static_cast<std::size_t>(at - file.begin()) + 5;
}

TEST(DecodeJpeg, DamagedOrForeignBytesAreRefused) {
    const Bytes good = BlocksJpeg();
    const std::size_t size = FrameSizeOffset(good);
    ASSERT_LT(size + 3, good.size());
    Bytes huge = good;
    std::fill_n(huge.begin() + static_cast<std::ptrdiff_t>(size), 4, std::uint8_t{0xFF});
    constexpr std::string_view kText = "not a picture at all";
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"text", Bytes(kText.begin(), kText.end())},
        {"zeros", Bytes(4096, 0)},
        {"no start marker", WithByte(good, 1, 0x00)},
        {"zero height", WithByte(WithByte(good, size, 0), size + 1, 0)},
        {"65535 x 65535 pixels", huge},
        {"start marker then garbage", Bytes{0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78}},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_FALSE(DecodeJpeg(bytes).has_value()) << name;
    }
    EXPECT_TRUE(DecodeJpeg(good).has_value());
}

} // namespace
} // namespace tandrel
