#pragma once

#include "norms/NormTypes.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

namespace iksa {

class ExamineeRecord;

// An empty raw-score text (blanks only) means that the subtest was not
// entered: not given, or not typed yet. No result is computed from it; a
// typed 0 is a score like any other.
bool rawScoreEntered(const QString& text);

// What an examinee record lacks for a full evaluation.
struct MissingScores {
    // The subtests 1 … 14 without a raw score, in catalogue order.
    // Skládání objektů marked −1 (not administered) is not missing.
    QVector<int> subtests;
    // The composites whose sums hold one of them, in the order of Composite.
    QVector<Composite> composites;

    bool isComplete() const { return subtests.isEmpty(); }
    bool missesSubtest(int number) const { return subtests.contains(number); }
    bool missesComposite(Composite composite) const { return composites.contains(composite); }
};

// From the fourteen raw-score texts in catalogue order.
MissingScores missingScores(const std::array<QString, 14>& rawTexts);
// From the raw-score fields of the current record.
MissingScores missingScores(const ExamineeRecord& record);

// The catalogue names of the missing subtests ("Informace", "Matrice").
QStringList missingSubtestNames(const MissingScores& missing);

// The message that closes an evaluation run with composites it could not
// compute: "Nelze vypočítat VIQ, CIQ, IVP: chybí hrubý skór subtestů
// Informace, Matrice." Empty when every composite was computed.
QString missingCompositesMessage(const MissingScores& missing);

// A result field of the current record (a scaled score, a sum, a composite
// score) as an integer; none where the evaluation left it empty.
std::optional<int> computedInteger(const ExamineeRecord& record, const QString& field);

// What each protocol page prints near its header, before the names of the
// missing subtests: "Neúplné vyšetření – chybí: ".
QString incompleteExaminationPrefix();

} // namespace iksa
