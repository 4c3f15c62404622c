#pragma once

#include <QString>

namespace iksa {

// Texts of bound boxes turned into numbers, as the record's rules need them.
// Each throws UserError with a Czech conversion message naming the text.

// A whole number: optional blanks, an optional sign, digits, optional blanks.
// The empty text is not a number (callers treat empty boxes themselves).
int toWholeNumber(const QString& text);

// A real number with a decimal point or comma.
double toRealNumber(const QString& text);

// The integer reading of a field text: empty reads as 0, otherwise as
// toWholeNumber (a real text is rounded to the nearest integer).
int fieldTextAsInteger(const QString& text);

} // namespace iksa
