#include "evaluation/MeanBases.h"

#include <algorithm>

namespace iksa {

namespace {

// Rows as bit masks, row 1 in bit 0.
constexpr quint16 allRows = 0x3fff;
constexpr quint16 without(quint16 mask, std::initializer_list<int> rows) {
    for (const int row : rows)
        mask = static_cast<quint16>(mask & ~(1U << (row - 1)));
    return mask;
}

} // namespace

const std::array<MeanBasis, MeanBasisCount>& meanBases() {
    static const std::array<MeanBasis, MeanBasisCount> bases{{
        {"Průměr 7 verbálních + průměr 7 performačních subtestů",
         "Tabulka  7 verbálních subtestů  + 7 performačních subtestů", allRows, true},
        {"Průměr 6 verbálních + průměr 5 performačních subtestů",
         "Tabulka  6 verbálních subtestů + 5 performačních subtestů", without(allRows, {7, 13, 14}),
         true},
        {"Průměr 11 IQ subtesů", "Tabulka  11 IQ subtestů", without(allRows, {7, 13, 14}), false},
        {"Průměr 11 Indexových subtestů", "Tabulka  11 IN subtestů", without(allRows, {6, 12, 14}),
         false},
        {"Průměr 13 subtestů", "Tabulka  13 subtestů", without(allRows, {14}), false},
        {"Průměr 14 subtestů", "Tabulka  14 subtestů", allRows, false},
    }};
    return bases;
}

const MeanBasis& meanBasis(int basis) {
    return meanBases()[static_cast<size_t>(std::clamp(basis, 0, MeanBasisCount - 1))];
}

} // namespace iksa
