#include "evaluation/NormLookup.h"

#include "norms/CompiledNorms.h"

namespace iksa {

std::optional<int> NormLookup::Vekove_pasmo(int age) const {
    return set_.bandOf(AgeBandFamily::Scaled, age);
}

std::optional<int> NormLookup::Prevod_HS(TableSet set, int subtest, int raw) const {
    if (subtest < 1 || subtest > 14)
        return std::nullopt;
    for (const NormEntry& entry : set_.table(set, subtest))
        if (raw >= entry.first && raw <= entry.last)
            return entry.scaled;
    return std::nullopt;
}

std::optional<CompositeRow> NormLookup::Prevod_SVS(Composite composite, int sum) const {
    const auto& rows = set_.composite[static_cast<size_t>(composite)];
    const qsizetype index = sum - compositeInfo(composite).lowestSum();
    if (index < 0 || index >= rows.size() || rows[index].first != sum)
        return std::nullopt;
    return rows[index].second;
}

NormEntry NormLookup::lowestEntry(TableSet set, int subtest) const {
    if (subtest >= 1 && subtest <= 14)
        for (const NormEntry& entry : set_.table(set, subtest))
            if (entry.first >= 0)
                return entry;
    return {};
}

std::optional<int> Vekove_pasmo(int age) {
    return NormLookup(compiledNormSet()).Vekove_pasmo(age);
}

std::optional<int> Prevod_HS(TableSet set, int subtest, int raw) {
    return NormLookup(compiledNormSet()).Prevod_HS(set, subtest, raw);
}

std::optional<CompositeRow> Prevod_SVS(Composite composite, int sum) {
    return NormLookup(compiledNormSet()).Prevod_SVS(composite, sum);
}

} // namespace iksa
