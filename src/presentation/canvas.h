#pragma once

#include <cstdint>

// The back buffer that pictures and text are copied into: the SDL back buffer in the game, an
// in-memory or recording canvas in tests. Drawing code never sees SDL.
//
// The table is laid out in units of an 800 x 600 screen. A canvas drawn at scale k has a back buffer
// of k x 800 by k x 600 pixels and holds every picture at k times its size, so one unit is k pixels.

struct Rect32 {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect32&, const Rect32&) = default;
};

// Every picture the game loads, by what it shows. Card faces and contract pictures are ranges.
enum class PictureId : int16_t {
    Background = 0,
    CardBack,
    PassPicture,
    ScorePage,
    LineHorz1,
    LineHorz2,
    FramePicture,
    Cursor,
    FontHandwriting,  // the score sheet's handwriting font
    FontDigit,        // the clock
    FontDeluxe,       // the banner
    // Each face's extra sheet: the characters beyond Windows-1252 (see glyph_repertoire.h), from the
    // language archive beside the game's own.
    FontHandwritingExtra,
    FontDigitExtra,
    FontDeluxeExtra,
    FirstCardFace = 32,                      // + card id 0..51
    FirstAnnouncement = FirstCardFace + 52,  // + contract - 1: the first contract picture set
    FirstButton = FirstAnnouncement + 5,     // + contract - 1: the second set, drawn as buttons
    // The play aids' pictures, made by the program itself rather than read from the archive.
    FocusColour = FirstButton + 5,  // solid blocks that outlines are cut from
    HintColour,
    HintMarker,     // the arrow over the hinted card
    MuteIndicator,  // the crossed-out speaker shown while the sound is off
    Count,
};

inline PictureId CardFacePicture(int card) {
    return static_cast<PictureId>(static_cast<int>(PictureId::FirstCardFace) + card);
}
inline PictureId AnnouncementPicture(int contract) {
    return static_cast<PictureId>(static_cast<int>(PictureId::FirstAnnouncement) + contract - 1);
}
inline PictureId ButtonPicture(int contract) {
    return static_cast<PictureId>(static_cast<int>(PictureId::FirstButton) + contract - 1);
}

// The scales the table can be drawn at.
inline constexpr int32_t kLargestScale = 3;

class Canvas {
public:
    virtual ~Canvas() = default;

    // Back-buffer pixels per unit of the table (1, 2 or 3).
    virtual int32_t Scale() const { return 1; }

    // Width and height of a loaded picture in units (right and bottom of its whole rectangle).
    virtual Rect32 PictureRect(PictureId picture) const = 0;

    // Copies an already clipped, non-empty source rectangle of a picture to (x, y), all in back-buffer
    // pixels. Keyed copies leave out the pixels of the transparent colour.
    virtual void CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) = 0;
};
