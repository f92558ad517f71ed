#include "shell/scaled_picture_reader.h"

#include <array>
#include <exception>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "archive/pak_archive.h"
#include "platform/display.h"
#include "platform/picture_pixels.h"
#include "platform/png_picture.h"
#include "shell/language_pictures.h"

namespace {

constexpr std::array<ResourceFolder, 6> kFolders{ResourceFolder::Bitmaps, ResourceFolder::Numbers,
                                                 ResourceFolder::Roya2,   ResourceFolder::Royal,
                                                 ResourceFolder::Fonts,   ResourceFolder::Sounds};

// One picture to decode: where it lies, and where its pixels go in the block.
struct PendingPicture {
    ResourceFolder folder;
    std::string name;
    PictureFormat format;
    std::span<const uint8_t> bytes;
    int32_t width;
    int32_t height;
    size_t offset;
};

// The pictures of the set whose headers pass the checks their loading makes (the language archive's
// are PNG with the header its loading checks), laid out one after the other from `offset` on.
void AddPictures(const ResourceSet& set, bool languagePictures, std::vector<PendingPicture>& pending,
                 size_t& offset) {
    for (const ResourceFolder folder : kFolders) {
        for (const std::string& name : set.FileNames(folder)) {
            const PictureFormat format = PictureFormatOfName(name);
            const std::vector<uint8_t>* bytes = set.Find(folder, name);
            if (format == PictureFormat::Bmp || bytes == nullptr ||
                (languagePictures && format != PictureFormat::Png)) {
                continue;
            }
            try {
                if (languagePictures) {
                    CheckPng565Header(*bytes);
                }
                const auto [width, height] = PicturePixelSize(*bytes, format);
                pending.push_back({folder, name, format, *bytes, width, height, offset});
                offset += static_cast<size_t>(width) * static_cast<size_t>(height);
            } catch (const PictureError&) {
                // Left to the loading, which says why it cannot use it.
            }
        }
    }
}

// Decodes the pictures of `part` into their places in the block; stops between two pictures once a stop
// is requested.
void DecodePart(std::span<const PendingPicture> part, const std::shared_ptr<uint16_t[]>& block,
                DecodedPictures& decoded, const std::stop_token& stop) {
    for (const PendingPicture& picture : part) {
        if (stop.stop_requested()) {
            return;
        }
        const std::span<uint16_t> to(block.get() + picture.offset, static_cast<size_t>(picture.width) *
                                                                       static_cast<size_t>(picture.height));
        try {
            DecodePictureInto(picture.bytes, picture.format, to);
            decoded.Put(
                picture.folder, picture.name,
                SharedPixels{picture.width, picture.height, std::shared_ptr<uint16_t>(block, to.data())});
        } catch (const PictureError&) {
            // Left to the loading, which decodes it again and says why it cannot.
        }
    }
}

// Decodes the pictures into one block, on two threads: the pictures are laid out in order, and the
// second thread takes those after the middle pixel.
void DecodeAll(const std::vector<PendingPicture>& pending, size_t pixels, DecodedPictures& decoded,
               const std::stop_token& stop) {
    if (pending.empty()) {
        return;
    }
    const std::shared_ptr<uint16_t[]> block = AllocatePixelBlock(pixels);
    size_t middle = 0;
    while (middle < pending.size() && pending[middle].offset < pixels / 2) {
        ++middle;
    }
    const std::span<const PendingPicture> all(pending);
    DecodedPictures second;
    {
        std::jthread helper([&] {
            try {
                DecodePart(all.subspan(middle), block, second, stop);
            } catch (const std::exception&) {
                // Out of memory: the loading decodes (or refuses) what is missing.
            }
        });
        DecodePart(all.first(middle), block, decoded, stop);
    }
    decoded.Merge(std::move(second));
}

}  // namespace

void DecodedPictures::Put(ResourceFolder folder, std::string_view fileName, SharedPixels pixels) {
    pictures_.insert_or_assign({folder, LowerAscii(fileName)}, std::move(pixels));
}

void DecodedPictures::Merge(DecodedPictures&& other) {
    pictures_.merge(other.pictures_);
}

std::optional<SharedPixels> DecodedPictures::Take(ResourceFolder folder, std::string_view fileName) {
    const auto found = pictures_.find({folder, LowerAscii(fileName)});
    if (found == pictures_.end()) {
        return std::nullopt;
    }
    SharedPixels pixels = std::move(found->second);
    pictures_.erase(found);
    return pixels;
}

ScaledPictures ReadScaledPictures(const ScaledPictureRequest& request, std::stop_token stop) {
    ScaledPictures out;
    out.scale = request.scale;
    try {
        out.scaled = ResourceSet::FromFile(request.scaledArchivePath,
                                           ScaledPictureFilter(request.scale, request.deck));
    } catch (const std::exception& e) {
        out.scaledTrouble = e.what();
    }
    if (!request.languageArchivePath.empty()) {
        try {
            out.language = ReadLanguageArchive(request.languageArchivePath, request.language, request.scale);
        } catch (const std::exception& e) {
            out.languageTrouble = e.what();
        }
    }
    std::vector<PendingPicture> pending;
    size_t pixels = 0;
    if (out.scaled) {
        AddPictures(*out.scaled, false, pending, pixels);
    }
    if (out.language) {
        AddPictures(*out.language, true, pending, pixels);
    }
    try {
        DecodeAll(pending, pixels, out.decoded, stop);
    } catch (const std::exception&) {
        // Out of memory: what was decoded is kept, the rest is decoded (or refused) by the loading.
    }
    return out;
}

ScaledPictureReader::ScaledPictureReader(ScaledPictureRequest request, std::function<void()> whenReady)
    : scale_(request.scale),
      worker_([this, request = std::move(request), whenReady = std::move(whenReady)](std::stop_token stop) {
          ScaledPictures pictures;
          try {
              pictures = ReadScaledPictures(request, stop);
          } catch (const std::exception& e) {
              // Out of memory before anything was read: told as an archive that cannot be read.
              pictures.scale = request.scale;
              pictures.scaledTrouble = e.what();
          }
          if (stop.stop_requested()) {
              return;
          }
          {
              const std::lock_guard lock(mutex_);
              ready_ = std::move(pictures);
          }
          if (whenReady) {
              whenReady();
          }
      }) {}

std::optional<ScaledPictures> ScaledPictureReader::Take() {
    const std::lock_guard lock(mutex_);
    std::optional<ScaledPictures> pictures = std::move(ready_);
    ready_.reset();
    return pictures;
}
