#include "deck_styles.h"

DeckStyle Roya2Style(const AssetFonts& fonts) {
    DeckStyle s;
    s.prefix = QStringLiteral("Xoya2_");
    s.indexFamily = fonts.serif;
    s.back = DeckStyle::Back::Lattice;
    s.backField = QColor(0x1E, 0x3F, 0x9A);
    s.backPattern = QColor(0xE8, 0xEE, 0xFF);
    s.backFrame = QColor(0x1E, 0x3F, 0x9A);
    s.robeRed = QColor(0xC8, 0x1E, 0x24);
    s.robeBlack = QColor(0x22, 0x3C, 0x8C);
    s.robeSecond = QColor(0x22, 0x3C, 0x8C);
    s.trim = QColor(0xE9, 0xB8, 0x2A);
    s.courtTint = QColor(0xFF, 0xF8, 0xE4);
    s.courtFrame = QColor(0x22, 0x3C, 0x8C);
    s.hair = QColor(0xE0, 0xA8, 0x30);
    return s;
}

DeckStyle RoyalStyle(const AssetFonts& fonts) {
    DeckStyle s;
    s.prefix = QStringLiteral("Xoyal_");
    s.indexFamily = fonts.sans;
    s.back = DeckStyle::Back::Rosette;
    s.backField = QColor(0x8E, 0x12, 0x1C);
    s.backPattern = QColor(0xE6, 0xC2, 0x5A);
    s.backFrame = QColor(0x8E, 0x12, 0x1C);
    s.robeRed = QColor(0xD0, 0x5A, 0x10);
    s.robeBlack = QColor(0x1C, 0x6B, 0x3A);
    s.robeSecond = QColor(0x18, 0x18, 0x20);
    s.trim = QColor(0xD8, 0xA0, 0x20);
    s.courtTint = QColor(0xF4, 0xE8, 0xC2);
    s.courtFrame = QColor(0x8E, 0x12, 0x1C);
    s.hair = QColor(0x6A, 0x3A, 0x1A);
    return s;
}
