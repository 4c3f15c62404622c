#pragma once

#include "norms/NormSet.h"

#include <optional>

namespace iksa {

// The norm lookups of the evaluation over one norm set.
class NormLookup {
public:
    explicit NormLookup(const NormSet& set)
        : set_(set) {}

    // Vekove_pasmo: the age band 1 … 9 of an age in whole years; none for an
    // age below 16 or above 100.
    std::optional<int> Vekove_pasmo(int age) const;

    // Prevod_HS: the scaled score of the entry whose raw range holds the raw
    // score; none where no entry holds it (above the maximum, negative other
    // than Skládání objektů's −1 in an age band, 0 … 7 of SO at 35–44).
    // subtest 1 … 14 in catalogue order.
    std::optional<int> Prevod_HS(TableSet set, int subtest, int raw) const;

    // Prevod_SVS: the row of the composite's table indexed by the sum; none
    // outside the index range.
    std::optional<CompositeRow> Prevod_SVS(Composite composite, int sum) const;

    // The first entry of a table within its domain (raw ≥ 0): what a raw score
    // without an entry is scored as by the evaluation.
    NormEntry lowestEntry(TableSet set, int subtest) const;

private:
    const NormSet& set_;
};

// The same lookups over the norm set built into the program (compiledNormSet()).
std::optional<int> Vekove_pasmo(int age);
std::optional<int> Prevod_HS(TableSet set, int subtest, int raw);
std::optional<CompositeRow> Prevod_SVS(Composite composite, int sum);

} // namespace iksa
