// report-pictures: draws the two pictures the protocol paints and writes
// them as PNG into a directory (report/pictures/ in the source tree):
//
//   logo-banner.png   400 × 74, 16 colours: the banner at the top of every page
//   normal-curve.png  2282 × 1361, 256 colours: the normal distribution of IQ
//                     and index scores (mean 100, SD 15) with the qualitative
//                     classification of score ranges, the scaled-score scale
//                     (mean 10, SD 3), standard deviations and percentiles
//
// The banner's names come from ProductInfo, as in the windows. Everything is
// drawn here with QPainter from the normal distribution itself; the
// percentages of the ranges are computed, not typed in. Run after a change
// and commit the PNGs:
//
//   build/tools/report-pictures/report-pictures report/pictures
#include "app/ProductInfo.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

const QColor ink(0x1f, 0x3a, 0x68);
const QColor accent(0xc8, 0x32, 0x28);
const QString fontFamily = QStringLiteral("Liberation Sans");

QFont font(int pixels, bool bold = false) {
    QFont f(fontFamily);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// Colours between two colours in `steps` steps, both ends included.
void addRamp(QList<QRgb>& table, const QColor& from, const QColor& to, int steps) {
    for (int i = 0; i < steps; ++i) {
        const double t = steps == 1 ? 0 : double(i) / (steps - 1);
        const QRgb rgb = qRgb(int(std::lround(from.red() + t * (to.red() - from.red()))),
                              int(std::lround(from.green() + t * (to.green() - from.green()))),
                              int(std::lround(from.blue() + t * (to.blue() - from.blue()))));
        if (!table.contains(rgb))
            table.append(rgb);
    }
}

// The image in the given palette, each pixel mapped to its nearest colour.
QImage toPalette(const QImage& image, const QList<QRgb>& table) {
    return image.convertToFormat(QImage::Format_Indexed8, table,
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

double normalDensity(double z) {
    return std::exp(-z * z / 2) / std::sqrt(2 * M_PI);
}

double normalCdf(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

// ---- Logo banner -------------------------------------------------------

QPainterPath bellCurve(const QRectF& area, double zRange) {
    QPainterPath path;
    const int steps = 120;
    const double peak = normalDensity(0);
    for (int i = 0; i <= steps; ++i) {
        const double z = -zRange + 2 * zRange * i / steps;
        const QPointF p(area.left() + area.width() * i / steps,
                        area.bottom() - area.height() * normalDensity(z) / peak);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

QImage logoBanner() {
    QImage image(400, 74, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The emblem: a bell curve over a base line.
    const QRectF emblem(8, 10, 84, 50);
    QPainterPath filled = bellCurve(emblem, 3);
    filled.lineTo(emblem.bottomRight());
    filled.lineTo(emblem.bottomLeft());
    filled.closeSubpath();
    p.fillPath(filled, QColor(0xb8, 0xcc, 0xe8));
    p.setPen(QPen(ink, 3));
    p.drawPath(bellCurve(emblem, 3));
    p.drawLine(emblem.bottomLeft(), emblem.bottomRight());
    p.setPen(QPen(accent, 3));
    p.drawLine(QPointF(emblem.center().x(), emblem.top() - 2),
               QPointF(emblem.center().x(), emblem.bottom()));

    p.setPen(ink);
    p.setFont(font(34, true));
    p.drawText(QRectF(104, 4, 290, 40), Qt::AlignLeft | Qt::AlignVCenter,
               iksa::app::ProductInfo::productName());
    p.setFont(font(14));
    p.drawText(QRectF(105, 44, 290, 22), Qt::AlignLeft | Qt::AlignVCenter,
               iksa::app::ProductInfo::scaleName());
    p.setPen(QPen(accent, 2));
    p.drawLine(QPointF(104, 70), QPointF(392, 70));
    p.end();

    // Sixteen colours: white to ink, the emblem's fill, and the accent.
    QList<QRgb> table;
    addRamp(table, Qt::white, ink, 11);
    addRamp(table, QColor(0xb8, 0xcc, 0xe8), ink, 3);
    addRamp(table, Qt::white, accent, 3);
    return toPalette(image, table.mid(0, 16));
}

// ---- Normal curve with the classification of score ranges ---------------

struct ScoreRange {
    int from; // inclusive IQ or index score; 0: no lower bound
    int to;   // inclusive; 0: no upper bound
    const char* name;
    QColor colour;
};

// The qualitative classification of IQ and index scores.
const std::array<ScoreRange, 7> ranges{{
    {0, 69, "extrémně nízký", QColor(0xd9, 0x8c, 0x8c)},
    {70, 79, "hraniční pásmo", QColor(0xe8, 0xb3, 0x8c)},
    {80, 89, "nízký průměr", QColor(0xee, 0xdb, 0x9a)},
    {90, 109, "průměr", QColor(0xb9, 0xdc, 0xa8)},
    {110, 119, "vysoký průměr", QColor(0x9f, 0xcf, 0xd6)},
    {120, 129, "nadprůměrný", QColor(0x9d, 0xb5, 0xe0)},
    {130, 0, "velmi nadprůměrný", QColor(0xb7, 0xa3, 0xdb)},
}};

constexpr double Mean = 100;
constexpr double Sd = 15;
constexpr double MinScore = 40;
constexpr double MaxScore = 160;

QString rangeText(const ScoreRange& range) {
    if (range.from == 0)
        return QStringLiteral("%1 a méně").arg(range.to);
    if (range.to == 0)
        return QStringLiteral("%1 a více").arg(range.from);
    return QStringLiteral("%1–%2").arg(range.from).arg(range.to);
}

// The share of the population in a range, with continuous bounds halfway
// between whole scores.
double rangeShare(const ScoreRange& range) {
    const double lower = range.from == 0 ? 0 : normalCdf((range.from - 0.5 - Mean) / Sd);
    const double upper = range.to == 0 ? 1 : normalCdf((range.to + 0.5 - Mean) / Sd);
    return upper - lower;
}

QString percent(double share) {
    return QString::number(share * 100, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) +
           QStringLiteral(" %");
}

class CurvePlot {
public:
    CurvePlot(QRectF area)
        : area_(area) {}

    double x(double score) const {
        return area_.left() + area_.width() * (score - MinScore) / (MaxScore - MinScore);
    }
    double y(double score) const {
        const double z = (score - Mean) / Sd;
        return area_.bottom() - area_.height() * normalDensity(z) / normalDensity(0);
    }
    QPainterPath curve(double from, double to) const {
        QPainterPath path;
        const int steps = 400;
        for (int i = 0; i <= steps; ++i) {
            const double s = from + (to - from) * i / steps;
            if (i == 0)
                path.moveTo(x(s), y(s));
            else
                path.lineTo(x(s), y(s));
        }
        return path;
    }
    QPainterPath areaUnder(double from, double to) const {
        QPainterPath path = curve(from, to);
        path.lineTo(x(to), area_.bottom());
        path.lineTo(x(from), area_.bottom());
        path.closeSubpath();
        return path;
    }
    const QRectF& area() const { return area_; }

private:
    QRectF area_;
};

void centredText(QPainter& p, double x, double y, const QString& text) {
    p.drawText(QRectF(x - 400, y, 800, 80), Qt::AlignHCenter | Qt::AlignTop, text);
}

QImage normalCurve() {
    QImage image(2282, 1361, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(ink);
    p.setFont(font(50, true));
    p.drawText(QRectF(0, 20, image.width(), 70), Qt::AlignCenter,
               QStringLiteral("Kvalitativní pásma IQ a indexových skórů"));

    const CurvePlot plot(QRectF(250, 130, 1900, 720));
    const double base = plot.area().bottom();

    // The ranges under the curve with their share of the population.
    for (const ScoreRange& range : ranges) {
        const double from = range.from == 0 ? MinScore : range.from - 0.5;
        const double to = range.to == 0 ? MaxScore : range.to + 0.5;
        p.fillPath(plot.areaUnder(from, to), range.colour);
    }
    p.setPen(QPen(ink, 3));
    for (const ScoreRange& range : ranges)
        if (range.from != 0)
            p.drawLine(QPointF(plot.x(range.from - 0.5), plot.y(range.from - 0.5)),
                       QPointF(plot.x(range.from - 0.5), base));
    p.setPen(QPen(ink, 6));
    p.drawPath(plot.curve(MinScore, MaxScore));
    p.drawLine(QPointF(plot.x(MinScore), base), QPointF(plot.x(MaxScore), base));

    // The scales under the base line, each with its caption in bold at the
    // left; the font stays set for the scale's numbers.
    const auto scaleCaption = [&p](double y, int pixels, const QString& caption) {
        p.setFont(font(pixels, true));
        p.drawText(QRectF(0, y, 170, 50), Qt::AlignRight | Qt::AlignTop, caption);
        p.setFont(font(pixels));
    };
    const double row = 62;
    double y = base + 14;
    scaleCaption(y, 32, QStringLiteral("IQ"));
    for (int score = 40; score <= 160; score += 10) {
        p.drawLine(QPointF(plot.x(score), base), QPointF(plot.x(score), base + 12));
        centredText(p, plot.x(score), y, QString::number(score));
    }
    y += row;
    scaleCaption(y, 28, QStringLiteral("VS"));
    for (int scaled = 1; scaled <= 19; ++scaled)
        centredText(p, plot.x(Mean + (scaled - 10) * Sd / 3), y, QString::number(scaled));
    y += row;
    scaleCaption(y, 28, QStringLiteral("SD"));
    for (int z = -3; z <= 3; ++z)
        centredText(p, plot.x(Mean + z * Sd), y,
                    z == 0 ? QStringLiteral("0")
                           : QStringLiteral("%1%2").arg(z > 0 ? "+" : "−").arg(std::abs(z)));
    y += row;
    scaleCaption(y, 28, QStringLiteral("PR"));
    for (int z = -3; z <= 3; ++z) {
        const double pr = normalCdf(z) * 100;
        const QString text =
            pr < 1 || pr > 99 ? QString::number(pr, 'f', 1) : QString::number(int(std::lround(pr)));
        centredText(p, plot.x(Mean + z * Sd), y,
                    QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
    }

    // The names of the ranges with their scores and their share of the
    // population, in the ranges' colours.
    y += row + 18;
    const double cellWidth = double(image.width() - 40) / ranges.size();
    for (size_t i = 0; i < ranges.size(); ++i) {
        const QRectF cell(20 + cellWidth * i, y, cellWidth - 8, 170);
        p.fillRect(cell, ranges[i].colour);
        p.setPen(QPen(ink, 2));
        p.drawRect(cell);
        p.setFont(font(30, true));
        p.drawText(cell.adjusted(4, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromUtf8(ranges[i].name));
        p.setFont(font(30));
        p.drawText(cell.adjusted(4, 62, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   rangeText(ranges[i]));
        p.drawText(cell.adjusted(4, 112, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   percent(rangeShare(ranges[i])));
    }
    p.end();

    // 256 colours: ramps from white and from ink to every colour used.
    QList<QRgb> table;
    addRamp(table, Qt::white, ink, 24);
    for (const ScoreRange& range : ranges) {
        addRamp(table, Qt::white, range.colour, 12);
        addRamp(table, range.colour, ink, 16);
    }
    for (int i = 0; i + 1 < int(ranges.size()); ++i)
        addRamp(table, ranges[size_t(i)].colour, ranges[size_t(i) + 1].colour, 4);
    return toPalette(image, table.mid(0, 256));
}

bool save(const QImage& image, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG")) {
        QTextStream(stderr) << "Cannot write " << path << Qt::endl;
        return false;
    }
    QTextStream(stdout) << path << ": " << image.width() << " × " << image.height() << ", "
                        << image.colorCount() << " colours" << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Usage: report-pictures OUTPUT_DIRECTORY" << Qt::endl;
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << "Cannot create " << dir.path() << Qt::endl;
        return 1;
    }
    const bool ok = save(logoBanner(), dir, QStringLiteral("logo-banner.png")) &&
                    save(normalCurve(), dir, QStringLiteral("normal-curve.png"));
    return ok ? 0 : 1;
}
