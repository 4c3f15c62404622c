#include "evaluation/EvaluationPage.h"

namespace iksa {

EvaluationPage::EvaluationPage(QObject* parent)
    : QObject(parent) {}

QString EvaluationPage::referenceText(int subtest) const {
    if (subtest < 1 || subtest > static_cast<int>(reference_.size()))
        return {};
    return reference_[static_cast<size_t>(subtest - 1)];
}

void EvaluationPage::setReferenceText(int subtest, const QString& text) {
    if (subtest < 1 || subtest > static_cast<int>(reference_.size()))
        return;
    reference_[static_cast<size_t>(subtest - 1)] = text;
    emit changed();
}

const EvaluationPage::MeanPanel& EvaluationPage::meanPanel() const {
    return panel_;
}

void EvaluationPage::setMeanPanel(const MeanPanel& panel) {
    panel_ = panel;
    emit changed();
}

const EvaluationPage::Means& EvaluationPage::means() const {
    return means_;
}

void EvaluationPage::setMeans(const Means& means) {
    means_ = means;
    emit changed();
}

void EvaluationPage::clear() {
    reference_.fill(QString());
    panel_ = MeanPanel();
    means_ = Means();
    emit changed();
}

} // namespace iksa
