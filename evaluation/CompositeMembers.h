#pragma once

#include "norms/NormTypes.h"

#include <QVector>

namespace iksa {

// Whether subtest `number` (1 … 14) enters the sum of scaled scores of a
// composite: VIQ holds the core verbal subtests, PIQ the core performance
// subtests, CIQ both, and each index the subtests the catalogue gives it.
// Skládání objektů enters none; there is no substitution of one subtest for
// another.
bool entersComposite(int number, Composite composite);

// The subtests of a composite's sum, in catalogue order.
QVector<int> compositeSubtests(Composite composite);

} // namespace iksa
