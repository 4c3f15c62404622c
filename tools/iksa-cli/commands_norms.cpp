// iksa-cli norms: the check of a norm set and listings of the built-in one.
#include "CliSupport.h"
#include "norms/CompiledNorms.h"
#include "norms/NormSetLoader.h"
#include "norms/NormValidator.h"
#include "scoring/Catalogue.h"

using namespace iksa;
using namespace iksa::cli;

namespace {

int entryCount(const NormSet& set) {
    int count = 0;
    for (const auto& tables : set.scaled)
        for (const NormTable& table : tables)
            count += table.size();
    return count;
}

// Validates the built-in set, or the data files in DIR (a replacement set
// before it is built in); prints a summary and every breach.
int check(const QStringList& args) {
    if (args.size() > 1)
        return usageError(QStringLiteral("norms"));
    const QString directory = args.isEmpty() ? compiledNormDirectory() : args.first();
    const NormSetLoad load = loadNormSet(directory);
    const QStringList problems = load.problems + validateNormSet(load.set);
    const NormSet& set = load.set;
    int compositeRows = 0;
    for (const auto& rows : set.composite)
        compositeRows += rows.size();
    out() << "Sada norem: " << set.name << (set.illustrative ? " (ilustrativní)" : " (licencovaná)")
          << Qt::endl
          << "Zdroj: " << directory << Qt::endl
          << "Tabulky vážených skórů: " << TableSet::Count * 14 << ", záznamů " << entryCount(set)
          << Qt::endl
          << "Složené skóry: " << compositeRows << " řádků" << Qt::endl
          << "DeviationNorms: " << set.deviationNorms.size()
          << ", IndexCriticalValues: " << set.indexCriticalValues.size()
          << ", IndexBaseRates: " << set.indexBaseRates.size()
          << ", SpanCumulative: " << set.spanForward.size() + set.spanBackward.size()
          << ", SpanDifferenceCumulative: " << set.spanDifference.size()
          << ", SymbolOptionThresholds: " << set.symbolThresholds.size() << Qt::endl;
    for (const QString& problem : problems)
        out() << problem << Qt::endl;
    out() << (problems.isEmpty() ? QStringLiteral("Bez chyb.")
                                 : QStringLiteral("Chyb: %1").arg(problems.size()))
          << Qt::endl;
    return problems.isEmpty() ? 0 : 1;
}

// SET SUBTEST FIRST LAST SCALED, table by table.
int scaled(const QStringList& args) {
    if (!args.isEmpty())
        return usageError(QStringLiteral("norms"));
    const NormSet& set = compiledNormSet();
    for (int index = 0; index < TableSet::Count; ++index) {
        const TableSet tableSet = *TableSet::fromIndex(index);
        for (const Subtest& subtest : Catalogue::instance().subtests())
            for (const NormEntry& entry : set.table(tableSet, subtest.number))
                out() << tableSet.code() << ' ' << subtest.code << ' ' << entry.first << ' '
                      << entry.last << ' ' << entry.scaled << '\n';
    }
    return 0;
}

// COMPOSITE SUM SCORE<TAB>PERCENTILE<TAB>CI90<TAB>CI95, row by row.
int composite(const QStringList& args) {
    if (!args.isEmpty())
        return usageError(QStringLiteral("norms"));
    const NormSet& set = compiledNormSet();
    for (const CompositeInfo& info : compositeInfos())
        for (const auto& [sum, row] : set.composite[static_cast<size_t>(info.composite)])
            out() << info.code << ' ' << sum << ' ' << row.score << '\t' << row.percentile << '\t'
                  << row.ci90 << '\t' << row.ci95 << '\n';
    return 0;
}

int normsCommand(const QStringList& args) {
    const QString action = args.value(0);
    if (action == QLatin1String("check"))
        return check(args.mid(1));
    if (action == QLatin1String("scaled"))
        return scaled(args.mid(1));
    if (action == QLatin1String("composite"))
        return composite(args.mid(1));
    return usageError(QStringLiteral("norms"));
}

const CommandRegistration
    normsRegistration({QStringLiteral("norms"),
                       QStringLiteral("norms check [DIR] | scaled | composite"), normsCommand});

} // namespace
