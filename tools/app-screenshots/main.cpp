// iksa-screenshots OUTDIR: starts the main window on the tables of the
// current directory (offscreen unless a display is asked for) and writes one
// PNG per page of the page control, the header included, and one of each
// small window, for review.
#include "AboutBox.h"
#include "DeleteConfirmation.h"
#include "MainWindow.h"
#include "Program.h"
#include "SearchWindow.h"
#include "records/UserMessages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

namespace {

// Messages go to stderr; questions take their default button.
class StderrMessages : public iksa::UserMessages {
public:
    void show(const QString& text) override { QTextStream(stderr) << text << '\n'; }
    int ask(const QString& text, const QStringList&, int defaultButton, int) override {
        show(text);
        return defaultButton;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Použití: iksa-screenshots VÝSTUPNÍ_ADRESÁŘ\n"
                             "(tabulky se berou z aktuálního adresáře)\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "Adresář %s nelze vytvořit.\n", qPrintable(out.path()));
        return 1;
    }

    StderrMessages messages;
    iksa::app::Program program(&messages, false);
    program.start();
    iksa::app::MainWindow& form1 = program.form1();
    form1.FormActivate();
    QApplication::processEvents();

    // A picture of the widget as OUTDIR/NN-NAME.png.
    int written = 0;
    const auto save = [&out, &written](QWidget& widget, int number, const QString& name) {
        const QString path = out.filePath(
            QStringLiteral("%1-%2.png").arg(number, 2, 10, QLatin1Char('0')).arg(name));
        if (!widget.grab().save(path)) {
            std::fprintf(stderr, "%s nelze uložit.\n", qPrintable(path));
            return false;
        }
        ++written;
        return true;
    };

    QTabWidget* pages = form1.pageControl();
    for (int i = 0; i < pages->count(); ++i) {
        if (!pages->isTabVisible(i))
            continue;
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        if (!save(form1, i + 1, pages->widget(i)->objectName()))
            return 1;
    }
    // The small windows, as they open.
    form1.findChild<QAction*>(QStringLiteral("Vyhledat1"))->trigger();
    form1.Button1Click();
    form1.Oprogramu1Click();
    QApplication::processEvents();
    const QList<QWidget*> windows{&program.form5(), &program.vyhledej(), &program.oprogramu()};
    for (QWidget* window : windows)
        if (!save(*window, written + 1, window->objectName()))
            return 1;
    std::printf("%d snímků v %s\n", written, qPrintable(out.path()));
    return 0;
}
