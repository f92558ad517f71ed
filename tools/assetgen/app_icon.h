#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <vector>

// The program's icon: two cards, a blue back behind a white face with a red heart, on a rounded square
// of the table's felt. Drawn as filled outlines on a 256-unit square, so the same drawing gives every
// pixel size and the scalable file.

inline constexpr double kIconUnits = 256.0;

// The pixel sizes of the icon theme's folders, and the size the windows carry.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
inline constexpr int kWindowIconSize = 64;

struct IconLayer {
    QPainterPath outline;  // in icon units
    QColor fill;
};

// The layers from back to front. Small sizes get thicker edges so the cards stay apart at 16 pixels.
std::vector<IconLayer> IconLayers(int pixelSize);

// The icon at `pixelSize` x `pixelSize`, transparent around the rounded square (ARGB32, not
// premultiplied).
QImage DrawIcon(int pixelSize);

// The icon as an SVG document of filled paths.
QString IconSvg();

// The pixels as a C++ initialiser list of RGBA bytes (row by row), for the windows' icon compiled into
// the program.
QString RgbaInitialiser(const QImage& icon);

// Writes icon-N.png for every size, icon.svg and window_icon_rgba.inc into `folder`. Throws
// std::runtime_error when a file cannot be written.
void WriteIcons(const QString& folder);
