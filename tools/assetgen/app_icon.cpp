#include "app_icon.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <algorithm>
#include <stdexcept>

#include "palette.h"
#include "suit_shapes.h"

namespace {

// Card proportions as in the game (99 x 153), scaled to stand well inside the square.
constexpr double kCardW = 99.0 * 1.05;
constexpr double kCardH = 153.0 * 1.05;

const QColor kIconFelt(0x1F, 0x7A, 0x42);
const QColor kIconFeltEdge(0x0E, 0x3E, 0x21);
const QColor kBackBlue(0x1E, 0x3F, 0x9A);
const QColor kBackLine(0xE8, 0xEE, 0xFF);
const QColor kCardEdge(0x30, 0x30, 0x38);

QPainterPath RoundedRect(const QRectF& box, double radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

// A card centred on `centre`, turned by `degrees`.
QTransform CardPlacement(QPointF centre, double degrees) {
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    t.translate(-kCardW / 2, -kCardH / 2);
    return t;
}

// The band `width` units wide along the inside of `outline`'s edge.
QPainterPath Edge(const QPainterPath& outline, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width * 2);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(outline).intersected(outline);
}

}  // namespace

std::vector<IconLayer> IconLayers(int pixelSize) {
    // One pixel of the target size, in icon units: edges never get thinner than about that.
    const double pixel = kIconUnits / std::max(pixelSize, 1);
    const double edge = std::max(3.0, 1.1 * pixel);
    std::vector<IconLayer> layers;

    const QPainterPath square = RoundedRect(QRectF(8, 8, 240, 240), 44);
    layers.push_back({square, kIconFelt});
    layers.push_back({Edge(square, std::max(4.0, pixel)), kIconFeltEdge});

    const QPainterPath card = RoundedRect(QRectF(0, 0, kCardW, kCardH), 12);

    // The back card, turned left, showing its blue field inside a white border.
    const QTransform back = CardPlacement(QPointF(100, 126), -16);
    layers.push_back({back.map(card), kCardPaper});
    const QPainterPath field = RoundedRect(QRectF(9, 9, kCardW - 18, kCardH - 18), 6);
    layers.push_back({back.map(field), kBackBlue});
    if (pixelSize >= 48) {
        // A lattice on the back, where there are pixels enough to show it.
        QPainterPath lattice;
        for (double d = -kCardH; d < kCardW + kCardH; d += 16) {
            lattice.moveTo(d, 0);
            lattice.lineTo(d + kCardH, kCardH);
            lattice.moveTo(d, kCardH);
            lattice.lineTo(d + kCardH, 0);
        }
        QPainterPathStroker stroker;
        stroker.setWidth(std::max(2.5, 0.8 * pixel));
        layers.push_back({back.map(stroker.createStroke(lattice).intersected(field)), kBackLine});
    }
    layers.push_back({Edge(back.map(card), edge), kCardEdge});

    // The face card, turned right, with one large heart that reads even at 16 pixels.
    const QTransform face = CardPlacement(QPointF(152, 134), 12);
    layers.push_back({face.map(card), kCardPaper});
    layers.push_back({Edge(face.map(card), edge), kCardEdge});
    const double heart = pixelSize <= 24 ? 78 : 66;
    layers.push_back({face.map(SuitPath(PipSuit::Hearts,
                                        QRectF((kCardW - heart) / 2, (kCardH - heart) / 2, heart, heart))),
                      SuitInk(PipSuit::Hearts)});
    if (pixelSize >= 32) {
        // Corner pips, as a real card has them.
        const double pip = 20;
        layers.push_back(
            {face.map(SuitPath(PipSuit::Hearts, QRectF(9, 10, pip, pip))), SuitInk(PipSuit::Hearts)});
        layers.push_back(
            {face.map(SuitPath(PipSuit::Hearts, QRectF(kCardW - 9 - pip, kCardH - 10 - pip, pip, pip))),
             SuitInk(PipSuit::Hearts)});
    }
    return layers;
}

QImage DrawIcon(int pixelSize) {
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelSize / kIconUnits, pixelSize / kIconUnits);
    painter.setPen(Qt::NoPen);
    for (const IconLayer& layer : IconLayers(pixelSize)) {
        painter.fillPath(layer.outline, layer.fill);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString IconSvg() {
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n");
    const auto number = [](double v) { return QString::number(v, 'f', 2); };
    for (const IconLayer& layer : IconLayers(static_cast<int>(kIconUnits))) {
        QString d;
        const QPainterPath& path = layer.outline;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.type == QPainterPath::MoveToElement) {
                d += QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
            } else if (e.type == QPainterPath::LineToElement) {
                d += QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
            } else if (e.type == QPainterPath::CurveToElement && i + 2 < path.elementCount()) {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element to = path.elementAt(i + 2);
                d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(to.x),
                              number(to.y));
                i += 2;
            }
        }
        const QString rule =
            path.fillRule() == Qt::WindingFill ? QStringLiteral("nonzero") : QStringLiteral("evenodd");
        svg += QStringLiteral("  <path fill=\"%1\" fill-rule=\"%2\" d=\"%3\"/>\n")
                   .arg(layer.fill.name(), rule, d);
    }
    svg += QStringLiteral("</svg>\n");
    return svg;
}

QString RgbaInitialiser(const QImage& icon) {
    const QImage rgba = icon.convertToFormat(QImage::Format_RGBA8888);
    QString text;
    for (int y = 0; y < rgba.height(); ++y) {
        const uchar* row = rgba.constScanLine(y);
        for (int x = 0; x < rgba.width() * 4; ++x) {
            text += QString::number(row[x]) + QLatin1Char(',');
        }
        text += QLatin1Char('\n');
    }
    return text;
}

namespace {

void WriteText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 ||
        !file.flush()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

}  // namespace

void WriteIcons(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        throw std::runtime_error("cannot make the folder " + folder.toStdString());
    }
    const QDir dir(folder);
    for (int size : kIconSizes) {
        const QString path = dir.filePath(QStringLiteral("icon-%1.png").arg(size));
        if (!DrawIcon(size).save(path, "PNG")) {
            throw std::runtime_error("cannot write " + path.toStdString());
        }
    }
    WriteText(dir.filePath(QStringLiteral("icon.svg")), IconSvg());
    WriteText(dir.filePath(QStringLiteral("window_icon_rgba.inc")),
              RgbaInitialiser(DrawIcon(kWindowIconSize)));
}
