#include "Pictures.h"

#include "ProductInfo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace iksa::app {

namespace {

const QColor ink(0x1f, 0x3a, 0x68);
const QColor accent(0xc8, 0x32, 0x28);

// A normal curve across `area`: the program's emblem.
QPainterPath bellCurve(const QRectF& area) {
    QPainterPath path;
    const int steps = 80;
    for (int i = 0; i <= steps; ++i) {
        const double z = -3.0 + 6.0 * i / steps;
        const double x = area.left() + area.width() * i / steps;
        const double y = area.bottom() - area.height() * std::exp(-z * z / 2.0);
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    return path;
}

void drawEmblem(QPainter& p, const QRectF& area) {
    QPainterPath curve = bellCurve(area);
    QPainterPath filled = curve;
    filled.lineTo(area.bottomRight());
    filled.lineTo(area.bottomLeft());
    filled.closeSubpath();
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, QColor(0x6f, 0x9c, 0xd8));
    fill.setColorAt(1, QColor(0xdc, 0xe8, 0xf7));
    p.fillPath(filled, fill);
    p.setPen(QPen(ink, qMax(1.5, area.height() / 40)));
    p.drawPath(curve);
    p.drawLine(area.bottomLeft(), area.bottomRight());
}

} // namespace

QPixmap Pictures::splash(QSize size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, QColor(0xf4, 0xf7, 0xfc));
    background.setColorAt(1, QColor(0xc9, 0xd9, 0xef));
    p.fillRect(pixmap.rect(), background);
    p.setPen(QPen(ink, 6));
    p.drawRect(pixmap.rect().adjusted(3, 3, -4, -4));

    const double w = size.width();
    const double h = size.height();
    drawEmblem(p, QRectF(w * 0.12, h * 0.48, w * 0.76, h * 0.34));

    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(int(h * 0.16));
    p.setFont(title);
    p.setPen(ink);
    p.drawText(QRectF(0, h * 0.08, w, h * 0.2), Qt::AlignCenter, ProductInfo::productName());

    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(int(h * 0.045));
    p.setFont(subtitle);
    p.drawText(QRectF(0, h * 0.29, w, h * 0.07), Qt::AlignCenter, ProductInfo::scaleName());
    p.setPen(accent);
    p.drawText(QRectF(0, h * 0.36, w, h * 0.06), Qt::AlignCenter, ProductInfo::versionMark());
    p.setPen(ink);
    subtitle.setPixelSize(int(h * 0.03));
    p.setFont(subtitle);
    p.drawText(QRectF(0, h * 0.86, w, h * 0.06), Qt::AlignCenter, ProductInfo::authorLine());
    return pixmap;
}

QPixmap Pictures::logo(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    drawEmblem(p, QRectF(6, h * 0.15, h * 1.6, h * 0.75));

    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(int(h * 0.42));
    p.setFont(title);
    p.setPen(ink);
    const QRectF text(h * 1.8, 0, w - h * 1.8, h * 0.6);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, ProductInfo::productName());
    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(int(h * 0.17));
    p.setFont(line);
    p.setPen(accent);
    p.drawText(QRectF(h * 1.8, h * 0.62, w - h * 1.8, h * 0.3), Qt::AlignLeft | Qt::AlignTop,
               ProductInfo::scaleName());
    return pixmap;
}

QPixmap Pictures::startArrow() {
    QPixmap pixmap(22, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRect(QRectF(1, 5, 12, 4));
    p.drawPolygon(QPolygonF({QPointF(12, 1), QPointF(21, 7), QPointF(12, 13)}));
    return pixmap;
}

QPixmap Pictures::emblem(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32-point grid, so every size shows the same picture.
    p.scale(size / 32.0, size / 32.0);
    drawEmblem(p, QRectF(2, 6, 28, 22));
    p.setPen(QPen(ink, 2));
    p.drawRect(QRectF(1, 1, 30, 30));
    return pixmap;
}

QIcon Pictures::windowIcon() {
    return QIcon(emblem(32));
}

QIcon Pictures::navigatorIcon(NavigatorButton button) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const QPolygonF left({QPointF(11, 3), QPointF(4, 8), QPointF(11, 13)});
    const QPolygonF right({QPointF(5, 3), QPointF(12, 8), QPointF(5, 13)});
    switch (button) {
    case NavigatorButton::First:
        p.drawRect(QRectF(2, 3, 2, 10));
        p.drawPolygon(left.translated(1, 0));
        break;
    case NavigatorButton::Prior:
        p.drawPolygon(left);
        break;
    case NavigatorButton::Next:
        p.drawPolygon(right);
        break;
    case NavigatorButton::Last:
        p.drawPolygon(right.translated(-1, 0));
        p.drawRect(QRectF(12, 3, 2, 10));
        break;
    case NavigatorButton::Insert:
        p.drawRect(QRectF(7, 2, 2, 12));
        p.drawRect(QRectF(2, 7, 12, 2));
        break;
    case NavigatorButton::Edit:
        // A pencil, slanting down to its tip: not to be taken for "next".
        p.drawPolygon(
            QPolygonF({QPointF(11, 1.5), QPointF(14.5, 5), QPointF(6, 13.5), QPointF(2.5, 10)}));
        p.drawPolygon(QPolygonF({QPointF(2, 11), QPointF(5, 14), QPointF(1.5, 14.5)}));
        break;
    case NavigatorButton::Post: {
        p.setPen(QPen(QColor(0x1b, 0x7a, 0x2e), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 3)}));
        break;
    }
    case NavigatorButton::Cancel:
        p.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    return QIcon(pixmap);
}

} // namespace iksa::app
