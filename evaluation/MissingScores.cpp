#include "evaluation/MissingScores.h"

#include "evaluation/CompositeMembers.h"
#include "records/ExamineeRecord.h"
#include "scoring/Catalogue.h"

namespace iksa {

namespace {

constexpr int SoSubtest = 14;

QString codeOf(Composite composite) {
    return QString::fromLatin1(compositeInfo(composite).code);
}

} // namespace

bool rawScoreEntered(const QString& text) {
    return !text.trimmed().isEmpty();
}

MissingScores missingScores(const std::array<QString, 14>& rawTexts) {
    MissingScores missing;
    for (int number = 1; number <= SoSubtest; ++number)
        if (!rawScoreEntered(rawTexts[static_cast<size_t>(number - 1)]))
            missing.subtests.append(number);
    for (const CompositeInfo& info : compositeInfos())
        for (const int number : missing.subtests)
            if (entersComposite(number, info.composite)) {
                missing.composites.append(info.composite);
                break;
            }
    return missing;
}

MissingScores missingScores(const ExamineeRecord& record) {
    std::array<QString, 14> texts;
    for (const Subtest& subtest : Catalogue::instance().subtests())
        texts[static_cast<size_t>(subtest.number - 1)] = record.text(subtest.rawField);
    return missingScores(texts);
}

QStringList missingSubtestNames(const MissingScores& missing) {
    QStringList names;
    for (const int number : missing.subtests)
        names.append(Catalogue::instance().subtest(number).name);
    return names;
}

QString missingCompositesMessage(const MissingScores& missing) {
    if (missing.composites.isEmpty())
        return {};
    QStringList composites;
    for (const Composite composite : missing.composites)
        composites.append(codeOf(composite));
    // Only the subtests the uncomputed composites lack; Skládání objektů
    // enters no composite.
    QStringList names;
    for (const int number : missing.subtests) {
        for (const Composite composite : missing.composites)
            if (entersComposite(number, composite)) {
                names.append(Catalogue::instance().subtest(number).name);
                break;
            }
    }
    return QStringLiteral("Nelze vypočítat %1: chybí hrubý skór %2 %3.")
        .arg(composites.join(QStringLiteral(", ")),
             names.size() == 1 ? QStringLiteral("subtestu") : QStringLiteral("subtestů"),
             names.join(QStringLiteral(", ")));
}

std::optional<int> computedInteger(const ExamineeRecord& record, const QString& field) {
    if (record.text(field).trimmed().isEmpty())
        return std::nullopt;
    return record.integer(field);
}

QString incompleteExaminationPrefix() {
    return QStringLiteral("Neúplné vyšetření – chybí: ");
}

} // namespace iksa
