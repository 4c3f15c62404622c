#include "evaluation/CompositeMembers.h"

#include "scoring/Catalogue.h"

namespace iksa {

bool entersComposite(int number, Composite composite) {
    const Subtest& subtest = Catalogue::instance().subtest(number);
    const bool core = subtest.role == SubtestRole::Core;
    const auto ofIndex = [&](const char* index) { return subtest.index == QLatin1String(index); };
    switch (composite) {
    case Composite::VIQ:
        return core && subtest.scale == Scale::Verbal;
    case Composite::PIQ:
        return core && subtest.scale == Scale::Performance;
    case Composite::CIQ:
        return core;
    case Composite::IVP:
        return ofIndex("VP");
    case Composite::IPU:
        return ofIndex("PU");
    case Composite::IPP:
        return ofIndex("PP");
    case Composite::IRZ:
        return ofIndex("RZ");
    }
    return false;
}

QVector<int> compositeSubtests(Composite composite) {
    QVector<int> numbers;
    for (const Subtest& subtest : Catalogue::instance().subtests())
        if (entersComposite(subtest.number, composite))
            numbers.append(subtest.number);
    return numbers;
}

} // namespace iksa
