#include "platform/picture_pixels.h"

// libjpeg's header needs size_t and FILE declared before it.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/mman.h>

#include <jpeglib.h>
#include <png.h>
#include <csetjmp>

#include "archive/format_checks.h"
#include "platform/display.h"

namespace {

uint16_t To565(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// Where libpng reads the picture's bytes from, and why it gave up.
struct PngSource {
    std::span<const uint8_t> bytes;
    size_t at = 0;
    char message[200]{};
};

void ReadPngBytes(png_structp png, png_bytep to, size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->bytes.size() - source->at) {
        png_error(png, "the picture ends early");
    }
    std::memcpy(to, source->bytes.data() + source->at, count);
    source->at += count;
}

[[noreturn]] void LeavePng(png_structp png, png_const_charp message) {
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(source->message, sizeof source->message, "%s", message);
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

// Row by row into the RGB565 pixels through one row of the picture's own, so no second copy of the
// whole picture is ever made. Only plain data lives across the setjmp.
bool DecodePngRows(PngSource& source, std::span<uint16_t> out, std::vector<uint8_t>& row) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, LeavePng, IgnorePngWarning);
    if (png == nullptr) {
        std::snprintf(source.message, sizeof source.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, ReadPngBytes);
    png_read_info(png, info);
    const auto width = static_cast<int32_t>(png_get_image_width(png, info));
    const auto height = static_cast<int32_t>(png_get_image_height(png, info));
    const int colourType = png_get_color_type(png, info);
    // What the archive's checks let through and the generator writes: 8-bit RGB or RGBA, not interlaced.
    if (png_get_bit_depth(png, info) != 8 ||
        (colourType != PNG_COLOR_TYPE_RGB && colourType != PNG_COLOR_TYPE_RGBA) ||
        png_get_interlace_type(png, info) != PNG_INTERLACE_NONE || width < 1 || height < 1 ||
        width > kMaxPictureSide || height > kMaxPictureSide) {
        std::snprintf(source.message, sizeof source.message,
                      "a PNG picture that is not 8-bit RGB or RGBA, plainly stored");
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    const size_t channels = colourType == PNG_COLOR_TYPE_RGBA ? 4 : 3;
    if (out.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        std::snprintf(source.message, sizeof source.message, "the picture is not the size its header says");
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    row.resize(static_cast<size_t>(width) * channels);
    for (int32_t y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        uint16_t* to = out.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        const uint8_t* from = row.data();
        for (int32_t x = 0; x < width; ++x, from += channels) {
            to[x] = To565(from[0], from[1], from[2]);
        }
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

void DecodePng(std::span<const uint8_t> bytes, std::span<uint16_t> out) {
    PngSource source{bytes};
    std::vector<uint8_t> row;
    if (!DecodePngRows(source, out, row)) {
        throw PictureError(std::string("the picture could not be decoded: ") + source.message);
    }
}

// libjpeg ends a failed decode through its error manager: back to the setjmp in DecodeJpegRows.
struct JpegErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf back{};
    char message[JMSG_LENGTH_MAX]{};
};

[[noreturn]] void LeaveJpeg(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->back, 1);
}

// Only plain data lives across the setjmp: the rows go into `out`, sized once the header is read.
bool DecodeJpegRows(std::span<const uint8_t> bytes, std::span<uint16_t> out, std::vector<uint8_t>& row,
                    JpegErrors& errors) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = LeaveJpeg;
    if (setjmp(errors.back) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const auto width = static_cast<int32_t>(info.output_width);
    const auto height = static_cast<int32_t>(info.output_height);
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        info.output_components != 3) {
        std::snprintf(errors.message, sizeof errors.message, "a JPEG picture of %d x %d pixels", width,
                      height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (out.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        std::snprintf(errors.message, sizeof errors.message, "the picture is not the size its header says");
        jpeg_destroy_decompress(&info);
        return false;
    }
    row.resize(static_cast<size_t>(width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const size_t y = info.output_scanline;
        jpeg_read_scanlines(&info, rows, 1);
        uint16_t* to = out.data() + y * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = row.data() + static_cast<size_t>(x) * 3;
            to[x] = To565(p[0], p[1], p[2]);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

void DecodeJpeg(std::span<const uint8_t> bytes, std::span<uint16_t> out) {
    std::vector<uint8_t> row;
    JpegErrors errors;
    if (!DecodeJpegRows(bytes, out, row, errors)) {
        throw PictureError(std::string("the picture could not be decoded: ") + errors.message);
    }
}

}  // namespace

std::pair<int32_t, int32_t> PicturePixelSize(std::span<const uint8_t> bytes, PictureFormat format) {
    std::string why;
    if (format == PictureFormat::Png) {
        if (LooksLikePng(bytes, &why)) {
            const PngInfo info = *ReadPngInfo(bytes);
            return {info.width, info.height};
        }
    } else if (format == PictureFormat::Jpeg) {
        if (LooksLikeJpeg(bytes, &why)) {
            const JpegInfo info = *ReadJpegInfo(bytes);
            return {info.width, info.height};
        }
    } else {
        why = "a bitmap is decoded by the display";
    }
    throw PictureError(why);
}

void DecodePictureInto(std::span<const uint8_t> bytes, PictureFormat format, std::span<uint16_t> to) {
    const auto [width, height] = PicturePixelSize(bytes, format);
    if (to.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        throw PictureError("the picture is not the size its header says");
    }
    if (format == PictureFormat::Png) {
        DecodePng(bytes, to);
    } else {
        DecodeJpeg(bytes, to);
    }
}

Rgb565Pixels DecodePicturePixels(std::span<const uint8_t> bytes, PictureFormat format) {
    const auto [width, height] = PicturePixelSize(bytes, format);
    Rgb565Pixels out{width, height,
                     std::vector<uint16_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
    DecodePictureInto(bytes, format, out.pixels);
    return out;
}

std::shared_ptr<uint16_t[]> AllocatePixelBlock(size_t count) {
    constexpr size_t kLargePage = size_t{2} << 20;
    const size_t bytes =
        std::max<size_t>((count * sizeof(uint16_t) + kLargePage - 1) / kLargePage * kLargePage, kLargePage);
    void* block = std::aligned_alloc(kLargePage, bytes);
    if (block == nullptr) {
        throw PictureError("no memory for the pictures");
    }
    // Advice only: without large pages the block is simply touched page by page.
    madvise(block, bytes, MADV_HUGEPAGE);
    return std::shared_ptr<uint16_t[]>(static_cast<uint16_t*>(block), [](uint16_t* p) { std::free(p); });
}
