// The child program that the crash test of typed work kills:
//   unsaved_child DIR
// starts the program offscreen in DIR, goes to the last record, types into a
// header box (Table3), an item of subtest 1 (Table1) and a response of
// subtest 9 (Table2) with key events, says "kept" once the recovery file
// holds all of it, and waits to be killed.
#include "Application.h"
#include "MainWindow.h"
#include "Program.h"
#include "controls/DBNavigator.h"
#include "records/UnsavedEntries.h"
#include "records/UnsavedWorkKeeper.h"
#include "records/UserMessages.h"

#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <unistd.h>

using namespace iksa;

namespace {

void typeInto(app::MainWindow& form1, int page, const char* box, const QString& text) {
    form1.pageControl()->setCurrentIndex(page - 1);
    auto* widget = form1.findChild<QWidget*>(QString::fromLatin1(box));
    if (!widget) {
        std::fprintf(stderr, "no box %s\n", box);
        std::exit(2);
    }
    widget->setFocus();
    QTest::keyClicks(widget, text);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    app::Application application(argc, argv);
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    SilentMessages messages;
    app::Program program(&messages, false);
    program.start();
    app::MainWindow& form1 = program.form1();
    form1.FormActivate();
    UnsavedWorkKeeper& keeper = *form1.unsavedWorkKeeper();
    keeper.setDelay(5);
    form1.navigator()->press(NavigatorButton::Last);

    typeInto(form1, 15, "DBEdit5", QStringLiteral("po havarii"));
    typeInto(form1, 1, "S_1_1", QStringLiteral("1"));
    typeInto(form1, 9, "O_9_1", QStringLiteral("odpoved"));

    // The keeper's own timer writes the file; the last key is in it when
    // the response stands there whole.
    const RecoveryFile file{QDir::current()};
    for (;;) {
        QEventLoop loop;
        QObject::connect(&keeper, &UnsavedWorkKeeper::kept, &loop, &QEventLoop::quit);
        loop.exec();
        if (file.exists() && file.read().contains(QStringLiteral("odpoved").toUtf8()))
            break;
    }
    std::puts("kept");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
