#pragma once

#include <QString>

namespace iksa {

// The key filters of the typed score boxes. A filtered box discards ",", "."
// and every digit above its highest score; any other key goes on to the box,
// whose numeric field then takes only digits and a sign.
enum class KeyFilter { None, ZeroToOne, ZeroToTwo, ZeroToThree };

// The filter of a field's box, from the highest score of its typed or derived
// score domain in the catalogue. Chosen scores, counts, times and responses
// have none.
KeyFilter keyFilterFor(const QString& field);

// Whether the filter lets the typed text through; control keys (no text) pass.
bool keyPasses(KeyFilter filter, const QString& keyText);

// keyPasses with the filter of the field's box.
bool keyAccepted(const QString& field, const QString& keyText);

} // namespace iksa
