#pragma once

#include "norms/NormSet.h"

#include <QString>

namespace iksa {

// The resource directory of the norm set built into the program
// (norms/data/ at build time).
QString compiledNormDirectory();

// A norm set that meets every rule, read from a directory; throws UserError
// naming the number of breaches and the first one.
NormSet loadCheckedNormSet(const QString& directory);

// The built-in norm set, loaded and validated on first use. Throws UserError
// when it cannot be read or breaks a rule (a data set replaced without
// running the tests), every time it is asked for.
const NormSet& compiledNormSet();

// The notice shown while the built-in set is illustrative: lower case for the
// main window's caption and the about box, capitalised for the protocol
// pages; empty for a licensed set.
QString illustrativeNormsNotice(); // "ilustrativní normy – nejsou určeny pro klinické použití"
QString illustrativeNormsPageNotice(); // "Ilustrativní normy – nejsou určeny pro klinické použití"

} // namespace iksa
