// The examinee list "Seznam vyšetřených" and the record counter beside the
// navigator, offscreen with real key and mouse events.
#include "AppFixture.h"
#include "ExamineeListModel.h"
#include "ExamineeListWindow.h"
#include "controls/DBNavigator.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

namespace iksa::test {
namespace {

using Fields = QList<QPair<QString, QString>>;

Fields examinee(const char* surname, const char* firstName, const char* age, const char* date,
                const char* examiner, const char* ciq = "") {
    return {{"PRIJM", QString::fromUtf8(surname)},  {"JMENO", QString::fromUtf8(firstName)},
            {"VEK", QString::fromUtf8(age)},        {"DATUM", QString::fromUtf8(date)},
            {"EXAMI", QString::fromUtf8(examiner)}, {"CIQ_IQ_IS", QString::fromUtf8(ciq)}};
}

class ExamineeListFlows : public AppFixture {
protected:
    // Ctrl+L typed in the main window, where its focus is.
    app::ExamineeListWindow* openList() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form1(); }));
        QWidget* focus = form1().focusWidget();
        QTest::keyClick(focus ? focus : &form1(), Qt::Key_L, Qt::ControlModifier);
        auto* list = form1().findChild<app::ExamineeListWindow*>(QStringLiteral("ExamineeList"));
        EXPECT_NE(list, nullptr);
        // A dialog counts as active while its window is; wait for its own
        // activation, which brings the focus into it.
        if (list) {
            EXPECT_TRUE(QTest::qWaitFor([list] { return QApplication::activeWindow() == list; }));
        }
        return list;
    }

    app::ExamineeListWindow* list() {
        return form1().findChild<app::ExamineeListWindow*>(QStringLiteral("ExamineeList"));
    }

    // Types `text` key by key; a letter outside Latin-1 comes as a key
    // event carrying its text, as a Czech keyboard layout sends it.
    static void typeKeys(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(widget, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    // Replaces the filter text by typing, as the examiner would.
    void filterBy(const QString& text) {
        QLineEdit* filter = list()->filterBox();
        QTest::keyClick(filter, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(filter, Qt::Key_Backspace);
        typeKeys(filter, text);
    }

    // The texts of one column as the list shows them, top to bottom.
    QStringList column(ExamineeColumn which) {
        QAbstractItemModel* model = list()->view()->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, static_cast<int>(which)).data().toString());
        return texts;
    }

    void clickHeader(ExamineeColumn which) {
        QHeaderView* header = list()->view()->horizontalHeader();
        const int section = static_cast<int>(which);
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + 8, header->height() / 2));
    }

    void pressNavigator(NavigatorButton button) {
        QTest::mouseClick(form1().navigator()->button(button), Qt::LeftButton);
    }

    QString counter() { return find<QLabel>(QStringLiteral("RecordCounter"))->text(); }

    // A text typed over the whole surname box of the header.
    void retypeSurname(const QString& text) {
        app::DBEdit* surname = box(QStringLiteral("DBEdit2"));
        surname->setFocus();
        QTest::keyClick(surname, Qt::Key_A, Qt::ControlModifier);
        typeKeys(surname, text);
    }

    QString storedSurname(int recNo) { return storedText(tmp_.path(), recNo, "PRIJM"); }
};

TEST_F(ExamineeListFlows, CtrlLOpensEveryExamineeAndEveryColumnSorts) {
    seed({examinee("Dvořák", "Jiří", "41", "3.5.2024", "Dr. Šimková", "104"),
          examinee("Nováková", "Šárka", "29", "12.11.2023", "Mgr. Kučera"),
          examinee("Čermák", "Petr", "100", "1.2.2025", "PhDr. Říha", "88"),
          examinee("Chalupa", "Jan", "35", "28.2.2024", "Mgr. Zelený", "97")});
    start();
    pressNavigator(NavigatorButton::Next);
    app::ExamineeListWindow* window = openList();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Seznam vyšetřených"));
    EXPECT_EQ(QApplication::focusWidget(), window->filterBox())
        << QApplication::focusWidget()->metaObject()->className() << " "
        << QApplication::focusWidget()->objectName().toStdString();
    EXPECT_EQ(find<QAction>(QStringLiteral("SeznamVysetrenych1"))->text(),
              QStringLiteral("Seznam vyšetřených"));

    QAbstractItemModel* model = window->view()->model();
    const QStringList captions{"ID",  "Příjmení",   "Jméno", "Datum vyšetření",
                               "Věk", "Examinátor", "CIQ"};
    ASSERT_EQ(model->columnCount(), captions.size());
    for (int c = 0; c < captions.size(); ++c)
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), captions[c]);
    // In record order at first, the main window's record current.
    EXPECT_EQ(column(ExamineeColumn::Surname),
              QStringList({"Dvořák", "Nováková", "Čermák", "Chalupa"}));
    EXPECT_EQ(column(ExamineeColumn::Ciq), QStringList({"104", "", "88", "97"}));
    EXPECT_EQ(window->view()->currentIndex().row(), 1);
    EXPECT_EQ(find<QLabel>(QStringLiteral("ShownCount"))->text(), QStringLiteral("4 z 4"));

    struct Sort {
        ExamineeColumn column;
        QStringList ascending; // surnames
    };
    const Sort sorts[] = {
        {ExamineeColumn::Surname, {"Čermák", "Dvořák", "Chalupa", "Nováková"}},
        {ExamineeColumn::FirstName, {"Chalupa", "Dvořák", "Čermák", "Nováková"}},
        {ExamineeColumn::Age, {"Nováková", "Chalupa", "Dvořák", "Čermák"}},
        {ExamineeColumn::Date, {"Nováková", "Chalupa", "Dvořák", "Čermák"}},
        {ExamineeColumn::Examiner, {"Dvořák", "Nováková", "Chalupa", "Čermák"}},
        {ExamineeColumn::Ciq, {"Nováková", "Čermák", "Chalupa", "Dvořák"}},
        {ExamineeColumn::Id, {"Dvořák", "Nováková", "Čermák", "Chalupa"}},
    };
    for (const Sort& sort : sorts) {
        SCOPED_TRACE(static_cast<int>(sort.column));
        clickHeader(sort.column);
        if (window->view()->horizontalHeader()->sortIndicatorOrder() != Qt::AscendingOrder)
            clickHeader(sort.column);
        EXPECT_EQ(column(ExamineeColumn::Surname), sort.ascending);
        clickHeader(sort.column);
        QStringList descending = sort.ascending;
        std::reverse(descending.begin(), descending.end());
        EXPECT_EQ(column(ExamineeColumn::Surname), descending);
        // The current examinee stays current through every sort.
        EXPECT_EQ(model->index(window->view()->currentIndex().row(), 1).data().toString(),
                  QStringLiteral("Nováková"));
    }
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(ExamineeListFlows, FilterNarrowsAsTheExaminerTypesWithoutRegardToCaseOrDiacritics) {
    seed({examinee("Nováková", "Šárka", "29", "12.11.2023", "Dr. Šimková"),
          examinee("Novák", "Jan", "35", "28.2.2024", "Mgr. Kučera"),
          examinee("Dvořák", "Jiří", "41", "3.5.2024", "PhDr. Říha"),
          examinee("Dvorský", "Petr", "52", "4.6.2024", "Mgr. Kučera"),
          examinee("Řízek", "Žaneta", "23", "5.7.2024", "Dr. Šimková")});
    start();
    ASSERT_NE(openList(), nullptr);
    struct Case {
        const char* typed;
        QStringList surnames;
    };
    const Case cases[] = {
        {"novak", {"Nováková", "Novák"}},
        {"NOVÁKOVÁ", {"Nováková"}},
        {"dvorak", {"Dvořák"}},
        {"dvor", {"Dvořák", "Dvorský"}},
        {"rizek", {"Řízek"}},
        {"zan", {"Řízek"}},               // first name Žaneta
        {"sarka", {"Nováková"}},          // first name Šárka
        {"kucera", {"Novák", "Dvorský"}}, // examiner
        {"ŠIM", {"Nováková", "Řízek"}},
        {"říha", {"Dvořák"}},
        {"ová", {"Nováková", "Novák", "Řízek"}}, // Řízek by Dr. Šimková
        {"xyz", {}},
        {"", {"Nováková", "Novák", "Dvořák", "Dvorský", "Řízek"}},
    };
    for (const Case& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        SCOPED_TRACE(typed.toStdString());
        filterBy(typed);
        EXPECT_EQ(list()->filterBox()->text(), typed);
        EXPECT_EQ(column(ExamineeColumn::Surname), c.surnames);
        EXPECT_EQ(find<QLabel>(QStringLiteral("ShownCount"))->text(),
                  QStringLiteral("%1 z 5").arg(c.surnames.size()));
    }
}

TEST_F(ExamineeListFlows, EnterMovesByTheOrdinaryMoveStoringThePendingChange) {
    seed({examinee("Kos", "Jan", "30", "1.1.2024", "Mgr. Kučera"),
          examinee("Dub", "Eva", "31", "2.1.2024", "Mgr. Kučera"),
          examinee("Dvořák", "Jiří", "41", "3.5.2024", "PhDr. Říha")});
    start();
    ASSERT_EQ(record().recNo(), 1);
    retypeSurname(QStringLiteral("Kosová"));
    ASSERT_EQ(data().table3().state(), TableState::Edit);

    ASSERT_NE(openList(), nullptr);
    filterBy(QStringLiteral("dvorak"));
    ASSERT_EQ(column(ExamineeColumn::Surname), QStringList{"Dvořák"});
    QTest::keyClick(list()->filterBox(), Qt::Key_Return);

    EXPECT_FALSE(list()->isVisible());
    EXPECT_EQ(record().recNo(), 3);
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()})
        EXPECT_EQ(table->recNo(), 3) << table->name().toStdString();
    EXPECT_EQ(box(QStringLiteral("DBEdit2"))->text(), QStringLiteral("Dvořák"));
    EXPECT_EQ(counter(), QStringLiteral("záznam 3 / 3"));
    // The change typed into record 1 was stored by the move, as a move
    // stores it.
    EXPECT_EQ(storedSurname(1), QStringLiteral("Kosová"));
    EXPECT_EQ(data().table3().state(), TableState::Browse);
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();

    // Opened again, it shows what was stored, with the last filter ready to
    // be typed over.
    ASSERT_NE(openList(), nullptr);
    EXPECT_EQ(list()->filterBox()->selectedText(), QStringLiteral("dvorak"));
    typeKeys(list()->filterBox(), QStringLiteral("kos"));
    EXPECT_EQ(column(ExamineeColumn::Surname), QStringList{"Kosová"});
}

TEST_F(ExamineeListFlows, ArrowsFromTheFilterAndADoubleClickChooseTheRecord) {
    seed({examinee("Nováková", "Šárka", "29", "12.11.2023", "Dr. Šimková"),
          examinee("Kos", "Jan", "35", "28.2.2024", "Mgr. Kučera"),
          examinee("Novák", "Jan", "35", "28.2.2024", "Mgr. Kučera")});
    start();
    ASSERT_NE(openList(), nullptr);
    filterBy(QStringLiteral("nov"));
    ASSERT_EQ(column(ExamineeColumn::Surname), QStringList({"Nováková", "Novák"}));
    EXPECT_EQ(list()->view()->currentIndex().row(), 0);
    QTest::keyClick(list()->filterBox(), Qt::Key_Down);
    EXPECT_EQ(list()->view()->currentIndex().row(), 1);
    EXPECT_EQ(QApplication::focusWidget(), list()->filterBox());
    QTest::keyClick(list()->filterBox(), Qt::Key_Enter);
    EXPECT_EQ(record().recNo(), 3);
    EXPECT_FALSE(list()->isVisible());

    ASSERT_NE(openList(), nullptr);
    filterBy(QStringLiteral("kos"));
    QTableView* view = list()->view();
    const QRect cell = view->visualRect(view->model()->index(0, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(record().recNo(), 2);
    EXPECT_EQ(box(QStringLiteral("DBEdit2"))->text(), QStringLiteral("Kos"));
    EXPECT_FALSE(list()->isVisible());
}

TEST_F(ExamineeListFlows, EscClosesTheListWithoutMovingOrStoring) {
    seed({examinee("Kos", "Jan", "30", "1.1.2024", "Mgr. Kučera"),
          examinee("Dub", "Eva", "31", "2.1.2024", "Mgr. Kučera")});
    start();
    retypeSurname(QStringLiteral("Kosová"));
    ASSERT_NE(openList(), nullptr);
    QTest::keyClick(list()->filterBox(), Qt::Key_Down);
    EXPECT_EQ(list()->view()->currentIndex().row(), 1);
    QTest::keyClick(list()->filterBox(), Qt::Key_Escape);

    EXPECT_FALSE(list()->isVisible());
    EXPECT_EQ(record().recNo(), 1);
    EXPECT_EQ(data().table3().state(), TableState::Edit);
    EXPECT_EQ(box(QStringLiteral("DBEdit2"))->text(), QStringLiteral("Kosová"));
    EXPECT_EQ(storedSurname(1), QStringLiteral("Kos"));
    EXPECT_EQ(counter(), QStringLiteral("záznam 1 / 2"));
}

TEST_F(ExamineeListFlows, ARefusedMoveKeepsTheListOpenAndTheRecordWhereItWas) {
    seed({examinee("Kos", "Jan", "30", "1.1.2024", "Mgr. Kučera"),
          examinee("Dub", "Eva", "31", "2.1.2024", "Mgr. Kučera")});
    start();
    // A text that cannot be stored in its column stops every move.
    record().setText(QStringLiteral("VEK"), QStringLiteral("3x"));
    ASSERT_NE(openList(), nullptr);
    QTest::keyClick(list()->filterBox(), Qt::Key_Down);
    QTest::keyClick(list()->filterBox(), Qt::Key_Return);

    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown.first().contains(QStringLiteral("VEK")))
        << messages_.shown.first().toStdString();
    EXPECT_TRUE(list()->isVisible());
    EXPECT_EQ(record().recNo(), 1);
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()})
        EXPECT_EQ(table->recNo(), 1) << table->name().toStdString();
}

TEST_F(ExamineeListFlows, AShownListFollowsEveryRecordOperation) {
    seed({examinee("Kos", "Jan", "30", "1.1.2024", "Mgr. Kučera"),
          examinee("Dub", "Eva", "31", "2.1.2024", "Mgr. Kučera")});
    start();
    ASSERT_NE(openList(), nullptr);
    ASSERT_EQ(column(ExamineeColumn::Surname), QStringList({"Kos", "Dub"}));

    pressNavigator(NavigatorButton::Insert);
    QApplication::processEvents();
    EXPECT_EQ(column(ExamineeColumn::Surname), QStringList({"Kos", "Dub", ""}));
    EXPECT_EQ(column(ExamineeColumn::Id), QStringList({"0", "1", "2"}));

    retypeSurname(QStringLiteral("Dvořák"));
    QApplication::processEvents();
    EXPECT_EQ(column(ExamineeColumn::Surname).last(), QString()) << "not stored yet";
    pressNavigator(NavigatorButton::Post);
    QApplication::processEvents();
    EXPECT_EQ(column(ExamineeColumn::Surname), QStringList({"Kos", "Dub", "Dvořák"}));

    record().moveTo(1);
    record().removeCurrent();
    QApplication::processEvents();
    EXPECT_EQ(column(ExamineeColumn::Surname), QStringList({"Dub", "Dvořák"}));
    EXPECT_EQ(find<QLabel>(QStringLiteral("ShownCount"))->text(), QStringLiteral("2 z 2"));
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(ExamineeListFlows, TheCounterBesideTheNavigatorIsAlwaysCurrent) {
    start();
    auto* label = find<QLabel>(QStringLiteral("RecordCounter"));
    EXPECT_GE(label->x(), form1().navigator()->geometry().right());
    EXPECT_EQ(counter(), QStringLiteral("záznam 0 / 0"));
    pressNavigator(NavigatorButton::Insert);
    EXPECT_EQ(counter(), QStringLiteral("záznam 1 / 1"));
    pressNavigator(NavigatorButton::Insert);
    pressNavigator(NavigatorButton::Insert);
    EXPECT_EQ(counter(), QStringLiteral("záznam 3 / 3"));
    pressNavigator(NavigatorButton::First);
    EXPECT_EQ(counter(), QStringLiteral("záznam 1 / 3"));
    pressNavigator(NavigatorButton::Next);
    EXPECT_EQ(counter(), QStringLiteral("záznam 2 / 3"));
    record().removeCurrent();
    EXPECT_EQ(counter(), QStringLiteral("záznam 2 / 2"));
    pressNavigator(NavigatorButton::Last);
    record().removeCurrent();
    EXPECT_EQ(counter(), QStringLiteral("záznam 1 / 1"));
    data().close();
    EXPECT_EQ(counter(), QString());
    data().open(tmp_.dir(), messages_);
    EXPECT_EQ(counter(), QStringLiteral("záznam 1 / 1"));
}

} // namespace
} // namespace iksa::test
