// Typed work that is not stored yet: kept in the recovery file while the
// examiner types, removed when the record is stored or cancelled, and offered
// back at the next start after the program was killed.
#include "AppFixture.h"
#include "controls/DBNavigator.h"
#include "records/UnsavedEntries.h"
#include "records/UnsavedWorkKeeper.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QToolButton>
#include <csignal>
#include <sys/stat.h>

namespace iksa::test {
namespace {

using Fields = QList<QPair<QString, QString>>;

// Typed by key events, which QTest gives for ASCII letters only.
const QString typedNote = QStringLiteral("po havarii");
const QString typedResponse = QStringLiteral("odpoved");

class UnsavedWork : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        seed({Fields{{"PRIJM", "Kos"}, {"JMENO", "Petr"}, {"DATUM", "1.1.2001"}},
              Fields{{"PRIJM", "Nováková"}, {"JMENO", "Jana"}, {"DATUM", "12.3.2004"}}});
    }

    QString recoveryPath() const { return tmp_.file(RecoveryFile::fileName()); }
    bool recoveryExists() const { return QFileInfo::exists(recoveryPath()); }
    static int modeOf(const QString& path) {
        struct stat info;
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777)
                                                                       : -1;
    }
    QStringList setAside() const {
        return tmp_.dir().entryList({RecoveryFile::fileName() + "-*"}, QDir::Files | QDir::Hidden);
    }

    // The child program types into record 2 and is killed once the recovery
    // file holds what it typed.
    void typeAndKill() {
        QProcess child;
        child.setWorkingDirectory(tmp_.path());
        child.start(QStringLiteral(UNSAVED_CHILD), {tmp_.path()});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray said;
        while (!said.contains("kept") && child.state() == QProcess::Running)
            if (child.waitForReadyRead(60000))
                said += child.readAllStandardOutput();
        ASSERT_TRUE(said.contains("kept")) << child.readAllStandardError().toStdString();
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished());
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
        ASSERT_TRUE(recoveryExists());
        EXPECT_EQ(modeOf(recoveryPath()), 0600);
        // The kill stored nothing.
        EXPECT_EQ(storedText(tmp_.path(), 2, "POZNAM"), "");
        EXPECT_EQ(storedText(tmp_.path(), 2, "1:S_1_1"), "");
    }

    void keepFast() { form1().unsavedWorkKeeper()->setDelay(1); }

    // Waits for the keeper's short timer (an upper bound, not a pause).
    void waitUntilKept() {
        QSignalSpy kept(form1().unsavedWorkKeeper(), &UnsavedWorkKeeper::kept);
        ASSERT_TRUE(kept.wait(10000));
    }
};

TEST_F(UnsavedWork, AKillAfterTypingLosesNothingTheNextStartOffersBack) {
    typeAndKill();
    if (HasFatalFailure())
        return;

    messages_.answers.enqueue(0); // Ano
    start();
    ASSERT_EQ(messages_.asked.size(), 1);
    const QString question = messages_.asked.first();
    for (const QString& part :
         {QStringLiteral("Nováková Jana"), QStringLiteral("12.3.2004"), QStringLiteral("ID 1"),
          QDate::currentDate().toString(QStringLiteral("d.M.yyyy"))})
        EXPECT_TRUE(question.contains(part)) << question.toStdString();
    EXPECT_FALSE(question.contains(QStringLiteral("Pozor")));
    EXPECT_EQ(messages_.escapes, QList<int>{1}); // Esc keeps the file aside
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();

    // Back in the buffer of record 2, in edit state, not stored yet.
    EXPECT_EQ(record().recNo(), 2);
    EXPECT_EQ(box("DBEdit5")->text(), typedNote);
    EXPECT_EQ(box("S_1_1")->text(), "1");
    EXPECT_EQ(box("O_9_1")->text(), typedResponse);
    EXPECT_EQ(box("DBEdit2")->text(), "Nováková");
    for (Table* table : {&data().table1(), &data().table2(), &data().table3()})
        EXPECT_EQ(table->state(), TableState::Edit) << table->name().toStdString();
    EXPECT_EQ(data().table3().storedText(2, data().table3().fieldIndex("POZNAM")), "");
    EXPECT_TRUE(form1().hasUnstoredChanges());

    // "potvrdit" stores them, and the recovery file goes.
    QTest::mouseClick(form1().navigator()->button(NavigatorButton::Post), Qt::LeftButton);
    EXPECT_FALSE(recoveryExists());
    program_.reset();
    EXPECT_EQ(storedText(tmp_.path(), 2, "POZNAM"), typedNote);
    EXPECT_EQ(storedText(tmp_.path(), 2, "1:S_1_1"), "1");
    EXPECT_EQ(storedText(tmp_.path(), 2, "2:O_9_1"), typedResponse);
    EXPECT_EQ(storedText(tmp_.path(), 1, "POZNAM"), "");
    EXPECT_TRUE(setAside().isEmpty());
}

TEST_F(UnsavedWork, NeKeepsTheEntriesAsideAndTheyAreNotOfferedAgain) {
    typeAndKill();
    if (HasFatalFailure())
        return;
    const QByteArray kept = [&] {
        QFile file(recoveryPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    messages_.answers.enqueue(1); // Ne
    start();
    EXPECT_EQ(messages_.asked.size(), 1);
    EXPECT_FALSE(recoveryExists());
    const QStringList aside = setAside();
    ASSERT_EQ(aside.size(), 1);
    QFile file(tmp_.file(aside.first()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kept);
    EXPECT_EQ(modeOf(file.fileName()), 0600);
    EXPECT_FALSE(form1().hasUnstoredChanges());
    EXPECT_EQ(record().recNo(), 1);

    program_.reset();
    messages_.asked.clear();
    start();
    EXPECT_TRUE(messages_.asked.isEmpty());
    EXPECT_EQ(setAside().size(), 1);
}

TEST_F(UnsavedWork, ARecordChangedSinceIsOfferedWithAWarning) {
    typeAndKill();
    if (HasFatalFailure())
        return;
    {
        // Another program stored the note meanwhile.
        DataModule other;
        other.open(tmp_.dir(), messages_);
        ExamineeRecord otherRecord(other);
        otherRecord.moveTo(2);
        otherRecord.setText("POZNAM", "jiná");
        otherRecord.press(NavigatorButton::Post);
    }
    messages_.answers.enqueue(0);
    start();
    ASSERT_EQ(messages_.asked.size(), 1);
    const QString question = messages_.asked.first();
    EXPECT_TRUE(question.startsWith(QStringLiteral("Pozor"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("POZNAM"))) << question.toStdString();
    EXPECT_FALSE(question.contains(QStringLiteral("S_1_1"))) << question.toStdString();
    // Taken back only because the examiner said so, and still not stored.
    EXPECT_EQ(box("DBEdit5")->text(), typedNote);
    EXPECT_EQ(data().table3().storedText(2, data().table3().fieldIndex("POZNAM")), "jiná");
}

TEST_F(UnsavedWork, EntriesWithoutTheirRecordOrUnreadableAreKeptAsideAndSaidSo) {
    struct Case {
        const char* name;
        std::function<void()> damage;
        QString said;
    };
    const QList<Case> cases{
        {"record deleted",
         [&] {
             DataModule other;
             other.open(tmp_.dir(), messages_);
             ExamineeRecord otherRecord(other);
             otherRecord.moveTo(2);
             otherRecord.removeCurrent();
         },
         QStringLiteral("záznam v tabulkách už není")},
        {"damaged file",
         [&] {
             QFile file(recoveryPath());
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             file.write("{\"format\": ");
         },
         QStringLiteral("nelze přečíst")},
    };
    for (const Case& c : cases) {
        typeAndKill();
        if (HasFatalFailure())
            return;
        c.damage();
        const int asideBefore = int(setAside().size());
        messages_.shown.clear();
        messages_.asked.clear();
        start();
        EXPECT_TRUE(messages_.asked.isEmpty()) << c.name;
        ASSERT_EQ(messages_.shown.size(), 1) << c.name;
        EXPECT_TRUE(messages_.shown.first().contains(c.said))
            << messages_.shown.first().toStdString();
        EXPECT_FALSE(recoveryExists()) << c.name;
        EXPECT_EQ(setAside().size(), asideBefore + 1) << c.name;
        EXPECT_TRUE(messages_.shown.first().contains(RecoveryFile::fileName() + "-")) << c.name;
        EXPECT_FALSE(form1().hasUnstoredChanges());
        program_.reset();
        // One record fewer after the first case: type into the new last one.
        seed({Fields{{"PRIJM", "Další"}}});
    }
}

TEST_F(UnsavedWork, TheFileFollowsTheTypingAndGoesWhenTheRecordIsSettled) {
    start();
    keepFast();
    EXPECT_FALSE(recoveryExists());
    struct Case {
        const char* name;
        std::function<void()> settle;
        QString storedNote; // POZNAM of record 1 afterwards
    };
    const QList<Case> cases{
        {"potvrdit",
         [&] {
             QTest::mouseClick(form1().navigator()->button(NavigatorButton::Post), Qt::LeftButton);
         },
         "a"},
        {"storno",
         [&] {
             QTest::mouseClick(form1().navigator()->button(NavigatorButton::Cancel),
                               Qt::LeftButton);
         },
         "a"},
        {"a move", [&] { record().press(NavigatorButton::Next); }, "aab"},
    };
    for (const Case& c : cases) {
        record().moveTo(1);
        app::DBEdit* note = box("DBEdit5");
        const QString before = note->text();
        note->setFocus();
        QTest::keyClick(note, Qt::Key_End);
        QTest::keyClicks(note, "a");
        waitUntilKept();
        ASSERT_TRUE(recoveryExists()) << c.name;
        EXPECT_EQ(modeOf(recoveryPath()), 0600);
        QFile file(recoveryPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const UnsavedEntries entries = UnsavedEntries::fromJson(file.readAll());
        ASSERT_EQ(entries.entries.size(), 1) << c.name;
        EXPECT_EQ(entries.entries.first().field, "POZNAM");
        EXPECT_EQ(entries.entries.first().text, before + "a");
        EXPECT_EQ(entries.entries.first().stored, before);
        EXPECT_EQ(entries.recNo, 1);
        EXPECT_EQ(entries.surname, "Kos");

        // A second key rewrites the whole file.
        if (QString(c.name) == "a move") {
            QTest::keyClicks(note, "b");
            waitUntilKept();
        }
        c.settle();
        EXPECT_FALSE(recoveryExists()) << c.name;
        EXPECT_EQ(storedText(tmp_.path(), 1, "POZNAM"), c.storedNote) << c.name;
    }
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

} // namespace
} // namespace iksa::test
