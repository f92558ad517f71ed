// Fuzz target for the archive reader: any bytes go through the reader, every entry's read-back, the
// picture and sound header checks, and the resource set. Besides "no crash, no read outside the input",
// it checks the promises the reader makes to its callers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "archive/format_checks.h"
#include "archive/pak_archive.h"
#include "archive/resource_set.h"

namespace {

void Require(bool promiseKept) {
    if (!promiseKept) {
        std::abort();
    }
}

void CheckFormats(std::span<const uint8_t> bytes) {
    if (const auto bmp = ReadBmpInfo(bytes)) {
        Require(bmp->width >= 1 && bmp->width <= kMaxPictureSide && bmp->height >= 1 &&
                bmp->height <= kMaxPictureSide);
        Require(uint64_t{bmp->pixelOffset} + bmp->pixelBytes <= bytes.size());
    }
    if (const auto jpeg = ReadJpegInfo(bytes)) {
        Require(jpeg->width >= 1 && jpeg->width <= kMaxPictureSide && jpeg->height >= 1 &&
                jpeg->height <= kMaxPictureSide);
    }
    if (const auto wav = ReadWavInfo(bytes)) {
        Require(wav->channels == 1 || wav->channels == 2);
        Require(wav->bitsPerSample == 8 || wav->bitsPerSample == 16);
        Require(uint64_t{wav->dataOffset} + wav->dataSize <= bytes.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    CheckFormats(input);

    PakArchive archive;
    try {
        archive = PakArchive::FromBytes(std::vector<uint8_t>(input.begin(), input.end()), "fuzz.pak");
    } catch (const PakError&) {
        return 0;
    }
    for (int32_t id = 0; id <= archive.NumEntrys(); ++id) {
        Require(archive.EntryName(id).size() == 56);
        Require(EntryNameProblem(archive.EntryFileName(id)).empty());
        Require(archive.EntryOffset(id) >= 0 && archive.EntrySize(id) >= 0);
        Require(static_cast<uint64_t>(archive.EntryOffset(id)) +
                    static_cast<uint64_t>(archive.EntrySize(id)) <=
                size);
        Require(archive.FindEntry(archive.EntryFileName(id)) == id);
        const std::vector<uint8_t> entry = archive.ReadEntry(id);
        Require(entry.size() == static_cast<size_t>(archive.EntrySize(id)));
        CheckFormats(entry);
    }

    try {
        const ResourceSet set = ResourceSet::FromArchive(archive);
        size_t files = 0;
        for (const ResourcePrefix& prefix : kResourcePrefixes) {
            for (const std::string& name : set.FileNames(prefix.folder)) {
                Require(set.Find(prefix.folder, LowerAscii(name)) == &set.Get(prefix.folder, name));
                ++files;
            }
        }
        Require(files == set.size());
        (void)set.FindPath("res\\bitmaps\\Back_800x600.bmp");
    } catch (const PakError&) {
    }
    return 0;
}
