#include "text_paths.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTransform>
#include <algorithm>

QPainterPath TextPath(const QString& family, bool bold, const QString& text, double pixelSize) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    QPainterPath path;
    path.addText(0.0, 0.0, font, text);
    return path;
}

QPainterPath FitPath(const QPainterPath& path, const QRectF& box, bool keepAspect) {
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty()) {
        return path;
    }
    double sx = box.width() / bounds.width();
    double sy = box.height() / bounds.height();
    if (keepAspect) {
        sx = sy = std::min(sx, sy);
    }
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(sx, sy);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(path);
}

void ReportNarrowFit(const QPainterPath& path, const QRectF& box, const QString& text,
                     const FitReport& report) {
    const QRectF bounds = path.boundingRect();
    if (!report || bounds.isEmpty()) {
        return;
    }
    const double byWidth = box.width() / bounds.width();
    const double byHeight = box.height() / bounds.height();
    if (byWidth < byHeight) {
        report(text, byWidth / byHeight);
    }
}

QString FamilyFor(const QString& family, const QString& fallback, const QString& text) {
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetricsF metrics(font);
    for (const uint character : text.toUcs4()) {
        if (character != u' ' && !metrics.inFontUcs4(character)) {
            return fallback;
        }
    }
    return family;
}
