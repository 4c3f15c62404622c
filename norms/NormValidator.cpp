#include "norms/NormValidator.h"

#include "scoring/Catalogue.h"

#include <QHash>
#include <QRegularExpression>

namespace iksa {

namespace {

// The structure of the battery's norms, fixed by the test's design; the data
// files supply the values within it.

struct ExpectedBands {
    AgeBandFamily family;
    QVector<int> firstAges;
    int lastAge;      // the last band ends here …
    bool lastAtLeast; // … or at any later age
};

const QVector<ExpectedBands>& expectedBands() {
    static const QVector<ExpectedBands> bands{
        {AgeBandFamily::Scaled, {16, 18, 20, 25, 30, 35, 45, 55, 60}, 100, false},
        {AgeBandFamily::Comparison, {16, 18, 20, 25, 30, 35, 45, 55, 60}, 100, true},
        {AgeBandFamily::Span, {16, 18, 20, 25, 30, 35, 45, 55, 60}, 100, true},
        {AgeBandFamily::Symbol, {16, 18, 20, 25, 30, 35, 45, 55, 65, 70, 75, 80, 85}, 100, true},
    };
    return bands;
}

// Tables with identical contents: a subtest and its table sets.
struct IdenticalGroup {
    const char* subtest;
    QStringList sets;
};

const QVector<IdenticalGroup>& identicalGroups() {
    static const QVector<IdenticalGroup> groups{
        {"DO", {"1", "2"}},
        {"DO", {"4", "R"}},
        {"SL", {"4", "R"}},
        {"POD", {"4", "R"}},
        {"KOS", {"3", "4"}},
        {"POC", {"3", "4", "5", "R"}},
        {"MAT", {"3", "R"}},
        {"INF", {"4", "R"}},
        {"ROB", {"3", "4", "R"}},
        {"POR", {"4", "R"}},
        {"RPC", {"3", "4", "5", "R"}},
    };
    return groups;
}

// Skládání objektů: the subtest with the "not administered" entry −1 → 0 in
// every age band, whose table at 35–44 begins at raw score 8.
const QString NotAdministeredCode = QStringLiteral("SO");
constexpr int LateStartBand = 6;
constexpr int LateStartRaw = 8;

constexpr int LowestCompositeScore = 43;
constexpr int HighestCompositeScore = 156;
constexpr int PercentileWidth = 6;
constexpr int IntervalWidth = 9;

constexpr int ComparisonCount = 7;
constexpr int LargestBaseRateDifference = 40;

class Validator {
public:
    explicit Validator(const NormSet& set)
        : set_(set)
        , catalogue_(Catalogue::instance()) {}

    QStringList run() {
        if (set_.name.trimmed().isEmpty())
            breach(QStringLiteral("Sada norem nemá název"));
        checkAgeBands();
        checkScaledTables();
        checkIdenticalTables();
        checkComposites();
        checkDeviationNorms();
        checkCriticalValues();
        checkBaseRates();
        checkSpans();
        checkSymbolThresholds();
        return breaches_;
    }

private:
    void breach(const QString& text) { breaches_.append(text); }

    int bandCount(AgeBandFamily family) const {
        for (const ExpectedBands& expected : expectedBands())
            if (expected.family == family)
                return expected.firstAges.size();
        return 0;
    }

    void checkAgeBands() {
        for (const ExpectedBands& expected : expectedBands()) {
            const QVector<AgeBand>& bands = set_.bands(expected.family);
            const QString where =
                QStringLiteral("Pásma věku \"%1\"").arg(ageBandFamilyCode(expected.family));
            if (bands.size() != expected.firstAges.size()) {
                breach(QStringLiteral("%1: %2 pásem místo %3")
                           .arg(where)
                           .arg(bands.size())
                           .arg(expected.firstAges.size()));
                continue;
            }
            for (int i = 0; i < bands.size(); ++i) {
                const AgeBand& band = bands[i];
                const int expectedLast =
                    i + 1 < bands.size() ? expected.firstAges[i + 1] - 1 : expected.lastAge;
                const bool lastOk = i + 1 == bands.size() && expected.lastAtLeast
                                        ? band.lastAge >= expectedLast
                                        : band.lastAge == expectedLast;
                if (band.number != i + 1 || band.firstAge != expected.firstAges[i] || !lastOk)
                    breach(QStringLiteral("%1: pásmo %2 (%3–%4) neodpovídá pásmu %5 od %6 let")
                               .arg(where)
                               .arg(band.number)
                               .arg(band.firstAge)
                               .arg(band.lastAge)
                               .arg(i + 1)
                               .arg(expected.firstAges[i]));
            }
        }
    }

    void checkScaledTables() {
        for (int index = 0; index < TableSet::Count; ++index)
            for (const Subtest& subtest : catalogue_.subtests())
                checkScaledTable(*TableSet::fromIndex(index), subtest);
    }

    void checkScaledTable(TableSet tableSet, const Subtest& subtest) {
        const NormTable& table = set_.table(tableSet, subtest.number);
        const QString where = QStringLiteral("Tabulka %1 %2").arg(tableSet.code(), subtest.code);
        if (table.isEmpty()) {
            breach(where + QStringLiteral(": chybí"));
            return;
        }
        const bool notAdministeredEntry =
            subtest.code == NotAdministeredCode && !tableSet.isReference();
        int i = 0;
        if (notAdministeredEntry) {
            if (table[0] == NormEntry{-1, -1, 0})
                i = 1;
            else
                breach(where + QStringLiteral(": chybí záznam −1 → 0 (neadministrován)"));
        }
        if (i >= table.size()) {
            breach(where + QStringLiteral(": nemá záznamy pro hrubé skóry od 0"));
            return;
        }
        const bool lateStart =
            subtest.code == NotAdministeredCode && tableSet == TableSet::band(LateStartBand);
        const int start = lateStart ? LateStartRaw : 0;
        if (table[i].first < 0)
            breach(where +
                   QStringLiteral(": má záznam pro záporný hrubý skór %1").arg(table[i].first));
        else if (table[i].first != start)
            breach(where + QStringLiteral(": začíná hrubým skórem %1 místo %2")
                               .arg(table[i].first)
                               .arg(start));
        if (!lateStart && table[i].scaled != 1)
            breach(
                where +
                QStringLiteral(": první záznam dává vážený skór %1 místo 1").arg(table[i].scaled));
        for (int k = i; k < table.size(); ++k) {
            const NormEntry& entry = table[k];
            const QString range = QStringLiteral("%1–%2").arg(entry.first).arg(entry.last);
            if (entry.first > entry.last)
                breach(where + QStringLiteral(": záznam %1 má obrácený rozsah").arg(range));
            if (entry.scaled < 1 || entry.scaled > 19)
                breach(where + QStringLiteral(": záznam %1 dává vážený skór %2 mimo 1…19")
                                   .arg(range)
                                   .arg(entry.scaled));
            if (k == i)
                continue;
            const NormEntry& previous = table[k - 1];
            if (entry.first != previous.last + 1)
                breach(where + QStringLiteral(": záznam %1 nenavazuje na %2–%3")
                                   .arg(range)
                                   .arg(previous.first)
                                   .arg(previous.last));
            if (entry.scaled <= previous.scaled)
                breach(where + QStringLiteral(": vážený skór %1 v záznamu %2 nestoupá (předtím %3)")
                                   .arg(entry.scaled)
                                   .arg(range)
                                   .arg(previous.scaled));
        }
        if (table.last().last != subtest.maximum)
            breach(where + QStringLiteral(": končí hrubým skórem %1 místo maxima %2")
                               .arg(table.last().last)
                               .arg(subtest.maximum));
    }

    void checkIdenticalTables() {
        // Group number of each (set, subtest) that belongs to a group.
        QHash<QString, int> group;
        for (int g = 0; g < identicalGroups().size(); ++g) {
            const IdenticalGroup& identical = identicalGroups()[g];
            const Subtest* subtest = catalogue_.byCode(QLatin1String(identical.subtest));
            if (!subtest)
                continue;
            const TableSet first = *TableSet::fromCode(identical.sets.first());
            for (const QString& code : identical.sets) {
                group.insert(code + QLatin1Char(' ') + subtest->code, g);
                const TableSet other = *TableSet::fromCode(code);
                if (set_.table(other, subtest->number) != set_.table(first, subtest->number))
                    breach(QStringLiteral("Tabulky %1 %3 a %2 %3 se mají shodovat")
                               .arg(first.code(), other.code(), subtest->code));
            }
        }
        struct Key {
            QString name;
            const NormTable* table;
        };
        QVector<Key> keys;
        for (int index = 0; index < TableSet::Count; ++index)
            for (const Subtest& subtest : catalogue_.subtests()) {
                const TableSet tableSet = *TableSet::fromIndex(index);
                const NormTable& table = set_.table(tableSet, subtest.number);
                if (!table.isEmpty())
                    keys.append({tableSet.code() + QLatin1Char(' ') + subtest.code, &table});
            }
        for (int a = 0; a < keys.size(); ++a)
            for (int b = a + 1; b < keys.size(); ++b) {
                if (*keys[a].table != *keys[b].table)
                    continue;
                const int groupA = group.value(keys[a].name, -1);
                if (groupA >= 0 && groupA == group.value(keys[b].name, -2))
                    continue;
                breach(QStringLiteral("Tabulky %1 a %2 jsou shodné, mají se lišit")
                           .arg(keys[a].name, keys[b].name));
            }
    }

    void checkComposites() {
        static const QRegularExpression percentile(
            QStringLiteral("^(\\d{1,2}(,\\d)?|[<>] ?\\d{1,2},\\d)$"));
        int rows = 0;
        for (const CompositeInfo& info : compositeInfos()) {
            const auto& table = set_.composite[static_cast<size_t>(info.composite)];
            const QString where = QStringLiteral("Složený skór %1").arg(QLatin1String(info.code));
            rows += table.size();
            if (table.size() != info.rowCount())
                breach(QStringLiteral("%1: %2 řádků místo %3 (součty %4…%5)")
                           .arg(where)
                           .arg(table.size())
                           .arg(info.rowCount())
                           .arg(info.lowestSum())
                           .arg(info.highestSum()));
            for (int k = 0; k < table.size(); ++k) {
                const auto& [sum, row] = table[k];
                if (sum != info.lowestSum() + k) {
                    breach(QStringLiteral("%1: řádek %2 má součet %3 místo %4")
                               .arg(where)
                               .arg(k + 1)
                               .arg(sum)
                               .arg(info.lowestSum() + k));
                    break; // the rows after it are shifted as well
                }
            }
            for (const auto& [sum, row] : table) {
                const QString at = QStringLiteral("%1, součet %2").arg(where).arg(sum);
                if (row.score < LowestCompositeScore || row.score > HighestCompositeScore)
                    breach(QStringLiteral("%1: skór %2 mimo %3…%4")
                               .arg(at)
                               .arg(row.score)
                               .arg(LowestCompositeScore)
                               .arg(HighestCompositeScore));
                if (row.percentile.size() > PercentileWidth ||
                    !percentile.match(row.percentile).hasMatch())
                    breach(QStringLiteral("%1: percentil \"%2\" není text šíře nejvýš %3 ve tvaru "
                                          "\"50\", \"0,4\", \"<0,1\", \"> 99,9\"")
                               .arg(at, row.percentile)
                               .arg(PercentileWidth));
                checkInterval(at, QStringLiteral("90 %"), row.ci90);
                checkInterval(at, QStringLiteral("95 %"), row.ci95);
            }
        }
        constexpr int expectedRows = 601;
        if (rows != expectedRows)
            breach(QStringLiteral("Složené skóry: %1 řádků místo %2").arg(rows).arg(expectedRows));
    }

    void checkInterval(const QString& at, const QString& level, const QString& text) {
        static const QRegularExpression interval(QStringLiteral("^(\\d+) *- *(\\d+)$"));
        const QRegularExpressionMatch match = interval.match(text);
        if (text.size() > IntervalWidth || !match.hasMatch() ||
            match.captured(1).toInt() > match.captured(2).toInt())
            breach(QStringLiteral("%1: interval %2 \"%3\" není text šíře nejvýš %4 ve tvaru "
                                  "\"a - b\" s a ≤ b")
                       .arg(at, level, text)
                       .arg(IntervalWidth));
    }

    void checkDeviationNorms() {
        QSet<std::pair<int, int>> expected;
        for (int basis = 0; basis < MeanBasisCount; ++basis)
            for (int row = 1; row <= AnalysisRowCount; ++row) {
                if (!((meanBasisRows()[static_cast<size_t>(basis)] >> (row - 1)) & 1U))
                    continue;
                expected.insert({basis, row});
                const QString where =
                    QStringLiteral("DeviationNorms báze %1 řádek %2").arg(basis).arg(row);
                const std::optional<DeviationRecord> record = set_.deviationRecord(basis, row);
                if (!record) {
                    breach(where + QStringLiteral(": chybí"));
                    continue;
                }
                const DeviationRecord& r = *record;
                if (!(r[0] > 0 && r[0] <= r[1]))
                    breach(where +
                           QStringLiteral(": kritické hodnoty %1 (0.15) a %2 (0.05) nejsou kladné "
                                          "a vzestupné")
                               .arg(r[0])
                               .arg(r[1]));
                for (size_t i = 2; i < 6; ++i)
                    if (!(r[i] > r[i + 1]) || r[6] <= 0) {
                        breach(where +
                               QStringLiteral(": prahy 1 % … 25 % nejsou kladné a klesající"));
                        break;
                    }
            }
        for (auto it = set_.deviationNorms.constBegin(); it != set_.deviationNorms.constEnd(); ++it)
            if (!expected.contains(it.key()))
                breach(QStringLiteral("DeviationNorms: nadbytečný záznam báze %1 řádku %2")
                           .arg(it.key().first)
                           .arg(it.key().second));
    }

    void checkCriticalValues() {
        static const QRegularExpression form(QStringLiteral("^(\\d+\\.\\d+) - (\\d+\\.\\d+)$"));
        const int groups = bandCount(AgeBandFamily::Comparison);
        for (int k = 1; k <= ComparisonCount; ++k)
            for (int g = 1; g <= groups; ++g) {
                const QString text = set_.indexCriticalValue(k, g);
                const QRegularExpressionMatch match = form.match(text);
                if (!match.hasMatch() ||
                    match.captured(1).toDouble() > match.captured(2).toDouble())
                    breach(QStringLiteral("IndexCriticalValues srovnání %1 skupina %2: \"%3\" není "
                                          "ve tvaru \"a - b\" (0.15 - 0.05) s desetinnou tečkou")
                               .arg(k)
                               .arg(g)
                               .arg(text));
            }
        checkKeys(QStringLiteral("IndexCriticalValues"), set_.indexCriticalValues, 1,
                  ComparisonCount, 1, groups);
    }

    void checkBaseRates() {
        static const QRegularExpression form(QStringLiteral("^\\d+(\\.\\d+)?$"));
        for (int k = 1; k <= ComparisonCount; ++k) {
            const QStringList list = set_.indexBaseRateList(k);
            const QString where = QStringLiteral("IndexBaseRates srovnání %1").arg(k);
            double previous = -1;
            for (int position = 0; position < list.size(); ++position) {
                const QString& text = list[position];
                const int difference = LargestBaseRateDifference - position;
                if (!form.match(text).hasMatch() || text.toDouble() > 100) {
                    breach(QStringLiteral("%1, rozdíl %2: \"%3\" není procento s desetinnou tečkou")
                               .arg(where)
                               .arg(difference)
                               .arg(text));
                    continue;
                }
                if (text.toDouble() < previous)
                    breach(QStringLiteral("%1, rozdíl %2: %3 klesá")
                               .arg(where)
                               .arg(difference)
                               .arg(text));
                previous = text.toDouble();
            }
            if (list.last().toDouble() != 100)
                breach(where + QStringLiteral(": rozdíl 0 nedává 100 %"));
        }
        checkKeys(QStringLiteral("IndexBaseRates"), set_.indexBaseRates, 1, ComparisonCount, 0,
                  LargestBaseRateDifference);
    }

    void checkSpans() {
        const int bands = bandCount(AgeBandFamily::Span);
        for (int band = 1; band <= bands; ++band) {
            checkCumulative(QStringLiteral("SpanCumulative pásmo %1 dopředu").arg(band),
                            set_.spanCumulativeList(band, SpanDirection::Forward));
            checkCumulative(QStringLiteral("SpanCumulative pásmo %1 dozadu").arg(band),
                            set_.spanCumulativeList(band, SpanDirection::Backward));
            checkCumulative(QStringLiteral("SpanDifferenceCumulative pásmo %1").arg(band),
                            set_.spanDifferenceCumulativeList(band));
        }
        checkKeys(QStringLiteral("SpanCumulative dopředu"), set_.spanForward, 1, bands, 0, 9);
        checkKeys(QStringLiteral("SpanCumulative dozadu"), set_.spanBackward, 1, bands, 0, 9);
        checkKeys(QStringLiteral("SpanDifferenceCumulative"), set_.spanDifference, 1, bands, -6, 7);
    }

    // A list of cumulative percentages: "-" for values the sample does not
    // have, one run of percentages with a decimal comma rising to 100.
    void checkCumulative(const QString& where, const QStringList& list) {
        static const QRegularExpression form(QStringLiteral("^\\d+,\\d+$"));
        int firstNumber = -1;
        int lastNumber = -1;
        double previous = -1;
        for (int i = 0; i < list.size(); ++i) {
            const QString& text = list[i];
            if (text == QLatin1String("-"))
                continue;
            const double value =
                QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            if (!form.match(text).hasMatch() || value > 100) {
                breach(QStringLiteral("%1, pozice %2: \"%3\" není \"-\" ani procento s desetinnou "
                                      "čárkou")
                           .arg(where)
                           .arg(i)
                           .arg(text));
                return;
            }
            if (value < previous)
                breach(QStringLiteral("%1, pozice %2: %3 klesá").arg(where).arg(i).arg(text));
            if (lastNumber >= 0 && lastNumber != i - 1)
                breach(QStringLiteral("%1: \"-\" uprostřed procent").arg(where));
            if (firstNumber < 0)
                firstNumber = i;
            lastNumber = i;
            previous = value;
        }
        if (firstNumber < 0)
            breach(where + QStringLiteral(": žádné procento"));
        else if (previous != 100)
            breach(where + QStringLiteral(": poslední procento není 100"));
    }

    void checkSymbolThresholds() {
        const int bands = bandCount(AgeBandFamily::Symbol);
        for (int band = 1; band <= bands; ++band)
            for (int p = 0; p < 3; ++p) {
                const auto procedure = static_cast<SymbolProcedure>(p);
                const QString field = symbolProcedureField(procedure);
                const QString where =
                    QStringLiteral("SymbolOptionThresholds pásmo %1 %2").arg(band).arg(field);
                if (!set_.symbolThresholds.contains({band, p})) {
                    breach(where + QStringLiteral(": chybí"));
                    continue;
                }
                const SymbolThresholds t = set_.symbolOptionThresholds(band, procedure);
                const int maximum = fieldMaximum(field);
                bool ok = t[0] >= 0 && t[5] <= maximum;
                for (size_t i = 1; i < t.size(); ++i)
                    ok = ok && t[i - 1] <= t[i];
                if (!ok)
                    breach(where + QStringLiteral(": prahy nejsou vzestupné v 0…%1").arg(maximum));
            }
        checkKeys(QStringLiteral("SymbolOptionThresholds"), set_.symbolThresholds, 1, bands, 0, 2);
    }

    // The maximum of an entry field of the subtest pages (the optional
    // digit-symbol scores).
    int fieldMaximum(const QString& field) const {
        for (const Subtest& subtest : catalogue_.subtests())
            for (const FieldGroup& group : subtest.groups)
                for (const GroupField& groupField : group.fields)
                    if (groupField.field == field)
                        return groupField.maximum;
        return 0;
    }

    template <typename Map>
    void checkKeys(const QString& where, const Map& map, int firstLow, int firstHigh, int secondLow,
                   int secondHigh) {
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            const auto& [first, second] = it.key();
            if (first < firstLow || first > firstHigh || second < secondLow || second > secondHigh)
                breach(QStringLiteral("%1: nadbytečná položka (%2, %3)")
                           .arg(where)
                           .arg(first)
                           .arg(second));
        }
    }

    const NormSet& set_;
    const Catalogue& catalogue_;
    QStringList breaches_;
};

} // namespace

QStringList validateNormSet(const NormSet& set) {
    return Validator(set).run();
}

} // namespace iksa
