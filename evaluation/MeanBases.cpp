#include "evaluation/MeanBases.h"

#include <algorithm>

namespace iksa {

const std::array<MeanBasis, MeanBasisCount>& meanBases() {
    const std::array<quint16, MeanBasisCount>& rows = meanBasisRows();
    static const std::array<MeanBasis, MeanBasisCount> bases{{
        {"Průměr 7 verbálních + průměr 7 performačních subtestů",
         "Tabulka  7 verbálních subtestů  + 7 performačních subtestů", rows[0], true},
        {"Průměr 6 verbálních + průměr 5 performačních subtestů",
         "Tabulka  6 verbálních subtestů + 5 performačních subtestů", rows[1], true},
        {"Průměr 11 IQ subtesů", "Tabulka  11 IQ subtestů", rows[2], false},
        {"Průměr 11 Indexových subtestů", "Tabulka  11 IN subtestů", rows[3], false},
        {"Průměr 13 subtestů", "Tabulka  13 subtestů", rows[4], false},
        {"Průměr 14 subtestů", "Tabulka  14 subtestů", rows[5], false},
    }};
    return bases;
}

const MeanBasis& meanBasis(int basis) {
    return meanBases()[static_cast<size_t>(std::clamp(basis, 0, MeanBasisCount - 1))];
}

} // namespace iksa
