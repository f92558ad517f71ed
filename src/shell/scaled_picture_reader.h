#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "archive/resource_set.h"
#include "platform/picture_pixels.h"

// The pictures of one scale above 1, read from the second archive and the language archive and decoded
// ahead of their use, so the table can go on showing at the scale it has while they are made. Loading
// them (TablePictures) takes the decoded pixels instead of decoding the bytes itself, and checks
// everything else as it always does.

// Decoded pictures by folder and file name (case ignored), each handed over once.
class DecodedPictures {
public:
    void Put(ResourceFolder folder, std::string_view fileName, SharedPixels pixels);
    // The picture's pixels; none when it was not decoded or has been taken already.
    std::optional<SharedPixels> Take(ResourceFolder folder, std::string_view fileName);
    size_t size() const { return pictures_.size(); }
    void Merge(DecodedPictures&& other);

private:
    std::map<std::pair<ResourceFolder, std::string>, SharedPixels> pictures_;
};

// What to read: the scale, the deck whose cards are wanted, and both archives ("" for no language
// archive; `language` "" for English).
struct ScaledPictureRequest {
    int32_t scale = 2;
    std::optional<ResourceFolder> deck;
    std::string scaledArchivePath;
    std::string language = {};
    std::string languageArchivePath = {};
};

struct ScaledPictures {
    int32_t scale = 2;
    // The second archive's entries for the scale and deck; none when it could not be read, and why.
    std::optional<ResourceSet> scaled;
    std::string scaledTrouble;
    // The language archive's entries at the scale; none when there is none or it could not be read, and
    // why (empty when no language archive was asked for).
    std::optional<ResourceSet> language;
    std::string languageTrouble;
    // Every picture of both sets that decoded, in one block of memory; one that did not is left out,
    // and loading it then says why, exactly as without the reading ahead.
    DecodedPictures decoded;
};

// Reads and decodes on the calling thread. Once `stop` is requested it gives up between two pictures
// and returns what it has.
ScaledPictures ReadScaledPictures(const ScaledPictureRequest& request, std::stop_token stop = {});

// The same on a thread of its own, started at once. `whenReady` is called on that thread as the
// pictures are ready (not after a stop). The destructor stops the reading and waits for the thread,
// which then ends between two pictures.
class ScaledPictureReader {
public:
    ScaledPictureReader(ScaledPictureRequest request, std::function<void()> whenReady);
    ScaledPictureReader(const ScaledPictureReader&) = delete;
    ScaledPictureReader& operator=(const ScaledPictureReader&) = delete;
    ~ScaledPictureReader() = default;

    int32_t Scale() const { return scale_; }
    // The pictures once they are all read and decoded (once); none before. Never waits for them.
    std::optional<ScaledPictures> Take();

private:
    const int32_t scale_;
    std::mutex mutex_;
    std::optional<ScaledPictures> ready_;  // guarded by mutex_
    std::jthread worker_;                  // last: stopped and joined before the rest goes
};
