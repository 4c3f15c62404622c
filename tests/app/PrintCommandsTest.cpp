// The print commands of the main window, run offscreen on real tables:
// "Preview", "Tisk", the menu "Tisk" › "Vyhodnocení", and "Uložit PDF".
#include "../preview/PreviewTestSupport.h"
#include "../report/ProtocolFixture.h"
#include "EvaluationTab.h"
#include "MainWindow.h"
#include "Program.h"
#include "QtTranslations.h"
#include "TestSupport.h"
#include "preview/Form2.h"
#include "preview/PrintPreview.h"
#include "preview/PrintTarget.h"
#include "preview/PrinterTarget.h"
#include "preview/SurfaceMessages.h"
#include "preview/ThumbnailPreview.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace iksa;
using namespace iksa::test;

namespace {

// What the screen showed when the print job started.
struct JobObservation {
    bool started = false;
    Qt::CursorShape cursor = Qt::BitmapCursor;
    bool label1Visible = true;
};

void observe(JobObservation& seen, const QWidget* label1) {
    seen.started = true;
    if (const QCursor* cursor = QApplication::overrideCursor())
        seen.cursor = cursor->shape();
    seen.label1Visible = !label1->isHidden();
}

// A system without any printer.
class NoPrinter : public PrintTarget {
public:
    NoPrinter(JobObservation& seen, const QWidget* label1)
        : seen_(seen)
        , label1_(label1) {}
    QPagedPaintDevice& openDevice(const QString&) override {
        observe(seen_, label1_);
        throw UserError(SurfaceMessages::noPrinter());
    }

private:
    JobObservation& seen_;
    const QWidget* label1_;
};

// A printer that prints into a PDF file.
class PdfPrinter : public PrinterTarget {
public:
    PdfPrinter(QPrinter& printer, JobObservation& seen, const QWidget* label1)
        : PrinterTarget(printer)
        , seen_(seen)
        , label1_(label1) {}
    QPagedPaintDevice& openDevice(const QString& title) override {
        observe(seen_, label1_);
        return PrinterTarget::openDevice(title);
    }

private:
    JobObservation& seen_;
    const QWidget* label1_;
};

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::restoreOverrideCursor();
        DataModule::createEmptyTables(tmp.dir());
        {
            DataModule data;
            data.open(tmp.dir(), messages);
            ExamineeRecord record(data);
            record.press(NavigatorButton::Insert);
            const QMap<QString, QString> texts = sampleExaminee();
            for (auto it = texts.begin(); it != texts.end(); ++it)
                record.setText(it.key(), it.value());
            record.press(NavigatorButton::Post);
        }
        previousDir = QDir::currentPath();
        QDir::setCurrent(tmp.path());
        program = std::make_unique<app::Program>(&messages, false);
        program->start();
        program->form1().FormActivate();
        messages.shown.clear();
        form2 = static_cast<TForm2*>(program->form2());
        label1 = program->form1().findChild<QWidget*>(QStringLiteral("Label1"));
        ASSERT_NE(label1, nullptr);
        label1->show();
    }

    void TearDown() override {
        program.reset();
        QDir::setCurrent(previousDir);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    app::EvaluationTab& evaluationTab() { return *program->form1().evaluationTab(); }
    Table& table3() { return program->data().table3(); }
    QString stored(const char* field) {
        return table3().storedText(1, table3().fieldIndex(QString::fromLatin1(field)));
    }
    Qt::CursorShape screenCursor() const {
        const QCursor* cursor = QApplication::overrideCursor();
        return cursor ? cursor->shape() : Qt::BitmapCursor;
    }

    TempDir tmp;
    RecordingMessages messages;
    QString previousDir;
    std::unique_ptr<app::Program> program;
    TForm2* form2 = nullptr;
    QWidget* label1 = nullptr;
};

TEST_F(PrintCommands, PreviewShowsPage1Of3FittedAndStoresTheResults) {
    ASSERT_TRUE(stored("VIQ_IQ_IS").isEmpty() || stored("VIQ_IQ_IS") == QStringLiteral("0"));
    evaluationTab().previewButton()->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
    EXPECT_TRUE(form2->isVisible());
    TPrintPreview& preview = *form2->PrintPreview1;
    EXPECT_EQ(preview.totalPages(), 3);
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(preview.zoomState(), TPrintPreview::zsZoomToFit);
    EXPECT_EQ(form2->ThumbnailPreview1->thumbnailCount(), 3);
    EXPECT_TRUE(label1->isHidden()); // it stays hidden after a preview
    EXPECT_EQ(table3().state(), TableState::Browse);
    EXPECT_FALSE(stored("VIQ_IQ_IS").isEmpty());
    EXPECT_EQ(stored("VIQ_IQ_IS"), program->record().text(QStringLiteral("VIQ_IQ_IS")));

    // A second preview replaces the pages; the window stays shown.
    form2->PrintPreview1->setCurrentPage(3);
    evaluationTab().previewButton()->click();
    EXPECT_EQ(preview.totalPages(), 3);
    EXPECT_EQ(preview.currentPage(), 1);

    // "Uložit PDF" saves the three pages.
    const QString pdf = tmp.file(QStringLiteral("ulozeny.pdf"));
    form2->setSavePathChooser([&] { return pdf; });
    form2->SavePdfClick();
    const PdfText text = readPdf(pdf);
    EXPECT_EQ(text.pageCount, 3);
    EXPECT_TRUE(hasWordAt(text, 1, QStringLiteral("Nováková"), 1.8, 1.09));
}

TEST_F(PrintCommands, PrintWithoutPrinterTellsAndLosesNothing) {
    evaluationTab().previewButton()->click();
    form2->hide();
    table3().edit();
    table3().setText(QStringLiteral("VIQ_IQ_IS"), QString());
    table3().post();

    JobObservation seen;
    NoPrinter noPrinter(seen, label1);
    form2->PrintPreview1->surface().setPrintTarget(&noPrinter);
    evaluationTab().printButton()->click();

    EXPECT_TRUE(seen.started);
    EXPECT_EQ(seen.cursor, Qt::WaitCursor);
    EXPECT_FALSE(seen.label1Visible);
    EXPECT_EQ(messages.shown, QStringList{SurfaceMessages::noPrinter()});
    // The results of the evaluation are stored all the same, the last
    // preview is kept, the window stays hidden, label and cursor come back.
    EXPECT_EQ(table3().state(), TableState::Browse);
    EXPECT_EQ(stored("VIQ_IQ_IS"), program->record().text(QStringLiteral("VIQ_IQ_IS")));
    EXPECT_FALSE(stored("VIQ_IQ_IS").isEmpty());
    EXPECT_EQ(form2->PrintPreview1->totalPages(), 3);
    EXPECT_FALSE(form2->isVisible());
    EXPECT_FALSE(label1->isHidden());
    EXPECT_EQ(screenCursor(), Qt::ArrowCursor);
    EXPECT_EQ(form2->PrintPreview1->surface().state(), PageSurface::State::Idle);
}

TEST_F(PrintCommands, MenuPrintPrintsTheThreePagesLikeTheButton) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = tmp.file(QStringLiteral("tisk.pdf"));
    printer.setOutputFileName(pdf);
    JobObservation seen;
    PdfPrinter target(printer, seen, label1);
    form2->PrintPreview1->surface().setPrintTarget(&target);

    QAction* menuItem = program->form1().findChild<QAction*>(QStringLiteral("Vhodnocen1"));
    ASSERT_NE(menuItem, nullptr);
    menuItem->trigger();

    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
    EXPECT_EQ(seen.cursor, Qt::WaitCursor);
    EXPECT_FALSE(seen.label1Visible);
    EXPECT_FALSE(label1->isHidden());
    EXPECT_EQ(screenCursor(), Qt::ArrowCursor);
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(form2->PrintPreview1->totalPages(), 0); // printing records nothing
    EXPECT_EQ(table3().state(), TableState::Browse);
    const PdfText text = readPdf(pdf);
    EXPECT_EQ(text.pageCount, 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(hasWordAt(text, page, QStringLiteral("IKSA-III"), 1.5, 0.6)) << page;
}

TEST_F(PrintCommands, PrintStoppedByABadEntrySendsNoPageAndSaysWhy) {
    RecordingTarget target;
    form2->PrintPreview1->surface().setPrintTarget(&target);
    program->record().setText(QStringLiteral("RAD_DOP_8"), QStringLiteral("-"));

    evaluationTab().printButton()->click();

    ASSERT_EQ(messages.shown.size(), 1) << messages.shown.join('\n').toStdString();
    EXPECT_EQ(target.opened, 1);
    EXPECT_EQ(target.finished, 0);
    EXPECT_EQ(target.closed, 1);
    EXPECT_TRUE(target.printed.isEmpty()) << "nothing reached the printer";
    EXPECT_EQ(form2->PrintPreview1->surface().state(), PageSurface::State::Idle);
    EXPECT_FALSE(label1->isHidden());
    EXPECT_EQ(screenCursor(), Qt::ArrowCursor);

    // Mended, the next print sends the three pages.
    messages.shown.clear();
    program->record().setText(QStringLiteral("RAD_DOP_8"), QStringLiteral("7"));
    evaluationTab().printButton()->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
    EXPECT_EQ(target.finished, 1);
    EXPECT_EQ(target.printed.count("/Type /Page\n"), 3);
}

TEST_F(PrintCommands, SavePdfOffersTheExamineesNameInACzechDialog) {
    ASSERT_TRUE(app::installCzechQtTranslations(*QCoreApplication::instance()));
    evaluationTab().previewButton()->click();
    messages.shown.clear();

    QString offered;
    QStringList buttons;
    bool shown = false;
    QTimer::singleShot(0, form2, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        offered = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
            buttons << button->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form2->SavePdfButton->click();

    ASSERT_TRUE(shown);
    EXPECT_EQ(offered, QStringLiteral("Nováková_Alžběta_12.3.2024.pdf"));
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({QStringLiteral("Uložit"), QStringLiteral("Zrušit")}));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(QDir(tmp.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
}

TEST_F(PrintCommands, PreviewAndPrintStoreTheItemScoresBehindTheRawScores) {
    // Item scores typed into Table1 (subtest 1) and Table2 (subtest 9), not
    // stored yet: the protocol prints the raw scores they make up.
    struct Command {
        const char* name;
        std::function<void()> run;
    };
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(tmp.file(QStringLiteral("tisk.pdf")));
    JobObservation seen;
    PdfPrinter target(printer, seen, label1);
    form2->PrintPreview1->surface().setPrintTarget(&target);
    const QList<Command> commands{
        {"Preview", [&] { evaluationTab().previewButton()->click(); }},
        {"Tisk", [&] { evaluationTab().printButton()->click(); }},
    };
    ExamineeRecord& record = program->record();
    int round = 0;
    for (const Command& command : commands) {
        const QString item = QString::number(1 + round++ % 2);
        record.setText(QStringLiteral("1:S_1_2"), item);
        record.setText(QStringLiteral("2:S_9_3"), item);
        record.setText(QStringLiteral("2:O_9_3"), QStringLiteral("odpověď ") + item);
        command.run();
        EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
        for (Table* table : {&program->data().table1(), &program->data().table2(), &table3()}) {
            EXPECT_EQ(table->state(), TableState::Browse) << command.name;
            EXPECT_FALSE(table->isModified()) << command.name;
        }
        EXPECT_EQ(storedText(tmp.path(), 1, QStringLiteral("1:S_1_2")), item) << command.name;
        EXPECT_EQ(storedText(tmp.path(), 1, QStringLiteral("2:S_9_3")), item) << command.name;
        EXPECT_EQ(storedText(tmp.path(), 1, QStringLiteral("2:O_9_3")),
                  QStringLiteral("odpověď ") + item)
            << command.name;
    }
}

} // namespace
