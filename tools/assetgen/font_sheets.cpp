#include "font_sheets.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <array>

#include "image_io.h"
#include "palette.h"
#include "presentation/glyph_repertoire.h"
#include "text_paths.h"

namespace {

constexpr double kBaseline = 19.5;   // baseline inside the cell
constexpr double kMaxAscent = 19.0;  // room above the baseline
constexpr double kMaxDescent = 7.0;  // room below it
constexpr double kGlyphCentre = kGlyphAdvance / 2.0;

struct FaceLook {
    QString family;
    QString fallback;
    bool bold;
    double capHeight;    // height of a capital letter in pixels
    double maxWidth;     // widest glyph body, leaving room for the outline
    bool uppercaseOnly;  // the segment display has no small letters of its own
    double smallBoost;   // small letters drawn this much larger than the face has them
    QColor underlay;
};

FaceLook LookOf(FontFace face, const AssetFonts& fonts) {
    switch (face) {
        case FontFace::Handwriting:
            return {fonts.handwriting, fonts.serif, false, 17.0, 15.5, false, 1.2, kPaperColour};
        case FontFace::Digits:
            return {fonts.segments, fonts.sansMono, false, 15.0, 14.5, true, 1.0, kFeltColour};
        case FontFace::Deluxe:
            return {fonts.serif, fonts.serif, true, 15.0, 14.5, false, 1.0, kFeltColour};
    }
    return {};
}

QFont MakeFont(const QString& family, bool bold) {
    QFont font(family);
    font.setPixelSize(100);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

// The glyph outline at its final size, its baseline at y 0 and centred on x 0.
QPainterPath GlyphOutline(char16_t ch, const FaceLook& look) {
    if (ch == 0 || ch == u' ' || ch == 0xA0) {
        return {};
    }
    if (look.uppercaseOnly) {
        ch = QChar(ch).toUpper().unicode();
    }
    // A character the face lacks, or draws as nothing, comes from the fallback face.
    QFont font = MakeFont(look.family, look.bold);
    QPainterPath path;
    if (QFontMetricsF(font).inFontUcs4(ch)) {
        path.addText(0, 0, font, QString(QChar(ch)));
    }
    if (path.boundingRect().isEmpty()) {
        font = MakeFont(look.fallback, look.bold);
        path = QPainterPath();
        path.addText(0, 0, font, QString(QChar(ch)));
    }
    const QRectF raw = path.boundingRect();
    if (raw.isEmpty()) {
        return {};
    }
    const double capHeight = QFontMetricsF(font).tightBoundingRect(QStringLiteral("H")).height();
    const double scale = look.capHeight / capHeight;
    // Tall or deep glyphs are pressed flatter to stay inside the cell; wide ones are narrowed.
    // Digits are what the score sheet is mostly made of: they stand as tall as the capitals.
    const bool digit = ch >= u'0' && ch <= u'9';
    // The handwriting's small letters are tiny beside its capitals; they are written a little larger.
    const bool small = ch >= u'a' && ch <= u'z';
    const double boosted = scale * look.smallBoost;
    const bool roomForBoost =
        -raw.top() * boosted <= kMaxAscent && raw.height() * boosted <= kMaxAscent + kMaxDescent;
    const double height = digit ? look.capHeight / raw.height() : small && roomForBoost ? boosted : scale;
    double sy = height;
    if (raw.top() < 0.0) {
        sy = std::min(sy, kMaxAscent / -raw.top());
    }
    // A deep descender first lifts the glyph, as far as the room above allows, then presses it flatter.
    double lift = 0.0;
    if (raw.bottom() * sy > kMaxDescent) {
        lift = std::min(raw.bottom() * sy - kMaxDescent, kMaxAscent + raw.top() * sy);
        if (raw.bottom() * sy - lift > kMaxDescent) {
            sy = (kMaxDescent + lift) / raw.bottom();
        }
    }
    const double sx = std::min(height, look.maxWidth / raw.width());
    // Digits sit on the baseline, whatever the face does with them.
    if (digit) {
        lift += raw.bottom() * sy;
    }
    QTransform t;
    t.translate(0, -lift);
    t.scale(sx, sy);
    t.translate(-raw.center().x(), 0);
    return t.map(path);
}

void DrawGlyph(QPainter& p, const QPainterPath& glyph, FontFace face) {
    switch (face) {
        case FontFace::Handwriting:
            // The handwriting face is drawn with a fine pen; a thin stroke gives it ink.
            p.setPen(QPen(QColor(0x1A, 0x26, 0x78), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(QColor(0x1A, 0x26, 0x78));
            p.drawPath(glyph);
            break;
        case FontFace::Digits:
            p.setPen(QPen(QColor(0x04, 0x14, 0x08), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(glyph);
            p.fillPath(glyph, QColor(0x9C, 0xFF, 0x6A));
            break;
        case FontFace::Deluxe: {
            p.setPen(QPen(QColor(0x2A, 0x14, 0x04), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(glyph);
            QLinearGradient gold(0, -kMaxAscent, 0, kMaxDescent);
            gold.setColorAt(0.0, QColor(0xFF, 0xF2, 0xB0));
            gold.setColorAt(0.55, QColor(0xF0, 0xC0, 0x40));
            gold.setColorAt(1.0, QColor(0xB0, 0x78, 0x10));
            p.fillPath(glyph, gold);
            break;
        }
    }
}

// The box drawn for a character no sheet has: an outlined rectangle as tall as a capital.
QPainterPath ReplacementBox(const FaceLook& look) {
    const double width = std::min(look.maxWidth, 11.0);
    QPainterPath box;
    box.addRect(QRectF(-width / 2, -look.capHeight, width, look.capHeight));
    box.addRect(QRectF(-width / 2 + 2, -look.capHeight + 2, width - 4, look.capHeight - 4));
    return box;  // odd-even fill: a frame two pixels wide
}

// Draws one sheet: the glyph of cell i is `glyphOf(i)`, cells in rows of kGlyphColumns.
template <typename GlyphOf>
QImage DrawSheet(FontFace face, const FaceLook& look, int cells, int scale, const GlyphOf& glyphOf) {
    const int rows = (cells + kGlyphColumns - 1) / kGlyphColumns;
    QImage canvas = NewCanvas(kGlyphColumns * kGlyphCellWidth * scale, rows * kGlyphCellHeight * scale);
    QPainter p(&canvas);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < cells; ++cell) {
        const QRectF box((cell % kGlyphColumns) * kGlyphCellWidth, (cell / kGlyphColumns) * kGlyphCellHeight,
                         kGlyphCellWidth, kGlyphCellHeight);
        const QPainterPath glyph = glyphOf(cell);
        if (glyph.isEmpty()) {
            continue;
        }
        p.save();
        p.setClipRect(QRectF(box.left(), box.top(), kGlyphAdvance, kGlyphCellHeight));
        p.translate(box.left() + kGlyphCentre, box.top() + kBaseline);
        DrawGlyph(p, glyph, face);
        p.restore();
    }
    p.end();
    return KeyOut(canvas, look.underlay, 110);
}

}  // namespace

char16_t CharacterOfCode(int code) {
    return static_cast<char16_t>(CharacterOfSheetCode(code));
}

QImage DrawFontSheet(FontFace face, const AssetFonts& fonts, int scale) {
    const FaceLook look = LookOf(face, fonts);
    return DrawSheet(face, look, kLastGlyphCode - kFirstGlyphCode + 1, scale,
                     [&](int cell) { return GlyphOutline(CharacterOfCode(cell + kFirstGlyphCode), look); });
}

QImage DrawExtraFontSheet(FontFace face, const AssetFonts& fonts, int scale) {
    const FaceLook look = LookOf(face, fonts);
    return DrawSheet(face, look, static_cast<int>(kExtraGlyphs.size()), scale, [&](int cell) {
        if (cell == kReplacementCell) {
            return ReplacementBox(look);
        }
        return GlyphOutline(static_cast<char16_t>(kExtraGlyphs[static_cast<size_t>(cell)]), look);
    });
}
