#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QImage>

// Deck previews for the startup dialog: a few cards of a deck fanned out on a patch of felt, drawn
// from the card pictures in the resource archive.

// Finds a card picture of the deck by its file name ("KS.BMP"); null when the deck lacks it.
using CardPictureLookup = std::function<const std::vector<uint8_t>*(const std::string& fileName)>;

// The cards a preview shows, left to right.
const std::vector<std::string>& PreviewCardNames();

// Decodes a keyed card picture (BMP bytes); the key colour becomes transparent. Null image when the
// bytes are no picture.
QImage LoadKeyedPicture(const std::vector<uint8_t>& bytes);

// The preview picture of one deck. Cards the lookup does not find are left out; with none found the
// felt says so, so a damaged archive still gives a usable dialog.
QImage DrawDeckPreview(const CardPictureLookup& lookup);

inline constexpr int kPreviewWidth = 300;
inline constexpr int kPreviewHeight = 210;
