// Entering an examinee by keyboard alone: every subtest page typed with key
// events from the demo examinee's values, and the traps of keyboard entry
// that would give a wrong score without a sign.
#include "AppFixture.h"
#include "DeleteConfirmation.h"
#include "KeyboardTypist.h"
#include "NavigatorKeys.h"
#include "controls/DBNavigator.h"
#include "controls/DBRadioGroup.h"
#include "records/UserMessages.h"
#include "scoring/Catalogue.h"
#include "scoring/RawScoreActions.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

namespace iksa::test {
namespace {

// The demo examinees of tools/demo-examinees.py, one FIELD=TEXT list each,
// written into the build tree when the test is built.
QList<QHash<QString, QString>> demoExaminees() {
    QFile file(QStringLiteral(DEMO_EXAMINEES));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QHash<QString, QString>> examinees;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QHash<QString, QString> fields;
        for (const QString& assignment : QString::fromUtf8(line).split(u'\t'))
            fields.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
        examinees.append(fields);
    }
    return examinees;
}

// Every field bound to a control of the page, items, derived boxes, totals
// and the raw score.
QStringList pageFields(const app::SubtestPage& page) {
    QStringList fields;
    for (const QWidget* w : page.findChildren<QWidget*>()) {
        const QString field = w->property("field").toString();
        if (!field.isEmpty() && !fields.contains(field))
            fields.append(field);
    }
    return fields;
}

// The demo values that belong to a page, by field.
QHash<QString, QString> valuesOf(const app::SubtestPage& page,
                                 const QHash<QString, QString>& examinee) {
    const QStringList fields = pageFields(page);
    QHash<QString, QString> values;
    for (auto it = examinee.begin(); it != examinee.end(); ++it)
        if (fields.contains(it.key().section(u':', -1)))
            values.insert(it.key(), it.value());
    return values;
}

QHash<QString, QString> storedRow(const QString& dir, const QStringList& fields) {
    SilentMessages messages;
    DataModule data;
    data.open(QDir(dir), messages, DataModule::Access::ReadOnly);
    ExamineeRecord record(data);
    record.moveTo(record.recordCount());
    QHash<QString, QString> row;
    for (const QString& field : fields)
        row.insert(field, record.text(field));
    return row;
}

class KeyboardEntry : public AppFixture {
protected:
    void shortcut(QKeyCombination key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &form1(), key.key(), key.keyboardModifiers());
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    app::SubtestPage& page(int number) { return *form1().subtestPage(number); }
    // The page shown with the focus on its first item, as "=" of the page
    // before leaves it.
    void enterPage(int number) {
        showPage(number);
        page(number).focusFirstEntry();
    }
    void newRecordByKeyboard() {
        const int before = data().table3().recordCount();
        shortcut(Qt::ALT | Qt::Key_Insert); // "přidat"
        ASSERT_EQ(data().table3().recordCount(), before + 1);
    }
    app::DBRadioGroup* group(const QString& name) { return find<app::DBRadioGroup>(name); }
};

// The same record entered through the record layer: the demo values set
// directly and the page's "=" actions run, then stored.
QHash<QString, QString> enteredDirectly(const QHash<QString, QString>& values, int subtest,
                                        const QStringList& fields) {
    TempDir dir;
    DataModule::createEmptyTables(dir.dir());
    SilentMessages messages;
    {
        DataModule data;
        data.open(dir.dir(), messages);
        ExamineeRecord record(data);
        record.press(NavigatorButton::Insert);
        record.press(NavigatorButton::Edit);
        for (auto it = values.begin(); it != values.end(); ++it)
            record.setText(it.key(), it.value());
        RawScoreActions actions(record);
        for (const QString& handler : RawScoreActions::handlersOf(subtest))
            actions.run(handler);
        record.press(NavigatorButton::Post);
    }
    return storedRow(dir.path(), fields);
}

class EveryPageByKeyboard : public KeyboardEntry, public ::testing::WithParamInterface<int> {};

TEST_P(EveryPageByKeyboard, TypesTheDemoExamineeWithNoWrongItem) {
    const int number = GetParam();
    const QList<QHash<QString, QString>> examinees = demoExaminees();
    ASSERT_FALSE(examinees.isEmpty()) << DEMO_EXAMINEES;
    const QHash<QString, QString>& examinee = examinees.first(); // took all 14 subtests
    start();
    newRecordByKeyboard();
    enterPage(number);
    app::SubtestPage& shown = page(number);
    const QHash<QString, QString> values = valuesOf(shown, examinee);
    ASSERT_FALSE(values.isEmpty());

    KeyboardTypist typist(shown, values);
    ASSERT_GT(typist.fieldsToType(), 0);
    const QString problem = typist.typePage();
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    // "=" by keyboard goes on to the next page's first item, or stays at the end.
    if (number < 14) {
        EXPECT_EQ(form1().pageControl()->currentIndex(), number);
        EXPECT_EQ(focus(), page(number + 1).firstEntry());
    } else {
        EXPECT_EQ(form1().pageControl()->currentIndex(), number - 1);
        EXPECT_TRUE(shown.isAncestorOf(focus()));
    }
    shortcut(Qt::CTRL | Qt::Key_S); // "potvrdit"
    ASSERT_EQ(data().table3().state(), TableState::Browse);
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'|').toStdString();

    const QStringList fields = pageFields(shown);
    const QHash<QString, QString> typed = storedRow(tmp_.path(), fields);
    const QHash<QString, QString> expected = enteredDirectly(values, number, fields);
    int wrong = 0;
    for (const QString& field : fields) {
        EXPECT_EQ(typed.value(field), expected.value(field)) << field.toStdString();
        wrong += typed.value(field) != expected.value(field);
    }
    EXPECT_EQ(wrong, 0);
    const QString raw = Catalogue::instance().subtest(number).rawField;
    EXPECT_FALSE(typed.value(raw).isEmpty()) << raw.toStdString();
    EXPECT_EQ(typed.value(raw), expected.value(raw));
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryPageByKeyboard, ::testing::Range(1, 15),
                         [](const ::testing::TestParamInfo<int>& info) {
                             const Subtest& s = Catalogue::instance().subtest(info.param);
                             return QStringLiteral("%1_%2").arg(s.number).arg(s.code).toStdString();
                         });

// A sign, "=" or any other character is refused in a score box with a beep,
// and the digits after it still land, each in its own box.
TEST_F(KeyboardEntry, ScoreBoxTakesOnlyTheDigitsOfItsDomain) {
    seed({{{QStringLiteral("PRIJM"), QStringLiteral("A")}}});
    start();
    struct Case {
        int page;
        const char* field;
        const char* refused;
    };
    const Case cases[] = {
        {1, "S_1_1", "-+=.,a2"}, {2, "S_2_1", "-=3"}, {4, "S_4_6", "-3"},
        {7, "S_7_4", "-2"},      {8, "SP_8_2", "-3"}, {13, "S_13_1", "-4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        showPage(c.page);
        app::DBEdit* score = box(QString::fromLatin1(c.field));
        score->setFocus();
        QSignalSpy refusals(score, &app::DBEdit::keyRefused);
        QTest::keyClicks(score, c.refused);
        EXPECT_EQ(score->text(), "");
        EXPECT_EQ(refusals.count(), int(qstrlen(c.refused)));
    }

    // The trap: after "-" the box was full and the digits after it were lost.
    showPage(2);
    type(box("S_2_1"), "-");
    const QString digits = QStringLiteral("210210210210210210210210210210210");
    for (const QChar digit : digits)
        QTest::keyClick(focus(), digit.toLatin1());
    for (int item = 1; item <= 33; ++item)
        EXPECT_EQ(box(QStringLiteral("S_2_%1").arg(item))->text(), digits.at(item - 1)) << item;
    EXPECT_EQ(focus(), find("Label508"));

    // A box that holds a score takes the next digit in its place, and moves on.
    app::DBEdit* held = box("S_2_5");
    held->setFocus();
    held->deselect();
    held->end(false);
    QTest::keyClick(held, '1');
    EXPECT_EQ(held->text(), "1");
    EXPECT_EQ(focus(), box("S_2_6"));
}

// Shift+Tab or Tab into an option group checks nothing; Space never checks;
// a digit checks its option and moves on; arrows move within the group.
TEST_F(KeyboardEntry, OptionGroupIsCheckedOnlyByWhatIsTyped) {
    seed({{{QStringLiteral("PRIJM"), QStringLiteral("A")}}});
    start();
    showPage(5);
    app::DBRadioGroup* first = group("S_5_1");
    box("C_5_2")->setFocus();
    QTest::keyClick(focus(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focus(), first);
    EXPECT_EQ(first->checkedIndex(), -1);
    QSignalSpy refusals(first, &app::DBRadioGroup::keyRefused);
    QTest::keyClick(first, Qt::Key_Space);
    QTest::keyClick(first, Qt::Key_Return);
    QTest::keyClick(first, '5'); // no such score for items 1–6
    EXPECT_EQ(first->checkedIndex(), -1);
    EXPECT_EQ(refusals.count(), 3);
    EXPECT_EQ(record().text(QStringLiteral("S_5_1")), "");
    EXPECT_EQ(focus(), first);

    QTest::keyClick(first, '1'); // buttons "0", "2", "1"
    EXPECT_EQ(record().text(QStringLiteral("S_5_1")), "1");
    EXPECT_EQ(focus(), group("S_5_2"));

    // Tab into a group checks nothing either.
    box("C_5_3")->setFocus();
    QTest::keyClick(focus(), Qt::Key_Tab);
    ASSERT_EQ(focus(), group("S_5_3"));
    EXPECT_EQ(group("S_5_3")->checkedIndex(), -1);
    QTest::keyClick(focus(), Qt::Key_Right);
    EXPECT_EQ(record().text(QStringLiteral("S_5_3")), "0");
    QTest::keyClick(focus(), Qt::Key_Right);
    EXPECT_EQ(record().text(QStringLiteral("S_5_3")), "2");
    QTest::keyClick(focus(), Qt::Key_Left);
    EXPECT_EQ(record().text(QStringLiteral("S_5_3")), "0");
    EXPECT_EQ(focus(), group("S_5_3"));      // arrows stay in the group
    QTest::keyClick(focus(), Qt::Key_Space); // a checked group is left by Space
    EXPECT_EQ(focus(), group("S_5_4"));

    // The focused group is framed; the others are not.
    const QColor frame = group("S_5_4")->palette().color(QPalette::Highlight);
    EXPECT_EQ(group("S_5_4")->grab().toImage().pixelColor(1, 8), frame);
    EXPECT_NE(group("S_5_3")->grab().toImage().pixelColor(1, 8), frame);

    // Two-digit scores (SO item 2: 0 … 12): "1" waits for a second digit.
    showPage(14);
    app::DBRadioGroup* so2 = group("S_14_2");
    so2->setFocus();
    QTest::keyClick(so2, '1');
    EXPECT_EQ(record().text(QStringLiteral("S_14_2")), "1");
    EXPECT_EQ(focus(), so2);
    QTest::keyClick(so2, '2');
    EXPECT_EQ(record().text(QStringLiteral("S_14_2")), "12");
    EXPECT_EQ(focus(), group("S_14_3"));
    so2->setFocus();
    QTest::keyClick(so2, '1');
    QTest::keyClick(so2, Qt::Key_Return); // 1 it is
    EXPECT_EQ(record().text(QStringLiteral("S_14_2")), "1");
    EXPECT_EQ(focus(), group("S_14_3"));

    // MAT: the option's caption is typed, whatever code it stores.
    showPage(7);
    app::DBRadioGroup* mat = group("O_7_1");
    mat->setFocus();
    QTest::keyClick(mat, '1');
    EXPECT_EQ(record().text(QStringLiteral("O_7_1")), "0");
    EXPECT_EQ(focus(), group("O_7_2"));
}

// Boxes that rules or "=" fill are out of the Tab chain on every page; on
// MAT the chain goes from option group to option group.
TEST_F(KeyboardEntry, TabChainSkipsDerivedBoxes) {
    seed({{{QStringLiteral("PRIJM"), QStringLiteral("A")}}});
    start();
    for (const Subtest& subtest : Catalogue::instance().subtests()) {
        SCOPED_TRACE(subtest.code.toStdString());
        QStringList computed{subtest.rawField};
        for (const Item* item : subtest.items())
            for (const ItemCell& cell : item->cells)
                if (cell.domain.kind == ScoreKind::Derived)
                    computed.append(cell.field);
        for (const Section& section : subtest.sections)
            if (!section.totalField.isEmpty())
                computed << section.totalField << section.spanField;
        for (const QString& field : computed) {
            QWidget* control = page(subtest.number).control(field);
            ASSERT_NE(control, nullptr) << field.toStdString();
            EXPECT_FALSE(control->focusPolicy() & Qt::TabFocus) << field.toStdString();
        }
    }
    showPage(7);
    group("O_7_C")->setFocus();
    for (int item = 1; item <= 26; ++item) {
        QTest::keyClick(focus(), Qt::Key_Tab);
        EXPECT_EQ(focus(), group(QStringLiteral("O_7_%1").arg(item))) << item;
    }
}

// Auto-advance goes through the option groups of POC 19 and 20 to "=".
TEST_F(KeyboardEntry, ValidScoresMoveOnThroughChosenItemsToTheEqualsButton) {
    seed({{{QStringLiteral("PRIJM"), QStringLiteral("A")}}});
    start();
    showPage(6);
    type(box("S_6_18"), "1");
    EXPECT_EQ(focus(), group("S_6_19"));
    QTest::keyClick(focus(), '2');
    EXPECT_EQ(focus(), group("S_6_20"));
    QTest::keyClick(focus(), '1');
    EXPECT_EQ(focus(), find("Label526"));
    QTest::keyClick(focus(), Qt::Key_Return);
    EXPECT_EQ(box("HS_6_POC")->text(), "4");

    // OPA: the last forward trial leads to the forward "=", which leads on
    // to the backward items, whose "=" leads to the raw score's.
    showPage(8);
    type(box("S_8_P8_1"), "1");
    QTest::keyClick(focus(), '1');
    EXPECT_EQ(focus(), find("Label531"));
    QTest::keyClick(focus(), Qt::Key_Space);
    EXPECT_EQ(box("DOP_8")->text(), "2");
    EXPECT_EQ(focus(), box("S_8_PP1_1"));
    type(box("S_8_PP7_1"), "1");
    QTest::keyClick(focus(), '0');
    EXPECT_EQ(focus(), find("Label532"));
    QTest::keyClick(focus(), Qt::Key_Return);
    EXPECT_EQ(box("POZ_8")->text(), "1");
    EXPECT_EQ(focus(), find("Label533"));
    QTest::keyClick(focus(), Qt::Key_Return);
    EXPECT_EQ(box("HS_8_OPA")->text(), "3");
}

// Enter and Space press "="; the focus then goes to the next page's first
// item and the next keys score there, never in the header.
TEST_F(KeyboardEntry, EqualsByKeyboardGoesOnToTheNextPageNeverIntoTheHeader) {
    seed({{{QStringLiteral("JMENO"), QStringLiteral("Jana")},
           {QStringLiteral("PRIJM"), QStringLiteral("A")}}});
    start();
    const struct {
        int page;
        const char* button;
        Qt::Key key;
        const char* raw;
        const char* firstOfNext;
    } cases[] = {
        {1, "Label507", Qt::Key_Return, "HS_1_DO", "S_2_1"},
        {2, "Label508", Qt::Key_Space, "HS_2_SL", "CAS_120_3"},
        {3, "Label544", Qt::Key_Enter, nullptr, "S_4_1"}, // no counts: nothing written
        {12, "Button20", Qt::Key_Return, nullptr, "SP_13_1_1"},
        {13, "Label537", Qt::Key_Space, "HS_13_RPC", "S_14_1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        showPage(c.page);
        auto* equals = find<QPushButton>(QString::fromLatin1(c.button));
        equals->setFocus();
        QTest::keyClick(equals, c.key);
        if (c.raw) { // the trial typed on page 13 before counts there
            EXPECT_EQ(box(QString::fromLatin1(c.raw))->text(), c.page == 13 ? "1" : "0");
        }
        EXPECT_EQ(form1().pageControl()->currentIndex(), c.page);
        EXPECT_EQ(focus()->property("field").toString(), c.firstOfNext);
        QTest::keyClick(focus(), Qt::Key_Tab);
        QTest::keyClick(focus(), '1');
        EXPECT_TRUE(page(c.page + 1).isAncestorOf(focus()));
        EXPECT_EQ(box("DBEdit1")->text(), "Jana");
    }
    // At the end of the pages the focus stays on page 14.
    showPage(14);
    find<QPushButton>("Label538")->setFocus();
    QTest::keyClick(focus(), Qt::Key_Return);
    EXPECT_EQ(box("HS_14_SO")->text(), "0");
    EXPECT_EQ(form1().pageControl()->currentIndex(), 13);
    EXPECT_TRUE(page(14).isAncestorOf(focus()));
}

// The navigator and "-" by keyboard, from wherever the focus is; none of
// the keys is one that an edit box or an option group uses, or one of the
// page switching and examinee list keys.
TEST_F(KeyboardEntry, NavigatorAndDeleteButtonHaveShortcutsOfTheirOwn) {
    seed({{{QStringLiteral("PRIJM"), QStringLiteral("A")}},
          {{QStringLiteral("PRIJM"), QStringLiteral("B")}},
          {{QStringLiteral("PRIJM"), QStringLiteral("C")}}});
    start();
    const QList<QKeySequence> taken{
        QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
        QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
        QKeySequence(Qt::CTRL | Qt::Key_L)};
    QList<QKeySequence> keys{app::NavigatorKeys::deleteKey()};
    for (int b = 0; b < 8; ++b)
        keys.append(app::NavigatorKeys::keyOf(NavigatorButton(b)));
    showPage(5);
    for (const QKeySequence& key : keys) {
        SCOPED_TRACE(key.toString().toStdString());
        ASSERT_EQ(key.count(), 1);
        EXPECT_FALSE(taken.contains(key));
        EXPECT_EQ(keys.count(key), 1);
        for (QWidget* target :
             {static_cast<QWidget*>(box("C_5_1")), static_cast<QWidget*>(group("S_5_1"))}) {
            QKeyEvent override(QEvent::ShortcutOverride, key[0].key(), key[0].keyboardModifiers());
            QApplication::sendEvent(target, &override);
            EXPECT_FALSE(override.isAccepted()) << target->objectName().toStdString();
        }
    }
    for (int b = 0; b < 8; ++b) {
        const auto which = NavigatorButton(b);
        const QString hint = form1().navigator()->button(which)->toolTip();
        EXPECT_TRUE(hint.startsWith(app::DBNavigator::hint(which).trimmed()));
        EXPECT_TRUE(hint.contains(app::NavigatorKeys::keyOf(which).toString()));
    }
    EXPECT_EQ(find("Button1")->toolTip(), "Odstranit záznam (Alt+Del)");

    // The moves, with the focus in an option group and in a score box.
    group("S_5_1")->setFocus();
    shortcut(Qt::ALT | Qt::Key_End);
    EXPECT_EQ(record().recNo(), 3);
    shortcut(Qt::ALT | Qt::Key_PageUp);
    EXPECT_EQ(record().recNo(), 2);
    box("C_5_1")->setFocus();
    shortcut(Qt::ALT | Qt::Key_Home);
    EXPECT_EQ(record().recNo(), 1);
    shortcut(Qt::ALT | Qt::Key_PageDown);
    EXPECT_EQ(record().recNo(), 2);
    EXPECT_EQ(group("S_5_1")->checkedIndex(), -1); // the keys checked nothing

    // Edit, then storno: the typed time goes; edit, type, potvrdit: it stays.
    shortcut(Qt::Key_F2);
    EXPECT_EQ(data().table3().state(), TableState::Edit);
    box("C_5_1")->setFocus();
    QTest::keyClicks(box("C_5_1"), "42");
    shortcut(Qt::SHIFT | Qt::Key_Escape);
    EXPECT_EQ(data().table3().state(), TableState::Browse);
    EXPECT_EQ(box("C_5_1")->text(), "");
    box("C_5_1")->setFocus();
    QTest::keyClicks(box("C_5_1"), "42");
    shortcut(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(data().table1().storedText(2, data().table1().fieldIndex("C_5_1")), "42");

    // A shortcut of a disabled button does nothing: "potvrdit" with nothing to store.
    ASSERT_FALSE(form1().navigator()->button(NavigatorButton::Post)->isEnabled());
    shortcut(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(data().table3().state(), TableState::Browse);

    // "-" asks first (its answer is the delete confirmation's own test).
    shortcut(Qt::ALT | Qt::Key_Delete);
    ASSERT_TRUE(program_->form5().isVisible());
    EXPECT_EQ(data().table3().recordCount(), 3);
    program_->form5().close();
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'|').toStdString();
}

// "editovat" has a picture of its own, not the arrow of the moves.
TEST_F(KeyboardEntry, EditButtonIsNotDrawnAsAMove) {
    start();
    const auto picture = [this](NavigatorButton which) {
        return form1().navigator()->button(which)->icon().pixmap(16, 16).toImage();
    };
    for (const NavigatorButton other : {NavigatorButton::Next, NavigatorButton::Prior,
                                        NavigatorButton::First, NavigatorButton::Last})
        EXPECT_NE(picture(NavigatorButton::Edit), picture(other));
}

} // namespace
} // namespace iksa::test
