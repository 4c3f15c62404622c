#pragma once

#include <QHash>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;

namespace iksa {
class EvaluationOptions;
class EvaluationPage;
class ExamineeRecord;
class UserMessages;
} // namespace iksa

namespace iksa::app {

class DataSource;
class DBEdit;

// The contents of the evaluation page "Vyhodnocení ": the subtest grid (raw
// scores, scaled scores by scale and index, reference group, sums), the
// composite block "SKÓRY IQ/INDEXOVÉ SKÓRY", the options with their marks on
// the scaled-score cells, the mean panel and the buttons "Vyhodnotit",
// "Preview" and "Tisk". Result cells are bound to Table3 and show what the
// evaluation writes at once.
class EvaluationTab : public QWidget {
    Q_OBJECT

public:
    EvaluationTab(DataSource& table3, ExamineeRecord& record, EvaluationOptions& options,
                  EvaluationPage& page, UserMessages& messages, QWidget* parent = nullptr);

    DBEdit* rawScoreBox(int subtest) const; // DBEdit466 … DBEdit479
    // The scaled-score cell of the columns "Verb." and "Perf." (DBEdit481,
    // DBEdit497 … DBEdit509) bound to a scaled-score field.
    DBEdit* scaledCell(const QString& field) const { return scaledCells_.value(field); }
    QLabel* referenceText(int subtest) const; // StaticText45 … StaticText58
    QPushButton* previewButton() const { return preview_; }
    QPushButton* printButton() const { return print_; }

    void Button2Click(); // "Vyhodnotit"

    static QColor markedColour();   // lime: the subtest enters the subtest mean
    static QColor unmarkedColour(); // white

private:
    QWidget* buildGrid(DataSource& table3);
    QWidget* buildComposites(DataSource& table3);
    QWidget* buildOptions();
    QWidget* buildMeanPanel();
    DBEdit* resultCell(DataSource& table3, const QString& field, const QString& name);
    void showMarks();
    void showPageTexts();
    void showSoCells(bool hidden);

    ExamineeRecord& record_;
    EvaluationOptions& options_;
    EvaluationPage& page_;
    UserMessages& messages_;
    QList<DBEdit*> rawScores_;
    QHash<QString, DBEdit*> scaledCells_;
    QList<QLabel*> referenceTexts_;
    QList<QLabel*> meanTexts_; // the mean panel's cells, row by row
    QButtonGroup* significance_ = nullptr;
    QButtonGroup* meanBasis_ = nullptr;
    QCheckBox* showMean_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* print_ = nullptr;
};

} // namespace iksa::app
