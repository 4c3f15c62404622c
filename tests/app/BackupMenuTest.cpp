// The menu "Záloha dat" › "export" / "import" and "Export dat" of the main
// window offscreen: its file dialogs answered as the examiner would, real
// tables in a temporary start directory, the messages collected.
#include "BackupMenu.h"

#include "AppFixture.h"
#include "InputPause.h"
#include "backup/TBackupFile.h"
#include "records/UserError.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

namespace iksa::test {
namespace {

using Fields = QList<QPair<QString, QString>>;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// What a file dialog showed when it was answered.
struct DialogSeen {
    bool shown = false;
    QString title;
    QStringList nameFilters;
    QString preset; // the file name selected when it opened
    bool save = false;
};

class BackupMenuFlows : public AppFixture {
protected:
    // Answers the main window's file dialog `name` once it shows: with
    // `path`, or cancelled when `path` is empty. On the way it makes another
    // directory current, as a platform dialog may.
    std::shared_ptr<DialogSeen> answer(const QString& name, const QString& path) {
        auto seen = std::make_shared<DialogSeen>();
        QTimer::singleShot(0, &form1(), [this, name, path, seen] {
            auto* dialog = form1().findChild<QFileDialog*>(name);
            if (!dialog || !dialog->isVisible())
                return;
            seen->shown = true;
            seen->title = dialog->windowTitle();
            seen->nameFilters = dialog->nameFilters();
            seen->preset = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            seen->save = dialog->acceptMode() == QFileDialog::AcceptSave;
            QDir::setCurrent(elsewhere());
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed into the file name box, as the examiner may.
            auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(fileName, nullptr);
            fileName->setText(path);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept
        });
        return seen;
    }
    // Lets an answer whose dialog never opened run out.
    static void settle() { QApplication::processEvents(); }

    QString elsewhere() {
        tmp_.dir().mkpath(QStringLiteral("elsewhere"));
        return tmp_.file(QStringLiteral("elsewhere"));
    }
    QString archiveDir() {
        tmp_.dir().mkpath(QStringLiteral("zaloha"));
        return tmp_.file(QStringLiteral("zaloha"));
    }
    QMap<QString, QByteArray> tables() const {
        QMap<QString, QByteArray> bytes;
        for (const QString& name : kTableFiles)
            bytes.insert(name, contents(tmp_.file(name)));
        return bytes;
    }
    // An archive of the tables as they stand, made by the component itself.
    QString archiveNow(const QString& name = QStringLiteral("IKSA.ZAL")) {
        RecordingMessages quiet;
        TBackupFile backupFile(quiet);
        const QString path = QDir(archiveDir()).filePath(name);
        EXPECT_TRUE(backupFile.Backup({tmp_.file(QStringLiteral("*.dbf"))}, path));
        return path;
    }
    // The archive with the zlib data of its first block overwritten.
    QString damagedArchive() {
        const QString path = archiveNow(QStringLiteral("damaged.zal"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const qsizetype section = bytes.indexOf(QByteArray("EC2\0", 4));
        EXPECT_GT(section, 0);
        bytes.replace(section + 10, 40, QByteArray(40, '\xff'));
        file.seek(0);
        file.write(bytes);
        return path;
    }
    void setSurname(int recNo, const QString& surname) {
        record().moveTo(recNo);
        record().press(NavigatorButton::Edit);
        record().setText(QStringLiteral("PRIJM"), surname);
        record().press(NavigatorButton::Post);
    }
    QString storedSurname(int recNo) {
        Table& table3 = data().table3();
        return table3.storedText(recNo, table3.fieldIndex(QStringLiteral("PRIJM")));
    }
    void expectHomeIsCurrent() {
        EXPECT_EQ(canonical(QDir::currentPath()), canonical(tmp_.path()));
    }
    void seedTwo() {
        seed({Fields{{"PRIJM", "Kos"}, {"VEK", "30"}}, Fields{{"PRIJM", "Dub"}, {"VEK", "40"}}});
    }
};

TEST_F(BackupMenuFlows, ExportWritesTheArchiveAndImportBringsItsRecordsBack) {
    seedTwo();
    start();
    const QString archive = QDir(archiveDir()).filePath(QStringLiteral("IKSA.ZAL"));

    const auto saved = answer(QStringLiteral("SaveDialog1"), archive);
    form1().Export1Click();
    ASSERT_TRUE(saved->shown);
    EXPECT_EQ(saved->title, "Vyberte kam uložíte soubor IKSA.ZAL");
    EXPECT_EQ(saved->nameFilters, QStringList{"Iksa.zal* (*.zal)"});
    EXPECT_EQ(saved->preset, "IKSA.ZAL");
    EXPECT_TRUE(saved->save);
    expectHomeIsCurrent();
    ASSERT_EQ(messages_.shown.size(), 2) << messages_.shown.join('|').toStdString();
    EXPECT_TRUE(messages_.shown[0].startsWith("Zálohování ukončeno. komprese  = "));
    EXPECT_TRUE(messages_.shown[0].endsWith(" %"));
    EXPECT_EQ(messages_.shown[1], "Soubor IKSA.ZAL uložen > " + archive + " <");
    EXPECT_TRUE(data().isOpen());

    // A record changed after the backup, the window left on the second one.
    const QMap<QString, QByteArray> archived = tables();
    setSurname(2, QStringLiteral("Lis"));
    ASSERT_NE(tables(), archived);
    messages_.shown.clear();

    const auto opened = answer(QStringLiteral("OpenDialog1"), archive);
    messages_.answers.enqueue(0); // "Ano": replace the tables
    form1().Import1Click();
    ASSERT_TRUE(opened->shown);
    EXPECT_EQ(opened->nameFilters, QStringList{"(*.zal)"});
    EXPECT_FALSE(opened->save);
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith("Import dat ukončen   3 soubor 3 přenesen\n\n"))
        << messages_.shown[0].toStdString();
    ASSERT_EQ(messages_.asked.size(), 1);
    EXPECT_TRUE(messages_.asked[0].startsWith("Import dat nahradí všechny tabulky obsahem zálohy"));
    expectHomeIsCurrent();
    ASSERT_TRUE(data().isOpen());
    EXPECT_EQ(tables(), archived);
    EXPECT_EQ(record().recNo(), 1);
    EXPECT_EQ(box("DBEdit2")->text(), "Kos");
    EXPECT_EQ(storedSurname(2), "Dub");
    record().moveTo(2);
    EXPECT_EQ(box("DBEdit2")->text(), "Dub");
    EXPECT_EQ(box("DBEdit3")->text(), "40");

    // The reopened tables are the program's again: a second program is refused.
    DataModule second;
    RecordingMessages secondMessages;
    EXPECT_THROW(second.open(tmp_.dir(), secondMessages), UserError);
}

TEST_F(BackupMenuFlows, AFailedImportLeavesTheTablesAsTheyWereAndOpen) {
    seedTwo();
    start();
    const QString damaged = damagedArchive();
    const QString garbage = QDir(archiveDir()).filePath(QStringLiteral("garbage.zal"));
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(64, '\x7f'));
    }
    setSurname(2, QStringLiteral("Lis"));
    const QMap<QString, QByteArray> before = tables();

    struct Case {
        QString archive;
        QString lastMessage;
        bool asked; // an archive that cannot be read is not asked about
    };
    const QList<Case> cases{{damaged, "Import dat nebyl uspěšný !!", true},
                            {garbage, "Cannot read archive", false}};
    for (const Case& c : cases) {
        messages_.shown.clear();
        messages_.asked.clear();
        if (c.asked)
            messages_.answers.enqueue(0);
        answer(QStringLiteral("OpenDialog1"), c.archive);
        form1().Import1Click();
        EXPECT_EQ(messages_.asked.size(), c.asked ? 1 : 0) << c.archive.toStdString();
        ASSERT_FALSE(messages_.shown.isEmpty()) << c.archive.toStdString();
        EXPECT_EQ(messages_.shown.last(), c.lastMessage);
        EXPECT_FALSE(messages_.shown.contains("Import dat ukončen   3 soubor 3 přenesen"));
        EXPECT_EQ(tables(), before) << c.archive.toStdString();
        ASSERT_TRUE(data().isOpen()) << c.archive.toStdString();
        EXPECT_EQ(record().recNo(), 1);
        EXPECT_EQ(storedSurname(2), "Lis");
        expectHomeIsCurrent();
    }

    messages_.shown.clear();
    const auto missing = answer(QStringLiteral("OpenDialog1"), tmp_.file("nothing.zal"));
    form1().Import1Click();
    EXPECT_TRUE(missing->shown);
    EXPECT_EQ(messages_.shown, QStringList{"Soubor IKSA.ZAL nenalezen !"});
    EXPECT_TRUE(data().isOpen());
}

TEST_F(BackupMenuFlows, TypedChangesBeforeAnImportAreStoredDroppedOrKeptAsAnswered) {
    seedTwo();
    start();
    const QString damaged = damagedArchive();
    struct Case {
        int answer; // Uložit, Neukládat, Zpět
        bool importRan;
        QString storedAfter;
        bool stillPending;
    };
    const QList<Case> cases{
        {2, false, "Kos", true}, {1, true, "Kos", false}, {0, true, "Bor", false}};
    for (const Case& c : cases) {
        // The window stands on the first record throughout; after "Zpět" the
        // typed change is still there.
        if (!form1().hasUnstoredChanges()) {
            app::DBEdit* surname = box("DBEdit2");
            surname->selectAll();
            type(surname, "Bor");
        }
        ASSERT_TRUE(form1().hasUnstoredChanges());
        messages_.shown.clear();
        messages_.asked.clear();
        messages_.answers.enqueue(0); // "Ano" to the replacement
        messages_.answers.enqueue(c.answer);

        answer(QStringLiteral("OpenDialog1"), damaged);
        form1().Import1Click();

        EXPECT_EQ(messages_.asked.size(), 2) << c.answer;
        EXPECT_EQ(messages_.shown.contains("Import dat nebyl uspěšný !!"), c.importRan) << c.answer;
        EXPECT_EQ(storedSurname(1), c.storedAfter) << c.answer;
        EXPECT_EQ(form1().hasUnstoredChanges(), c.stillPending) << c.answer;
        EXPECT_TRUE(data().isOpen());
    }
}

TEST_F(BackupMenuFlows, ExportDatCopiesTheThreeTablesIntoTheChosenFolder) {
    seedTwo();
    start();
    const QString destination = elsewhere();
    const auto seen = answer(QStringLiteral("SaveDialog2"),
                             QDir(destination).filePath(QStringLiteral("whatever.dbf")));
    form1().Exportdat1Click();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->title, "Vyberte kam exportovat soubory IKSA.dbf");
    EXPECT_EQ(seen->preset, "iksa.dbf");
    EXPECT_TRUE(seen->save);
    expectHomeIsCurrent();
    EXPECT_EQ(messages_.shown, QStringList{"Soubory IKSA.DBF uloženy v > " + destination + " <"});
    const QStringList copies = {"Iksa.dbf", "Iksa_II.dbf", "Iksa_HS_VYP.dbf"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(contents(QDir(destination).filePath(copies[i])),
                  contents(tmp_.file(kTableFiles[i])))
            << copies[i].toStdString();
    EXPECT_EQ(QDir(destination).entryList(QDir::Files).size(), 3);

    // Without all three tables in the program's directory nothing happens.
    messages_.shown.clear();
    ASSERT_TRUE(QFile::remove(tmp_.file(QStringLiteral("IKSA_II.DBF"))));
    const auto notShown = answer(QStringLiteral("SaveDialog2"), destination);
    form1().Exportdat1Click();
    settle();
    EXPECT_FALSE(notShown->shown);
    EXPECT_TRUE(messages_.shown.isEmpty());
    expectHomeIsCurrent();
}

TEST_F(BackupMenuFlows, CancelledDialogsDoNothing) {
    seedTwo();
    start();
    archiveNow();
    elsewhere();
    const QStringList before = tmp_.dir().entryList(QDir::AllEntries | QDir::Hidden);
    const QMap<QString, QByteArray> tablesBefore = tables();
    struct Case {
        QString dialog;
        void (app::MainWindow::*command)();
    };
    const QList<Case> cases{{"SaveDialog1", &app::MainWindow::Export1Click},
                            {"OpenDialog1", &app::MainWindow::Import1Click},
                            {"SaveDialog2", &app::MainWindow::Exportdat1Click}};
    for (const Case& c : cases) {
        const auto seen = answer(c.dialog, {});
        (form1().*c.command)();
        EXPECT_TRUE(seen->shown) << c.dialog.toStdString();
        EXPECT_TRUE(messages_.shown.isEmpty()) << c.dialog.toStdString();
        EXPECT_TRUE(messages_.asked.isEmpty()) << c.dialog.toStdString();
        expectHomeIsCurrent();
        EXPECT_TRUE(data().isOpen());
    }
    EXPECT_EQ(tmp_.dir().entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(tables(), tablesBefore);
    EXPECT_TRUE(QDir(elsewhere()).isEmpty());
}

TEST_F(BackupMenuFlows, StoppingARestoreKeepsTheTablesAndOpensThemAgain) {
    seedTwo();
    start();
    const QString archive = archiveNow();
    setSurname(2, QStringLiteral("Lis"));
    const QMap<QString, QByteArray> before = tables();
    form1().backupMenu()->setProgressDelay(0);

    // "Přerušit" once the progress shows; meanwhile an activation of the
    // window must not open the tables the restore is replacing.
    bool stopped = false;
    bool openedDuringRun = false;
    QTimer stopper;
    stopper.setInterval(0);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        auto* progress = form1().findChild<QProgressDialog*>(QStringLiteral("ProgressDialog"));
        if (!progress || !progress->isVisible() || stopped)
            return;
        form1().FormActivate();
        openedDuringRun = data().table3().isOpen();
        progress->cancel();
        stopped = true;
    });
    stopper.start();
    answer(QStringLiteral("OpenDialog1"), archive);
    messages_.answers.enqueue(0);
    form1().Import1Click();
    stopper.stop();

    EXPECT_TRUE(stopped);
    EXPECT_FALSE(openedDuringRun);
    EXPECT_EQ(messages_.shown, QStringList{"Import dat nebyl uspěšný !!"});
    EXPECT_EQ(tables(), before);
    ASSERT_TRUE(data().isOpen());
    EXPECT_EQ(storedSurname(2), "Lis");
    EXPECT_EQ(form1().findChild<QProgressDialog*>(), nullptr);
}

TEST_F(BackupMenuFlows, AReplacementCutOffByTheEndOfTheProgramIsUndoneAtTheNextStart) {
    const QMap<QString, QByteArray> before = tables();
    // Replaces new.dbf, IKSA.DBF, IKSA_II.DBF, IKSA_HS_Vyp.DBF and kills
    // itself after the second rename.
    QProcess child;
    child.start(QStringLiteral(RESTORE_CHILD), {QStringLiteral("commit"), tmp_.path()});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(contents(tmp_.file(QStringLiteral("IKSA.DBF"))), "replaced IKSA.DBF");

    start();

    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
    EXPECT_TRUE(data().isOpen());
    EXPECT_EQ(tables(), before);
    EXPECT_FALSE(QFile::exists(tmp_.file(QStringLiteral("new.dbf"))));
}

// While a run turns the event loop, only modal windows take input.
TEST(InputPause, OnlyModalWindowsTakeInputMeanwhile) {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("x"), &window);
    window.show();
    QDialog dialog;
    dialog.setModal(true);
    auto* dialogButton = new QPushButton(QStringLiteral("y"), &dialog);
    QSignalSpy clicked(button, &QPushButton::clicked);
    QSignalSpy dialogClicked(dialogButton, &QPushButton::clicked);
    {
        const app::InputPause pause;
        dialog.show();
        QTest::mouseClick(dialogButton, Qt::LeftButton);
        dialog.hide();
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
        EXPECT_FALSE(window.close());
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_EQ(dialogClicked.size(), 1);
    EXPECT_EQ(clicked.size(), 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.size(), 1);
    EXPECT_TRUE(window.close());
}

// A popup left open before a run (a file dialog's completion list) would
// take the keyboard: it is closed. One that the run opens takes its keys.
TEST(InputPause, ClosesLeftoverPopupsAndLetsTheRunsOwnThrough) {
    QWidget window;
    window.show();
    QMenu leftover(&window);
    leftover.addAction(QStringLiteral("a"));
    leftover.popup(QPoint(0, 0));
    ASSERT_EQ(QApplication::activePopupWidget(), &leftover);

    const app::InputPause pause;
    EXPECT_FALSE(leftover.isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    QMenu own;
    QAction* action = own.addAction(QStringLiteral("b"));
    QSignalSpy triggered(action, &QAction::triggered);
    own.popup(QPoint(0, 0));
    own.setActiveAction(action);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    EXPECT_EQ(triggered.size(), 1);
}

} // namespace
} // namespace iksa::test
