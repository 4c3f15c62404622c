#pragma once

#include "norms/NormSet.h"

#include <QString>
#include <QStringList>

namespace iksa {

// Reads a norm set from its data files in a directory (a resource path such
// as ":/iksa/norms" or a directory on disk): set.json, age-bands.tsv,
// scaled.tsv, composite.tsv, deviation-norms.tsv, index-critical-values.tsv,
// index-base-rates.tsv, span-cumulative.tsv, span-difference-cumulative.tsv,
// symbol-option-thresholds.tsv. Lines starting with '#' are comments; fields
// are separated by tabs.
struct NormSetLoad {
    NormSet set;
    QStringList problems; // files or lines that could not be read, one text each
};

NormSetLoad loadNormSet(const QString& directory);

} // namespace iksa
