#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace iksa {

// The texts the evaluation puts on the evaluation page that no table holds:
// the reference-group column and the mean panel. They belong to the page and
// describe the current record only: they keep the values of the last run
// until the next one, and are emptied when another record becomes current.
// The report prints them as they stand.
class EvaluationPage : public QObject {
    Q_OBJECT

public:
    explicit EvaluationPage(QObject* parent = nullptr);

    // StaticText45 … StaticText58: the reference-group scaled score of
    // subtests 1 … 14, as decimal text ("" when there is none).
    QString referenceText(int subtest) const;
    void setReferenceText(int subtest, const QString& text);

    // The mean panel written by Prumer_subtestu.
    struct MeanPanel {
        QString verbalSum;        // StaticText61
        QString performanceSum;   // StaticText79
        QString totalSum;         // StaticText80
        QString verbalCount;      // StaticText83
        QString performanceCount; // StaticText84
        QString totalCount;       // StaticText81
        QString verbalMean;       // StaticText85, "%5.2f"
        QString performanceMean;  // StaticText86
        QString overallMean;      // StaticText87
    };
    const MeanPanel& meanPanel() const;
    void setMeanPanel(const MeanPanel& panel);

    // The three subtest means as real numbers (the report draws its mean lines
    // with them, unrounded); none for a group without a subtest.
    struct Means {
        std::optional<double> verbal;
        std::optional<double> performance;
        std::optional<double> overall;
    };
    const Means& means() const;
    void setMeans(const Means& means);

    // Empties the reference-group column, the mean panel and the means.
    void clear();

signals:
    void changed();

private:
    std::array<QString, 14> reference_;
    MeanPanel panel_;
    Means means_;
};

} // namespace iksa
