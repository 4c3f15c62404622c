#include "evaluation/EvaluationRun.h"

#include "evaluation/CompositeMembers.h"
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/MissingScores.h"
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

// The sums stored in step 6, in their order; CIQ_SVS follows from two of them.
constexpr std::array<Composite, 6> scaledSums{Composite::VIQ, Composite::PIQ, Composite::IVP,
                                              Composite::IPU, Composite::IPP, Composite::IRZ};

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
    // on the page is still converted from this value. An empty one was not
    // entered and gives no result.
    const Catalogue& catalogue = Catalogue::instance();
    std::array<QString, 14> rawTexts;
    std::array<std::optional<int>, 14> raw{};
    for (int subtest = 1; subtest <= 14; ++subtest) {
        const auto i = static_cast<size_t>(subtest - 1);
        rawTexts[i] = table3.text(catalogue.subtest(subtest).rawField);
        if (rawScoreEntered(rawTexts[i]))
            raw[i] = table3.integer(catalogue.subtest(subtest).rawField);
    }
    const auto rawOf = [&](int subtest) { return raw[static_cast<size_t>(subtest - 1)]; };
    const MissingScores missing = missingScores(rawTexts);

    // 3. Raw-score checks of subtests 1 … 13. A score of 0 or above the
    // maximum is reset to "0" on the page; an empty one stays empty.
    for (int subtest = 1; subtest < SoSubtest; ++subtest) {
        const Subtest& info = catalogue.subtest(subtest);
        const std::optional<int> score = rawOf(subtest);
        if (!score) {
            messages_.show(rawScoreMessage(subtest));
        } else if (*score == 0 || *score > info.maximum) {
            messages_.show(rawScoreMessage(subtest));
            write(info.rawField, QStringLiteral("0"));
        }
    }

    // 4. Skládání objektů: −1 marks it as not administered; only a score
    // above the maximum is reported, and nothing is reset.
    const Subtest& so = catalogue.subtest(SoSubtest);
    const std::optional<int> soRaw = rawOf(SoSubtest);
    if (soRaw == -1)
        record_.setSoNotAdministered(true);
    record_.setSoCellsHidden(soRaw == -1);
    if (soRaw && *soRaw > so.maximum)
        messages_.show(rawScoreMessage(SoSubtest));

    // 5. Scaled scores with the tables of the age band.
    const TableSet bandSet = TableSet::band(*band);
    for (const int subtest : conversionOrder) {
        const std::optional<int> score = rawOf(subtest);
        write(catalogue.subtest(subtest).scaledField,
              score ? QString::number(scaledScore(lookup, bandSet, subtest, *score)) : QString());
    }

    // 6. Sums, read back from the fields just stored; a sum with a member
    // that has no scaled score stays empty.
    const auto sumOf = [&](const QStringList& fields) -> QString {
        int total = 0;
        for (const QString& name : fields) {
            if (table3.text(name).isEmpty())
                return {};
            total += table3.integer(name);
        }
        return QString::number(total);
    };
    for (const Composite composite : scaledSums) {
        QStringList members;
        for (const int subtest : compositeSubtests(composite))
            members.append(catalogue.subtest(subtest).scaledField);
        write(field(compositeInfo(composite).sumField), sumOf(members));
    }

    // 7. The reference-group column of the page. SO −1 has no entry there;
    // its cell is hidden then and stays empty, as does a subtest not entered.
    const TableSet reference = TableSet::reference();
    for (int subtest = 1; subtest <= 14; ++subtest) {
        const std::optional<int> score = rawOf(subtest);
        const QString text = !score || (subtest == SoSubtest && *score == -1)
                                 ? QString()
                                 : QString::number(scaledScore(lookup, reference, subtest, *score));
        page_.setReferenceText(subtest, text);
    }

    // 8. The full-scale sum.
    write(field(compositeInfo(Composite::CIQ).sumField),
          sumOf({field(compositeInfo(Composite::VIQ).sumField),
                 field(compositeInfo(Composite::PIQ).sumField)}));

    // 9. Composite lookups, stored in four passes: scores, percentiles, 90 %
    // and 95 % intervals. A composite without its sum stays empty.
    std::array<std::optional<CompositeRow>, 7> rows;
    for (const CompositeInfo& info : compositeInfos()) {
        const QString sumField = field(info.sumField);
        if (table3.text(sumField).isEmpty())
            continue;
        const int sum = table3.integer(sumField);
        const std::optional<CompositeRow> row = lookup.Prevod_SVS(info.composite, sum);
        if (!row)
            throw UserError(QStringLiteral("Tabulka %1 nemá řádek pro součet vážených skórů %2.")
                                .arg(QString::fromLatin1(info.code))
                                .arg(sum));
        rows[static_cast<size_t>(info.composite)] = row;
    }
    const auto writePass = [&](const char* ending, const auto& textOf) {
        for (const CompositeInfo& info : compositeInfos()) {
            const std::optional<CompositeRow>& row = rows[static_cast<size_t>(info.composite)];
            write(field(info.code) + QLatin1String(ending), row ? textOf(*row) : QString());
        }
    };
    writePass("_IQ_IS", [](const CompositeRow& row) { return QString::number(row.score); });
    writePass("_PER", [](const CompositeRow& row) { return row.percentile; });
    writePass("_IS_90", [](const CompositeRow& row) { return row.ci90; });
    writePass("_IS_95", [](const CompositeRow& row) { return row.ci95; });

    // 10. The subtest means.
    Prumer_subtestu();

    // What could not be computed, after the results are in place.
    if (const QString message = missingCompositesMessage(missing); !message.isEmpty())
        messages_.show(message);
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
