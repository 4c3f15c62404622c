#include "KeyFilters.h"

#include "Catalogue.h"

namespace iksa {

namespace {

int highestDigit(KeyFilter filter) {
    switch (filter) {
    case KeyFilter::ZeroToOne:
        return 1;
    case KeyFilter::ZeroToTwo:
        return 2;
    case KeyFilter::ZeroToThree:
        return 3;
    case KeyFilter::None:
        break;
    }
    return 9;
}

} // namespace

KeyFilter keyFilterFor(const QString& field) {
    const ItemCell* cell = Catalogue::instance().cellOf(field).cell;
    if (!cell)
        return KeyFilter::None;
    const ScoreDomain& domain = cell->domain;
    if (domain.kind != ScoreKind::Typed && domain.kind != ScoreKind::Derived)
        return KeyFilter::None;
    switch (domain.maximum) {
    case 1:
        return KeyFilter::ZeroToOne;
    case 2:
        return KeyFilter::ZeroToTwo;
    case 3:
        return KeyFilter::ZeroToThree;
    default:
        return KeyFilter::None;
    }
}

bool keyPasses(KeyFilter filter, const QString& keyText) {
    if (filter == KeyFilter::None)
        return true;
    // Only the digits of the domain: a sign or any other character would fill
    // the one-character box with a text that scores nothing.
    const int highest = highestDigit(filter);
    for (const QChar c : keyText) {
        if (c < QLatin1Char(' '))
            continue; // Backspace and other control keys
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || c.unicode() - u'0' > highest)
            return false;
    }
    return true;
}

bool keyAccepted(const QString& field, const QString& keyText) {
    return keyPasses(keyFilterFor(field), keyText);
}

} // namespace iksa
