#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QString>

// Text as an outline, so it can be fitted into a box of any shape and drawn like any other path.
QPainterPath TextPath(const QString& family, bool bold, const QString& text, double pixelSize = 100.0);

// Scales and moves `path` so that its outline fills `box`: keeping its proportions and centred when
// `keepAspect`, stretched to the box otherwise.
QPainterPath FitPath(const QPainterPath& path, const QRectF& box, bool keepAspect);
