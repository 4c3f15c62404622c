#include "CodingForm.h"

#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPolygonF>
#include <cmath>

namespace iksa::tools {

namespace {

// Page coordinates in tenths of a millimetre (254 dots per inch).
constexpr int resolution = 254;
constexpr double mm = 10.0;
constexpr int itemsPerPage = 30;
constexpr int items = 60;

// One placeholder shape per code 0 … 7, drawn into a square cell.
void drawShape(QPainter& p, const QRectF& cell, int code) {
    const QRectF r = cell.adjusted(cell.width() * 0.2, cell.height() * 0.2, -cell.width() * 0.2,
                                   -cell.height() * 0.2);
    const QPointF c = r.center();
    switch (code % 8) {
    case 0:
        p.drawEllipse(r);
        break;
    case 1:
        p.drawRect(r);
        break;
    case 2:
        p.drawPolygon(QPolygonF({QPointF(c.x(), r.top()), r.bottomRight(), r.bottomLeft()}));
        break;
    case 3:
        p.drawPolygon(QPolygonF({QPointF(c.x(), r.top()), QPointF(r.right(), c.y()),
                                 QPointF(c.x(), r.bottom()), QPointF(r.left(), c.y())}));
        break;
    case 4:
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    case 5:
        p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), r.bottom()));
        p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()));
        break;
    case 6:
        p.drawPolygon(QPolygonF({r.topLeft(), r.topRight(), QPointF(c.x(), r.bottom())}));
        break;
    default:
        p.drawArc(r, 0, 180 * 16);
        p.drawLine(r.left(), c.y(), r.right(), c.y());
        break;
    }
}

// A fixed pseudo-random sequence, so that every build writes the same form.
int shapeCode(int item, int position) {
    return (item * 7 + position * 3 + (item * position) % 5) % 8;
}

void drawHeader(QPainter& p, int page) {
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPointSizeF(15);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(15 * mm, 12 * mm, 180 * mm, 10 * mm), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("IKSA-III  –  Hledání symbolů  –  záznamový arch"));
    QFont text(QStringLiteral("Liberation Sans"));
    text.setPointSizeF(9);
    p.setFont(text);
    p.drawText(QRectF(150 * mm, 12 * mm, 45 * mm, 10 * mm), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("strana %1 / 2").arg(page));
    if (page > 1)
        return;
    const QStringList lines{QStringLiteral("Jméno a příjmení:"), QStringLiteral("Věk:"),
                            QStringLiteral("Datum vyšetření:"), QStringLiteral("Examinátor:")};
    const double y0 = 27 * mm;
    for (int i = 0; i < lines.size(); ++i) {
        const double x = (i % 2 == 0 ? 15 : 110) * mm;
        const double y = y0 + (i / 2) * 9 * mm;
        p.drawText(QRectF(x, y, 35 * mm, 6 * mm), Qt::AlignLeft | Qt::AlignBottom, lines[i]);
        p.drawLine(QPointF(x + 35 * mm, y + 6 * mm), QPointF(x + 85 * mm, y + 6 * mm));
    }
    p.drawText(QRectF(15 * mm, 46 * mm, 180 * mm, 10 * mm), Qt::TextWordWrap,
               QStringLiteral("U každé položky označte ANO, je-li některý z cílových symbolů "
                              "mezi hledanými, jinak NE. Časový limit 120 s. Symboly jsou "
                              "zástupné tvary, nikoli testový materiál."));
}

void drawRows(QPainter& p, int firstItem, double top) {
    const double rowHeight = 7.6 * mm;
    const double cell = 6.4 * mm;
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSizeF(8);
    p.setFont(small);
    p.drawText(QRectF(27 * mm, top - 6 * mm, 20 * mm, 5 * mm), Qt::AlignCenter,
               QStringLiteral("cílové"));
    p.drawText(QRectF(60 * mm, top - 6 * mm, 45 * mm, 5 * mm), Qt::AlignCenter,
               QStringLiteral("hledané"));
    p.drawText(QRectF(127.5 * mm, top - 6 * mm, 10 * mm, 5 * mm), Qt::AlignCenter,
               QStringLiteral("ANO"));
    p.drawText(QRectF(147.5 * mm, top - 6 * mm, 10 * mm, 5 * mm), Qt::AlignCenter,
               QStringLiteral("NE"));
    for (int row = 0; row < itemsPerPage; ++row) {
        const int item = firstItem + row;
        const double y = top + row * rowHeight;
        p.drawText(QRectF(15 * mm, y, 10 * mm, cell), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1.").arg(item));
        for (int i = 0; i < 2; ++i) {
            const QRectF box(28 * mm + i * (cell + 2 * mm), y, cell, cell);
            p.drawRect(box);
            drawShape(p, box, shapeCode(item, i));
        }
        for (int i = 0; i < 5; ++i) {
            const QRectF box(58 * mm + i * (cell + 3 * mm), y, cell, cell);
            drawShape(p, box, shapeCode(item, i + 2));
        }
        for (int i = 0; i < 2; ++i)
            p.drawRect(QRectF(130 * mm + i * 20 * mm, y + 1 * mm, 5 * mm, 5 * mm));
    }
}

} // namespace

bool writeCodingForm(const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(resolution);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("IKSA-III – Hledání symbolů – záznamový arch"));
    writer.setCreator(QStringLiteral("IKSA-III"));
    QPainter p;
    if (!p.begin(&writer))
        return false;
    p.setPen(QPen(Qt::black, 0.3 * mm));
    for (int page = 1; page <= items / itemsPerPage; ++page) {
        if (page > 1)
            writer.newPage();
        drawHeader(p, page);
        drawRows(p, (page - 1) * itemsPerPage + 1, page == 1 ? 64 * mm : 32 * mm);
    }
    return p.end();
}

} // namespace iksa::tools
