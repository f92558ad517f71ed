#include "platform/picture_decoding.h"

#include <algorithm>
#include <cctype>

PictureFormat PictureFormatOfName(const std::string& fileName) {
    std::string lower = fileName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto endsWith = [&](const std::string& tail) {
        return lower.size() >= tail.size() &&
               lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (endsWith(".jpg") || endsWith(".jpeg")) {
        return PictureFormat::Jpeg;
    }
    return endsWith(".png") ? PictureFormat::Png : PictureFormat::Bmp;
}
