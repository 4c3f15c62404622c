#include "evaluation/EvaluationOptions.h"

#include "evaluation/MeanBases.h"

namespace iksa {

EvaluationOptions::EvaluationOptions(QObject* parent)
    : QObject(parent) {}

void EvaluationOptions::RadioGroup1Click(int item) {
    if (item != 0 && item != 1)
        return;
    const int selector = item == 1 ? 1 : 2;
    if (selector == significance_)
        return;
    significance_ = selector;
    emit changed();
}

int EvaluationOptions::significance() const {
    return significance_;
}

int EvaluationOptions::significanceItem() const {
    return significance_ == 1 ? 1 : 0;
}

void EvaluationOptions::RadioGroup2Click(int item) {
    if (item < 0 || item >= MeanBasisCount)
        return;
    // All fourteen marks every time: they follow the basis alone.
    meanBasis_ = item;
    emit changed();
}

int EvaluationOptions::meanBasis() const {
    return meanBasis_;
}

QStringList EvaluationOptions::meanBasisCaptions() {
    QStringList captions;
    for (const MeanBasis& basis : meanBases())
        captions.append(QString::fromUtf8(basis.caption));
    return captions;
}

bool EvaluationOptions::isMarked(const QString& scaledField) const {
    const qsizetype index = markedFields().indexOf(scaledField);
    return index >= 0 && iksa::meanBasis(meanBasis_).includes(int(index) + 1);
}

QStringList EvaluationOptions::markedFields() {
    static const QStringList fields{
        QStringLiteral("VER_S"),   QStringLiteral("VER_PO"),  QStringLiteral("VER_POC"),
        QStringLiteral("VER_OPA"), QStringLiteral("VER_INF"), QStringLiteral("VER_POR"),
        QStringLiteral("VER_RPC"), QStringLiteral("PER_DO"),  QStringLiteral("PER_CSK"),
        QStringLiteral("PER_KO"),  QStringLiteral("PER_MAT"), QStringLiteral("PER_RO"),
        QStringLiteral("PER_HS"),  QStringLiteral("PER_SO")};
    return fields;
}

bool EvaluationOptions::showMean() const {
    return showMean_;
}

void EvaluationOptions::setShowMean(bool on) {
    if (on == showMean_)
        return;
    showMean_ = on;
    emit changed();
}

} // namespace iksa
