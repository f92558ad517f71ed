#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <functional>

// Text as an outline, so it can be fitted into a box of any shape and drawn like any other path.
QPainterPath TextPath(const QString& family, bool bold, const QString& text, double pixelSize = 100.0);

// Scales and moves `path` so that its outline fills `box`: keeping its proportions and centred when
// `keepAspect`, stretched to the box otherwise.
QPainterPath FitPath(const QPainterPath& path, const QRectF& box, bool keepAspect);

// Told when a text had to be drawn smaller than its picture gives it room for: the text and the factor
// (below 1) it was made smaller by.
using FitReport = std::function<void(const QString& text, double factor)>;

// When FitPath(path, box, true) would fill the box's width before its height (a long word), tells
// `report` by how much less than the box's height the text stands.
void ReportNarrowFit(const QPainterPath& path, const QRectF& box, const QString& text,
                     const FitReport& report);

// `family` when it has every character of `text`, else `fallback` (a handwriting face without Cyrillic).
QString FamilyFor(const QString& family, const QString& fallback, const QString& text);
