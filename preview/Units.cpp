#include "Units.h"

#include <QPageSize>
#include <limits>

namespace iksa {

int mulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (2 * (remainder < 0 ? -remainder : remainder) >=
        (denominator < 0 ? -std::int64_t(denominator) : denominator))
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return int(quotient);
}

int unitsPerInch(TUnits units) {
    switch (units) {
    case TUnits::mmPixel:
        return ScreenDpi;
    case TUnits::mmLoMetric:
        return 254;
    case TUnits::mmHiMetric:
        return 2540;
    case TUnits::mmLoEnglish:
        return 100;
    case TUnits::mmHiEnglish:
        return 1000;
    case TUnits::mmTWIPS:
        return 1440;
    case TUnits::mmPoints:
        return 72;
    }
    return 2540;
}

int convertValue(int value, TUnits from, TUnits to) {
    if (from == to)
        return value;
    return mulDiv(value, unitsPerInch(to), unitsPerInch(from));
}

QPoint convertPoint(int x, int y, TUnits from, TUnits to) {
    return {convertValue(x, from, to), convertValue(y, from, to)};
}

QSize paperSize(TPaperType type, TPrinterOrientation orientation, TUnits units, QSize customSize) {
    QSize lowMetric = customSize;
    if (type != TPaperType::pCustom) {
        const QSizeF mm = QPageSize::size(QPageSize::id(int(type)), QPageSize::Millimeter);
        lowMetric = QSize(qRound(mm.width() * 10), qRound(mm.height() * 10));
    }
    QSize size(convertValue(lowMetric.width(), TUnits::mmLoMetric, units),
               convertValue(lowMetric.height(), TUnits::mmLoMetric, units));
    if (orientation == TPrinterOrientation::poLandscape)
        size.transpose();
    return size;
}

} // namespace iksa
