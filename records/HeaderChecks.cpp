#include "HeaderChecks.h"

namespace iksa {

namespace {

struct AgeReading {
    qint64 value = 0;
    bool clean = false; // the whole text was a number
};

// Leading blanks, an optional sign, digits; reading stops at the first
// character that does not belong to the number.
AgeReading readAge(const QString& text) {
    AgeReading reading;
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        if (reading.value < 1'000'000'000)
            reading.value = reading.value * 10 + (text[i].unicode() - u'0');
        ++i;
    }
    if (negative)
        reading.value = -reading.value;
    reading.clean = i > digitsStart && i == text.size();
    return reading;
}

} // namespace

QStringList ageCheckMessages(const QString& ageText) {
    const AgeReading age = readAge(ageText);
    QStringList messages;
    if (!age.clean)
        messages.append(QStringLiteral("Špatný věk !!"));
    if (age.value < 16)
        messages.append(QStringLiteral("Věk  je menší jak 16 let!!"));
    if (age.value > 105)
        messages.append(QStringLiteral("Věk  je větší jak 105 let!!"));
    return messages;
}

KeyVerdict dateKeyFilter(const QString& currentText, QChar key) {
    KeyVerdict verdict;
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    if (key == QLatin1Char('\b'))
        return verdict;
    if (key == QLatin1Char('.')) {
        const qsizetype length = currentText.size();
        verdict.accept = length != 0 && !(length >= 7 && length <= 10);
        return verdict;
    }
    if (!digit) {
        verdict.accept = false;
        return verdict;
    }
    if (currentText.size() >= 7 && currentText.count(QLatin1Char('.')) >= 3)
        verdict.message = QStringLiteral("Špatně  zadané datum :") + currentText;
    return verdict;
}

} // namespace iksa
