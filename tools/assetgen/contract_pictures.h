#pragma once

#include <QImage>

#include "font_files.h"
#include "text_paths.h"

inline constexpr int kContractWidth = 256;
inline constexpr int kContractHeight = 52;

// The picture of contract 1..5 (Tricks, Diamonds, Queens, King, Zarn), 256 x 52 (times `scale`), keyed. It
// serves both as the human's button and as the announcement of the chosen contract.
// The words are in the language Tr answers in; a translated line too long for the button is drawn
// smaller, and `report` (when given) is told the text and the factor.
QImage DrawContractPicture(int contract, const AssetFonts& fonts, int scale = 1,
                           const FitReport& report = {});

// The sign shown beside a seat that passes in the layout contract, 110 x 44, keyed.
QImage DrawPassPicture(const AssetFonts& fonts, int scale = 1, const FitReport& report = {});
