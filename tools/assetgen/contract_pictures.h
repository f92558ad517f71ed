#pragma once

#include <QImage>

#include "font_files.h"

inline constexpr int kContractWidth = 256;
inline constexpr int kContractHeight = 52;

// The picture of contract 1..5 (Tricks, Diamonds, Queens, King, Zarn), 256 x 52 (times `scale`), keyed. It
// serves both as the human's button and as the announcement of the chosen contract.
QImage DrawContractPicture(int contract, const AssetFonts& fonts, int scale = 1);

// The sign shown beside a seat that passes in the layout contract, 110 x 44, keyed.
QImage DrawPassPicture(const AssetFonts& fonts, int scale = 1);
