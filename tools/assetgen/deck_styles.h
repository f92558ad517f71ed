#pragma once

#include <QColor>
#include <QString>

#include "font_files.h"

// What sets the two decks apart: their backs, the court figures' clothes and the index lettering.
struct DeckStyle {
    QString prefix;       // archive entry prefix of the deck's folder
    QString indexFamily;  // font of the corner indices and the court letters
    enum class Back { Lattice, Rosette } back = Back::Lattice;
    QColor backField;    // main colour of the back
    QColor backPattern;  // colour of the back's pattern
    QColor backFrame;    // thin frame line inside the white border
    QColor robeRed;      // court robes of the red suits
    QColor robeBlack;    // court robes of the black suits
    QColor robeSecond;   // second colour of the robes (sleeves, collar)
    QColor trim;         // gold trim, crowns
    QColor courtTint;    // wash behind the court figure
    QColor courtFrame;   // line around the court figure
    QColor hair;         // hair of the queens and jacks
};

// "Roya2": a classic blue-backed deck with red, blue and gold courts and serif indices.
DeckStyle Roya2Style(const AssetFonts& fonts);

// "Royal": a deep red back with gold rosettes, orange, green and black courts on gold and sans-serif
// indices.
DeckStyle RoyalStyle(const AssetFonts& fonts);
