#include "AboutBox.h"
#include "AppFixture.h"
#include "DeleteConfirmation.h"
#include "DocumentViewer.h"
#include "EvaluationTab.h"
#include "MaintenancePage.h"
#include "MessageBoxes.h"
#include "PageTabs.h"
#include "QtTranslations.h"
#include "SearchWindow.h"
#include "controls/DBNavigator.h"
#include "controls/DBRadioGroup.h"
#include "scoring/Catalogue.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QToolButton>

namespace iksa::test {
namespace {

using Fields = QList<QPair<QString, QString>>;

class MainWindowFlows : public AppFixture {
protected:
    void press(NavigatorButton button) {
        QTest::mouseClick(form1().navigator()->button(button), Qt::LeftButton);
    }
    void click(const QString& name) {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    QString stored(Table& table, int recNo, const QString& field) {
        return table.storedText(recNo, table.fieldIndex(field));
    }
    void trigger(const QString& action) { find<QAction>(action)->trigger(); }
};

TEST_F(MainWindowFlows, StartShowsTheEvaluationPageWithTheStoredRawScores) {
    seed({Fields{{"PRIJM", "Novák"}, {"VEK", "34"}, {"HS_1_DO", "12"}, {"HS_14_SO", "7"}}});
    start();

    QTabWidget* pages = form1().pageControl();
    EXPECT_EQ(pages->currentIndex(), app::MainWindow::evaluationPageIndex);
    for (int i = 0; i <= app::MainWindow::evaluationPageIndex; ++i)
        EXPECT_EQ(form1().isTabHighlighted(i), i == app::MainWindow::evaluationPageIndex) << i;
    EXPECT_EQ(box("DBEdit466")->text(), "12");
    EXPECT_EQ(box("DBEdit479")->text(), "7");
    EXPECT_EQ(box("DBEdit2")->text(), "Novák");
    EXPECT_EQ(QApplication::focusWidget(), find("DBEdit1"));

    ASSERT_EQ(pages->count(), 16);
    for (const Subtest& subtest : Catalogue::instance().subtests())
        EXPECT_EQ(pages->tabText(subtest.number - 1), subtest.caption);
    EXPECT_EQ(pages->tabText(14), "Vyhodnocení ");
    EXPECT_EQ(pages->widget(15)->objectName(), "Udrzba");
    EXPECT_FALSE(pages->isTabVisible(15));
    EXPECT_TRUE(form1().windowTitle().startsWith(
        QStringLiteral("IKSA-III  –  Individuální kognitivní škála pro dospělé  –  "
                       "Vývojový tým IKSA-III  –  verze 3.0.0")))
        << form1().windowTitle().toStdString();
    EXPECT_TRUE(form1().windowTitle().contains(
        QStringLiteral("ilustrativní normy – nejsou určeny pro klinické použití")));
    EXPECT_EQ(form1().size(), QSize(1044, 772));
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(MainWindowFlows, HeaderNavigatorAndMenuCarryTheirTextsAndNames) {
    start();
    // The hints name the buttons' keyboard shortcuts too.
    const QList<QPair<NavigatorButton, QString>> hints{
        {NavigatorButton::First, "začátek db. (Alt+Home)"},
        {NavigatorButton::Prior, "o jeden ke konci (Alt+PgUp)"},
        {NavigatorButton::Next, "o jeden k  začátku (Alt+PgDown)"},
        {NavigatorButton::Last, "konec db. (Alt+End)"},
        {NavigatorButton::Insert, "přidat (Alt+Ins)"},
        {NavigatorButton::Edit, "editovat (F2)"},
        {NavigatorButton::Post, "potvrdit (Ctrl+S)"},
        {NavigatorButton::Cancel, "storno (Shift+Esc)"}};
    for (const auto& [button, hint] : hints)
        EXPECT_EQ(form1().navigator()->button(button)->toolTip(), hint);
    EXPECT_EQ(form1().navigator()->size(), QSize(248, 33));

    auto* remove = find<QPushButton>("Button1");
    EXPECT_EQ(remove->text(), "-");
    EXPECT_EQ(remove->toolTip(), "Odstranit záznam (Alt+Del)");
    EXPECT_EQ(remove->font().pixelSize(), 32);
    EXPECT_TRUE(remove->font().bold());

    const QList<QPair<QString, int>> widths{{"DBEdit1", 121}, {"DBEdit2", 169},   {"DBEdit3", 41},
                                            {"DBEdit4", 121}, {"DBEdit480", 153}, {"DBEdit5", 385}};
    for (const auto& [name, width] : widths)
        EXPECT_EQ(find(name)->width(), width) << name.toStdString();
    EXPECT_EQ(box("DBEdit3")->maxLength(), 3);
    EXPECT_EQ(find<QLabel>("Image1")->pixmap().size(), QSize(401, 81));

    const QStringList menuItems{"Export1",   "Import1",    "FormulHlednsymbol1", "Vhodnocen1",
                                "Vyhledat1", "Exportdat1", "Oprogramu1",         "Ukoncit1"};
    for (const QString& name : menuItems)
        EXPECT_TRUE(find<QAction>(name)->isVisible()) << name.toStdString();
    EXPECT_EQ(find<QAction>("FormulHlednsymbol1")->text(), "Formulář Hledání symbolů ");
    EXPECT_FALSE(find<QAction>("Zadanchdat1")->isVisible());
}

TEST_F(MainWindowFlows, TypedScoresReachTheEvaluationPageBeforeTheRecordIsStored) {
    start();
    press(NavigatorButton::Insert);
    ASSERT_EQ(data().table3().recordCount(), 1);
    type(box("DBEdit1"), "Jan");
    type(box("DBEdit2"), "Kos");

    showPage(2);
    type(box("S_2_1"), "2");
    // Each valid score moves on to the next score box.
    EXPECT_EQ(QApplication::focusWidget(), box("S_2_2"));
    QTest::keyClicks(QApplication::focusWidget(), "1");
    QTest::keyClicks(QApplication::focusWidget(), "30"); // "3" is no SL score
    EXPECT_EQ(box("S_2_1")->text(), "2");
    EXPECT_EQ(box("S_2_2")->text(), "1");
    EXPECT_EQ(box("S_2_3")->text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), box("S_2_4"));
    click("Label508");
    EXPECT_EQ(box("HS_2_SL")->text(), "3");

    showPage(15);
    EXPECT_EQ(box("DBEdit467")->text(), "3");
    EXPECT_EQ(stored(data().table3(), 1, "HS_2_SL"), "");
    EXPECT_EQ(data().table3().state(), TableState::Edit);

    press(NavigatorButton::Post);
    EXPECT_EQ(stored(data().table3(), 1, "HS_2_SL"), "3");
    EXPECT_EQ(stored(data().table3(), 1, "JMENO"), "Jan");
    EXPECT_EQ(stored(data().table1(), 1, "PRIJM"), "Kos");
    EXPECT_EQ(stored(data().table2(), 1, "PRIJM"), "Kos");
    EXPECT_EQ(stored(data().table1(), 1, "S_2_1"), "2");
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(MainWindowFlows, KeyFiltersAndFocusFollowTheScoreDomains) {
    seed({Fields{{"PRIJM", "A"}}});
    start();
    showPage(9);
    type(box("S_9_1"), "2"); // INF scores 0 or 1
    EXPECT_EQ(box("S_9_1")->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), box("S_9_1"));
    showPage(13);
    type(box("S_13_4"), "3"); // RPC item scores go up to 3
    EXPECT_EQ(box("S_13_4")->text(), "3");
    showPage(4);
    type(box("S_4_19"), "2");
    // After the last score box the page's "=" button takes the focus.
    EXPECT_EQ(QApplication::focusWidget(), find("Label520"));
    showPage(5);
    type(box("C_5_1"), "12x4"); // times are numbers of three digits at most
    EXPECT_EQ(box("C_5_1")->text(), "124");
}

TEST_F(MainWindowFlows, PotvrditStoresItemDataTypedIntoTheOtherTables) {
    seed({Fields{{"PRIJM", "A"}}});
    start();
    QToolButton* post = form1().navigator()->button(NavigatorButton::Post);
    EXPECT_FALSE(post->isEnabled());
    showPage(1);
    type(box("S_1_1"), "1"); // Table1 only
    EXPECT_EQ(data().table3().state(), TableState::Browse);
    ASSERT_TRUE(post->isEnabled());
    press(NavigatorButton::Post);
    EXPECT_EQ(stored(data().table1(), 1, "S_1_1"), "1");
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()})
        EXPECT_EQ(table->state(), TableState::Browse);
    EXPECT_FALSE(post->isEnabled());
}

TEST_F(MainWindowFlows, RulesRunOnTheExaminersChangesButNotWhenARecordIsShown) {
    // A stored trial without its item score: showing the record leaves it so.
    seed({Fields{{"PRIJM", "A"}, {"2:S_8_P1_1", "1"}}, Fields{{"PRIJM", "B"}}});
    start();
    showPage(8);
    press(NavigatorButton::Next);
    press(NavigatorButton::Prior);
    EXPECT_EQ(box("SD_8_1")->text(), "");
    EXPECT_EQ(data().table2().state(), TableState::Browse);

    type(box("S_8_P1_2"), "1");
    EXPECT_EQ(box("SD_8_1")->text(), "2");

    showPage(7);
    const Subtest& mat = Catalogue::instance().subtest(7);
    const Item* item1 = nullptr;
    for (const Item* item : mat.items())
        if (item->key == "1")
            item1 = item;
    ASSERT_NE(item1, nullptr);
    auto* option = find<app::DBRadioGroup>("O_7_1");
    QTest::mouseClick(option->button(item1->content.keyOption - 1), Qt::LeftButton);
    EXPECT_EQ(box("S_7_1")->text(), "1");
    QTest::mouseClick(option->button(5), Qt::LeftButton); // "N"
    EXPECT_EQ(box("S_7_1")->text(), "0");

    showPage(1);
    app::DBEdit* toggle = box("S_1_7");
    const QStringList cycle{"0", "1", "0"};
    for (const QString& expected : cycle) {
        QTest::mouseClick(toggle, Qt::LeftButton);
        EXPECT_EQ(toggle->text(), expected);
    }
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(MainWindowFlows, NotAdministeredMarkIsStoredAndFollowsTheRecords) {
    seed({Fields{{"PRIJM", "A"}}, Fields{{"PRIJM", "B"}, {"HS_14_SO", "12"}}});
    start();
    showPage(14);
    auto* mark = find<QCheckBox>("CheckBox2");
    EXPECT_EQ(mark->text(), "neadministrován");
    QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(6, mark->height() / 2));
    EXPECT_EQ(box("HS_14_SO")->text(), "-1");
    press(NavigatorButton::Post);
    press(NavigatorButton::Next);
    press(NavigatorButton::Prior);

    EXPECT_EQ(box("HS_14_SO")->text(), "-1");
    EXPECT_TRUE(record().soNotAdministered());
    for (const QString cell : {"DBEdit479", "DBEdit509", "StaticText58"})
        EXPECT_TRUE(find(cell)->isHidden()) << cell.toStdString();

    press(NavigatorButton::Next); // B: 12
    showPage(2);
    EXPECT_FALSE(mark->isChecked());
    for (const QString cell : {"DBEdit479", "DBEdit509", "StaticText58"})
        EXPECT_FALSE(find(cell)->isHidden()) << cell.toStdString();
    EXPECT_EQ(box("HS_14_SO")->text(), "12");
    EXPECT_EQ(data().table3().state(), TableState::Browse);

    press(NavigatorButton::Prior); // A: -1, the box is brought in line on the next page change
    showPage(3);
    EXPECT_TRUE(mark->isChecked());
    EXPECT_TRUE(find("DBEdit479")->isHidden());
}

TEST_F(MainWindowFlows, AgeAndDateChecksSpeakTheirMessages) {
    seed({Fields{{"PRIJM", "A"}, {"DATUM", ""}}});
    start();
    app::DBEdit* age = box("DBEdit3");
    app::DBEdit* date = box("DBEdit4");

    const QList<QPair<QString, QStringList>> cases{
        {"", {"Špatný věk !!", "Věk  je menší jak 16 let!!"}},
        {"1060", {"Věk  je větší jak 105 let!!"}}, // three characters at most: 106
        {"20", {}},
        {"ab15", {"Věk  je menší jak 16 let!!"}}, // letters are no age
    };
    for (const auto& [typed, expected] : cases) {
        age->setFocus();
        age->selectAll();
        QTest::keyClick(age, Qt::Key_Backspace);
        QTest::keyClicks(age, typed);
        messages_.shown.clear();
        date->setFocus(Qt::TabFocusReason);
        QTest::qWait(1);
        QApplication::processEvents();
        EXPECT_EQ(messages_.shown, expected) << typed.toStdString();
        EXPECT_EQ(QApplication::focusWidget(),
                  expected.isEmpty() ? static_cast<QWidget*>(date) : age)
            << typed.toStdString();
    }

    date->setFocus();
    messages_.shown.clear();
    QTest::keyClicks(date, ".12.3.2004");
    EXPECT_EQ(date->text(), "12.3.2004");
    EXPECT_TRUE(messages_.shown.isEmpty());
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClicks(date, "1.2.3.4.5");
    EXPECT_EQ(date->text(), "1.2.3.45");
    EXPECT_EQ(messages_.shown, QStringList{"Špatně  zadané datum :1.2.3.4"});
}

TEST_F(MainWindowFlows, SearchFindsEachMatchInTurnThenHides) {
    seed({Fields{{"PRIJM", "Kos"}}, Fields{{"PRIJM", "Dub"}}, Fields{{"PRIJM", "kos"}}});
    start();
    press(NavigatorButton::Next);
    trigger("Vyhledat1");
    app::SearchWindow& search = program_->vyhledej();
    ASSERT_TRUE(search.isVisible());
    EXPECT_EQ(search.windowTitle(), QString(21, ' ') + "Data k vyhledání");
    auto* edit = search.findChild<QLineEdit*>("Edit1");
    auto* ok = search.findChild<QPushButton*>("OKBtn");
    auto* notFound = search.findChild<QLabel*>("Label2");

    edit->setText("Ko");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(notFound->isHidden());
    EXPECT_EQ(ok->text(), "Vyhledat");
    EXPECT_EQ(record().recNo(), 2);
    EXPECT_TRUE(search.isVisible());

    edit->setText("KOS");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(record().recNo(), 1);
    EXPECT_EQ(box("DBEdit2")->text(), "Kos");
    EXPECT_EQ(ok->text(), "Další");
    EXPECT_TRUE(notFound->isHidden());

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(record().recNo(), 3);
    EXPECT_EQ(box("DBEdit2")->text(), "kos");
    EXPECT_EQ(box("DBEdit536")->text(), "kos"); // Table1 moved with it

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(search.isVisible());
    EXPECT_EQ(ok->text(), "Vyhledat");
    EXPECT_EQ(box("DBEdit2")->text(), "kos");
}

TEST_F(MainWindowFlows, DeleteConfirmationRemovesOnAnoOnly) {
    seed({Fields{{"PRIJM", "A"}}, Fields{{"PRIJM", "B"}}});
    start();
    app::DeleteConfirmation& form5 = program_->form5();
    click("Button1");
    ASSERT_TRUE(form5.isVisible());
    EXPECT_EQ(form5.windowTitle(), "Iksa");
    QTest::mouseClick(form5.findChild<QPushButton*>("Button2"), Qt::LeftButton); // Ne
    EXPECT_FALSE(form5.isVisible());
    EXPECT_EQ(data().table3().recordCount(), 2);

    click("Button1");
    QTest::mouseClick(form5.findChild<QPushButton*>("Button1"), Qt::LeftButton); // Ano
    EXPECT_FALSE(form5.isVisible());
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()})
        EXPECT_EQ(table->recordCount(), 1);
    EXPECT_EQ(box("DBEdit2")->text(), "B");
    EXPECT_TRUE(messages_.shown.isEmpty());
}

TEST_F(MainWindowFlows, DeleteOnEmptyTablesIsRefusedAndTheQuestionStays) {
    start();
    click("Button1");
    QTest::mouseClick(program_->form5().findChild<QPushButton*>("Button1"), Qt::LeftButton);
    EXPECT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(program_->form5().isVisible());
}

TEST_F(MainWindowFlows, VyhodnotitFillsTheResultCellsOfThePage) {
    Fields fields{{"PRIJM", "A"}, {"VEK", "40"}};
    for (const Subtest& subtest : Catalogue::instance().subtests())
        fields.append({subtest.rawField, QString::number(subtest.maximum / 2)});
    seed({fields, Fields{{"PRIJM", "B"}, {"VEK", "15"}}});
    start();
    click("Button2");
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
    for (const QString cell : {"DBEdit503", "DBEdit481", "VER_SVS", "CIQ_SVS", "VP_VER_S"})
        EXPECT_FALSE(find<QLineEdit>(cell)->text().isEmpty()) << cell.toStdString();
    // The composite block shows the record's texts as they stand.
    for (const QString cell :
         {"Composite_CIQ_SVS", "CIQ_IQ_IS", "CIQ_PER", "CIQ_IS_95", "IRZ_IS_90"}) {
        const QString field = cell.startsWith("Composite_") ? cell.mid(10) : cell;
        EXPECT_EQ(find<QLabel>(cell)->text(), record().text(field)) << cell.toStdString();
    }
    EXPECT_FALSE(find<QLabel>("CIQ_IQ_IS")->text().isEmpty());
    EXPECT_FALSE(find<QLabel>("StaticText45")->text().isEmpty());
    EXPECT_FALSE(find<QLabel>("StaticText87")->text().isEmpty());
    EXPECT_EQ(data().table3().state(), TableState::Edit);

    press(NavigatorButton::Next); // stores the results, then B, aged 15
    click("Button2");
    EXPECT_EQ(messages_.shown, QStringList{"Není zadaný věk v intervalu 16..100 let!"});
}

TEST_F(MainWindowFlows, OptionsMarkTheScaledScoreCells) {
    start();
    const QStringList marked = EvaluationOptions::markedFields();
    for (const QString& field : marked)
        EXPECT_EQ(form1().evaluationTab()->scaledCell(field)->palette().color(QPalette::Base),
                  app::EvaluationTab::markedColour())
            << field.toStdString();

    QTest::mouseClick(find<QRadioButton>("RadioGroup2_3"), Qt::LeftButton);
    EXPECT_EQ(form1().options().meanBasis(), 3);
    const QStringList white{"DBEdit501", "DBEdit507", "DBEdit509"}; // POR, ROB, SO
    for (const QString& field : marked) {
        app::DBEdit* cell = form1().evaluationTab()->scaledCell(field);
        EXPECT_EQ(cell->palette().color(QPalette::Base), white.contains(cell->objectName())
                                                             ? app::EvaluationTab::unmarkedColour()
                                                             : app::EvaluationTab::markedColour())
            << field.toStdString();
    }
    QTest::mouseClick(find<QRadioButton>("RadioGroup1_1"), Qt::LeftButton);
    EXPECT_EQ(form1().options().significance(), 1);
    auto* showMean = find<QCheckBox>("CheckBox1");
    QTest::mouseClick(showMean, Qt::LeftButton, {}, QPoint(6, showMean->height() / 2));
    EXPECT_FALSE(form1().options().showMean());
}

TEST_F(MainWindowFlows, ClosingWithUnstoredChangesAsksWhatToDo) {
    seed({Fields{{"PRIJM", "Kos"}}});
    struct Case {
        int answer; // Uložit, Neukládat, Zpět
        bool closed;
        QString storedAfter;
    };
    const QList<Case> cases{{2, false, "Kos"}, {1, true, "Kos"}, {0, true, "Dub"}};
    for (const Case& c : cases) {
        start();
        app::DBEdit* surname = box("DBEdit2");
        surname->selectAll();
        QTest::keyClicks(surname, "Dub");
        messages_.answers.enqueue(c.answer);
        messages_.asked.clear();
        EXPECT_EQ(form1().close(), c.closed) << c.answer;
        EXPECT_EQ(messages_.asked.size(), 1);
        EXPECT_EQ(form1().hasUnstoredChanges(), !c.closed);
        program_.reset(); // the end of the program closes the tables without storing
        DataModule check;
        check.open(tmp_.dir(), messages_);
        EXPECT_EQ(check.table3().text("PRIJM"), c.storedAfter) << c.answer;
        check.close();
        if (c.answer == 0) {
            // Nothing left to store: no question.
            start();
            messages_.asked.clear();
            EXPECT_TRUE(form1().close());
            EXPECT_TRUE(messages_.asked.isEmpty());
        }
    }
}

TEST_F(MainWindowFlows, SymbolSearchFormOpensInTheDocumentViewer) {
    {
        QPdfWriter writer(tmp_.file("Iksa_kodovani.pdf"));
        QPainter painter(&writer);
        painter.drawText(100, 100, "Hledání symbolů");
    }
    start();
    trigger("FormulHlednsymbol1");
    app::DocumentViewer* form4 = form1().documentViewer();
    EXPECT_TRUE(form4->isVisible());
    EXPECT_EQ(form4->objectName(), "Form4");
    EXPECT_EQ(form4->viewer()->document()->pageCount(), 1);
    EXPECT_FALSE(form4->viewer()->toolbarShown());
    EXPECT_EQ(form4->viewer()->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(QDir::currentPath(), QDir(tmp_.path()).canonicalPath());

    form4->close();
    EXPECT_FALSE(form4->isVisible());
    QFile::remove(tmp_.file("Iksa_kodovani.pdf"));
    trigger("FormulHlednsymbol1");
    EXPECT_TRUE(form4->isVisible());
    EXPECT_EQ(form4->viewer()->document()->pageCount(), 0);
    EXPECT_TRUE(messages_.shown.isEmpty());
}

TEST_F(MainWindowFlows, AboutBoxShowsWithoutBlocking) {
    start();
    trigger("Oprogramu1");
    app::AboutBox& about = program_->oprogramu();
    EXPECT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(about.windowTitle(), "O programu");
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    EXPECT_EQ(texts.mid(0, 5),
              QStringList({"IKSA-III  CZ", "Individuální kognitivní škála pro dospělé",
                           "Vývoj: tým IKSA-III",
                           "Počítačové vyhodnocení subtestů, IQ a indexových skórů",
                           "Program pro psychologickou praxi, verze 3.0.0"}));
    auto* close = about.findChild<QPushButton*>("OKButton");
    EXPECT_EQ(close->text(), " Zavřít");
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(MainWindowFlows, HeaderBoxesHoldWhatTheirFieldsHoldAndSpeakCzech) {
    ASSERT_TRUE(app::installCzechQtTranslations(*QCoreApplication::instance()));
    start();
    press(NavigatorButton::Insert);
    const TableSchema& schema = table3Schema();
    const auto width = [&](const char* field) {
        return schema.columns.at(schema.columnIndex(QString::fromLatin1(field))).width;
    };
    EXPECT_EQ(box("DBEdit3")->maxLength(), 3);
    EXPECT_EQ(box("DBEdit4")->maxLength(), width("DATUM"));
    const QList<QPair<const char*, const char*>> boxes{
        {"DBEdit1", "JMENO"}, {"DBEdit2", "PRIJM"}, {"DBEdit480", "EXAMI"}, {"DBEdit5", "POZNAM"}};
    for (const auto& [name, field] : boxes) {
        SCOPED_TRACE(name);
        app::DBEdit* edit = box(QString::fromLatin1(name));
        EXPECT_EQ(edit->maxLength(), width(field));
        // More than the field holds: the box takes only what will be stored.
        edit->setFocus();
        const QString typed(width(field) + 5, QLatin1Char('x'));
        QTest::keyClicks(edit, typed);
        EXPECT_EQ(edit->text(), typed.left(width(field)));
    }
    press(NavigatorButton::Post);
    Table& t3 = program_->data().table3();
    for (const auto& [name, field] : boxes)
        EXPECT_EQ(stored(t3, 1, QString::fromLatin1(field)), box(QString::fromLatin1(name))->text())
            << name;

    // Qt's own texts are Czech: the context menu of an edit box.
    std::unique_ptr<QMenu> menu(box("DBEdit2")->createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            actions << action->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(actions.contains(QStringLiteral("&Vložit"))) << actions.join('|').toStdString();
    EXPECT_TRUE(actions.contains(QStringLiteral("Vybrat vše"))) << actions.join('|').toStdString();
}

TEST_F(MainWindowFlows, NoKeySequenceReachesTheMaintenancePage) {
    seed({Fields{{"PRIJM", "A"}}, Fields{{"PRIJM", "B"}}});
    start();
    QTabWidget* pages = form1().pageControl();
    QWidget* maintenance = form1().maintenancePage();
    QList<int> shown;
    QObject::connect(pages, &QTabWidget::currentChanged, [&](int index) { shown.append(index); });

    const QList<Qt::Key> keys{Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_PageUp, Qt::Key_PageDown,
                              Qt::Key_Left, Qt::Key_Right,   Qt::Key_Up,     Qt::Key_Down,
                              Qt::Key_Home, Qt::Key_End,     Qt::Key_F6,     Qt::Key_U};
    const QList<Qt::KeyboardModifiers> modifiers{
        Qt::ControlModifier, Qt::ControlModifier | Qt::ShiftModifier,
        Qt::AltModifier,     Qt::ControlModifier | Qt::AltModifier,
        Qt::ShiftModifier,   Qt::NoModifier};
    const int rounds = pages->count() + 2; // more than once round every page
    for (const Qt::KeyboardModifiers modifier : modifiers) {
        for (const Qt::Key key : keys) {
            // From the page control itself and from a box on the last page.
            for (const bool fromBox : {false, true}) {
                showPage(fromBox ? 14 : 1);
                if (fromBox)
                    box("HS_14_SO")->setFocus();
                else
                    pages->setFocus();
                for (int i = 0; i < rounds; ++i) {
                    QWidget* focus = QApplication::focusWidget();
                    QTest::keyClick(focus ? focus : pages, key, modifier);
                    ASSERT_NE(pages->currentIndex(), app::MainWindow::maintenancePageIndex)
                        << key << " " << modifier;
                    ASSERT_FALSE(maintenance->isVisible());
                    ASSERT_FALSE(maintenance->isAncestorOf(QApplication::focusWidget()));
                }
            }
        }
    }
    EXPECT_FALSE(shown.contains(app::MainWindow::maintenancePageIndex));

    // The page keys go round the 15 pages, both ways.
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> switches{
        {Qt::Key_Tab, Qt::ControlModifier},
        {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_PageDown, Qt::ControlModifier},
        {Qt::Key_PageUp, Qt::ControlModifier}};
    for (const auto& [key, modifier] : switches) {
        showPage(15);
        pages->setFocus();
        QSet<int> visited;
        for (int i = 0; i < 15; ++i) {
            QTest::keyClick(pages, key, modifier);
            visited.insert(pages->currentIndex());
        }
        EXPECT_EQ(visited.size(), 15) << key;
        EXPECT_FALSE(visited.contains(app::MainWindow::maintenancePageIndex));
        EXPECT_EQ(pages->currentIndex(), app::MainWindow::evaluationPageIndex) << key;
    }
    QTest::keyClick(pages, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);

    // Asked in code, the page control stays on the page it showed.
    showPage(3);
    pages->setCurrentIndex(app::MainWindow::maintenancePageIndex);
    EXPECT_EQ(pages->currentIndex(), 2);
    pages->setCurrentWidget(maintenance);
    EXPECT_EQ(pages->currentIndex(), 2);
    EXPECT_TRUE(form1().pageTabs()->tab(2)->isChecked());

    // Even shown, its follower navigators could not move a table alone.
    app::DBNavigator* follower = form1().maintenancePage()->navigator2();
    record().moveTo(1);
    QTest::mouseClick(follower->button(NavigatorButton::Next), Qt::LeftButton);
    EXPECT_EQ(data().table1().recNo(), 1);
    EXPECT_EQ(data().table3().recNo(), 1);
}

// The main window's questions and messages as real message boxes, answered
// with the examiner's keys.
class MessageBoxFlows : public MainWindowFlows {
protected:
    void SetUp() override {
        MainWindowFlows::SetUp();
        realMessageBoxes_ = true;
    }
    static QStringList captions(const QMessageBox& box) {
        QStringList texts;
        for (QAbstractButton* button : box.buttons())
            texts.append(button->text());
        return texts;
    }
};

TEST_F(MessageBoxFlows, EscAndTheCloseButtonOfTheCloseQuestionMeanZpet) {
    seed({Fields{{"PRIJM", "Kos"}}});
    struct Case {
        const char* name;
        std::function<void(QMessageBox&)> answer;
        bool closed;
        QString storedAfter;
    };
    const QList<Case> cases{
        {"Esc", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false, "Kos"},
        {"close button", [](QMessageBox& box) { box.close(); }, false, "Kos"},
        {"Zpět", [](QMessageBox& box) { box.buttons().at(2)->click(); }, false, "Kos"},
        {"Enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, true, "Dub"},
    };
    for (const Case& c : cases) {
        start();
        app::DBEdit* surname = box("DBEdit2");
        surname->selectAll();
        QTest::keyClicks(surname, "Dub");
        QStringList seen;
        onNextMessageBox([&](QMessageBox& box) {
            seen = captions(box);
            c.answer(box);
        });
        EXPECT_EQ(form1().close(), c.closed) << c.name;
        EXPECT_EQ(seen, QStringList({"Uložit", "Neukládat", "Zpět"})) << c.name;
        EXPECT_EQ(form1().isVisible(), !c.closed) << c.name;
        if (!c.closed) {
            // Nothing stored, nothing dropped: the typed name is still there.
            EXPECT_EQ(box("DBEdit2")->text(), "Dub") << c.name;
            EXPECT_EQ(data().table3().state(), TableState::Edit) << c.name;
        }
        EXPECT_EQ(stored(data().table3(), 1, "PRIJM"), c.storedAfter) << c.name;
        program_.reset(); // the end of the program closes the tables without storing
        EXPECT_EQ(storedText(tmp_.path(), 1, "PRIJM"), c.storedAfter) << c.name;
        if (c.closed)
            break; // stored: the cases after it would find nothing to ask
    }
}

TEST_F(MessageBoxFlows, QuestionsGiveTheirWayBackOnEscAndClose) {
    start();
    app::MessageBoxes boxes(&form1());
    struct Case {
        int defaultButton;
        int escapeButton;
        int onEscape; // the answer Esc and the close button give
    };
    const QList<Case> cases{{0, 2, 2}, {2, 2, 2}, {0, 1, 1}, {1, -1, 1}};
    const QStringList buttons{"Uložit", "Neukládat", "Zpět"};
    for (const Case& c : cases) {
        for (const bool byKey : {true, false}) {
            QString focusedDefault;
            onNextMessageBox([&](QMessageBox& box) {
                focusedDefault = box.defaultButton() ? box.defaultButton()->text() : QString();
                if (byKey)
                    QTest::keyClick(&box, Qt::Key_Escape);
                else
                    box.close();
            });
            EXPECT_EQ(boxes.ask("Otázka", buttons, c.defaultButton, c.escapeButton), c.onEscape)
                << c.defaultButton << " " << c.escapeButton << " " << byKey;
            EXPECT_EQ(focusedDefault, buttons[c.defaultButton]);
        }
        onNextMessageBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Enter); });
        EXPECT_EQ(boxes.ask("Otázka", buttons, c.defaultButton, c.escapeButton), c.defaultButton);
    }
}

TEST_F(MainWindowFlows, DeleteConfirmationNamesTheRecordAndKeepsItByDefault) {
    seed({Fields{{"PRIJM", "Novák"}, {"JMENO", "Jan"}, {"DATUM", "12.3.2004"}},
          Fields{{"PRIJM", "Dub"}, {"JMENO", "Eva"}, {"DATUM", "1.2.2020"}}});
    start();
    press(NavigatorButton::Next);
    app::DeleteConfirmation& form5 = program_->form5();
    auto* examinee = form5.findChild<QLabel*>("Label2");
    auto* no = form5.findChild<QPushButton*>("Button2");
    ASSERT_NE(examinee, nullptr);

    // Enter and Esc both keep the record.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        click("Button1");
        ASSERT_TRUE(form5.isVisible());
        EXPECT_EQ(examinee->text(), "Dub Eva\nDatum vyšetření: 1.2.2020    ID: 1");
        EXPECT_TRUE(no->isDefault());
        EXPECT_EQ(form5.focusWidget(), no);
        QTest::keyClick(&form5, key);
        EXPECT_FALSE(form5.isVisible()) << key;
        EXPECT_EQ(data().table3().recordCount(), 2) << key;
    }

    // Another record becomes current while the question is open: it closes
    // without deleting, also when that record comes from the search.
    click("Button1");
    press(NavigatorButton::Prior);
    EXPECT_FALSE(form5.isVisible());
    click("Button1");
    EXPECT_EQ(examinee->text(), "Novák Jan\nDatum vyšetření: 12.3.2004    ID: 0");
    trigger("Vyhledat1");
    program_->vyhledej().findChild<QLineEdit*>("Edit1")->setText("Dub");
    QTest::mouseClick(program_->vyhledej().findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    EXPECT_EQ(record().recNo(), 2);
    EXPECT_FALSE(form5.isVisible());
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()})
        EXPECT_EQ(table->recordCount(), 2);

    // "Ano" deletes the record it named.
    click("Button1");
    QTest::mouseClick(form5.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    EXPECT_FALSE(form5.isVisible());
    EXPECT_EQ(data().table3().recordCount(), 1);
    EXPECT_EQ(stored(data().table3(), 1, "PRIJM"), "Novák");
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(MainWindowFlows, EvaluationPageShowsOnlyTheCurrentExaminee) {
    // Three evaluable records; A has subtest 14, B and C do not.
    const auto examinee = [](const QString& surname, int divisor, const QString& so) {
        Fields fields{{"PRIJM", surname}, {"VEK", "40"}};
        for (const Subtest& subtest : Catalogue::instance().subtests())
            fields.append({subtest.rawField, QString::number(subtest.maximum / divisor)});
        fields.append({"HS_14_SO", so});
        return fields;
    };
    seed({examinee("A", 2, "12"), examinee("B", 3, "-1"), examinee("C", 4, "-1")});
    start();
    const QStringList pageTexts{"StaticText45", "StaticText52", "StaticText58", "StaticText61",
                                "StaticText81", "StaticText85", "StaticText87"};
    const auto pageIsEmpty = [&] {
        for (const QString& name : pageTexts)
            if (!find<QLabel>(name)->text().isEmpty())
                return false;
        return !form1().evaluationPage().means().overall.has_value();
    };
    const auto soCellsHidden = [&] {
        for (const QString cell : {"DBEdit479", "DBEdit509", "StaticText58"})
            if (!find(cell)->isHidden())
                return false;
        return true;
    };
    struct Move {
        const char* name;
        std::function<void()> run;
        bool soHidden; // HS_14_SO of the record reached is -1
    };
    const QList<Move> moves{
        {"next", [&] { press(NavigatorButton::Next); }, true},
        {"first", [&] { press(NavigatorButton::First); }, false},
        {"search",
         [&] {
             trigger("Vyhledat1");
             program_->vyhledej().findChild<QLineEdit*>("Edit1")->setText("B");
             QTest::mouseClick(program_->vyhledej().findChild<QPushButton*>("OKBtn"),
                               Qt::LeftButton);
             program_->vyhledej().hide();
         },
         true},
        {"delete", // B goes, C follows
         [&] {
             click("Button1");
             QTest::mouseClick(program_->form5().findChild<QPushButton*>("Button1"),
                               Qt::LeftButton);
         },
         true},
        {"tables closed and opened again (a restore)",
         [&] {
             data().close();
             data().open(tmp_.dir(), messages_);
             record().moveTo(1);
         },
         false},
        {"přidat", [&] { press(NavigatorButton::Insert); }, false},
    };
    for (const Move& move : moves) {
        click("Button2"); // Vyhodnotit
        ASSERT_FALSE(pageIsEmpty()) << move.name;
        move.run();
        EXPECT_TRUE(pageIsEmpty()) << move.name;
        EXPECT_EQ(soCellsHidden(), move.soHidden) << move.name;
        EXPECT_EQ(record().soNotAdministered(), move.soHidden) << move.name;
    }

    // A store of the same record keeps the page; the next run fills it again.
    press(NavigatorButton::First);
    click("Button2");
    press(NavigatorButton::Post);
    EXPECT_FALSE(find<QLabel>("StaticText45")->text().isEmpty());
    press(NavigatorButton::First); // already there: the same record
    EXPECT_FALSE(find<QLabel>("StaticText45")->text().isEmpty());
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(MainWindowFlows, TypingIntoEmptyTablesSaysHowToBegin) {
    start();
    const QString hint = QStringLiteral("Nejprve založte záznam tlačítkem „přidat“.");
    type(box("DBEdit2"), "K");
    EXPECT_EQ(messages_.shown, QStringList{hint});
    EXPECT_EQ(box("DBEdit2")->text(), "");
    messages_.shown.clear();
    showPage(1);
    type(box("S_1_1"), "1");
    EXPECT_EQ(messages_.shown, QStringList{hint});
    messages_.shown.clear();
    click("Label507"); // "=" on page 1
    EXPECT_EQ(messages_.shown, QStringList{hint});
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()}) {
        EXPECT_EQ(table->recordCount(), 0);
        EXPECT_EQ(table->state(), TableState::Browse);
    }

    press(NavigatorButton::Insert);
    messages_.shown.clear();
    type(box("DBEdit2"), "K");
    EXPECT_EQ(box("DBEdit2")->text(), "K");
    EXPECT_TRUE(messages_.shown.isEmpty());
}

} // namespace
} // namespace iksa::test
