#pragma once

#include "norms/NormSet.h"

#include <QStringList>

namespace iksa {

// Checks a norm set against every structural rule of the norm data: the age
// bands, the 140 tables (contiguous entries over 0 … maximum with rising
// scaled scores in 1 … 19, raw 0 → 1 first, the Skládání objektů exceptions,
// the groups of identical tables and all other tables different), the 601
// composite rows with their index ranges and text widths, and the sizes,
// orders and text forms of the report tables. Returns one text per breach;
// empty when the set is sound.
QStringList validateNormSet(const NormSet& set);

} // namespace iksa
