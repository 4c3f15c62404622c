#include "Program.h"

#include <QApplication>
#include <QFont>

// The program takes no arguments and works in the directory it was started in.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("IKSA-III"));
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    iksa::app::Program program;
    program.start();
    return QApplication::exec();
}
