#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <compare>
#include <optional>

namespace iksa {

// One table set of the scaled-score norms: an age band 1 … 9 or the
// reference group. Each set has one table per subtest.
class TableSet {
public:
    static constexpr int BandCount = 9;
    static constexpr int Count = 10;

    static TableSet band(int band); // 1 … 9
    static TableSet reference();
    static std::optional<TableSet> fromCode(const QString& code); // "1" … "9", "R"
    static std::optional<TableSet> fromIndex(int index);          // 0 … 9

    bool isReference() const { return index_ == BandCount; }
    int bandNumber() const { return isReference() ? 0 : index_ + 1; } // 0 for the reference group
    int index() const { return index_; }                              // 0 … 8 bands, 9 reference
    QString code() const;                                             // "1" … "9", "R"

    auto operator<=>(const TableSet&) const = default;

private:
    explicit TableSet(int index)
        : index_(index) {}
    int index_ = 0;
};

// One entry of a norm table: the raw scores first … last give the scaled score.
struct NormEntry {
    int first = 0;
    int last = 0;
    int scaled = 0;
    bool operator==(const NormEntry&) const = default;
};
using NormTable = QVector<NormEntry>;

// The seven composites in the order of the evaluation page.
enum class Composite { VIQ, PIQ, CIQ, IVP, IPU, IPP, IRZ };

struct CompositeInfo {
    Composite composite;
    const char* code;     // "VIQ" …
    int scaledScores;     // scaled scores in the sum that indexes the table
    const char* sumField; // the Table3 field of that sum: "VER_SVS" …
    int lowestSum() const { return scaledScores; }
    int highestSum() const { return 19 * scaledScores; }
    int rowCount() const { return highestSum() - lowestSum() + 1; }
};

const std::array<CompositeInfo, 7>& compositeInfos();
const CompositeInfo& compositeInfo(Composite composite);
std::optional<Composite> compositeFromCode(const QString& code);

// One row of a composite table, its texts exactly as the table holds them.
struct CompositeRow {
    int score = 0;      // IQ or index score
    QString percentile; // at most 6 characters
    QString ci90;       // "a - b", at most 9 characters
    QString ci95;
    bool operator==(const CompositeRow&) const = default;
};

// The ages the battery is evaluated for, in whole years; the evaluation and
// page 3 of the protocol refuse any other.
constexpr int FirstExamineeAge = 16;
constexpr int LastExamineeAge = 100;

// Age band lists: the norm tables' bands and the three lists of the report
// tables.
enum class AgeBandFamily {
    Scaled,     // Vekove_pasmo: 16–17 … 60–100
    Comparison, // IndexCriticalValues age groups
    Span,       // SpanCumulative, SpanDifferenceCumulative
    Symbol,     // SymbolOptionThresholds: 16–17 … 85–101
};
constexpr int AgeBandFamilyCount = 4;
QString ageBandFamilyCode(AgeBandFamily family); // "scaled", "comparison", "span", "symbol"

struct AgeBand {
    int number = 0; // 1-based
    int firstAge = 0;
    int lastAge = 0;
};

// The mean bases 0 … 5 of the strengths analysis (evaluation/MeanBases.h)
// and the analysis rows 1 … 14 each includes, row 1 in bit 0. A basis has a
// DeviationNorms record for each row it includes and for no other.
constexpr int MeanBasisCount = 6;
constexpr int AnalysisRowCount = 14;
const std::array<quint16, MeanBasisCount>& meanBasisRows();

// A DeviationNorms record: position 0 the critical difference at 0.15, 1 at
// 0.05, 2 … 6 the deviations reached by 1, 2, 5, 10 and 25 % of the sample.
using DeviationRecord = std::array<double, 7>;

enum class SpanDirection { Forward, Backward };

// The optional digit-symbol procedures, by their fields PAR_3, VOL_VYB_3, C_HS_OP_3.
enum class SymbolProcedure { Pairing, FreeRecall, Copy };
QString symbolProcedureField(SymbolProcedure procedure);

// t1, t2, t5, t10, t25, t50 of one procedure and band.
using SymbolThresholds = std::array<int, 6>;

} // namespace iksa
