#include "text_paths.h"

#include <QFont>
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
