#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace iksa {

// The options of the evaluation page TabSheet15. They live only in the running
// program and start from their defaults at every start.
class EvaluationOptions : public QObject {
    Q_OBJECT

public:
    explicit EvaluationOptions(QObject* parent = nullptr);

    // RadioGroup1 "Hladina významnosti": item 0 "0.05" sets the significance
    // selector to 2, item 1 "0.15" to 1. Starts at 2.
    void RadioGroup1Click(int item);
    int significance() const;
    int significanceItem() const; // 0 or 1, for the radio group

    // RadioGroup2 "Podíl subtestů na IQ skórech a indexových skórech": the
    // mean basis 0 … 5; sets the fourteen marks of its row, all fourteen every
    // time. Starts at 0 with all fourteen marked.
    void RadioGroup2Click(int item);
    int meanBasis() const;
    static QStringList meanBasisCaptions();

    // The marks of the scaled-score cells of the columns "Verb." and "Perf."
    // (VER_S … VER_RPC, PER_DO … PER_SO): lime (marked, the subtest enters the
    // subtest mean) or white. They are the one source the subtest means read.
    bool isMarked(const QString& scaledField) const;
    static QStringList markedFields(); // the fourteen fields, verbal then performance

    // CheckBox1 "Průměr zobrazit". Starts checked.
    bool showMean() const;
    void setShowMean(bool on);

signals:
    void changed();

private:
    int significance_ = 2;
    int meanBasis_ = 0; // its rows are the marks of markedFields()
    bool showMean_ = true;
};

} // namespace iksa
