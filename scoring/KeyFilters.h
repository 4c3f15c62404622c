#pragma once

#include <QString>

namespace iksa {

// The key filters of the typed score boxes. A filtered box takes only the
// digits from 0 to its highest score as typed keys; a sign, ",", "." or any
// other character is discarded. Keys without text (Backspace, Tab) pass.
enum class KeyFilter { None, ZeroToOne, ZeroToTwo, ZeroToThree };

// The filter of a field's box, from the highest score of its typed or derived
// score domain in the catalogue. Chosen scores, counts, times and responses
// have none.
KeyFilter keyFilterFor(const QString& field);

// Whether the filter lets the typed text through; control keys pass.
bool keyPasses(KeyFilter filter, const QString& keyText);

// keyPasses with the filter of the field's box.
bool keyAccepted(const QString& field, const QString& keyText);

} // namespace iksa
