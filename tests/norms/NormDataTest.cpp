#include "TestSupport.h"
#include "norms/CompiledNorms.h"
#include "norms/NormSetLoader.h"
#include "norms/NormValidator.h"
#include "records/UserError.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace iksa;

namespace {

QStringList problemsOf(const QString& directory) {
    NormSetLoad load = loadNormSet(directory);
    return load.problems + validateNormSet(load.set);
}

TEST(NormData, ShippedSetMeetsEveryRule) {
    EXPECT_EQ(problemsOf(compiledNormDirectory()), QStringList());
    // The files in the source tree are what the program holds.
    EXPECT_EQ(problemsOf(test::sourcePath(QStringLiteral("norms/data"))), QStringList());
    const NormSet& set = compiledNormSet();
    EXPECT_FALSE(set.name.isEmpty());
    EXPECT_TRUE(set.illustrative);
}

TEST(NormData, IllustrativeSetCarriesItsNotice) {
    EXPECT_EQ(illustrativeNormsNotice(),
              QStringLiteral("ilustrativní normy – nejsou určeny pro klinické použití"));
    EXPECT_EQ(illustrativeNormsPageNotice(),
              QStringLiteral("Ilustrativní normy – nejsou určeny pro klinické použití"));
}

TEST(NormData, QuotedReportValuesAreInTheData) {
    const NormSet& set = compiledNormSet();
    EXPECT_EQ(set.deviationRecord(0, 1),
              (DeviationRecord{1.77, 2.10, 4.00, 3.57, 3.00, 2.43, 1.71}));
    EXPECT_EQ(set.indexCriticalValue(1, 1), QStringLiteral("12.69 - 17.27"));
    const QStringList rates = set.indexBaseRateList(1);
    ASSERT_EQ(rates.size(), 41);
    EXPECT_EQ(rates.mid(0, 4), (QStringList{"0.2", "0.2", "0.2", "0.3"}));
    EXPECT_EQ(rates.mid(38), (QStringList{"86.6", "94.4", "100.00"}));
    EXPECT_EQ(set.spanCumulativeList(1, SpanDirection::Forward),
              (QStringList{"-", "-", "-", "3,60", "9,10", "61,80", "83,60", "100,0", "-", "-"}));
    EXPECT_EQ(set.spanDifferenceCumulativeList(1),
              (QStringList{"-", "-", "-", "-", "2,44", "7,30", "43,60", "72,70", "94,50", "96,40",
                           "100,0", "-", "-", "-"}));
    EXPECT_EQ(set.symbolOptionThresholds(1, SymbolProcedure::Pairing),
              (SymbolThresholds{2, 4, 7, 9, 13, 15}));
    EXPECT_EQ(set.symbolOptionThresholds(1, SymbolProcedure::FreeRecall),
              (SymbolThresholds{3, 5, 6, 6, 7, 8}));
    EXPECT_EQ(set.symbolOptionThresholds(1, SymbolProcedure::Copy),
              (SymbolThresholds{40, 63, 81, 92, 109, 124}));
    // Sizes: 74 deviation records, 7 × 9 critical texts, 7 × 41 base rates.
    EXPECT_EQ(set.deviationNorms.size(), 74);
    EXPECT_EQ(set.indexCriticalValues.size(), 63);
    EXPECT_EQ(set.indexBaseRates.size(), 287);
    EXPECT_FALSE(set.deviationRecord(1, 7)); // RPC is not in basis 1
}

TEST(NormData, ReportBandSelections) {
    const NormSet& set = compiledNormSet();
    struct Case {
        AgeBandFamily family;
        int age;
        std::optional<int> band;
        int nearest;
    };
    const Case cases[] = {
        {AgeBandFamily::Span, 15, std::nullopt, 1},
        {AgeBandFamily::Span, 16, 1, 1},
        {AgeBandFamily::Span, 59, 8, 8},
        {AgeBandFamily::Span, 60, 9, 9},
        {AgeBandFamily::Span, 100, 9, 9},
        {AgeBandFamily::Span, 101, std::nullopt, 9},
        {AgeBandFamily::Comparison, 17, 1, 1},
        {AgeBandFamily::Comparison, 18, 2, 2},
        {AgeBandFamily::Symbol, 64, 8, 8},
        {AgeBandFamily::Symbol, 65, 9, 9},
        {AgeBandFamily::Symbol, 85, 13, 13},
        {AgeBandFamily::Symbol, 101, 13, 13},
        {AgeBandFamily::Symbol, 102, std::nullopt, 13},
        {AgeBandFamily::Symbol, 0, std::nullopt, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ageBandFamilyCode(c.family).toStdString() + " " + std::to_string(c.age));
        EXPECT_EQ(set.bandOf(c.family, c.age), c.band);
        EXPECT_EQ(set.nearestBandOf(c.family, c.age), c.nearest);
    }
}

// A copy of the shipped data with one deliberate fault.
struct Breakage {
    const char* name;
    const char* file;
    const char* from; // text replaced once ("" with to "": the file is removed)
    const char* to;
    const char* breach; // part of the expected breach text
};

class BrokenCopy : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenCopy, IsRejected) {
    const Breakage& b = GetParam();
    test::TempDir dir;
    const QDir source(test::sourcePath(QStringLiteral("norms/data")));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), dir.file(name)));
    const QString path = dir.file(QString::fromUtf8(b.file));
    if (*b.from == 0) {
        ASSERT_TRUE(QFile::remove(path));
    } else {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        const QString from = QString::fromUtf8(b.from);
        ASSERT_EQ(text.count(from), 1) << b.from;
        text.replace(from, QString::fromUtf8(b.to));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    EXPECT_THROW(loadCheckedNormSet(dir.path()), UserError);
    const QStringList problems = problemsOf(dir.path());
    const QString expected = QString::fromUtf8(b.breach);
    EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                            [&](const QString& p) { return p.contains(expected); }))
        << "expected \"" << b.breach << "\" in:\n"
        << problems.join(QLatin1Char('\n')).toStdString();
}

const Breakage breakages[] = {
    {"Gap", "scaled.tsv", "\n1\tSL\t6\t8\t2\n", "\n1\tSL\t7\t8\t2\n",
     "Tabulka 1 SL: záznam 7–8 nenavazuje na 0–5"},
    {"ScaledNotRising", "scaled.tsv", "\n1\tSL\t9\t12\t3\n", "\n1\tSL\t9\t12\t2\n",
     "Tabulka 1 SL: vážený skór 2 v záznamu 9–12 nestoupá"},
    {"BeyondMaximum", "scaled.tsv", "\n1\tSL\t65\t66\t19\n", "\n1\tSL\t65\t67\t19\n",
     "Tabulka 1 SL: končí hrubým skórem 67 místo maxima 66"},
    {"ShortOfMaximum", "scaled.tsv", "\n1\tSL\t65\t66\t19\n", "\n",
     "Tabulka 1 SL: končí hrubým skórem 64 místo maxima 66"},
    {"FirstNotOne", "scaled.tsv", "\n1\tSL\t0\t5\t1\n", "\n1\tSL\t0\t5\t0\n",
     "Tabulka 1 SL: první záznam dává vážený skór 0 místo 1"},
    {"NotAdministeredMissing", "scaled.tsv", "\n3\tSO\t-1\t-1\t0\n", "\n",
     "Tabulka 3 SO: chybí záznam −1 → 0"},
    {"NotAdministeredInReference", "scaled.tsv", "\nR\tSO\t0\t", "\nR\tSO\t-1\t-1\t0\nR\tSO\t0\t",
     "Tabulka R SO: má záznam pro záporný hrubý skór -1"},
    {"LateStartFromZero", "scaled.tsv", "\n6\tSO\t8\t8\t1\n", "\n6\tSO\t0\t8\t1\n",
     "Tabulka 6 SO: začíná hrubým skórem 0 místo 8"},
    {"MalformedEntry", "scaled.tsv", "\n1\tSL\t0\t5\t1\n", "\n1\tSL\t0\tpět\t1\n",
     "\"pět\" není celé číslo"},
    {"UnknownSubtest", "scaled.tsv", "\n1\tSL\t0\t5\t1\n", "\n1\tXX\t0\t5\t1\n",
     "neznámá sada \"1\" nebo subtest \"XX\""},
    {"ScaledBands", "age-bands.tsv", "scaled\t9\t60\t100", "scaled\t9\t60\t99",
     "Pásma věku \"scaled\": pásmo 9 (60–99)"},
    {"SymbolBands", "age-bands.tsv", "symbol\t8\t55\t64\nsymbol\t9\t65\t69\n",
     "symbol\t8\t55\t69\n", "Pásma věku \"symbol\": 12 pásem místo 13"},
    {"CompositeRowMissing", "composite.tsv", "\nVIQ\t6\t45\t<0,1\t42 - 56\t40 - 57\n", "\n",
     "Složený skór VIQ: 108 řádků místo 109"},
    {"CompositeScoreOutOfRange", "composite.tsv", "\nVIQ\t6\t45\t", "\nVIQ\t6\t42\t",
     "Složený skór VIQ, součet 6: skór 42 mimo 43…156"},
    {"PercentileTooWide", "composite.tsv", "\nVIQ\t6\t45\t<0,1\t", "\nVIQ\t6\t45\t< 0,10\t",
     "Složený skór VIQ, součet 6: percentil \"< 0,10\""},
    {"IntervalTooWide", "composite.tsv", "\t42 - 56\t", "\t42 -    56\t",
     "Složený skór VIQ, součet 6: interval 90 % \"42 -    56\""},
    {"IntervalReversed", "composite.tsv", "\t89 - 111\n", "\t111 - 89\n",
     "Složený skór IRZ, součet 20: interval 95 %"},
    {"DeviationNotDecreasing", "deviation-norms.tsv", "\t4.00\t3.57\t", "\t3.50\t3.57\t",
     "DeviationNorms báze 0 řádek 1: prahy 1 % … 25 %"},
    {"DeviationRecordExtra", "deviation-norms.tsv", "\n1\t6\t", "\n1\t7\t",
     "DeviationNorms: nadbytečný záznam báze 1 řádku 7"},
    {"CriticalDecimalComma", "index-critical-values.tsv", "12.69 - 17.27", "12,69 - 17,27",
     "IndexCriticalValues srovnání 1 skupina 1"},
    {"BaseRatesFalling", "index-base-rates.tsv", "\n1\t2\t86.6\n", "\n1\t2\t96.6\n",
     "IndexBaseRates srovnání 1, rozdíl 1: 94.4 klesá"},
    {"SpanDashInside", "span-cumulative.tsv", "\n1\tF\t4\t61,80\n", "\n1\tF\t4\t-\n",
     "SpanCumulative pásmo 1 dopředu: \"-\" uprostřed procent"},
    {"SpanDecimalPoint", "span-cumulative.tsv", "\n1\tF\t6\t3,60\n", "\n1\tF\t6\t3.60\n",
     "SpanCumulative pásmo 1 dopředu, pozice 3: \"3.60\""},
    {"SpanDifferenceNotToHundred", "span-difference-cumulative.tsv", "\n1\t-3\t100,0\n",
     "\n1\t-3\t99,0\n", "SpanDifferenceCumulative pásmo 1: poslední procento není 100"},
    {"SymbolNotAscending", "symbol-option-thresholds.tsv", "\n1\tPAR_3\t2\t4\t",
     "\n1\tPAR_3\t5\t4\t", "SymbolOptionThresholds pásmo 1 PAR_3: prahy nejsou vzestupné"},
    {"FileMissing", "composite.tsv", "", "", "composite.tsv: soubor nelze otevřít"},
    {"NameMissing", "set.json", "\"name\": \"", "\"title\": \"", "chybí text \"name\""},
};

INSTANTIATE_TEST_SUITE_P(NormData, BrokenCopy, ::testing::ValuesIn(breakages),
                         [](const auto& info) { return std::string(info.param.name); });

// Tables that must be equal or different, broken by copying one table over another.
TEST(NormData, IdenticalAndDistinctTables) {
    NormSetLoad load = loadNormSet(compiledNormDirectory());
    NormSet identical = load.set;
    const int poc = 6;
    NormTable& reference = identical.table(TableSet::reference(), poc);
    ASSERT_LT(reference.last().scaled, 19);
    reference.last().scaled = 19;
    EXPECT_TRUE(validateNormSet(identical).contains(
        QStringLiteral("Tabulky 3 POC a R POC se mají shodovat")));

    NormSet distinct = load.set;
    const int doCode = 1;
    distinct.table(TableSet::band(3), doCode) = distinct.table(TableSet::band(4), doCode);
    EXPECT_TRUE(validateNormSet(distinct).contains(
        QStringLiteral("Tabulky 3 DO a 4 DO jsou shodné, mají se lišit")));
}

} // namespace
