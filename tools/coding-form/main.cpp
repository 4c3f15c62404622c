// iksa-coding-form OUT.pdf: writes the symbol-search record form that the
// document viewer shows as "Iksa_kodovani.pdf".
#include "CodingForm.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Použití: iksa-coding-form VÝSTUP.pdf\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (!iksa::tools::writeCodingForm(path)) {
        std::fprintf(stderr, "Soubor %s nelze zapsat.\n", argv[1]);
        return 1;
    }
    return 0;
}
