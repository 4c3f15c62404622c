#include "TextConversion.h"

#include "UserError.h"

#include <cmath>
#include <limits>

namespace iksa {

namespace {

UserError notWholeNumber(const QString& text) {
    return UserError(QStringLiteral("„%1“ není platné celé číslo.").arg(text));
}

} // namespace

int toWholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok, 10);
    if (!ok || trimmed.isEmpty() || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        throw notWholeNumber(text);
    return static_cast<int>(value);
}

double toRealNumber(const QString& text) {
    QString normalised = text.trimmed();
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw UserError(QStringLiteral("„%1“ není platné číslo.").arg(text));
    return value;
}

int fieldTextAsInteger(const QString& text) {
    if (text.trimmed().isEmpty())
        return 0;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        return value;
    const double real = toRealNumber(text);
    if (real < std::numeric_limits<int>::min() || real > std::numeric_limits<int>::max())
        throw notWholeNumber(text);
    return static_cast<int>(std::lround(real));
}

} // namespace iksa
