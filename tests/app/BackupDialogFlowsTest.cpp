// The backup menu as the examiner meets it: the real file dialogs and
// message boxes offscreen, answered by keys delivered where the window system
// delivers them, with the file dialog's completion list showing when Enter
// is pressed. The progress dialog is set to appear at once, so that a run
// shows it and each final message is checked to stand alone.
#include "AppFixture.h"
#include "BackupMenu.h"
#include "ExaminerScript.h"
#include "backup/TBackupFile.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace iksa::test {
namespace {

using Fields = QList<QPair<QString, QString>>;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool progressVisible() {
    const QWidgetList widgets = QApplication::allWidgets();
    return std::any_of(widgets.begin(), widgets.end(), [](QWidget* widget) {
        return qobject_cast<QProgressDialog*>(widget) && widget->isVisible();
    });
}

class BackupDialogFlows : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        seed({Fields{{"PRIJM", "Kos"}, {"VEK", "30"}}, Fields{{"PRIJM", "Dub"}, {"VEK", "40"}}});
        // Message boxes over the main window, as the examiner has them.
        program_ = std::make_unique<app::Program>(nullptr, false);
        program_->start();
        form1().FormActivate();
        form1().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
        form1().backupMenu()->setProgressDelay(0);
    }

    QString folder(const QString& name) {
        tmp_.dir().mkpath(name);
        return tmp_.file(name);
    }
    QMap<QString, QByteArray> tables() const {
        QMap<QString, QByteArray> bytes;
        for (const QString& name : kTableFiles)
            bytes.insert(name, contents(tmp_.file(name)));
        return bytes;
    }
    QStringList undoArchives() const {
        return tmp_.dir().entryList({QStringLiteral("pred-obnovou-*.ZAL")}, QDir::Files);
    }

    // The file dialog `name` comes up; in `dir` the examiner types `fileName`
    // into its name box until the completion list shows, then presses Enter.
    void chooseByTyping(const QString& name, const QString& dir, const QString& fileName) {
        script()
            .then(
                name + " shown",
                [name] {
                    auto* dialog = ExaminerScript::activeModal<QFileDialog>();
                    return dialog && dialog->objectName() == name && dialog->isActiveWindow();
                },
                [dir] { ExaminerScript::activeModal<QFileDialog>()->setDirectory(dir); })
            .then(
                name + " lists " + dir,
                [dir] {
                    // The dialog reads a directory in the background; its
                    // completion knows the names once it has.
                    auto* dialog = ExaminerScript::activeModal<QFileDialog>();
                    auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
                    return model && model->rowCount(model->index(dir)) > 0;
                },
                [fileName] {
                    auto* dialog = ExaminerScript::activeModal<QFileDialog>();
                    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    edit->setFocus();
                    edit->clear();
                    ExaminerScript::keys(fileName);
                })
            .then(
                "completion list for " + fileName,
                [] { return QApplication::activePopupWidget() != nullptr; },
                [] { ExaminerScript::key(Qt::Key_Return); });
    }

    // A message box beginning with `start` comes up alone (no progress
    // dialog over it); its text is kept, then `answer` runs.
    void messageComes(const QString& start, std::function<void()> answer) {
        script().then(
            "message " + start, [start] { return ExaminerScript::messageBox(start) != nullptr; },
            [this, answer = std::move(answer)] {
                QMessageBox* box = ExaminerScript::activeModal<QMessageBox>();
                texts_.append(box->text());
                if (progressVisible())
                    script().failures.append("progress dialog over: " + box->text());
                answer();
            });
    }
    void messageTakesEnter(const QString& start) {
        messageComes(start, [] { ExaminerScript::key(Qt::Key_Return); });
    }

    // Runs `command` with the script playing the examiner; afterwards the
    // main window takes keys again.
    void run(void (app::MainWindow::*command)()) {
        texts_.clear();
        script().start();
        (form1().*command)();
        EXPECT_TRUE(script().finished());
        EXPECT_TRUE(script().failures.isEmpty()) << script().failures.join('|').toStdString()
                                                 << " after " << texts_.join('|').toStdString();
        EXPECT_FALSE(progressVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        script_.reset();
    }
    ExaminerScript& script() {
        if (!script_)
            script_ = std::make_unique<ExaminerScript>();
        return *script_;
    }
    void expectTheWindowTakesKeys() {
        QWidget* surname = box(QStringLiteral("DBEdit2"));
        form1().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
        surname->setFocus();
        const QString before = box(QStringLiteral("DBEdit2"))->text();
        ExaminerScript::key(Qt::Key_End);
        ExaminerScript::keys(QStringLiteral("x"));
        EXPECT_EQ(box(QStringLiteral("DBEdit2"))->text(), before + "x");
        record().press(NavigatorButton::Cancel);
    }

    std::unique_ptr<ExaminerScript> script_;
    QStringList texts_;
};

// A run too short for its progress dialog: nothing but the messages takes
// the completion list's place.
TEST_F(BackupDialogFlows, ExportEndsInMessagesThatTakeEnter) {
    form1().backupMenu()->setProgressDelay(60000);
    const QString dir = folder(QStringLiteral("zaloha"));
    {
        QFile earlier(QDir(dir).filePath(QStringLiteral("IKSA.ZAL")));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    }
    chooseByTyping(QStringLiteral("SaveDialog1"), dir, QStringLiteral("IKSA.ZAL"));
    messageTakesEnter(QStringLiteral("Zálohování ukončeno."));
    messageTakesEnter(QStringLiteral("Soubor IKSA.ZAL uložen > "));
    run(&app::MainWindow::Export1Click);

    EXPECT_EQ(texts_.last(), "Soubor IKSA.ZAL uložen > " + QDir(dir).filePath("IKSA.ZAL") + " <");
    EXPECT_GT(QFileInfo(QDir(dir).filePath(QStringLiteral("IKSA.ZAL"))).size(), 0);
    expectTheWindowTakesKeys();
}

TEST_F(BackupDialogFlows, ExportDatEndsInAMessageThatTakesEnter) {
    const QString dir = folder(QStringLiteral("export"));
    {
        QFile earlier(QDir(dir).filePath(QStringLiteral("iksa.dbf")));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    }
    chooseByTyping(QStringLiteral("SaveDialog2"), dir, QStringLiteral("iksa.dbf"));
    messageTakesEnter(QStringLiteral("Soubory IKSA.DBF uloženy v > "));
    run(&app::MainWindow::Exportdat1Click);

    EXPECT_EQ(contents(QDir(dir).filePath(QStringLiteral("Iksa_HS_VYP.dbf"))),
              contents(tmp_.file(QStringLiteral("IKSA_HS_Vyp.DBF"))));
    expectTheWindowTakesKeys();
}

// "Ne" is the default answer and keeps the tables; "Ano" replaces them and
// leaves an undo archive, whose import gives the tables back byte for byte.
TEST_F(BackupDialogFlows, ImportAsksFirstAndCanBeUndone) {
    const QString dir = folder(QStringLiteral("zaloha"));
    {
        RecordingMessages quiet;
        TBackupFile backupFile(quiet);
        ASSERT_TRUE(backupFile.Backup({tmp_.file(QStringLiteral("*.dbf"))},
                                      QDir(dir).filePath(QStringLiteral("IKSA.ZAL"))));
    }
    const QMap<QString, QByteArray> archived = tables();
    // A change stored a minute after the backup.
    record().moveTo(2);
    record().press(NavigatorButton::Edit);
    record().setText(QStringLiteral("PRIJM"), QStringLiteral("Lis"));
    record().press(NavigatorButton::Post);
    const QMap<QString, QByteArray> stored = tables();
    ASSERT_NE(stored, archived);

    QString defaultButton;
    chooseByTyping(QStringLiteral("OpenDialog1"), dir, QStringLiteral("IKSA.ZAL"));
    messageComes(QStringLiteral("Import dat nahradí všechny tabulky"), [&] {
        auto* question = ExaminerScript::activeModal<QMessageBox>();
        defaultButton = question->defaultButton()->text();
        ExaminerScript::key(Qt::Key_Return);
    });
    run(&app::MainWindow::Import1Click);
    EXPECT_EQ(defaultButton, "Ne");
    ASSERT_EQ(texts_.size(), 1);
    EXPECT_TRUE(texts_[0].contains(QDir(dir).filePath("IKSA.ZAL"))) << texts_[0].toStdString();
    EXPECT_TRUE(texts_[0].contains("Vyšetřovaných osob v záloze: 2\n"));
    EXPECT_TRUE(texts_[0].contains("Vyšetřovaných osob v tabulkách nyní: 2\n"));
    EXPECT_EQ(tables(), stored);
    EXPECT_TRUE(undoArchives().isEmpty());
    EXPECT_TRUE(data().isOpen());

    const auto answerAno = [] {
        ExaminerScript::key(Qt::Key_Tab);
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (focused && focused->text() == "Ano")
            ExaminerScript::key(Qt::Key_Space);
    };
    chooseByTyping(QStringLiteral("OpenDialog1"), dir, QStringLiteral("IKSA.ZAL"));
    messageComes(QStringLiteral("Import dat nahradí všechny tabulky"), answerAno);
    messageTakesEnter(QStringLiteral("Import dat ukončen   3 soubor 3 přenesen"));
    run(&app::MainWindow::Import1Click);
    EXPECT_EQ(tables(), archived);
    ASSERT_EQ(undoArchives().size(), 1);
    const QString undo = undoArchives().first();
    EXPECT_TRUE(texts_.last().contains(tmp_.file(undo))) << texts_.last().toStdString();
    EXPECT_EQ(box(QStringLiteral("DBEdit2"))->text(), "Kos");
    expectTheWindowTakesKeys();

    // Back to the tables as they were before the import.
    chooseByTyping(QStringLiteral("OpenDialog1"), tmp_.path(), undo);
    messageComes(QStringLiteral("Import dat nahradí všechny tabulky"), answerAno);
    messageTakesEnter(QStringLiteral("Import dat ukončen   3 soubor 3 přenesen"));
    run(&app::MainWindow::Import1Click);
    EXPECT_EQ(tables(), stored);
    record().moveTo(2);
    EXPECT_EQ(box(QStringLiteral("DBEdit2"))->text(), "Lis");
}

} // namespace
} // namespace iksa::test
