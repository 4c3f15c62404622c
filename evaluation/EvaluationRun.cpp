#include "evaluation/EvaluationRun.h"

#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/NormLookup.h"
#include "evaluation/SubtestMeans.h"
#include "norms/CompiledNorms.h"
#include "norms/NormTypes.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "records/UserMessages.h"
#include "scoring/Catalogue.h"

#include <array>

namespace iksa {

namespace {

constexpr int SoSubtest = 14;

// The message of each subtest's raw-score check, in catalogue order; the
// blanks are part of the texts.
const QStringList& rawScoreMessages() {
    static const QStringList messages{
        QStringLiteral("Chybná hodnota HS  Doplňování obrázků "),
        QStringLiteral("Chybná hodnota HS  Slovník"),
        QStringLiteral("Chybná hodnota HS Číselné  symboly-Kódování"),
        QStringLiteral("Chybná hodnota HS  Podobnosti"),
        QStringLiteral("Chybná hodnota HS Kostky "),
        QStringLiteral("Chybná hodnota HS Počty  "),
        QStringLiteral("Chybná hodnota HS  Matrice "),
        QStringLiteral("Chybná hodnota HS Opakování čísel  "),
        QStringLiteral("Chybná hodnota HS  Informace "),
        QStringLiteral("Chybná hodnota HS  Řazení obrázků "),
        QStringLiteral("Chybná hodnota HS  Porozumění "),
        QStringLiteral("Chybná hodnota HS (Hledání symbolů)  "),
        QStringLiteral("Chybná hodnota HS (Řazen písmen a čísel  "),
        QStringLiteral("Chybná hodnota HS (Skládání objektů)"),
    };
    return messages;
}

// The scaled scores in the order the run converts and stores them.
constexpr std::array<int, 14> conversionOrder{2, 4, 6, 8, 9, 11, 13, 1, 3, 5, 7, 10, 12, 14};

// The sums of scaled scores, in the order they are stored, with their members.
struct ScaledSum {
    const char* field;
    std::initializer_list<const char*> members;
};
const std::array<ScaledSum, 6>& scaledSums() {
    static const std::array<ScaledSum, 6> sums{{
        {"VER_SVS", {"VER_S", "VER_PO", "VER_POC", "VER_OPA", "VER_INF", "VER_POR"}},
        {"PER_SVS", {"PER_DO", "PER_CSK", "PER_KO", "PER_MAT", "PER_RO"}},
        {"VP_SVS", {"VER_S", "VER_PO", "VER_INF"}},
        {"PU_SVS", {"PER_DO", "PER_KO", "PER_MAT"}},
        {"PP_SVS", {"VER_POC", "VER_OPA", "VER_RPC"}},
        {"RZ_SVS", {"PER_CSK", "PER_HS"}},
    }};
    return sums;
}

// The sum that indexes each composite table, in the order of Composite.
constexpr std::array<const char*, 7> compositeSums{"VER_SVS", "PER_SVS", "CIQ_SVS", "VP_SVS",
                                                   "PU_SVS",  "PP_SVS",  "RZ_SVS"};

QString field(const char* name) {
    return QString::fromLatin1(name);
}

// A raw score without a norm entry scores the table's lowest entry, so every
// scaled score in a sum lies in 1 … 19 and every composite has its row.
int scaledScore(const NormLookup& lookup, TableSet set, int subtest, int raw) {
    if (const std::optional<int> scaled = lookup.Prevod_HS(set, subtest, raw))
        return *scaled;
    return lookup.lowestEntry(set, subtest).scaled;
}

} // namespace

EvaluationRun::EvaluationRun(ExamineeRecord& record, const EvaluationOptions& options,
                             EvaluationPage& page, UserMessages& messages)
    : record_(record)
    , options_(options)
    , page_(page)
    , messages_(messages) {}

EvaluationRun::EvaluationRun(ExamineeRecord& record, const EvaluationOptions& options,
                             EvaluationPage& page, UserMessages& messages, const NormSet& norms)
    : EvaluationRun(record, options, page, messages) {
    norms_ = &norms;
}

QString EvaluationRun::ageMessage() {
    return QStringLiteral("Není zadaný věk v intervalu 16..100 let!");
}

QString EvaluationRun::rawScoreMessage(int subtest) {
    return rawScoreMessages().value(subtest - 1);
}

void EvaluationRun::write(const QString& name, const QString& text) {
    record_.data().table3().setText(name, text);
    if (!written_.contains(name))
        written_.append(name);
}

bool EvaluationRun::Button2Click() {
    written_.clear();
    Table& table3 = record_.data().table3();
    const NormLookup lookup(norms_ ? *norms_ : compiledNormSet());

    // 1. Age: outside 16 … 100 nothing is written and the state stays.
    const int age = table3.integer(QStringLiteral("VEK"));
    const std::optional<int> band = lookup.Vekove_pasmo(age);
    if (age < FirstExamineeAge || age > LastExamineeAge || !band) {
        messages_.show(ageMessage());
        return false;
    }

    // 2. Edit state, directly on Table3.
    table3.edit();
    record_.setSoNotAdministered(false);

    // The raw scores as the record holds them: a score the checks below reset
    // on the page is still converted from this value.
    const Catalogue& catalogue = Catalogue::instance();
    std::array<int, 14> raw{};
    for (int subtest = 1; subtest <= 14; ++subtest)
        raw[static_cast<size_t>(subtest - 1)] = table3.integer(catalogue.subtest(subtest).rawField);

    // 3. Raw-score checks of subtests 1 … 13, each reset to "0" on the page.
    for (int subtest = 1; subtest < SoSubtest; ++subtest) {
        const Subtest& info = catalogue.subtest(subtest);
        const int score = raw[static_cast<size_t>(subtest - 1)];
        if (score == 0 || score > info.maximum) {
            messages_.show(rawScoreMessage(subtest));
            write(info.rawField, QStringLiteral("0"));
        }
    }

    // 4. Skládání objektů: −1 marks it as not administered; only a score
    // above the maximum is reported, and nothing is reset.
    const Subtest& so = catalogue.subtest(SoSubtest);
    const int soRaw = raw[SoSubtest - 1];
    if (soRaw == -1)
        record_.setSoNotAdministered(true);
    record_.setSoCellsHidden(soRaw == -1);
    if (soRaw > so.maximum)
        messages_.show(rawScoreMessage(SoSubtest));

    // 5. Scaled scores with the tables of the age band.
    const TableSet bandSet = TableSet::band(*band);
    for (const int subtest : conversionOrder) {
        const int score =
            scaledScore(lookup, bandSet, subtest, raw[static_cast<size_t>(subtest - 1)]);
        write(catalogue.subtest(subtest).scaledField, QString::number(score));
    }

    // 6. Sums, read back from the fields just stored.
    for (const ScaledSum& sum : scaledSums()) {
        int total = 0;
        for (const char* member : sum.members)
            total += table3.integer(field(member));
        write(field(sum.field), QString::number(total));
    }

    // 7. The reference-group column of the page. SO −1 has no entry there;
    // its cell is hidden then and stays empty.
    const TableSet reference = TableSet::reference();
    for (int subtest = 1; subtest <= 14; ++subtest) {
        const int score = raw[static_cast<size_t>(subtest - 1)];
        const QString text = subtest == SoSubtest && score == -1
                                 ? QString()
                                 : QString::number(scaledScore(lookup, reference, subtest, score));
        page_.setReferenceText(subtest, text);
    }

    // 8. The full-scale sum.
    write(QStringLiteral("CIQ_SVS"), QString::number(table3.integer(QStringLiteral("VER_SVS")) +
                                                     table3.integer(QStringLiteral("PER_SVS"))));

    // 9. Composite lookups, stored in four passes: scores, percentiles, 90 %
    // and 95 % intervals.
    std::array<CompositeRow, 7> rows;
    for (const CompositeInfo& info : compositeInfos()) {
        const auto k = static_cast<size_t>(info.composite);
        const int sum = table3.integer(field(compositeSums[k]));
        const std::optional<CompositeRow> row = lookup.Prevod_SVS(info.composite, sum);
        if (!row)
            throw UserError(QStringLiteral("Tabulka %1 nemá řádek pro součet vážených skórů %2.")
                                .arg(QString::fromLatin1(info.code))
                                .arg(sum));
        rows[k] = *row;
    }
    const auto writePass = [&](const char* ending, const auto& textOf) {
        for (const CompositeInfo& info : compositeInfos())
            write(field(info.code) + QLatin1String(ending),
                  textOf(rows[static_cast<size_t>(info.composite)]));
    };
    writePass("_IQ_IS", [](const CompositeRow& row) { return QString::number(row.score); });
    writePass("_PER", [](const CompositeRow& row) { return row.percentile; });
    writePass("_IS_90", [](const CompositeRow& row) { return row.ci90; });
    writePass("_IS_95", [](const CompositeRow& row) { return row.ci95; });

    // 10. The subtest means.
    Prumer_subtestu();
    return true;
}

void EvaluationRun::Prumer_subtestu() {
    iksa::Prumer_subtestu(record_, options_, page_);
}

void TabSheet15Show(ExamineeRecord& record) {
    const bool notAdministered = record.integer(QStringLiteral("HS_14_SO")) == -1;
    record.setSoNotAdministered(notAdministered);
    record.setSoCellsHidden(notAdministered);
}

} // namespace iksa
