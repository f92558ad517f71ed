#include "archive/format_checks.h"

#include <algorithm>
#include <iterator>

#include "archive/pak_archive.h"

namespace {

// Reads little- and big-endian fields only after the caller has made sure they lie inside `bytes`.
uint16_t U16Le(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t U32Le(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t U16Be(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

uint32_t U32Be(std::span<const uint8_t> bytes, size_t at) {
    return (static_cast<uint32_t>(bytes[at]) << 24) | (static_cast<uint32_t>(bytes[at + 1]) << 16) |
           (static_cast<uint32_t>(bytes[at + 2]) << 8) | static_cast<uint32_t>(bytes[at + 3]);
}

bool HasTag(std::span<const uint8_t> bytes, size_t at, const char (&tag)[5]) {
    for (size_t i = 0; i < 4; ++i) {
        if (bytes[at + i] != static_cast<uint8_t>(tag[i])) {
            return false;
        }
    }
    return true;
}

template <typename Info>
std::optional<Info> Fail(std::string* why, std::string reason) {
    if (why != nullptr) {
        *why = std::move(reason);
    }
    return std::nullopt;
}

std::string Hex(uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

bool SaneSide(int64_t side) {
    return side >= 1 && side <= kMaxPictureSide;
}

}  // namespace

std::optional<BmpInfo> ReadBmpInfo(std::span<const uint8_t> bytes, std::string* why) {
    constexpr size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        return Fail<BmpInfo>(why, "BMP: does not start with \"BM\" and a header");
    }
    const uint32_t pixelOffset = U32Le(bytes, 10);
    const uint32_t infoSize = U32Le(bytes, 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124) {
        return Fail<BmpInfo>(why, "BMP: unknown info header size " + std::to_string(infoSize));
    }
    if (kFileHeader + infoSize > bytes.size()) {
        return Fail<BmpInfo>(why, "BMP: info header runs past the end");
    }
    int64_t width = 0;
    int64_t height = 0;
    uint16_t planes = 0;
    BmpInfo info;
    uint32_t colorsUsed = 0;
    size_t paletteEntrySize = 4;
    if (infoSize == 12) {
        width = U16Le(bytes, 18);
        height = U16Le(bytes, 20);
        planes = U16Le(bytes, 22);
        info.bitsPerPixel = U16Le(bytes, 24);
        paletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(U32Le(bytes, 18));
        height = static_cast<int32_t>(U32Le(bytes, 22));
        planes = U16Le(bytes, 26);
        info.bitsPerPixel = U16Le(bytes, 28);
        info.compression = U32Le(bytes, 30);
        colorsUsed = U32Le(bytes, 46);
    }
    if (height < 0) {
        info.topDown = true;
        height = -height;
    }
    if (!SaneSide(width) || !SaneSide(height)) {
        return Fail<BmpInfo>(
            why, "BMP: size " + std::to_string(width) + " x " + std::to_string(height) + " outside 1..4096");
    }
    info.width = static_cast<int32_t>(width);
    info.height = static_cast<int32_t>(height);
    if (planes != 1) {
        return Fail<BmpInfo>(why, "BMP: " + std::to_string(planes) + " planes");
    }
    const uint16_t bits = info.bitsPerPixel;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Fail<BmpInfo>(why, "BMP: " + std::to_string(bits) + " bits per pixel");
    }
    const bool bitFields = info.compression == 3 && (bits == 16 || bits == 32);
    if (info.compression != 0 && !bitFields) {
        return Fail<BmpInfo>(why, "BMP: compression " + std::to_string(info.compression) + " not supported");
    }
    size_t tablesEnd = kFileHeader + infoSize;
    if (bitFields && infoSize == 40) {
        tablesEnd += 12;  // the three colour masks follow the short info header
    }
    if (bits == 8) {
        if (colorsUsed > 256) {
            return Fail<BmpInfo>(why, "BMP: palette of " + std::to_string(colorsUsed) + " colours");
        }
        tablesEnd += (colorsUsed == 0 ? 256 : colorsUsed) * paletteEntrySize;
    }
    if (tablesEnd > bytes.size()) {
        return Fail<BmpInfo>(why, "BMP: colour table runs past the end");
    }
    if (pixelOffset < kFileHeader + infoSize) {
        return Fail<BmpInfo>(why, "BMP: pixel data overlaps the header");
    }
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t pixelBytes = rowBytes * static_cast<uint64_t>(height);
    if (uint64_t{pixelOffset} + pixelBytes > bytes.size()) {
        return Fail<BmpInfo>(why, "BMP: pixel data (offset " + std::to_string(pixelOffset) + ", " +
                                      std::to_string(pixelBytes) + " bytes) runs past the end (" +
                                      std::to_string(bytes.size()) + " bytes)");
    }
    info.pixelOffset = pixelOffset;
    info.pixelBytes = static_cast<uint32_t>(pixelBytes);
    return info;
}

bool LooksLikeBmp(std::span<const uint8_t> bytes, std::string* why) {
    return ReadBmpInfo(bytes, why).has_value();
}

std::optional<JpegInfo> ReadJpegInfo(std::span<const uint8_t> bytes, std::string* why) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        return Fail<JpegInfo>(why, "JPEG: does not start with FF D8");
    }
    size_t at = 2;
    while (true) {
        if (at >= bytes.size()) {
            return Fail<JpegInfo>(why, "JPEG: ends before its frame header");
        }
        if (bytes[at] != 0xFF) {
            return Fail<JpegInfo>(why, "JPEG: no marker at byte " + std::to_string(at));
        }
        while (at + 1 < bytes.size() && bytes[at + 1] == 0xFF) {
            ++at;  // fill bytes before a marker
        }
        if (at + 1 >= bytes.size()) {
            return Fail<JpegInfo>(why, "JPEG: ends before its frame header");
        }
        const uint8_t marker = bytes[at + 1];
        at += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            continue;  // markers without a segment
        }
        if (marker == 0x00 || marker == 0xD8 || marker == 0xD9 || marker == 0xDA) {
            return Fail<JpegInfo>(why, "JPEG: marker FF " + Hex(marker) + " before the frame header");
        }
        if (at + 2 > bytes.size()) {
            return Fail<JpegInfo>(why, "JPEG: segment length runs past the end");
        }
        const size_t length = U16Be(bytes, at);
        if (length < 2 || at + length > bytes.size()) {
            return Fail<JpegInfo>(why, "JPEG: segment at byte " + std::to_string(at) + " runs past the end");
        }
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame) {
            at += length;
            continue;
        }
        if (marker > 0xC2) {
            return Fail<JpegInfo>(why, "JPEG: lossless, hierarchical or arithmetic coding not supported");
        }
        if (length < 8) {
            return Fail<JpegInfo>(why, "JPEG: frame header too short");
        }
        JpegInfo info;
        info.frameMarker = marker;
        const uint8_t precision = bytes[at + 2];
        info.height = U16Be(bytes, at + 3);
        info.width = U16Be(bytes, at + 5);
        info.components = bytes[at + 7];
        if (precision != 8) {
            return Fail<JpegInfo>(why, "JPEG: " + std::to_string(precision) + "-bit samples");
        }
        if (!SaneSide(info.width) || !SaneSide(info.height)) {
            return Fail<JpegInfo>(why, "JPEG: size " + std::to_string(info.width) + " x " +
                                           std::to_string(info.height) + " outside 1..4096");
        }
        if (info.components < 1 || info.components > 4) {
            return Fail<JpegInfo>(why, "JPEG: " + std::to_string(info.components) + " components");
        }
        if (length < 8 + 3 * static_cast<size_t>(info.components)) {
            return Fail<JpegInfo>(why, "JPEG: frame header shorter than its components");
        }
        return info;
    }
}

bool LooksLikeJpeg(std::span<const uint8_t> bytes, std::string* why) {
    return ReadJpegInfo(bytes, why).has_value();
}

std::optional<PngInfo> ReadPngInfo(std::span<const uint8_t> bytes, std::string* why) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    constexpr size_t kHeaderEnd = 8 + 8 + 13 + 4;  // signature, IHDR's length and tag, body, CRC
    if (bytes.size() < kHeaderEnd ||
        !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) {
        return Fail<PngInfo>(why, "PNG: does not start with the PNG signature and a header");
    }
    if (U32Be(bytes, 8) != 13 || !HasTag(bytes, 12, "IHDR")) {
        return Fail<PngInfo>(why, "PNG: the first chunk is not a 13-byte IHDR");
    }
    const int64_t width = U32Be(bytes, 16);
    const int64_t height = U32Be(bytes, 20);
    if (!SaneSide(width) || !SaneSide(height)) {
        return Fail<PngInfo>(why, "PNG: size " + std::to_string(width) + " x " + std::to_string(height) +
                                      " is outside 1.." + std::to_string(kMaxPictureSide));
    }
    PngInfo info{static_cast<int32_t>(width), static_cast<int32_t>(height), bytes[24], bytes[25]};
    const uint8_t depth = info.bitDepth;
    bool depthAllowed = false;
    switch (info.colourType) {
        case 0:
            depthAllowed = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
            break;
        case 3:
            depthAllowed = depth == 1 || depth == 2 || depth == 4 || depth == 8;
            break;
        case 2:
        case 4:
        case 6:
            depthAllowed = depth == 8 || depth == 16;
            break;
        default:
            break;
    }
    if (!depthAllowed) {
        return Fail<PngInfo>(why, "PNG: colour type " + std::to_string(info.colourType) + " with " +
                                      std::to_string(depth) + " bits");
    }
    if (bytes[26] != 0 || bytes[27] != 0 || bytes[28] > 1) {
        return Fail<PngInfo>(why, "PNG: unknown compression, filter or interlace method");
    }
    bool haveData = false;
    uint64_t at = kHeaderEnd;
    while (at + 12 <= bytes.size()) {
        const size_t chunk = static_cast<size_t>(at);
        const uint64_t size = U32Be(bytes, chunk);
        const uint64_t next = at + 12 + size;  // length, tag, body, CRC
        if (next > bytes.size()) {
            return Fail<PngInfo>(why, "PNG: a chunk of " + std::to_string(size) + " bytes runs past the end");
        }
        if (HasTag(bytes, chunk + 4, "IHDR")) {
            return Fail<PngInfo>(why, "PNG: second IHDR chunk");
        }
        if (HasTag(bytes, chunk + 4, "IDAT")) {
            haveData = true;
        } else if (HasTag(bytes, chunk + 4, "IEND")) {
            if (!haveData) {
                return Fail<PngInfo>(why, "PNG: no IDAT chunk before IEND");
            }
            return info;
        }
        at = next;
    }
    return Fail<PngInfo>(why, "PNG: no IEND chunk");
}

bool LooksLikePng(std::span<const uint8_t> bytes, std::string* why) {
    return ReadPngInfo(bytes, why).has_value();
}

std::optional<WavInfo> ReadWavInfo(std::span<const uint8_t> bytes, std::string* why) {
    if (bytes.size() < 12 || !HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) {
        return Fail<WavInfo>(why, "WAV: does not start with RIFF/WAVE");
    }
    WavInfo info;
    bool haveFormat = false;
    uint64_t at = 12;
    while (at + 8 <= bytes.size()) {
        const size_t chunk = static_cast<size_t>(at);
        const uint32_t size = U32Le(bytes, chunk + 4);
        const uint64_t body = at + 8;
        const bool inside = body + size <= bytes.size();
        if (HasTag(bytes, chunk, "fmt ")) {
            if (haveFormat) {
                return Fail<WavInfo>(why, "WAV: second \"fmt \" chunk");
            }
            if (size < 16 || !inside) {
                return Fail<WavInfo>(why, "WAV: \"fmt \" chunk too short or past the end");
            }
            const size_t f = static_cast<size_t>(body);
            const uint16_t formatTag = U16Le(bytes, f);
            info.channels = U16Le(bytes, f + 2);
            info.sampleRate = U32Le(bytes, f + 4);
            info.byteRate = U32Le(bytes, f + 8);
            info.blockAlign = U16Le(bytes, f + 12);
            info.bitsPerSample = U16Le(bytes, f + 14);
            if (formatTag != 1) {
                return Fail<WavInfo>(why, "WAV: format " + std::to_string(formatTag) + " is not plain PCM");
            }
            if (info.channels != 1 && info.channels != 2) {
                return Fail<WavInfo>(why, "WAV: " + std::to_string(info.channels) + " channels");
            }
            if (info.bitsPerSample != 8 && info.bitsPerSample != 16) {
                return Fail<WavInfo>(why, "WAV: " + std::to_string(info.bitsPerSample) + " bits per sample");
            }
            if (info.sampleRate < 1000 || info.sampleRate > 192000) {
                return Fail<WavInfo>(why, "WAV: sample rate " + std::to_string(info.sampleRate));
            }
            const uint32_t frameBytes = info.channels * info.bitsPerSample / 8u;
            if (info.blockAlign != frameBytes || info.byteRate != info.sampleRate * frameBytes) {
                return Fail<WavInfo>(why, "WAV: block alignment or byte rate disagree with the format");
            }
            haveFormat = true;
        } else if (HasTag(bytes, chunk, "data")) {
            if (!haveFormat) {
                return Fail<WavInfo>(why, "WAV: \"data\" chunk before the \"fmt \" chunk");
            }
            if (!inside) {
                return Fail<WavInfo>(
                    why, "WAV: \"data\" chunk (" + std::to_string(size) + " bytes) runs past the end");
            }
            info.dataOffset = static_cast<uint32_t>(body);
            info.dataSize = size;
            return info;
        }
        at = body + size + (size & 1u);  // chunks are padded to an even length
    }
    return Fail<WavInfo>(why, haveFormat ? "WAV: no \"data\" chunk" : "WAV: no \"fmt \" chunk");
}

bool LooksLikeWav(std::span<const uint8_t> bytes, std::string* why) {
    return ReadWavInfo(bytes, why).has_value();
}

bool MatchesItsExtension(std::string_view fileName, std::span<const uint8_t> bytes, std::string* why) {
    const size_t dot = fileName.rfind('.');
    const std::string extension = dot == std::string_view::npos ? "" : LowerAscii(fileName.substr(dot));
    if (extension == ".bmp") {
        return LooksLikeBmp(bytes, why);
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return LooksLikeJpeg(bytes, why);
    }
    if (extension == ".png") {
        return LooksLikePng(bytes, why);
    }
    if (extension == ".wav") {
        return LooksLikeWav(bytes, why);
    }
    return true;
}
