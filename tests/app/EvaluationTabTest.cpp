// The evaluation page "Vyhodnocení " with a subtest not entered: the button
// "Vyhodnotit" pressed from the keyboard, the empty cells, the stored record.
#include "EvaluationTab.h"

#include "AppFixture.h"
#include "controls/DBNavigator.h"
#include "evaluation/EvaluationRun.h"
#include "scoring/Catalogue.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace iksa::test {
namespace {

using Fields = QList<QPair<QString, QString>>;

class EvaluationTabFlows : public AppFixture {
protected:
    QLabel* label(const QString& name) { return find<QLabel>(name); }
    QLineEdit* cell(const QString& name) { return find<QLineEdit>(name); }
};

TEST_F(EvaluationTabFlows, SubtestNotEnteredLeavesItsCellsAndItsCompositesEmpty) {
    // Informace (9) not entered; every other subtest at half its maximum.
    Fields fields{{"PRIJM", "Kos"}, {"VEK", "40"}};
    for (const Subtest& subtest : Catalogue::instance().subtests())
        if (subtest.number != 9)
            fields.append({subtest.rawField, QString::number(subtest.maximum / 2)});
    seed({fields});
    start();

    auto* evaluate = find<QPushButton>("Button2");
    evaluate->setFocus();
    QTest::keyClick(evaluate, Qt::Key_Space);
    EXPECT_EQ(messages_.shown,
              (QStringList{EvaluationRun::rawScoreMessage(9),
                           "Nelze vypočítat VIQ, CIQ, IVP: chybí hrubý skór subtestu Informace."}));

    // The raw-score box stays empty, and so does everything built on it.
    EXPECT_EQ(box("DBEdit474")->text(), QString());
    for (const QString name : {"DBEdit500", "VP_VER_INF", "VER_SVS", "VP_SVS", "CIQ_SVS"})
        EXPECT_EQ(cell(name)->text(), QString()) << name.toStdString();
    for (const QString name : {"Composite_VER_SVS", "VIQ_IQ_IS", "VIQ_PER", "VIQ_IS_90",
                               "CIQ_IQ_IS", "CIQ_IS_95", "IVP_IQ_IS", "StaticText53"})
        EXPECT_EQ(label(name)->text(), QString()) << name.toStdString();
    // The rest is computed as before.
    for (const QString name : {"DBEdit481", "PER_SVS", "PP_SVS", "RZ_SVS"})
        EXPECT_FALSE(cell(name)->text().isEmpty()) << name.toStdString();
    for (const QString name : {"PIQ_IQ_IS", "IPP_PER", "IRZ_IS_90", "StaticText52"})
        EXPECT_FALSE(label(name)->text().isEmpty()) << name.toStdString();
    EXPECT_EQ(label("StaticText83")->text(), "6"); // verbal count
    EXPECT_EQ(label("StaticText81")->text(), "13");

    // Stored, the subtest is still not entered.
    QTest::mouseClick(form1().navigator()->button(NavigatorButton::Post), Qt::LeftButton);
    Table& table3 = data().table3();
    EXPECT_EQ(table3.state(), TableState::Browse);
    EXPECT_EQ(table3.storedText(1, table3.fieldIndex("HS_9_INF")), QString());
    EXPECT_EQ(table3.storedText(1, table3.fieldIndex("VIQ_IQ_IS")), QString());
    EXPECT_FALSE(table3.storedText(1, table3.fieldIndex("PIQ_IQ_IS")).isEmpty());
}

} // namespace
} // namespace iksa::test
